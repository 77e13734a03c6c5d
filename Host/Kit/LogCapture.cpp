// Copyright Kelmora. All Rights Reserved.
#include "LogCapture.h"

#include "CoreGlobals.h"

FLogCapture::FLogCapture(bool bInQuiet)
	: bQuiet(bInQuiet)
{
	GLog->AddOutputDevice(this);
	if (bQuiet)
	{
		GLog->SetStdErrEcho(false);
	}
}

FLogCapture::~FLogCapture()
{
	GLog->RemoveOutputDevice(this);
	if (bQuiet)
	{
		GLog->SetStdErrEcho(true);
	}
}

void FLogCapture::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	std::lock_guard<std::mutex> Lock(Mutex);
	Captured.push_back(FCapturedLogLine{Category.ToString(), Verbosity, FString(V)});
}

std::vector<FCapturedLogLine> FLogCapture::Lines() const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	return Captured;
}

int32 FLogCapture::Count(const TCHAR* Message) const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	int32 Matches = 0;
	for (const FCapturedLogLine& Line : Captured)
	{
		Matches += Line.Message.Equals(FString(Message)) ? 1 : 0;
	}
	return Matches;
}

int32 FLogCapture::CountContaining(const TCHAR* Text) const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	int32 Matches = 0;
	for (const FCapturedLogLine& Line : Captured)
	{
		Matches += Line.Message.Contains(Text, ESearchCase::CaseSensitive) ? 1 : 0;
	}
	return Matches;
}

int32 FLogCapture::Num() const
{
	std::lock_guard<std::mutex> Lock(Mutex);
	return static_cast<int32>(Captured.size());
}

void FLogCapture::Clear()
{
	std::lock_guard<std::mutex> Lock(Mutex);
	Captured.clear();
}
