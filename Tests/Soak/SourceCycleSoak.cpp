// Copyright Kelmora. All Rights Reserved.
// Creates a source, floods it from another thread for a random 0 to 20 ms and removes it through the client
// while datagrams still arrive, over and over in one process. Every cycle must shut its source down, destroy
// it and close its socket (the open descriptors come back to where they started); a watchdog ends the run
// when no cycle completes for five seconds. Leaks are AddressSanitizer's to report at exit.
#include "CoreMinimal.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "LiveLink/SourceTestSupport.h"
#include "Misc/OutputDeviceRedirector.h"
#include "OrvaneLiveLinkSource.h"

#include <dirent.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace
{
	using FClock = std::chrono::steady_clock;

	int32 CountOpenDescriptors()
	{
		int32 Count = 0;
		if (DIR* Directory = opendir("/proc/self/fd"))
		{
			while (const dirent* Entry = readdir(Directory))
			{
				Count += Entry->d_name[0] != '.' ? 1 : 0;
			}
			closedir(Directory);
			// The listing's own descriptor.
			--Count;
		}
		return Count;
	}

	/** Valid camera messages and hostile ones: broken, deep, wrongly typed, huge numbers, foreign members. */
	std::vector<std::string> MakePayloads(std::mt19937& Random)
	{
		std::vector<std::string> Payloads = {
			OrvaneTest::CameraMessage("\"Setup\":[0,0,0,0,0,1,0,0],\"Location\":[1,2,3],\"Rotation\":[0,0,0,1],\"Timecode\":[10,50,1]"),
			OrvaneTest::CameraMessage("\"Version\":2,\"Action\":5,\"Param\":[0.5,0.5],\"Setup\":[0,1,1,1,1,1,1,-1]"),
			"{\"ORVCamera\":[{\"Location\":\"x\",\"Timecode\":{},\"Setup\":null}]}",
			"{\"ORVCamera\":[{\"Timecode\":[1e308,-1e308,1e999,18446744073709551616]}]}",
			"{\"ORVCamera\":[{\"Location\":[1,2,3",
			std::string(1400, '['),
			"{\"a\":1,\"b\":2,\"c\":3,\"ORVCamera\":[{}],\"d\":4}",
		};
		std::string Members = "{";
		for (int32 Index = 0; Index < 150; ++Index)
		{
			Members += "\"m" + std::to_string(Index) + "\":0,";
		}
		Payloads.push_back(Members + "\"z\":0}");
		for (int32 Index = 0; Index < 8; ++Index)
		{
			std::string Bytes(std::uniform_int_distribution<int32>(1, 1500)(Random), '\0');
			for (char& Byte : Bytes)
			{
				Byte = static_cast<char>(std::uniform_int_distribution<int32>(0, 255)(Random));
			}
			Payloads.push_back(Bytes);
		}
		return Payloads;
	}

	int Usage()
	{
		std::fprintf(stderr, "usage: OrvaneSourceSoak [--cycles N] [--seconds S]\n  runs N cycles (1000), or fewer when S seconds (no limit) pass first\n");
		return 2;
	}
}

