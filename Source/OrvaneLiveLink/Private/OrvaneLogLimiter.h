// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#include <atomic>

/** The receive path's log lines that a sender can repeat at its own rate; each kind is limited on its own. */
enum class EOrvaneLogLine : uint8
{
	/** "Orvane Live Link: Unknow data received" (error). */
	UnknownData,
	/** "Orvane Live Link: Capture skip %d / %d" (warning). */
	CaptureSkip,
	/** "Orvane Live Link: skip %d / %d" (warning). */
	Skip,
	/** "Orvane Live Link: Reset timecode %d, (jump) %d" (warning). */
	ResetTimecode,
	Num
};

/**
 * Keeps a flooding sender from filling the editor's log. Each kind of line is written up to LinesPerSecond
 * times in a second that starts with its first line; the rest of that second is counted, and when the second
 * is over one line "<the line> (N more in the last second)" carries the count and the values of the last line
 * held back. Normal traffic stays below the limit and logs exactly as before.
 *
 * One limiter belongs to one thread (or one lock) at a time: Advance and Write are not thread-safe. They
 * never allocate or lock, so the receiver thread can call them for every datagram. HasHeldLines may be
 * called from any thread.
 */
class FOrvaneLogLimiter
{
public:
	static constexpr int32 LinesPerSecond = 10;
	static constexpr int64 SecondMs = 1000;

	/** Writes the line without any limit (for callers that decode one document, not a stream). */
	static void WriteUnlimited(EOrvaneLogLine Line, int32 Value0 = 0, int32 Value1 = 0);

	/**
	 * Sets the time that Write counts in (milliseconds of a steady clock) and ends every second that is
	 * over by then, writing the count line of each kind that held lines back.
	 */
	void Advance(int64 NowMs);
	/** Writes the line now or, past the limit of this second, holds it back and counts it. */
	void Write(EOrvaneLogLine Line, int32 Value0 = 0, int32 Value1 = 0);
	/** Writes every pending count line at once, whether or not its second is over (on shutdown). */
	void FlushAll();
	/** True while some kind has lines held back whose count is not written yet. */
	bool HasHeldLines() const { return HeldKinds.load(std::memory_order_relaxed) != 0; }

private:
	struct FKindState
	{
		int64 SecondStartMs = 0;
		int32 Written = 0;
		int32 Held = 0;
		int32 LastValues[2] = {0, 0};
		bool bInSecond = false;
	};

	void EndSecond(int32 Kind);

	FKindState Kinds[static_cast<int32>(EOrvaneLogLine::Num)];
	int64 NowMs = 0;
	// One bit per kind with a count line pending; read by other threads to decide whether to flush.
	std::atomic<uint32> HeldKinds{0};
};
