// Copyright Kelmora. All Rights Reserved.

#include "Misc/Timecode.h"

#include "Math/UnrealMathUtility.h"

namespace
{
	int32 FramesPerSecondLabel(const FFrameRate& InFrameRate)
	{
		if (InFrameRate.Numerator <= 0 || InFrameRate.Denominator <= 0)
		{
			return 0;
		}
		return FMath::CeilToInt32(InFrameRate.AsDecimal());
	}

	/** Frame labels skipped at the start of every minute not divisible by ten. */
	int32 DroppedLabelsPerMinute(int32 FramesPerSecond)
	{
		return FramesPerSecond <= 30 ? 2 : 4;
	}
}

FFrameNumber FTimecode::ToFrameNumber(const FFrameRate& InFrameRate) const
{
	const int64 FramesPerSecond = FramesPerSecondLabel(InFrameRate);
	if (FramesPerSecond == 0)
	{
		return FFrameNumber(0);
	}
	const int64 TotalMinutes = int64(Hours) * 60 + Minutes;
	int64 TotalFrames = (TotalMinutes * 60 + Seconds) * FramesPerSecond + Frames;
	if (bDropFrameFormat)
	{
		TotalFrames -= DroppedLabelsPerMinute(int32(FramesPerSecond)) * (TotalMinutes - TotalMinutes / 10);
	}
	return FFrameNumber(static_cast<int32>(FMath::Clamp<int64>(TotalFrames, INT32_MIN, INT32_MAX)));
}

FTimecode FTimecode::FromFrameNumber(const FFrameNumber& InFrameNumber, const FFrameRate& InFrameRate, bool bInDropFrame)
{
	const int64 FramesPerSecond = FramesPerSecondLabel(InFrameRate);
	if (FramesPerSecond == 0)
	{
		return FTimecode();
	}
	const bool bDropFrame = bInDropFrame && IsDropFormatTimecodeSupported(InFrameRate);
	const bool bNegative = InFrameNumber.Value < 0;
	int64 Frame = bNegative ? -int64(InFrameNumber.Value) : int64(InFrameNumber.Value);

	const int64 FramesPerMinute = FramesPerSecond * 60;
	const int64 FramesPerHour = FramesPerMinute * 60;
	if (bDropFrame)
	{
		// Count the labels skipped so far and add them back, turning real frames into label positions.
		const int64 Dropped = DroppedLabelsPerMinute(int32(FramesPerSecond));
		const int64 RealFramesPerMinute = FramesPerMinute - Dropped;
		const int64 RealFramesPerTenMinutes = FramesPerMinute * 10 - Dropped * 9;
		const int64 TenMinuteChunks = Frame / RealFramesPerTenMinutes;
		const int64 Remainder = Frame % RealFramesPerTenMinutes;
		Frame += Dropped * 9 * TenMinuteChunks;
		if (Remainder > Dropped)
		{
			Frame += Dropped * ((Remainder - Dropped) / RealFramesPerMinute);
		}
	}

	const int32 Sign = bNegative ? -1 : 1;
	const int32 OutHours = static_cast<int32>(Frame / FramesPerHour);
	const int32 OutMinutes = static_cast<int32>((Frame / FramesPerMinute) % 60);
	const int32 OutSeconds = static_cast<int32>((Frame / FramesPerSecond) % 60);
	const int32 OutFrames = static_cast<int32>(Frame % FramesPerSecond);
	return FTimecode(Sign * OutHours, Sign * OutMinutes, Sign * OutSeconds, Sign * OutFrames, bDropFrame);
}

FTimecode FTimecode::FromFrameNumber(const FFrameNumber& InFrameNumber, const FFrameRate& InFrameRate)
{
	return FromFrameNumber(InFrameNumber, InFrameRate, UseDropFormatTimecodeByDefaultWhenSupported() && IsDropFormatTimecodeSupported(InFrameRate));
}

bool FTimecode::IsDropFormatTimecodeSupported(const FFrameRate& InFrameRate)
{
	return InFrameRate == FFrameRate(30000, 1001) || InFrameRate == FFrameRate(60000, 1001);
}

bool FTimecode::UseDropFormatTimecodeByDefaultWhenSupported()
{
	return true;
}

FString FTimecode::ToString(bool bForceSignDisplay) const
{
	const bool bNegative = Hours < 0 || Minutes < 0 || Seconds < 0 || Frames < 0;
	const TCHAR* SignText = bNegative ? TEXT("-") : (bForceSignDisplay ? TEXT("+") : TEXT(""));
	if (bDropFrameFormat)
	{
		return FString::Printf(TEXT("%s%02lld:%02lld:%02lld;%02lld"), SignText, FMath::Abs(int64(Hours)), FMath::Abs(int64(Minutes)), FMath::Abs(int64(Seconds)), FMath::Abs(int64(Frames)));
	}
	return FString::Printf(TEXT("%s%02lld:%02lld:%02lld:%02lld"), SignText, FMath::Abs(int64(Hours)), FMath::Abs(int64(Minutes)), FMath::Abs(int64(Seconds)), FMath::Abs(int64(Frames)));
}