int main(int ArgC, char** ArgV)
{
	int32 Cycles = 1000;
	double Seconds = 0.0;
	for (int Index = 1; Index < ArgC; ++Index)
	{
		const std::string Option = ArgV[Index];
		if (Index + 1 >= ArgC)
		{
			return Usage();
		}
		if (Option == "--cycles")
		{
			Cycles = std::atoi(ArgV[++Index]);
		}
		else if (Option == "--seconds")
		{
			Seconds = std::atof(ArgV[++Index]);
		}
		else
		{
			return Usage();
		}
	}
	if (Cycles <= 0 || Seconds < 0.0)
	{
		return Usage();
	}

	FOutputDeviceRedirector::Get()->SetStdErrEcho(false);
	FLiveLinkClient& Client = OrvaneTest::GetHeadlessClient();
	std::mt19937 Random(20261209u);
	const std::vector<std::string> Payloads = MakePayloads(Random);

	std::atomic<int32> Completed{0};
	std::atomic<const char*> Stage{"starting"};
	std::atomic<bool> bFinished{false};
	std::thread Watchdog([&]()
		{
		int32 Seen = -1;
		FClock::time_point LastProgress = FClock::now();
		while (!bFinished.load())
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(100));
			const int32 Now = Completed.load();
			if (Now != Seen)
			{
				Seen = Now;
				LastProgress = FClock::now();
			}
			else if (FClock::now() - LastProgress > std::chrono::seconds(5))
			{
				std::fprintf(stderr, "OrvaneSourceSoak: no progress for 5 seconds in cycle %d (%s)\n", Now + 1, Stage.load());
				std::fflush(stderr);
				std::_Exit(3);
			}
		} });

	const int32 BaselineDescriptors = CountOpenDescriptors();
	int32 PeakDescriptors = BaselineDescriptors;
	const FClock::time_point Start = FClock::now();
	int64 Datagrams = 0;
	int32 Failures = 0;
	for (int32 Cycle = 0; Cycle < Cycles; ++Cycle)
	{
		if (Seconds > 0.0 && std::chrono::duration<double>(FClock::now() - Start).count() >= Seconds)
		{
			break;
		}
		Stage.store("creating the source");
		const uint16 Port = OrvaneTest::FindFreeLoopbackPort();
		TSharedPtr<FOrvaneLiveLinkSource> Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), Port));
		if (!Source->IsSourceStillValid())
		{
			// Another process took the port between the probe and the bind: try again with another.
			--Cycle;
			continue;
		}
		const TWeakPtr<FOrvaneLiveLinkSource> Watched = Source;
		const FGuid Guid = Client.AddSource(Source);
		Source.Reset();

		Stage.store("flooding");
		const auto FloodTime = std::chrono::microseconds(std::uniform_int_distribution<int32>(0, 20000)(Random));
		const uint32 Seed = Random();
		std::atomic<bool> bStopSending{false};
		std::atomic<int64> Sent{0};
		std::thread Sender([&, Port, Seed]()
			{
			OrvaneTest::FLoopbackSender Loopback(Port);
			std::mt19937 Pick(Seed);
			while (!bStopSending.load())
			{
				Loopback.Send(Payloads[Pick() % Payloads.size()]);
				Sent.fetch_add(1);
			} });
		const FClock::time_point FloodEnd = FClock::now() + FloodTime;
		while (FClock::now() < FloodEnd)
		{
			Client.Tick();
			std::this_thread::sleep_for(std::chrono::microseconds(500));
		}

		// Removed while datagrams still arrive.
		Stage.store("removing the source");
		Client.RemoveSource(Guid);
		const bool bShutDown = OrvaneTest::TickUntilSourcesShutDown(Client);
		bStopSending.store(true);
		Sender.join();
		Datagrams += Sent.load();

		Stage.store("checking");
		const int32 Descriptors = CountOpenDescriptors();
		PeakDescriptors = FMath::Max(PeakDescriptors, Descriptors);
		if (!bShutDown || Watched.IsValid() || Descriptors != BaselineDescriptors)
		{
			std::fprintf(stderr, "OrvaneSourceSoak: cycle %d: %s%s%s(%d descriptors open, %d at the start)\n", Cycle + 1, bShutDown ? "" : "the source did not shut down; ",
				Watched.IsValid() ? "the source was not destroyed; " : "", Descriptors != BaselineDescriptors ? "a socket was left open; " : "", Descriptors, BaselineDescriptors);
			++Failures;
			break;
		}
		Completed.fetch_add(1);
	}
	bFinished.store(true);
	Watchdog.join();

	const double Elapsed = std::chrono::duration<double>(FClock::now() - Start).count();
	std::printf("{\"type\":\"source-cycles\",\"cycles\":%d,\"datagrams\":%lld,\"seconds\":%.1f,\"descriptors_at_start\":%d,\"descriptors_peak\":%d,\"failures\":%d}\n",
		Completed.load(), static_cast<long long>(Datagrams), Elapsed, BaselineDescriptors, PeakDescriptors, Failures);
	return Failures == 0 && Completed.load() > 0 ? 0 : 1;
}
