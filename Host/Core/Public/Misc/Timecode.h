// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Timecode.h (hours, minutes, seconds and frames; no sub-frames or rollover).
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Misc/FrameNumber.h"
#include "Misc/FrameRate.h"

/** A SMPTE-style timecode at some frame rate, optionally in NTSC drop-frame format. */
struct FTimecode
{
	/** Hours. Every component of a negative timecode is negative. */
	int32 Hours;
	/** Minutes. */
	int32 Minutes;
	/** Seconds. */
	int32 Seconds;
	/** Frames within the second. */
	int32 Frames;
	/** True for drop-frame format (29.97 and 59.94 fps), written with a ';' before the frames. */
	bool bDropFrameFormat;

	/** 00:00:00:00. */
	FTimecode()
		: Hours(0)
		, Minutes(0)
		, Seconds(0)
		, Frames(0)
		, bDropFrameFormat(false)
	{
	}
	/** From its components. */
	FTimecode(int32 InHours, int32 InMinutes, int32 InSeconds, int32 InFrames, bool bInDropFrame)
		: Hours(InHours)
		, Minutes(InMinutes)
		, Seconds(InSeconds)
		, Frames(InFrames)
		, bDropFrameFormat(bInDropFrame)
	{
	}

	/** The frame number at a frame rate, undoing drop-frame numbering. An invalid rate gives frame 0. */
	CORE_API FFrameNumber ToFrameNumber(const FFrameRate& InFrameRate) const;

	/**
	 * The timecode of a frame. Drop-frame numbering skips the first two frame labels (four above 30 fps) of
	 * every minute except each tenth minute; it is only meaningful at 29.97 and 59.94 fps, and other rates
	 * fall back to non-drop numbering. An invalid rate gives 00:00:00:00.
	 */
	static CORE_API FTimecode FromFrameNumber(const FFrameNumber& InFrameNumber, const FFrameRate& InFrameRate, bool bInDropFrame);
	/** As above, in drop-frame format where the rate supports it (the engine's default setting). */
	static CORE_API FTimecode FromFrameNumber(const FFrameNumber& InFrameNumber, const FFrameRate& InFrameRate);

	/** True for the NTSC rates 30000/1001 and 60000/1001. */
	static CORE_API bool IsDropFormatTimecodeSupported(const FFrameRate& InFrameRate);
	/** Whether supported rates default to drop-frame format; the engine's console setting defaults to true. */
	static CORE_API bool UseDropFormatTimecodeByDefaultWhenSupported();

	/** "HH:MM:SS:FF", or "HH:MM:SS;FF" for drop-frame; negative timecodes get a leading '-', and a '+' if forced. */
	CORE_API FString ToString(bool bForceSignDisplay = false) const;

	friend bool operator==(const FTimecode& A, const FTimecode& B) { return A.Hours == B.Hours && A.Minutes == B.Minutes && A.Seconds == B.Seconds && A.Frames == B.Frames; }
	friend bool operator!=(const FTimecode& A, const FTimecode& B) { return !(A == B); }
};
