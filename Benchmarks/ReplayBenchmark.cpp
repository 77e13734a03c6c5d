// Copyright Kelmora. All Rights Reserved.
// Replay timing: `orvane send --replay` at speed 1 against the recorded spacing of a 60 Hz capture with uneven
// gaps, and, in the same run, an in-process sleep_until loop on the same schedule (the machine's own floor).
// Counters: the p99, mean and largest error of the spacing between consecutive datagrams as the kernel stamped
// their arrival, in milliseconds.
#include <benchmark/benchmark.h>
#include <pcap/pcap.h>

#include <algorithm>
#include <arpa/inet.h>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <netinet/in.h>
#include <random>
#include <string>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
	using FClock = std::chrono::steady_clock;
	constexpr int DatagramCount = 240;
	constexpr uint16_t ReplayPort = 9001;

	/** The recorded arrival times, in nanoseconds from the first: 60 Hz with up to 4 ms either way. */
	const std::vector<int64_t>& RecordedTimes()
	{
		static const std::vector<int64_t> Times = []()
		{
			std::mt19937 Random(15);
			std::uniform_int_distribution<int64_t> Wobble(-4000000, 4000000);
			std::vector<int64_t> Result = {0};
			while (Result.size() < DatagramCount)
			{
				Result.push_back(Result.back() + 16666667 + Wobble(Random));
			}
			return Result;
		}();
		return Times;
	}

	std::string Payload(int Index)
	{
		return "{\"ORVCamera\":[{\"Version\":2,\"Timecode\":[" + std::to_string(Index) + ",60,1,0]}]}";
	}

	/** The capture file, written once with libpcap's writer: raw IPv4/UDP packets to the replay port. */
	const std::string& CaptureFile()
	{
		static const std::string Path = []()
		{
			const std::string Result = "/tmp/OrvaneReplayBenchmark-" + std::to_string(getpid()) + ".pcap";
			pcap_t* Dead = pcap_open_dead_with_tstamp_precision(DLT_RAW, 65535, PCAP_TSTAMP_PRECISION_NANO);
			pcap_dumper_t* Dumper = pcap_dump_open(Dead, Result.c_str());
			for (int Index = 0; Index < DatagramCount; ++Index)
			{
				const std::string Body = Payload(Index);
				std::string Packet(28, '\0');
				const size_t Total = Packet.size() + Body.size();
				Packet[0] = 0x45;
				Packet[2] = static_cast<char>(Total >> 8);
				Packet[3] = static_cast<char>(Total & 0xFF);
				Packet[8] = 64;
				Packet[9] = 17;
				Packet[12] = Packet[16] = 127;
				Packet[15] = Packet[19] = 1;
				Packet[22] = static_cast<char>(ReplayPort >> 8);
				Packet[23] = static_cast<char>(ReplayPort & 0xFF);
				Packet[24] = static_cast<char>((8 + Body.size()) >> 8);
				Packet[25] = static_cast<char>((8 + Body.size()) & 0xFF);
				Packet += Body;
				pcap_pkthdr Header{};
				const int64_t Stamp = 1700000000LL * 1000000000LL + RecordedTimes()[Index];
				Header.ts.tv_sec = static_cast<time_t>(Stamp / 1000000000);
				Header.ts.tv_usec = static_cast<suseconds_t>(Stamp % 1000000000);
				Header.caplen = Header.len = static_cast<bpf_u_int32>(Packet.size());
				pcap_dump(reinterpret_cast<u_char*>(Dumper), &Header, reinterpret_cast<const u_char*>(Packet.data()));
			}
			pcap_dump_close(Dumper);
			pcap_close(Dead);
			std::atexit([]()
				{ std::remove(CaptureFile().c_str()); });
			return Result;
		}();
		return Path;
	}

	/** A loopback socket stamping each arrival with the steady clock. */
	struct FArrivals
	{
		int Socket = -1;
		uint16_t Port = 0;

		FArrivals()
		{
			Socket = socket(AF_INET, SOCK_DGRAM, 0);
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
			socklen_t Length = sizeof(Address);
			getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
			Port = ntohs(Address.sin_port);
			const int On = 1;
			setsockopt(Socket, SOL_SOCKET, SO_TIMESTAMPNS, &On, sizeof(On));
			timeval Timeout = {5, 0};
			setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Timeout, sizeof(Timeout));
		}
		~FArrivals() { close(Socket); }

		/** Kernel arrival stamps, so that this thread's own wake-up delay does not count against the sender. */
		std::vector<int64_t> Receive()
		{
			std::vector<int64_t> Times;
			char Buffer[2048];
			alignas(cmsghdr) char Control[CMSG_SPACE(sizeof(timespec))];
			while (Times.size() < DatagramCount)
			{
				iovec Vector = {Buffer, sizeof(Buffer)};
				msghdr Message{};
				Message.msg_iov = &Vector;
				Message.msg_iovlen = 1;
				Message.msg_control = Control;
				Message.msg_controllen = sizeof(Control);
				if (recvmsg(Socket, &Message, 0) < 0)
				{
					break;
				}
				for (cmsghdr* Header = CMSG_FIRSTHDR(&Message); Header; Header = CMSG_NXTHDR(&Message, Header))
				{
					if (Header->cmsg_level == SOL_SOCKET && Header->cmsg_type == SCM_TIMESTAMPNS)
					{
						timespec Stamp{};
						std::memcpy(&Stamp, CMSG_DATA(Header), sizeof(Stamp));
						Times.push_back(static_cast<int64_t>(Stamp.tv_sec) * 1000000000 + Stamp.tv_nsec);
					}
				}
			}
			return Times;
		}
	};

	/** Error of each gap between consecutive arrivals against the recorded gap, in milliseconds. */
	void AddSpacingErrors(const std::vector<int64_t>& Arrivals, std::vector<double>& Errors)
	{
		const std::vector<int64_t>& Recorded = RecordedTimes();
		for (size_t Index = 1; Index < Arrivals.size() && Index < Recorded.size(); ++Index)
		{
			const int64_t Expected = Recorded[Index] - Recorded[Index - 1];
			const int64_t Actual = Arrivals[Index] - Arrivals[Index - 1];
			Errors.push_back(std::abs(static_cast<double>(Actual - Expected)) / 1e6);
		}
	}

	void ReportErrors(benchmark::State& State, std::vector<double>& Errors, size_t Expected)
	{
		if (Errors.size() != Expected)
		{
			State.SkipWithError("datagrams were lost");
			return;
		}
		std::sort(Errors.begin(), Errors.end());
		double Sum = 0.0;
		for (const double Error : Errors)
		{
			Sum += Error;
		}
		State.counters["p99_ms"] = Errors[static_cast<size_t>(0.99 * static_cast<double>(Errors.size() - 1))];
		State.counters["mean_ms"] = Sum / static_cast<double>(Errors.size());
		State.counters["max_ms"] = Errors.back();
	}

	void BM_ReplaySpacing(benchmark::State& State)
	{
		const std::string Path = CaptureFile();
		std::vector<double> Errors;
		size_t Expected = 0;
		for (auto _ : State)
		{
			FArrivals Arrivals;
			const std::string Command = std::string(ORVANE_TOOL_PATH) + " send --replay '" + Path + "' --speed 1 --to 127.0.0.1:" + std::to_string(Arrivals.Port) + " 2>/dev/null";
			FILE* Tool = popen(Command.c_str(), "r");
			AddSpacingErrors(Arrivals.Receive(), Errors);
			pclose(Tool);
			Expected += DatagramCount - 1;
		}
		ReportErrors(State, Errors, Expected);
	}

	/** Baseline: the same schedule paced in this process by sleep_until alone. */
	void BM_SleepUntilSpacing(benchmark::State& State)
	{
		std::vector<double> Errors;
		size_t Expected = 0;
		for (auto _ : State)
		{
			FArrivals Arrivals;
			std::thread Sender([&Arrivals]()
				{
					const int Socket = socket(AF_INET, SOCK_DGRAM, 0);
					sockaddr_in To{};
					To.sin_family = AF_INET;
					To.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
					To.sin_port = htons(Arrivals.Port);
					const FClock::time_point Start = FClock::now();
					for (int Index = 0; Index < DatagramCount; ++Index)
					{
						std::this_thread::sleep_until(Start + std::chrono::nanoseconds(RecordedTimes()[Index]));
						const std::string Body = Payload(Index);
						sendto(Socket, Body.data(), Body.size(), 0, reinterpret_cast<sockaddr*>(&To), sizeof(To));
					}
					close(Socket); });
			AddSpacingErrors(Arrivals.Receive(), Errors);
			Sender.join();
			Expected += DatagramCount - 1;
		}
		ReportErrors(State, Errors, Expected);
	}
}

BENCHMARK(BM_SleepUntilSpacing)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReplaySpacing)->Iterations(3)->UseRealTime()->Unit(benchmark::kMillisecond);
