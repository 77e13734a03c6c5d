// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "OrvaneLinkHealth.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <set>
#include <thread>

namespace
{
	constexpr int64 Ms = 1000000;

	/** A sender at a steady rate whose datagrams the test times itself; frames it leaves out never arrive. */
	struct FSteadySender
	{
		FOrvaneLinkHealth& Health;
		int64 StartNs;
		int64 SpacingNs;

		int64 ArrivalOf(int32 Frame) const { return StartNs + Frame * SpacingNs; }

		void Send(int32 Frame)
		{
			Health.RecordFrameNumber(Frame);
			Health.RecordDatagram(ArrivalOf(Frame), 1);
		}
	};
}

TEST(LinkHealth, ASenderWithAKnownRateAndDroppedFramesGivesThoseFigures)
{
	FOrvaneLinkHealth Health;
	// 50 frames a second for two seconds; frames 20 and 21 (first second) and 75 (last second) are lost.
	FSteadySender Sender{Health, 10000 * Ms, 20 * Ms};
	const std::set<int32> Lost = {20, 21, 75};
	for (int32 Frame = 0; Frame < 100; ++Frame)
	{
		if (!Lost.count(Frame))
		{
			Sender.Send(Frame);
		}
		if (Frame == 30)
		{
			// Two refused datagrams between frames 30 and 31 do not touch the frame figures.
			Health.RecordDatagram(Sender.ArrivalOf(30) + 5 * Ms, 0);
			Health.RecordDatagram(Sender.ArrivalOf(30) + 6 * Ms, 0);
		}
	}

	const int64 Now = Sender.ArrivalOf(99) + 15 * Ms;
	const FOrvaneLinkHealthSnapshot Snapshot = Health.Snapshot(Now);
	EXPECT_EQ(Snapshot.Received, 99);
	EXPECT_EQ(Snapshot.Decoded, 97);
	EXPECT_EQ(Snapshot.Refused, 2);
	EXPECT_EQ(Snapshot.Gaps, 3);
	EXPECT_EQ(Snapshot.Repeats, 0);
	// The last second (Now - 1 s, Now] holds frames 50 to 99 without 75: 49 arrivals, spaced 20 ms
	// except one of 40 ms, so the spacings deviate from their median of 20 ms by 20 ms once in 48.
	EXPECT_DOUBLE_EQ(Snapshot.RateHz, 49.0);
	EXPECT_NEAR(Snapshot.JitterMs, 20.0 / 48.0, 1e-9);
	EXPECT_DOUBLE_EQ(Snapshot.LastPacketAgeMs, 15.0);

	// A second later with nothing received: no rate, no jitter, and the age keeps growing.
	const FOrvaneLinkHealthSnapshot Silent = Health.Snapshot(Now + 1000 * Ms);
	EXPECT_EQ(Silent.RateHz, 0.0);
	EXPECT_EQ(Silent.JitterMs, 0.0);
	EXPECT_DOUBLE_EQ(Silent.LastPacketAgeMs, 1015.0);
	EXPECT_EQ(Silent.Received, 99) << "the counts stay";
}

TEST(LinkHealth, JitterIsTheMeanDeviationFromTheMedianSpacing)
{
	FOrvaneLinkHealth Health;
	// Spacings 10, 30, 10, 30 ms: median 20, every spacing 10 ms off it.
	int64 Time = 0;
	for (const int64 Spacing : {0, 10, 30, 10, 30})
	{
		Time += Spacing * Ms;
		Health.RecordDatagram(Time, 1);
	}
	const FOrvaneLinkHealthSnapshot Snapshot = Health.Snapshot(Time);
	EXPECT_DOUBLE_EQ(Snapshot.JitterMs, 10.0);
	EXPECT_DOUBLE_EQ(Snapshot.RateHz, 5.0);
	EXPECT_DOUBLE_EQ(Snapshot.LastPacketAgeMs, 0.0);

	// One datagram alone has no spacing; nothing yet has no age.
	FOrvaneLinkHealth Single;
	EXPECT_LT(Single.Snapshot(0).LastPacketAgeMs, 0.0);
	Single.RecordDatagram(100 * Ms, 1);
	EXPECT_EQ(Single.Snapshot(100 * Ms).JitterMs, 0.0);
	EXPECT_EQ(Single.Snapshot(100 * Ms).RateHz, 1.0);
}

