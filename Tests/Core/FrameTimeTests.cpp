// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Misc/FrameNumber.h"
#include "Misc/FrameRate.h"
#include "Misc/FrameTime.h"
#include "Misc/QualifiedFrameTime.h"
#include "Misc/Timecode.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	const FFrameRate NTSC30(30000, 1001);
	const FFrameRate Film(24, 1);
}

TEST(FrameRateValues, FractionalRatesConvertExactly)
{
	EXPECT_DOUBLE_EQ(NTSC30.AsDecimal(), 30000.0 / 1001.0);
	EXPECT_DOUBLE_EQ(NTSC30.AsInterval(), 1001.0 / 30000.0);
	EXPECT_EQ(FFrameRate().Numerator, 60000);
	EXPECT_EQ(FFrameRate().Denominator, 1000);
	EXPECT_EQ(FFrameRate(24, 1), Film);
	EXPECT_NE(FFrameRate(24000, 1001), Film);
}

TEST(FrameRateValues, SecondsToFrameTimeAndBack)
{
	const FFrameTime OneSecond = NTSC30.AsFrameTime(1.0);
	EXPECT_EQ(OneSecond.GetFrame().Value, 29);
	EXPECT_NEAR(OneSecond.GetSubFrame(), 0.97002997f, 1e-6f);
	EXPECT_NEAR(NTSC30.AsSeconds(OneSecond), 1.0, 1e-7);
	EXPECT_EQ(Film.AsFrameTime(-0.5).GetFrame().Value, -12);
	EXPECT_DOUBLE_EQ(Film.AsSeconds(FFrameTime(FFrameNumber(36), 0.5f)), 1.5208333333333333);
}

TEST(FrameRateValues, InvalidOrHugeInputNeverCrashes)
{
	const FFrameRate NoDenominator(30, 0);
	EXPECT_FALSE(NoDenominator.IsValid());
	EXPECT_EQ(NoDenominator.AsFrameTime(5.0), FFrameTime());
	EXPECT_EQ(FFrameRate(0, 1).AsSeconds(FFrameTime(10)), 0.0);
	EXPECT_EQ(Film.AsFrameTime(1e12).GetFrame().Value, std::numeric_limits<int32>::max());
	EXPECT_EQ(Film.AsFrameTime(std::nan("")).GetFrame().Value, 0);
}

TEST(FrameTimeSubFrame, StaysBelowOneAtMaxSubframe)
{
	EXPECT_EQ(FFrameTime::MaxSubframe, 0.99999994f);
	// 10.99999999 rounds to 11.0f as a float sub-frame; it must stay on frame 10 just below one.
	const FFrameTime NearlyEleven = FFrameTime::FromDecimal(10.99999999);
	EXPECT_EQ(NearlyEleven.GetFrame().Value, 10);
	EXPECT_EQ(NearlyEleven.GetSubFrame(), FFrameTime::MaxSubframe);
	EXPECT_EQ(FFrameTime(FFrameNumber(3), FFrameTime::MaxSubframe).GetSubFrame(), FFrameTime::MaxSubframe);
	EXPECT_LT(FFrameTime(FFrameNumber(3), FFrameTime::MaxSubframe).AsDecimal(), 4.0);
}

TEST(FrameTimeSubFrame, OutOfRangeSubFramesAreClampedNotFatal)
{
	EXPECT_EQ(FFrameTime(FFrameNumber(5), 1.5f).GetSubFrame(), FFrameTime::MaxSubframe);
	EXPECT_EQ(FFrameTime(FFrameNumber(5), -0.25f).GetSubFrame(), 0.f);
	EXPECT_EQ(FFrameTime(FFrameNumber(5), std::nanf("")).GetSubFrame(), FFrameTime::MaxSubframe);
	EXPECT_EQ(FFrameTime(FFrameNumber(5), -1e-9f).GetSubFrame(), 0.f);
}

