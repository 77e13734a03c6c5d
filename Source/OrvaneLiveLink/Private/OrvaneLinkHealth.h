// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#include <atomic>

/** How one source's link behaves, as one consistent set of figures. */
struct FOrvaneLinkHealthSnapshot
{
	/** Datagrams received (each is either decoded or refused). */
	int64 Received = 0;
	/** Datagrams that decoded to at least one camera. */
	int64 Decoded = 0;
	/** Datagrams that decoded to nothing. */
	int64 Refused = 0;
	/** Datagrams that arrived in the last second, per second. */
	double RateHz = 0.0;
	/** Mean absolute deviation of the spacings between arrivals in the last second from their median. */
	double JitterMs = 0.0;
	/** Frames missing from the sender's frame numbers. */
	int64 Gaps = 0;
	/** Frame numbers the sender sent again straight after themselves. */
	int64 Repeats = 0;
	/** Milliseconds since the last datagram arrived; negative before the first. */
	double LastPacketAgeMs = -1.0;

	/** One log line: "Orvane Live Link: link health of <Name>: received N, decoded N, ...". */
	FString ToLogLine(const FString& Name) const;
};

/**
 * The link health counters of one source. The receiver thread records every datagram and frame number
 * without a lock or an allocation (a few relaxed atomic writes); Snapshot may be called from any thread and
 * does the arithmetic.
 *
 * Arrival times are kept in a ring of ArrivalCapacity entries. Above that many datagrams a second, the rate
 * and jitter come from the newest ArrivalCapacity arrivals.
 */
class FOrvaneLinkHealth
{
public:
	static constexpr int32 ArrivalCapacity = 1024;
	static constexpr int64 WindowNs = 1000000000;

	FOrvaneLinkHealth();

	/**
	 * One datagram arrived at NowNs (a steady clock) and decoded to CamerasDecoded cameras. Only the thread
	 * that receives may call it: the arrival ring has one writer.
	 */
	void RecordDatagram(int64 NowNs, int32 CamerasDecoded);
	/** The sender's frame number of one decoded camera, in arrival order (receiving thread only). */
	void RecordFrameNumber(int32 FrameNumber);

	/** The figures at NowNs, on the same clock as RecordDatagram; safe from any thread. */
	FOrvaneLinkHealthSnapshot Snapshot(int64 NowNs) const;

private:
	std::atomic<int64> Received{0};
	std::atomic<int64> Decoded{0};
	std::atomic<int64> Refused{0};
	std::atomic<int64> Gaps{0};
	std::atomic<int64> Repeats{0};

	// Arrival times; slot Index % ArrivalCapacity holds arrival number Index. The writer fills the slot
	// before it publishes the new count (release), so a reader never takes a slot that is not written yet.
	std::atomic<int64> ArrivalNs[ArrivalCapacity];
	std::atomic<uint64> ArrivalCount{0};

	// Receiving thread only.
	int64 LastFrameNumber = -1;
};
