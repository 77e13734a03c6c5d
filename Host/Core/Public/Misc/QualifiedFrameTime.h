// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/QualifiedFrameTime.h.
#pragma once

#include "CoreTypes.h"
#include "Misc/FrameRate.h"
#include "Misc/FrameTime.h"
#include "Misc/Timecode.h"

/** A frame time together with the rate it counts in. */
struct FQualifiedFrameTime
{
	/** The frame time. */
	FFrameTime Time;
	/** The rate Time counts in. */
	FFrameRate Rate;

	/** Frame 0 at 60 fps. */
	FQualifiedFrameTime()
		: Time(0)
		, Rate()
	{
	}
	/** A time at a rate. */
	FQualifiedFrameTime(const FFrameTime& InTime, const FFrameRate& InRate)
		: Time(InTime)
		, Rate(InRate)
	{
	}
	/** The frame of a timecode at a rate. */
	FQualifiedFrameTime(const FTimecode& InTimecode, const FFrameRate& InRate)
		: Time(InTimecode.ToFrameNumber(InRate))
		, Rate(InRate)
	{
	}

	/** The time in seconds. */
	double AsSeconds() const { return Rate.AsSeconds(Time); }
	/** The timecode of the whole frame (sub-frame ignored), drop-frame where the rate supports it. */
	FTimecode ToTimecode() const { return FTimecode::FromFrameNumber(Time.GetFrame(), Rate); }
	/** The timecode of the whole frame (sub-frame ignored), in the given format. */
	FTimecode ToTimecode(bool bDropFrame) const { return FTimecode::FromFrameNumber(Time.GetFrame(), Rate, bDropFrame); }
};
