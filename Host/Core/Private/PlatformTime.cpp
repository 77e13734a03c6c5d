// Copyright Kelmora. All Rights Reserved.
#include "HAL/PlatformTime.h"
#include "Async/Async.h"
#include "HAL/PlatformProcess.h"

#include <atomic>
#include <cerrno>
#include <sched.h>
#include <time.h>

namespace
{
	uint64 MonotonicNanoseconds()
	{
		timespec Now;
		clock_gettime(CLOCK_MONOTONIC, &Now);
		return static_cast<uint64>(Now.tv_sec) * 1000000000ull + static_cast<uint64>(Now.tv_nsec);
	}
}

double FPlatformTime::Seconds()
{
	// The engine's Windows clock adds 2^24 s so that a value squeezed into a float shows its loss at once.
	const uint64 Nanoseconds = MonotonicNanoseconds();
	return static_cast<double>(Nanoseconds / 1000000000ull) + static_cast<double>(Nanoseconds % 1000000000ull) * 1.0e-9 + 16777216.0;
}

uint64 FPlatformTime::Cycles64()
{
	return MonotonicNanoseconds() / 100ull;
}

void FPlatformProcess::Sleep(float Seconds)
{
	SleepNoStats(Seconds);
}

void FPlatformProcess::SleepNoStats(float Seconds)
{
	if (!(Seconds > 0.0f))
	{
		// Zero, negative and NaN all just give up the time slice, never sleep forever.
		sched_yield();
		return;
	}
	const double Clamped = Seconds > 1.0e6f ? 1.0e6 : static_cast<double>(Seconds);
	timespec Request;
	Request.tv_sec = static_cast<time_t>(Clamped);
	Request.tv_nsec = static_cast<long>((Clamped - static_cast<double>(Request.tv_sec)) * 1.0e9);
	// A signal interrupts the sleep: sleep the remainder.
	while (nanosleep(&Request, &Request) != 0 && errno == EINTR)
	{
	}
}

void FPlatformProcess::ConditionalSleep(TFunctionRef<bool()> Condition, float SleepTime)
{
	while (!Condition())
	{
		Sleep(SleepTime);
	}
}

int32 FAsyncThreadIndex::GetNext()
{
	static std::atomic<int32> ThreadIndex{0};
	return ThreadIndex.fetch_add(1);
}
