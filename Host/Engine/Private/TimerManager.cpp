// Copyright Kelmora. All Rights Reserved.
#include "TimerManager.h"

void FTimerManager::SetTimer(FTimerHandle& InOutHandle, FTimerDelegate const& InDelegate, float InRate, bool InbLoop, float InFirstDelay)
{
	AddTimer(
		InOutHandle, [InDelegate]()
		{ InDelegate.ExecuteIfBound(); },
		InRate, InbLoop, InFirstDelay);
}

void FTimerManager::SetTimer(FTimerHandle& InOutHandle, TFunction<void(void)>&& Callback, float InRate, bool InbLoop, float InFirstDelay)
{
	AddTimer(InOutHandle, MoveTemp(Callback), InRate, InbLoop, InFirstDelay);
}

void FTimerManager::AddTimer(FTimerHandle& InOutHandle, TFunction<void(void)> Callback, float InRate, bool InbLoop, float InFirstDelay)
{
	// As in the engine, setting a timer on a handle in use replaces that timer, and a rate <= 0 only clears it.
	ClearTimer(InOutHandle);
	if (InRate <= 0.0f)
	{
		return;
	}
	FTimer Timer;
	Timer.Handle = ++LastHandle;
	Timer.ExpireTime = CurrentTime + (InFirstDelay >= 0.0f ? InFirstDelay : InRate);
	Timer.Rate = InRate;
	Timer.bLoop = InbLoop;
	Timer.Callback = MoveTemp(Callback);
	InOutHandle.Handle = Timer.Handle;
	Timers.Add(MoveTemp(Timer));
}

void FTimerManager::ClearTimer(FTimerHandle& InHandle)
{
	if (InHandle.IsValid())
	{
		const uint64 Handle = InHandle.Handle;
		Timers.RemoveAll([Handle](const FTimer& Timer)
			{ return Timer.Handle == Handle; });
		InHandle.Invalidate();
	}
}

bool FTimerManager::IsTimerActive(FTimerHandle InHandle) const
{
	for (const FTimer& Timer : Timers)
	{
		if (Timer.Handle == InHandle.Handle && InHandle.IsValid())
		{
			return true;
		}
	}
	return false;
}

void FTimerManager::Tick(float DeltaTime)
{
	CurrentTime += DeltaTime;
	while (true)
	{
		int32 Due = INDEX_NONE;
		for (int32 Index = 0; Index < Timers.Num(); ++Index)
		{
			if (Timers[Index].ExpireTime <= CurrentTime && (Due == INDEX_NONE || Timers[Index].ExpireTime < Timers[Due].ExpireTime))
			{
				Due = Index;
			}
		}
		if (Due == INDEX_NONE)
		{
			return;
		}
		// The callback may set or clear timers, so it runs from a copy after its entry is updated.
		TFunction<void(void)> Callback = Timers[Due].Callback;
		if (Timers[Due].bLoop)
		{
			Timers[Due].ExpireTime += Timers[Due].Rate;
		}
		else
		{
			Timers.RemoveAt(Due);
		}
		Callback();
	}
}
