// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's TimerManager.h: delegates called once or repeatedly after a delay.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Templates/Function.h"

/** The function a timer calls. */
DECLARE_DELEGATE(FTimerDelegate);

/** Identifies a timer of a timer manager; invalid until a timer is set with it. */
class FTimerHandle
{
public:
	bool IsValid() const { return Handle != 0; }
	void Invalidate() { Handle = 0; }
	bool operator==(const FTimerHandle& Other) const { return Handle == Other.Handle; }

private:
	friend class FTimerManager;
	uint64 Handle = 0;
};

/**
 * Runs timers on the game thread. Host: nothing ticks it on its own; the code that stands for the engine's
 * main loop calls Tick with the time that passed.
 */
class ENGINE_API FTimerManager
{
public:
	/** Calls InDelegate after InRate seconds (InFirstDelay when >= 0), again every InRate seconds when looping. */
	void SetTimer(FTimerHandle& InOutHandle, FTimerDelegate const& InDelegate, float InRate, bool InbLoop = false, float InFirstDelay = -1.f);
	/** As above for a function. */
	void SetTimer(FTimerHandle& InOutHandle, TFunction<void(void)>&& Callback, float InRate, bool InbLoop = false, float InFirstDelay = -1.f);
	void ClearTimer(FTimerHandle& InHandle);
	bool IsTimerActive(FTimerHandle InHandle) const;

	/** Advances the clock and fires the timers that are due, earliest first. */
	void Tick(float DeltaTime);

	/** Host only: how many timers are set, for tests. */
	int32 GetHostActiveTimerCount() const { return Timers.Num(); }

private:
	struct FTimer
	{
		uint64 Handle = 0;
		double ExpireTime = 0.0;
		float Rate = 0.0f;
		bool bLoop = false;
		TFunction<void(void)> Callback;
	};

	void AddTimer(FTimerHandle& InOutHandle, TFunction<void(void)> Callback, float InRate, bool InbLoop, float InFirstDelay);

	TArray<FTimer> Timers;
	double CurrentTime = 0.0;
	uint64 LastHandle = 0;
};