TEST(FrameTimeArithmetic, CarriesAndBorrowsSubFrames)
{
	const FFrameTime Sum = FFrameTime(FFrameNumber(1), 0.75f) + FFrameTime(FFrameNumber(2), 0.5f);
	EXPECT_EQ(Sum.GetFrame().Value, 4);
	EXPECT_EQ(Sum.GetSubFrame(), 0.25f);
	const FFrameTime Difference = FFrameTime(FFrameNumber(1), 0.25f) - FFrameTime(FFrameNumber(0), 0.75f);
	EXPECT_EQ(Difference.GetFrame().Value, 0);
	EXPECT_EQ(Difference.GetSubFrame(), 0.5f);
	EXPECT_EQ(FFrameTime(FFrameNumber(7), 0.5f).RoundToFrame().Value, 8);
	EXPECT_EQ(FFrameTime(FFrameNumber(7), 0.25f).RoundToFrame().Value, 7);
	EXPECT_EQ(FFrameTime(FFrameNumber(7), 0.25f).CeilToFrame().Value, 8);
	EXPECT_EQ(FFrameTime(FFrameNumber(7), 0.25f).FloorToFrame().Value, 7);
	EXPECT_LT(FFrameTime(FFrameNumber(7), 0.25f), FFrameTime(FFrameNumber(7), 0.5f));
}

TEST(FrameTimeArithmetic, FrameNumbersWrapInsteadOfOverflowing)
{
	FFrameNumber Last(std::numeric_limits<int32>::max());
	++Last;
	EXPECT_EQ(Last.Value, std::numeric_limits<int32>::lowest());
	EXPECT_EQ((-FFrameNumber(std::numeric_limits<int32>::lowest())).Value, std::numeric_limits<int32>::lowest());
	EXPECT_EQ((FFrameNumber(5) - 7).Value, -2);
}

TEST(TimecodeConversion, NonDropFrameRoundTrips)
{
	const FFrameNumber Frame((3600 + 2 * 60 + 3) * 24 + 4);
	const FTimecode Timecode = FTimecode::FromFrameNumber(Frame, Film);
	EXPECT_FALSE(Timecode.bDropFrameFormat);
	EXPECT_EQ(Utf8(Timecode.ToString()), "01:02:03:04");
	EXPECT_EQ(Timecode.ToFrameNumber(Film), Frame);
	EXPECT_EQ(Utf8(FTimecode::FromFrameNumber(FFrameNumber(-24), Film).ToString()), "-00:00:01:00");
	EXPECT_EQ(Utf8(FTimecode(0, 0, 1, 0, false).ToString(true)), "+00:00:01:00");
}

TEST(TimecodeConversion, DropFrameSkipsLabelsExceptEveryTenthMinute)
{
	EXPECT_TRUE(FTimecode::IsDropFormatTimecodeSupported(NTSC30));
	EXPECT_FALSE(FTimecode::IsDropFormatTimecodeSupported(Film));
	EXPECT_EQ(Utf8(FTimecode::FromFrameNumber(FFrameNumber(1799), NTSC30).ToString()), "00:00:59;29");
	EXPECT_EQ(Utf8(FTimecode::FromFrameNumber(FFrameNumber(1800), NTSC30).ToString()), "00:01:00;02");
	EXPECT_EQ(Utf8(FTimecode::FromFrameNumber(FFrameNumber(17982), NTSC30).ToString()), "00:10:00;00");
	EXPECT_EQ(Utf8(FTimecode::FromFrameNumber(FFrameNumber(1800), NTSC30, false).ToString()), "00:01:00:00");
	for (int32 Frame = 0; Frame < 60000; Frame += 7)
	{
		ASSERT_EQ(FTimecode::FromFrameNumber(FFrameNumber(Frame), NTSC30).ToFrameNumber(NTSC30).Value, Frame);
	}
	// Drop-frame numbering is undefined at other rates; the request falls back to plain numbering.
	EXPECT_FALSE(FTimecode::FromFrameNumber(FFrameNumber(1800), Film, true).bDropFrameFormat);
	EXPECT_EQ(FTimecode::FromFrameNumber(FFrameNumber(10), FFrameRate(0, 1)), FTimecode());
}

TEST(QualifiedFrameTimeValues, SecondsAndTimecodeFollowTheRate)
{
	const FQualifiedFrameTime Time(FFrameTime(FFrameNumber(48), 0.5f), Film);
	EXPECT_DOUBLE_EQ(Time.AsSeconds(), 48.5 / 24.0);
	EXPECT_EQ(Utf8(Time.ToTimecode().ToString()), "00:00:02:00");
	const FQualifiedFrameTime FromTimecode(FTimecode(0, 1, 0, 2, true), NTSC30);
	EXPECT_EQ(FromTimecode.Time.GetFrame().Value, 1800);
}