TEST(LinkHealth, CountsRepeatsAndGapsButNotAStepBack)
{
	FOrvaneLinkHealth Health;
	for (const int32 Frame : {100, 101, 101, 101, 104, 50, 51, 53, -5, 7, 8})
	{
		Health.RecordFrameNumber(Frame);
	}
	const FOrvaneLinkHealthSnapshot Snapshot = Health.Snapshot(0);
	EXPECT_EQ(Snapshot.Repeats, 2);
	// 102, 103 and 52; the restart at 50 and the negative frame start counting afresh.
	EXPECT_EQ(Snapshot.Gaps, 3);

	// A hostile jump across the whole frame range counts exactly, without overflow.
	FOrvaneLinkHealth Jump;
	Jump.RecordFrameNumber(0);
	Jump.RecordFrameNumber(std::numeric_limits<int32>::max());
	Jump.RecordFrameNumber(0);
	Jump.RecordFrameNumber(std::numeric_limits<int32>::max());
	EXPECT_EQ(Jump.Snapshot(0).Gaps, 2 * (static_cast<int64>(std::numeric_limits<int32>::max()) - 1));
}

TEST(LinkHealth, MeasuresRatesAboveWhatTheArrivalRingHolds)
{
	FOrvaneLinkHealth Health;
	// 5,000 datagrams a second for two seconds, five times the ring.
	const int64 Spacing = 200000;
	int64 Time = 0;
	for (int32 Index = 0; Index < 10000; ++Index)
	{
		Time = Index * Spacing;
		Health.RecordDatagram(Time, 1);
	}
	const FOrvaneLinkHealthSnapshot Snapshot = Health.Snapshot(Time);
	EXPECT_EQ(Snapshot.Received, 10000);
	EXPECT_NEAR(Snapshot.RateHz, 5000.0, 1e-6);
	EXPECT_NEAR(Snapshot.JitterMs, 0.0, 1e-9);
}

TEST(LinkHealth, ASnapshotWhileTheReceiverRecordsIsConsistent)
{
	FOrvaneLinkHealth Health;
	std::atomic<bool> bDone{false};
	std::thread Receiver([&Health, &bDone]()
		{
			for (int32 Index = 0; Index < 200000; ++Index)
			{
				Health.RecordFrameNumber(Index);
				Health.RecordDatagram(static_cast<int64>(Index) * 1000, Index % 7 == 0 ? 0 : 1);
			}
			bDone.store(true); });
	int64 LastReceived = 0;
	while (!bDone.load())
	{
		const FOrvaneLinkHealthSnapshot Snapshot = Health.Snapshot(200000LL * 1000);
		EXPECT_GE(Snapshot.Received, LastReceived);
		LastReceived = Snapshot.Received;
		EXPECT_TRUE(std::isfinite(Snapshot.RateHz));
		EXPECT_TRUE(std::isfinite(Snapshot.JitterMs));
		EXPECT_GE(Snapshot.RateHz, 0.0);
		// Arrivals are 1 us apart: no reused slot may make the spacings look longer.
		EXPECT_LE(Snapshot.JitterMs, 0.001 + 1e-9);
		EXPECT_EQ(Snapshot.Gaps, 0);
	}
	Receiver.join();
	const FOrvaneLinkHealthSnapshot Final = Health.Snapshot(200000LL * 1000);
	EXPECT_EQ(Final.Received, 200000);
	EXPECT_EQ(Final.Decoded + Final.Refused, 200000);
}
