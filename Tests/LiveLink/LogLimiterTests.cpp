// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "LogCapture.h"
#include "OrvaneLogLimiter.h"

#include <gtest/gtest.h>

namespace
{
	/** The lines of one kind written in a second of a flood: ten, then one count line when the second ends. */
	TEST(LogLimiter, WritesTenLinesASecondAndTheCountWhenTheSecondEnds)
	{
		FLogCapture Log;
		FOrvaneLogLimiter Limiter;
		Limiter.Advance(5000);
		for (int32 Frame = 1; Frame <= 25; ++Frame)
		{
			Limiter.Write(EOrvaneLogLine::Skip, Frame * 10, 3);
		}
		EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: skip ")), 10);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: skip 10 / 3")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: skip 100 / 3")), 1);
		EXPECT_TRUE(Limiter.HasHeldLines());

		// Nothing more arrives: the count comes out when the second is over, not before.
		Limiter.Advance(5999);
		EXPECT_EQ(Log.CountContaining(TEXT("more in the last second")), 0);
		Limiter.Advance(6000);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: skip 250 / 3 (15 more in the last second)")), 1) << "the values of the last line held back";
		EXPECT_FALSE(Limiter.HasHeldLines());
		Limiter.Advance(9000);
		EXPECT_EQ(Log.CountContaining(TEXT("more in the last second")), 1) << "a count is written once";

		// The next second starts afresh.
		Limiter.Write(EOrvaneLogLine::Skip, 1, 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: skip 1 / 1")), 1);
		for (const FCapturedLogLine& Line : Log.Lines())
		{
			EXPECT_EQ(Line.Category, FString(TEXT("ModuleLog")));
			EXPECT_EQ(Line.Verbosity, ELogVerbosity::Warning);
		}
	}

	TEST(LogLimiter, LimitsEachKindOnItsOwnAndKeepsItsVerbosity)
	{
		FLogCapture Log;
		FOrvaneLogLimiter Limiter;
		Limiter.Advance(0);
		for (int32 Index = 0; Index < 30; ++Index)
		{
			Limiter.Write(EOrvaneLogLine::UnknownData);
		}
		for (int32 Index = 0; Index < 12; ++Index)
		{
			Limiter.Write(EOrvaneLogLine::ResetTimecode, Index, -Index);
		}
		Limiter.Write(EOrvaneLogLine::CaptureSkip, 7, 2);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 10);
		EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Reset timecode ")), 10);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Capture skip 7 / 2")), 1);

		Limiter.Advance(1000);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received (20 more in the last second)")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Reset timecode 11, (jump) -11 (2 more in the last second)")), 1);
		EXPECT_EQ(Log.CountContaining(TEXT("Capture skip 7 / 2 (")), 0) << "a kind under its limit writes no count";
		for (const FCapturedLogLine& Line : Log.Lines())
		{
			const bool bUnknown = Line.Message.StartsWith(TEXT("Orvane Live Link: Unknow data received"));
			EXPECT_EQ(Line.Verbosity, bUnknown ? ELogVerbosity::Error : ELogVerbosity::Warning) << TCHAR_TO_UTF8(*Line.Message);
		}
	}

	TEST(LogLimiter, NormalTrafficNeverReachesTheLimit)
	{
		FLogCapture Log;
		FOrvaneLogLimiter Limiter;
		// Ten lines a second, spread over five seconds, as a sender that drops a frame every tenth of a second.
		for (int64 Ms = 0; Ms < 5000; Ms += 100)
		{
			Limiter.Advance(Ms);
			Limiter.Write(EOrvaneLogLine::CaptureSkip, static_cast<int32>(Ms), 2);
		}
		Limiter.FlushAll();
		EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Capture skip ")), 50);
		EXPECT_EQ(Log.CountContaining(TEXT("more in the last second")), 0);
	}

	TEST(LogLimiter, ShutdownWritesTheCountAtOnceAndAClockStepBackEndsNothing)
	{
		FLogCapture Log;
		FOrvaneLogLimiter Limiter;
		Limiter.Advance(10000);
		for (int32 Index = 0; Index < 14; ++Index)
		{
			Limiter.Write(EOrvaneLogLine::UnknownData);
		}
		Limiter.Advance(2000);
		EXPECT_EQ(Log.CountContaining(TEXT("more in the last second")), 0);
		Limiter.FlushAll();
		EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received (4 more in the last second)")), 1);
		Limiter.FlushAll();
		EXPECT_EQ(Log.CountContaining(TEXT("more in the last second")), 1);
	}

	TEST(LogLimiter, TheCountComesBeforeTheNextSecondsFirstLine)
	{
		FLogCapture Log;
		FOrvaneLogLimiter Limiter;
		Limiter.Advance(0);
		for (int32 Index = 0; Index < 11; ++Index)
		{
			Limiter.Write(EOrvaneLogLine::Skip, Index, 1);
		}
		// The next datagram, of any kind, arrives after the second: its time ends the second first.
		Limiter.Advance(1500);
		Limiter.Write(EOrvaneLogLine::Skip, 99, 1);
		const std::vector<FCapturedLogLine> Lines = Log.Lines();
		ASSERT_EQ(Lines.size(), 12u);
		EXPECT_EQ(Lines[10].Message, FString(TEXT("Orvane Live Link: skip 10 / 1 (1 more in the last second)")));
		EXPECT_EQ(Lines[11].Message, FString(TEXT("Orvane Live Link: skip 99 / 1")));
	}
}
