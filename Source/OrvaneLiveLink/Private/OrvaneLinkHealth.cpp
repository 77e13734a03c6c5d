// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLinkHealth.h"

#include <algorithm>
#include <cmath>
#include <vector>

FString FOrvaneLinkHealthSnapshot::ToLogLine(const FString& Name) const
{
	const FString Age = LastPacketAgeMs < 0.0 ? FString(TEXT("none yet")) : FString::Printf(TEXT("%.1f ms"), LastPacketAgeMs);
	return FString::Printf(TEXT("Orvane Live Link: link health of %s: received %lld, decoded %lld, refused %lld, rate %.2f Hz, jitter %.3f ms, gaps %lld, repeats %lld, last datagram %s"),
		*Name, static_cast<long long>(Received), static_cast<long long>(Decoded), static_cast<long long>(Refused), RateHz, JitterMs,
		static_cast<long long>(Gaps), static_cast<long long>(Repeats), *Age);
}

FOrvaneLinkHealth::FOrvaneLinkHealth()
{
	for (std::atomic<int64>& Slot : ArrivalNs)
	{
		Slot.store(0, std::memory_order_relaxed);
	}
}

void FOrvaneLinkHealth::RecordDatagram(int64 NowNs, int32 CamerasDecoded)
{
	(CamerasDecoded > 0 ? Decoded : Refused).fetch_add(1, std::memory_order_relaxed);
	Received.fetch_add(1, std::memory_order_relaxed);

	const uint64 Count = ArrivalCount.load(std::memory_order_relaxed);
	ArrivalNs[Count % ArrivalCapacity].store(NowNs, std::memory_order_relaxed);
	ArrivalCount.store(Count + 1, std::memory_order_release);
}

void FOrvaneLinkHealth::RecordFrameNumber(int32 FrameNumber)
{
	// 64-bit arithmetic: a hostile sender's jump from 0 to the largest int32 still counts exactly.
	const int64 Frame = FrameNumber;
	if (LastFrameNumber >= 0)
	{
		if (Frame == LastFrameNumber)
		{
			Repeats.fetch_add(1, std::memory_order_relaxed);
		}
		else if (Frame > LastFrameNumber + 1)
		{
			Gaps.fetch_add(Frame - LastFrameNumber - 1, std::memory_order_relaxed);
		}
	}
	// A step back (a sender that restarted) starts counting again from there.
	LastFrameNumber = Frame >= 0 ? Frame : -1;
}

FOrvaneLinkHealthSnapshot FOrvaneLinkHealth::Snapshot(int64 NowNs) const
{
	FOrvaneLinkHealthSnapshot Out;
	Out.Received = Received.load(std::memory_order_relaxed);
	Out.Decoded = Decoded.load(std::memory_order_relaxed);
	Out.Refused = Refused.load(std::memory_order_relaxed);
	Out.Gaps = Gaps.load(std::memory_order_relaxed);
	Out.Repeats = Repeats.load(std::memory_order_relaxed);

	const uint64 CountBefore = ArrivalCount.load(std::memory_order_acquire);
	const uint64 Kept = std::min<uint64>(CountBefore, ArrivalCapacity);
	std::vector<int64> Times;
	Times.reserve(static_cast<size_t>(Kept));
	for (uint64 Index = CountBefore - Kept; Index < CountBefore; ++Index)
	{
		Times.push_back(ArrivalNs[Index % ArrivalCapacity].load(std::memory_order_relaxed));
	}
	// Slots the writer reused while they were read hold newer times than their number: drop them. The slot
	// of the arrival being written now may be torn between the two, so it goes too.
	const uint64 CountAfter = ArrivalCount.load(std::memory_order_acquire);
	const uint64 FirstIntact = CountAfter + 1 > ArrivalCapacity ? CountAfter + 1 - ArrivalCapacity : 0;
	const uint64 FirstRead = CountBefore - Kept;
	if (FirstIntact > FirstRead)
	{
		const uint64 Drop = std::min<uint64>(FirstIntact - FirstRead, Times.size());
		Times.erase(Times.begin(), Times.begin() + static_cast<std::ptrdiff_t>(Drop));
	}
	if (Times.empty())
	{
		return Out;
	}
	// Arrivals are recorded in time order on a steady clock; sorting keeps the figures sound if they were not.
	std::sort(Times.begin(), Times.end());
	Out.LastPacketAgeMs = std::max<double>(0.0, static_cast<double>(NowNs - Times.back()) * 1e-6);

	// The last second is (Now - 1 s, Now].
	const auto InWindow = std::find_if(Times.begin(), Times.end(), [NowNs](int64 Time)
		{ return NowNs - Time < WindowNs; });
	const std::vector<int64> Window(InWindow, Times.end());
	if (Window.empty())
	{
		return Out;
	}
	const bool bRingHoldsWholeSecond = InWindow != Times.begin() || CountAfter <= ArrivalCapacity;
	if (bRingHoldsWholeSecond)
	{
		Out.RateHz = static_cast<double>(Window.size()) * 1e9 / static_cast<double>(WindowNs);
	}
	else if (Window.size() > 1 && Window.back() > Window.front())
	{
		// More arrivals than the ring holds: the rate of those it does hold.
		Out.RateHz = static_cast<double>(Window.size() - 1) * 1e9 / static_cast<double>(Window.back() - Window.front());
	}
	else
	{
		Out.RateHz = static_cast<double>(Window.size());
	}

	if (Window.size() < 2)
	{
		return Out;
	}
	std::vector<double> Spacings;
	Spacings.reserve(Window.size() - 1);
	for (size_t Index = 1; Index < Window.size(); ++Index)
	{
		Spacings.push_back(static_cast<double>(Window[Index] - Window[Index - 1]) * 1e-6);
	}
	std::vector<double> Sorted = Spacings;
	std::sort(Sorted.begin(), Sorted.end());
	const size_t Middle = Sorted.size() / 2;
	const double Median = Sorted.size() % 2 == 1 ? Sorted[Middle] : (Sorted[Middle - 1] + Sorted[Middle]) * 0.5;
	double Deviation = 0.0;
	for (const double Spacing : Spacings)
	{
		Deviation += std::abs(Spacing - Median);
	}
	Out.JitterMs = Deviation / static_cast<double>(Spacings.size());
	return Out;
}
