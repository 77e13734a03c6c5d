// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/FrameTime.h.
#pragma once

#include "CoreTypes.h"
#include "Math/UnrealMathUtility.h"
#include "Misc/FrameNumber.h"

#include <limits>
#include <type_traits>

/** A frame number plus a sub-frame fraction in [0, 1), at some frame rate. */
struct FFrameTime
{
	/** The largest sub-frame below one that a float holds. */
	static constexpr float MaxSubframe = 0.99999994f;

	/** The whole frame. Read through GetFrame(). */
	FFrameNumber FrameNumber;

	/** Frame 0. */
	constexpr FFrameTime()
		: FrameNumber(0)
		, SubFrame(0.f)
	{
	}
	/** Implicit from an integer frame. */
	template <typename T, typename = std::enable_if_t<std::is_integral_v<T>>>
	constexpr FFrameTime(T InFrameNumber)
		: FrameNumber(static_cast<int32>(InFrameNumber))
		, SubFrame(0.f)
	{
	}
	/** Implicit from a frame number. */
	constexpr FFrameTime(FFrameNumber InFrameNumber)
		: FrameNumber(InFrameNumber)
		, SubFrame(0.f)
	{
	}
	/**
	 * A frame and a sub-frame. Like the engine, the sub-frame is clamped into [0, MaxSubframe] (NaN gives
	 * MaxSubframe); the engine's range check is a debug-build checkSlow only, so out-of-range input is
	 * clamped rather than fatal in the host as in a development editor.
	 */
	FFrameTime(FFrameNumber InFrameNumber, float InSubFrame)
		: FrameNumber(InFrameNumber)
		, SubFrame(InSubFrame)
	{
		// Adding and removing a half flushes tiny negative values that would otherwise floor to -1.
		SubFrame = FMath::Clamp(SubFrame + 0.5f - 0.5f, 0.f, MaxSubframe);
	}

	/** The whole frame. */
	FFrameNumber GetFrame() const { return FrameNumber; }
	/** The fraction of the next frame, in [0, 1). */
	float GetSubFrame() const { return SubFrame; }
	/** The frame at or before this time. */
	FFrameNumber FloorToFrame() const { return FrameNumber; }
	/** The frame at or after this time. */
	FFrameNumber CeilToFrame() const { return SubFrame == 0.f ? FrameNumber : FrameNumber + 1; }
	/** The nearest frame; half a frame rounds up. */
	FFrameNumber RoundToFrame() const { return SubFrame < .5f ? FrameNumber : FrameNumber + 1; }
	/** Frame plus sub-frame as one number. */
	double AsDecimal() const { return double(FrameNumber.Value) + SubFrame; }

	/** From a decimal frame; the frame saturates to the int32 range and the sub-frame stays below one. */
	static FFrameTime FromDecimal(double InDecimalFrame)
	{
		const double Floored = FMath::FloorToDouble(InDecimalFrame);
		const int32 NewFrame = FMath::FloorToInt32(InDecimalFrame);
		float NewSubFrame = static_cast<float>(InDecimalFrame - Floored);
		// The float conversion can round 0.99999999 up to 1.
		if (NewSubFrame > 0.f)
		{
			NewSubFrame = FMath::Min(NewSubFrame, MaxSubframe);
		}
		return FFrameTime(NewFrame, NewSubFrame);
	}

	friend bool operator==(FFrameTime A, FFrameTime B) { return A.FrameNumber == B.FrameNumber && A.SubFrame == B.SubFrame; }
	friend bool operator!=(FFrameTime A, FFrameTime B) { return !(A == B); }
	friend bool operator<(FFrameTime A, FFrameTime B) { return A.FrameNumber < B.FrameNumber || (A.FrameNumber == B.FrameNumber && A.SubFrame < B.SubFrame); }
	friend bool operator>(FFrameTime A, FFrameTime B) { return B < A; }
	friend bool operator<=(FFrameTime A, FFrameTime B) { return !(B < A); }
	friend bool operator>=(FFrameTime A, FFrameTime B) { return !(A < B); }

	friend FFrameTime operator+(FFrameTime A, FFrameTime B)
	{
		const float NewSubFrame = A.SubFrame + B.SubFrame;
		const float Carry = FMath::FloorToFloat(NewSubFrame);
		return FFrameTime(A.FrameNumber + B.FrameNumber + FFrameNumber(static_cast<int32>(Carry)), NewSubFrame - Carry);
	}
	/** Sub-frames stay non-negative: frame -1.5 is frame -2 plus 0.5. */
	friend FFrameTime operator-(FFrameTime A, FFrameTime B)
	{
		const float NewSubFrame = A.SubFrame - B.SubFrame;
		const float Floored = FMath::FloorToFloat(NewSubFrame);
		return FFrameTime(A.FrameNumber - B.FrameNumber + FFrameNumber(static_cast<int32>(Floored)), NewSubFrame - Floored);
	}

private:
	float SubFrame;
};
