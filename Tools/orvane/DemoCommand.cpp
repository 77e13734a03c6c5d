// Copyright Kelmora. All Rights Reserved.
#include "CameraSender.h"
#include "Commands.h"
#include "LiveLinkListener.h"
#include "ToolArguments.h"

#include <algorithm>
#include <arpa/inet.h>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <unordered_map>
#include <vector>

namespace
{
	constexpr double DemoSeconds = 3.0;
	constexpr int32 DemoFps = 60;
	/** 01:00:00:00 at 60 fps, where takes customarily start. */
	constexpr int32 DemoStartFrame = 216000;
	/** How long published frames may trail the last datagram before the demo counts them as lost. */
	constexpr double DrainSeconds = 1.0;

	/** A UDP port on 127.0.0.1 that was free a moment ago; 0 when none could be found. */
	uint16 FindFreeLoopbackPort()
	{
		const int Probe = socket(AF_INET, SOCK_DGRAM, 0);
		if (Probe < 0)
		{
			return 0;
		}
		sockaddr_in Address{};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		socklen_t Length = sizeof(Address);
		const bool bBound = bind(Probe, reinterpret_cast<sockaddr*>(&Address), sizeof(Address)) == 0 && getsockname(Probe, reinterpret_cast<sockaddr*>(&Address), &Length) == 0;
		close(Probe);
		return bBound ? ntohs(Address.sin_port) : 0;
	}

	/** The value below which the given share of the sorted samples falls (nearest rank). */
	int64 Percentile(const std::vector<int64>& Sorted, double Share)
	{
		const size_t Rank = static_cast<size_t>(std::ceil(Share * static_cast<double>(Sorted.size())));
		return Sorted[std::clamp<size_t>(Rank, 1, Sorted.size()) - 1];
	}
}

namespace
{
	int Demo()
	{
		InstallStopSignals();

		// Another process may take the probed port before the source binds it, so a few are tried.
		FLiveLinkListener Listener(false, true);
		std::string Endpoint;
		FLiveLinkListener::EOpenResult Opened = FLiveLinkListener::EOpenResult::NotListening;
		for (int32 Attempt = 0; Attempt < 5 && Opened == FLiveLinkListener::EOpenResult::NotListening; ++Attempt)
		{
			const uint16 Port = FindFreeLoopbackPort();
			if (Port == 0)
			{
				continue;
			}
			Endpoint = "127.0.0.1:" + std::to_string(Port);
			Opened = Listener.Open(UTF8_TO_TCHAR(Endpoint.c_str()));
		}
		if (Opened != FLiveLinkListener::EOpenResult::Listening)
		{
			std::fprintf(stderr, "orvane demo: cannot listen on a free loopback port\n");
			return 1;
		}
		Listener.PrintStatus();
		Listener.Start();

		FCameraSenderOptions Options;
		Options.To = Endpoint;
		Options.Fps = DemoFps;
		Options.Frames = static_cast<int64_t>(DemoSeconds * DemoFps);
		Options.StartFrame = DemoStartFrame;
		Options.RateNumerator = DemoFps;
		Options.RateDenominator = 1;
		Options.bReportSkips = true;
		Options.State = 1;

		FCameraSender Sender;
		std::string Error;
		if (!Sender.Open(Endpoint, Error))
		{
			std::fprintf(stderr, "orvane demo: %s\n", Error.c_str());
			Listener.Close();
			return 1;
		}

		// Written by the sender thread only; read once it has been joined.
		std::unordered_map<int32, uint64_t> SentNsByFrame;
		std::atomic<int64> Sent{0};
		std::atomic<bool> bSenderDone{false};
		std::thread SenderThread([&]()
			{
			Sender.Stream(
				Options, []()
				{ return GStopRequested.load(); },
				[&](int32_t FrameNumber, uint64_t SentNs)
				{
					SentNsByFrame[FrameNumber] = SentNs;
					Sent.fetch_add(1);
				});
			bSenderDone.store(true); });

		using FClock = std::chrono::steady_clock;
		FClock::time_point DrainDeadline = FClock::time_point::max();
		Listener.TickUntil(DemoFps, [&]()
			{
			if (GStopRequested.load())
			{
				return true;
			}
			if (!bSenderDone.load())
			{
				return false;
			}
			if (DrainDeadline == FClock::time_point::max())
			{
				DrainDeadline = FClock::now() + std::chrono::duration_cast<FClock::duration>(std::chrono::duration<double>(DrainSeconds));
			}
			return Listener.GetFramesPublished() + Listener.GetFramesRefused() >= Sent.load() || FClock::now() >= DrainDeadline; });
		SenderThread.join();
		Listener.Close();

		const int64 DatagramsSent = Sent.load();
		const int64 Published = Listener.GetFramesPublished();
		std::vector<int64> Latencies;
		for (const FListenedFrame& Frame : Listener.GetFrames())
		{
			const auto Found = SentNsByFrame.find(Frame.FrameNumber);
			if (Found != SentNsByFrame.end())
			{
				Latencies.push_back(Frame.ArrivalNanoseconds - static_cast<int64>(Found->second));
			}
		}
		std::sort(Latencies.begin(), Latencies.end());

		std::printf("demo: %lld datagrams sent, %lld frames published, %lld skips\n", static_cast<long long>(DatagramsSent), static_cast<long long>(Published),
			static_cast<long long>(Listener.GetSkipWarnings()));
		if (!Latencies.empty())
		{
			std::printf("send-to-publish latency (loopback) p50 %.0f µs, p99 %.0f µs over %zu frames\n", static_cast<double>(Percentile(Latencies, 0.50)) / 1000.0,
				static_cast<double>(Percentile(Latencies, 0.99)) / 1000.0, Latencies.size());
		}
		std::fflush(stdout);

		if (GStopRequested.load())
		{
			std::fprintf(stderr, "orvane demo: stopped before the camera move was complete\n");
			return 1;
		}
		if (DatagramsSent == 0)
		{
			std::fprintf(stderr, "orvane demo: no datagram could be sent (%lld refused)\n", static_cast<long long>(Sender.GetSendFailures()));
			return 1;
		}
		if (Published != DatagramsSent || static_cast<int64>(Latencies.size()) != DatagramsSent)
		{
			std::fprintf(stderr, "orvane demo: %lld datagrams sent but %lld frames published, %zu of them matched to a sent frame (%lld refused by the client)\n",
				static_cast<long long>(DatagramsSent), static_cast<long long>(Published), Latencies.size(), static_cast<long long>(Listener.GetFramesRefused()));
			return 1;
		}
		return 0;
	}
}

void AddDemoCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	CLI::App* Command = Tool.add_subcommand("demo", "stream three seconds of the built-in camera move to the source on a free loopback port, print each frame published and a summary; exits 1 unless every datagram was published");
	Command->callback([&OutCommand]()
		{ OutCommand = &Demo; });
}
