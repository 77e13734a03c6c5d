// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLogLimiter.h"

#include "OrvaneLiveLinkLog.h"

namespace
{
	/** The engine's log macros take literal formats, so each kind spells out both of its forms. */
	void WriteLine(EOrvaneLogLine Line, int32 Value0, int32 Value1, int32 HeldCount)
	{
		switch (Line)
		{
		case EOrvaneLogLine::UnknownData:
			if (HeldCount > 0)
			{
				UE_LOG(ModuleLog, Error, TEXT("Orvane Live Link: Unknow data received (%d more in the last second)"), HeldCount);
			}
			else
			{
				UE_LOG(ModuleLog, Error, TEXT("Orvane Live Link: Unknow data received"));
			}
			break;
		case EOrvaneLogLine::CaptureSkip:
			if (HeldCount > 0)
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: Capture skip %d / %d (%d more in the last second)"), Value0, Value1, HeldCount);
			}
			else
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: Capture skip %d / %d"), Value0, Value1);
			}
			break;
		case EOrvaneLogLine::Skip:
			if (HeldCount > 0)
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: skip %d / %d (%d more in the last second)"), Value0, Value1, HeldCount);
			}
			else
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: skip %d / %d"), Value0, Value1);
			}
			break;
		case EOrvaneLogLine::ResetTimecode:
			if (HeldCount > 0)
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: Reset timecode %d, (jump) %d (%d more in the last second)"), Value0, Value1, HeldCount);
			}
			else
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: Reset timecode %d, (jump) %d"), Value0, Value1);
			}
			break;
		default:
			break;
		}
	}
}

void FOrvaneLogLimiter::WriteUnlimited(EOrvaneLogLine Line, int32 Value0, int32 Value1)
{
	WriteLine(Line, Value0, Value1, 0);
}

void FOrvaneLogLimiter::Advance(int64 InNowMs)
{
	NowMs = InNowMs;
	for (int32 Kind = 0; Kind < static_cast<int32>(EOrvaneLogLine::Num); ++Kind)
	{
		// A clock that steps back leaves the second open rather than ending it early.
		if (Kinds[Kind].bInSecond && NowMs - Kinds[Kind].SecondStartMs >= SecondMs)
		{
			EndSecond(Kind);
		}
	}
}

void FOrvaneLogLimiter::Write(EOrvaneLogLine Line, int32 Value0, int32 Value1)
{
	const int32 Kind = static_cast<int32>(Line);
	if (Kind < 0 || Kind >= static_cast<int32>(EOrvaneLogLine::Num))
	{
		return;
	}
	FKindState& State = Kinds[Kind];
	// Advance has ended every second that is over, so an open second is the current one.
	if (!State.bInSecond)
	{
		State.bInSecond = true;
		State.SecondStartMs = NowMs;
		State.Written = 0;
		State.Held = 0;
	}
	if (State.Written < LinesPerSecond)
	{
		++State.Written;
		WriteLine(Line, Value0, Value1, 0);
		return;
	}
	if (State.Held < TNumericLimits<int32>::Max())
	{
		++State.Held;
	}
	State.LastValues[0] = Value0;
	State.LastValues[1] = Value1;
	if (State.Held == 1)
	{
		HeldKinds.fetch_or(1u << Kind, std::memory_order_relaxed);
	}
}

void FOrvaneLogLimiter::FlushAll()
{
	for (int32 Kind = 0; Kind < static_cast<int32>(EOrvaneLogLine::Num); ++Kind)
	{
		if (Kinds[Kind].bInSecond)
		{
			EndSecond(Kind);
		}
	}
}

void FOrvaneLogLimiter::EndSecond(int32 Kind)
{
	FKindState& State = Kinds[Kind];
	if (State.Held > 0)
	{
		WriteLine(static_cast<EOrvaneLogLine>(Kind), State.LastValues[0], State.LastValues[1], State.Held);
	}
	State = FKindState();
	HeldKinds.fetch_and(~(1u << Kind), std::memory_order_relaxed);
}
