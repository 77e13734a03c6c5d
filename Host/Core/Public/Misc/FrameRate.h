// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/FrameRate.h.
#pragma once

#include "CoreTypes.h"
#include "Math/UnrealMathUtility.h"
#include "Misc/FrameNumber.h"
#include "Misc/FrameTime.h"

/** A frame rate as a fraction, e.g. 30000/1001 for NTSC 29.97. */
struct FFrameRate
{
	/** Frames per Denominator seconds. */
	int32 Numerator;
	/** Seconds per Numerator frames. */
	int32 Denominator;

	/** 60 fps, as in the engine (60000/1000). */
	constexpr FFrameRate()
		: Numerator(60000)
		, Denominator(1000)
	{
	}
	/** Numerator frames every Denominator seconds. */
	constexpr FFrameRate(uint32 InNumerator, uint32 InDenominator)
		: Numerator(static_cast<int32>(InNumerator))
		, Denominator(static_cast<int32>(InDenominator))
	{
	}

	/** Frames per second. */
	double AsDecimal() const { return double(Numerator) / double(Denominator); }
	/** Seconds per frame. */
	double AsInterval() const { return double(Denominator) / double(Numerator); }
	/** True when the denominator is positive (the engine's test; a zero numerator still passes). */
	bool IsValid() const { return Denominator > 0; }

	/** Seconds at a frame time. An invalid rate gives 0 rather than dividing by zero. */
	double AsSeconds(FFrameTime FrameTime) const
	{
		if (Numerator == 0)
		{
			return 0.0;
		}
		const int64 IntegerPart = int64(FrameTime.GetFrame().Value) * int64(Denominator);
		const double FloatPart = double(FrameTime.GetSubFrame()) * double(Denominator);
		return (double(IntegerPart) + FloatPart) / double(Numerator);
	}

	/**
	 * The frame time at a number of seconds; the frame saturates to the int32 range and a sub-frame that
	 * would round to one is held at MaxSubframe. An invalid rate gives frame 0.
	 */
	FFrameTime AsFrameTime(double InTimeSeconds) const
	{
		if (Denominator == 0)
		{
			return FFrameTime();
		}
		const double TimeAsFrame = (InTimeSeconds * Numerator) / Denominator;
		return FFrameTime::FromDecimal(TimeAsFrame);
	}

	/** The whole frame at or before a number of seconds. */
	FFrameNumber AsFrameNumber(double InTimeSeconds) const
	{
		if (Denominator == 0)
		{
			return FFrameNumber(0);
		}
		return FFrameNumber(FMath::FloorToInt32((InTimeSeconds * Numerator) / Denominator));
	}

	friend bool operator==(const FFrameRate& A, const FFrameRate& B) { return A.Numerator == B.Numerator && A.Denominator == B.Denominator; }
	friend bool operator!=(const FFrameRate& A, const FFrameRate& B) { return !(A == B); }
};
