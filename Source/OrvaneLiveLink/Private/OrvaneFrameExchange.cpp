// Copyright Kelmora. All Rights Reserved.
#include "OrvaneFrameExchange.h"

#include "Misc/ScopeLock.h"

#include <new>

std::atomic<FOrvaneFrameExchange*> FOrvaneFrameExchange::Current{nullptr};
std::atomic<FCriticalSection*> FOrvaneFrameExchange::ProcessLock{nullptr};

FOrvaneFrameExchange::FOrvaneFrameExchange()
{
	Ring.SetNum(Capacity);
}

void FOrvaneFrameExchange::CreateProcessLock()
{
	FCriticalSection* Expected = nullptr;
	FCriticalSection* Lock = new FCriticalSection();
	if (!ProcessLock.compare_exchange_strong(Expected, Lock))
	{
		delete Lock;
	}
}

void FOrvaneFrameExchange::DestroyProcessLock()
{
	// The exchange itself stays: sources and frame components still holding it release it later, and the
	// last of them destroys it.
	FCriticalSection* Lock = ProcessLock.exchange(nullptr);
	if (Lock)
	{
		// Waits for a creation or release that took the lock before it was withdrawn.
		Lock->Lock();
		Lock->Unlock();
	}
	delete Lock;
}

int32 FOrvaneFrameExchange::Acquire()
{
	FCriticalSection* Lock = ProcessLock.load();
	if (!Lock)
	{
		return 0;
	}
	FScopeLock ScopeLock(Lock);
	FOrvaneFrameExchange* Exchange = Current.load();
	if (!Exchange)
	{
		Exchange = new (std::nothrow) FOrvaneFrameExchange();
		if (!Exchange)
		{
			return 0;
		}
		Current.store(Exchange);
	}
	return ++Exchange->UserCount;
}

int32 FOrvaneFrameExchange::Release()
{
	FCriticalSection* Lock = ProcessLock.load();
	if (!Lock)
	{
		// After module shut-down no user can be added, and the users left release on the game thread.
		return ReleaseUser();
	}
	FScopeLock ScopeLock(Lock);
	return ReleaseUser();
}

int32 FOrvaneFrameExchange::ReleaseUser()
{
	FOrvaneFrameExchange* Exchange = Current.load();
	if (!Exchange)
	{
		return 0;
	}
	if (Exchange->UserCount <= 1)
	{
		Current.store(nullptr);
		delete Exchange;
		return 0;
	}
	return --Exchange->UserCount;
}

FOrvaneFrameExchange* FOrvaneFrameExchange::Get()
{
	return Current.load();
}

void FOrvaneFrameExchange::PushPose(const ORVCameraPose& Pose)
{
	FScopeLock Lock(&PoseLock);
	FPoseEntry& Entry = Ring[WriteIndex];
	Entry.Pose = Pose;
	Entry.Sequence = ++NextSequence;
	WriteIndex = (WriteIndex + 1) % Capacity;
	Count = FMath::Min(Count + 1, Capacity);
}

bool FOrvaneFrameExchange::GetLatestPose(FPoseEntry& Out)
{
	FScopeLock Lock(&PoseLock);
	if (Count == 0)
	{
		return false;
	}
	const int32 Index = (WriteIndex - 1 + Capacity) % Capacity;
	Out = Ring[Index];
	ReadIndex = (Index + 1) % Capacity;
	return true;
}

bool FOrvaneFrameExchange::GetNextPose(FPoseEntry& Out)
{
	FScopeLock Lock(&PoseLock);
	if (Count == 0 || ReadIndex == WriteIndex)
	{
		return false;
	}
	Out = Ring[ReadIndex];
	ReadIndex = (ReadIndex + 1) % Capacity;
	return true;
}

void FOrvaneFrameExchange::SetSetup(const ORVCameraSetup& InSetup)
{
	FScopeLock Lock(&SetupLock);
	Setup = InSetup;
}

void FOrvaneFrameExchange::GetSetup(ORVCameraSetup& Out)
{
	FScopeLock Lock(&SetupLock);
	Out = Setup;
}

void FOrvaneFrameExchange::SetAction(const ORVActionParams& InAction)
{
	FScopeLock Lock(&ActionLock);
	Action = InAction;
}

void FOrvaneFrameExchange::TakeAction(ORVActionParams& Out)
{
	FScopeLock Lock(&ActionLock);
	Out = Action;
	Action.Action = 0;
}

void FOrvaneFrameExchange::AddAnswers(const TMap<FString, FString>& InAnswers)
{
	FScopeLock Lock(&AnswerLock);
	for (const auto& Pair : InAnswers)
	{
		Answers.Add(Pair.Key, Pair.Value);
	}
}

int32 FOrvaneFrameExchange::TakeAnswers(TMap<FString, FString>& Out)
{
	FScopeLock Lock(&AnswerLock);
	const int32 Moved = Answers.Num();
	for (auto& Pair : Answers)
	{
		Out.Add(MoveTemp(Pair.Key), MoveTemp(Pair.Value));
	}
	Answers.Empty();
	return Moved;
}
