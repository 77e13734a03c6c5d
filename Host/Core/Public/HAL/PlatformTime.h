// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/PlatformTime.h: a monotonic clock.
#pragma once

#include "CoreTypes.h"

struct FPlatformTime
{
	/**
	 * Seconds on the monotonic clock. Like the engine's Windows clock, it starts at 16,777,216 s so that
	 * storing it in a float visibly loses precision; use differences.
	 */
	static double Seconds();

	/** The monotonic clock in cycles of 100 ns. */
	static uint64 Cycles64();

	/** The monotonic clock in cycles of 100 ns, wrapping at 32 bits. */
	static uint32 Cycles() { return static_cast<uint32>(Cycles64()); }

	/** Seconds per Cycles64 cycle (1e-7). */
	static double GetSecondsPerCycle64() { return 1.0e-7; }

	/** Seconds per Cycles cycle (1e-7). */
	static double GetSecondsPerCycle() { return 1.0e-7; }

	/** Converts Cycles64 cycles to milliseconds. */
	static double ToMilliseconds64(const uint64 Cycles) { return static_cast<double>(Cycles) * GetSecondsPerCycle64() * 1000.0; }

	/** Converts Cycles64 cycles to seconds. */
	static double ToSeconds64(const uint64 Cycles) { return static_cast<double>(Cycles) * GetSecondsPerCycle64(); }

	/** Converts Cycles cycles to milliseconds. */
	static float ToMilliseconds(const uint32 Cycles) { return static_cast<float>(static_cast<double>(Cycles) * GetSecondsPerCycle() * 1000.0); }
};
