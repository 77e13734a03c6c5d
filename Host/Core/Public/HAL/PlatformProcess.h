// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/PlatformProcess.h (GenericPlatform/GenericPlatformProcess.h): sleeping.
#pragma once

#include "CoreTypes.h"
#include "Templates/Function.h"

struct FPlatformProcess
{
	/** Sleeps the calling thread; 0 yields the rest of its time slice. */
	static void Sleep(float Seconds);

	/** As Sleep, for callers that must not be counted as idle; the same in the host. */
	static void SleepNoStats(float Seconds);

	/** Sleeps SleepTime at a time until Condition returns true; returns at once when it already does. */
	static void ConditionalSleep(TFunctionRef<bool()> Condition, float SleepTime = 0.0f);
};
