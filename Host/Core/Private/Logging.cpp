// Copyright Kelmora. All Rights Reserved.
#include "Containers/StringConv.h"
#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

DEFINE_LOG_CATEGORY(LogTemp);

bool GIsEditor = true;
uint64 GFrameCounter = 0;

const TCHAR* ToString(ELogVerbosity::Type Verbosity)
{
	switch (Verbosity & ELogVerbosity::VerbosityMask)
	{
	case ELogVerbosity::NoLogging:
		return TEXT("NoLogging");
	case ELogVerbosity::Fatal:
		return TEXT("Fatal");
	case ELogVerbosity::Error:
		return TEXT("Error");
	case ELogVerbosity::Warning:
		return TEXT("Warning");
	case ELogVerbosity::Display:
		return TEXT("Display");
	case ELogVerbosity::Log:
		return TEXT("Log");
	case ELogVerbosity::Verbose:
		return TEXT("Verbose");
	case ELogVerbosity::VeryVerbose:
		return TEXT("VeryVerbose");
	default:
		return TEXT("UknownVerbosity");
	}
}

struct FOutputDeviceRedirector::FImpl
{
	std::mutex Mutex;
	std::vector<FOutputDevice*> Devices;
	bool bStdErrEcho = true;
};

FOutputDeviceRedirector::FOutputDeviceRedirector()
	: Impl(std::make_unique<FImpl>())
{
}
FOutputDeviceRedirector::~FOutputDeviceRedirector() = default;

FOutputDeviceRedirector* FOutputDeviceRedirector::Get()
{
	static FOutputDeviceRedirector Singleton;
	return &Singleton;
}

void FOutputDeviceRedirector::AddOutputDevice(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::mutex> Lock(Impl->Mutex);
	if (OutputDevice && std::find(Impl->Devices.begin(), Impl->Devices.end(), OutputDevice) == Impl->Devices.end())
	{
		Impl->Devices.push_back(OutputDevice);
	}
}

void FOutputDeviceRedirector::RemoveOutputDevice(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::mutex> Lock(Impl->Mutex);
	Impl->Devices.erase(std::remove(Impl->Devices.begin(), Impl->Devices.end(), OutputDevice), Impl->Devices.end());
}

bool FOutputDeviceRedirector::IsRedirectingTo(FOutputDevice* OutputDevice)
{
	std::lock_guard<std::mutex> Lock(Impl->Mutex);
	return std::find(Impl->Devices.begin(), Impl->Devices.end(), OutputDevice) != Impl->Devices.end();
}

void FOutputDeviceRedirector::SetStdErrEcho(bool bEnabled)
{
	std::lock_guard<std::mutex> Lock(Impl->Mutex);
	Impl->bStdErrEcho = bEnabled;
}

void FOutputDeviceRedirector::Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category)
{
	std::lock_guard<std::mutex> Lock(Impl->Mutex);
	if (Impl->bStdErrEcho)
	{
		// The engine's log line: "Category: Verbosity: Message", the verbosity left out at Log level.
		FString Line;
		if (!Category.IsNone())
		{
			Line += Category.ToString();
			Line += TEXT(": ");
		}
		if ((Verbosity & ELogVerbosity::VerbosityMask) != ELogVerbosity::Log)
		{
			Line += ToString(Verbosity);
			Line += TEXT(": ");
		}
		Line += V;
		const FTCHARToUTF8 Utf8(*Line, Line.Len());
		std::fwrite(Utf8.Get(), 1, static_cast<size_t>(Utf8.Length()), stderr);
		std::fputc('\n', stderr);
	}
	for (FOutputDevice* Device : Impl->Devices)
	{
		Device->Serialize(V, Verbosity, Category);
	}
}

namespace UE::Host
{
	void LogLine(const FLogCategoryBase& Category, ELogVerbosity::Type Verbosity, const FString& Message)
	{
		GLog->Serialize(*Message, Verbosity, Category.GetCategoryName());
		if ((Verbosity & ELogVerbosity::VerbosityMask) == ELogVerbosity::Fatal)
		{
			// Written out even while a capture keeps the log off standard error: it is the last word of the process.
			const FTCHARToUTF8 Utf8(*Message, Message.Len());
			std::fprintf(stderr, "Fatal error: %.*s\n", int(Utf8.Length()), Utf8.Get());
			std::fflush(stderr);
			std::abort();
		}
	}
}
