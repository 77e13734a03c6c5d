// Copyright Kelmora. All Rights Reserved.
// The Live Link source on loopback against a bare UDP receiver thread measured the same way: the latency from
// sending one camera message to its arrival at the client, and the rate one source takes without loss. Then the
// receiver thread's work for one datagram with and without the link health counters, side by side.
#include "CoreMinimal.h"
#include "Interfaces/IPv4/IPv4Address.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "LiveLinkClient.h"
#include "Misc/OutputDeviceRedirector.h"
#include "Modules/ModuleManager.h"
#include "OrvaneLinkHealth.h"
#include "OrvaneLiveLinkSource.h"
#include "OrvaneLogLimiter.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"
#include "SourceTestSupport.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <mutex>
#include <poll.h>
#include <string>
#include <thread>
#include <vector>

namespace
{
	/** The bare receiver waits on its socket as long as the source does. */
	constexpr int BareWaitMilliseconds = 10;
	/** Both receivers ask for this socket receive buffer, and read into a buffer of this size. */
	constexpr int ReceiveBufferBytes = 1024 * 1024;
	constexpr int SendBufferBytes = 4 * 1024 * 1024;
	/** How long one paced rate runs, and the datagram count of the unpaced run. */
	constexpr int64 PacedSeconds = 2;
	constexpr int64 UnpacedCount = 200000;
	/** A wait that runs out means the datagram was lost; no loop waits longer than this. */
	constexpr double ArrivalTimeoutSeconds = 1.0;
	constexpr auto SettleTime = std::chrono::microseconds(200);
	constexpr auto TickInterval = std::chrono::milliseconds(1);
	constexpr auto DrainQuietTime = std::chrono::milliseconds(200);
	constexpr auto RunDeadline = std::chrono::seconds(30);

	int64 SteadyNanoseconds()
	{
		return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	/** A typical camera message; its evaluation offset of 0.5 makes the receiver thread publish directly. */
	const std::string& CameraMessage()
	{
		static const std::string Message = []
		{
			std::ifstream File(ORVANE_TEST_DATA_DIR "/camera_datagram.json", std::ios::binary);
			return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
		}();
		return Message;
	}

	/** Counts arrivals and keeps the time of the last one; a waiter sleeps until a count is reached. */
	class FArrivals
	{
	public:
		void Signal(int64 ArrivalNanoseconds)
		{
			{
				std::lock_guard<std::mutex> Lock(Mutex);
				++Count;
				LastArrivalNanoseconds = ArrivalNanoseconds;
			}
			Condition.notify_all();
		}

		/** False when the count is not reached within the timeout. */
		bool WaitFor(int64 Target, double TimeoutSeconds, int64& OutLastArrivalNanoseconds)
		{
			std::unique_lock<std::mutex> Lock(Mutex);
			const bool bReached = Condition.wait_for(Lock, std::chrono::duration<double>(TimeoutSeconds), [this, Target]()
				{ return Count >= Target; });
			OutLastArrivalNanoseconds = LastArrivalNanoseconds;
			return bReached;
		}

		int64 GetCount() const
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			return Count;
		}

		int64 GetLastArrivalNanoseconds() const
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			return LastArrivalNanoseconds;
		}

	private:
		mutable std::mutex Mutex;
		std::condition_variable Condition;
		int64 Count = 0;
		int64 LastArrivalNanoseconds = 0;
	};

	/** Sends datagrams to one loopback port through a socket with a large send buffer. */
	class FBenchSender
	{
	public:
		explicit FBenchSender(uint16 Port)
			: Socket(socket(AF_INET, SOCK_DGRAM, 0))
		{
			Target.sin_family = AF_INET;
			Target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			Target.sin_port = htons(Port);
			setsockopt(Socket, SOL_SOCKET, SO_SNDBUF, &SendBufferBytes, sizeof(SendBufferBytes));
		}
		~FBenchSender() { close(Socket); }
		FBenchSender(const FBenchSender&) = delete;
		FBenchSender& operator=(const FBenchSender&) = delete;

		bool Send(const std::string& Payload) const
		{
			return sendto(Socket, Payload.data(), Payload.size(), 0, reinterpret_cast<const sockaddr*>(&Target), sizeof(Target)) == static_cast<ssize_t>(Payload.size());
		}

	private:
		int Socket;
		sockaddr_in Target{};
	};

	/** The baseline: a thread that polls its socket, reads each datagram into a large buffer and signals. */
	class FBareReceiver
	{
	public:
		FBareReceiver()
			: Port(OrvaneTest::FindFreeLoopbackPort())
			, Buffer(ReceiveBufferBytes)
		{
			Socket = socket(AF_INET, SOCK_DGRAM, 0);
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			Address.sin_port = htons(Port);
			setsockopt(Socket, SOL_SOCKET, SO_RCVBUF, &ReceiveBufferBytes, sizeof(ReceiveBufferBytes));
			fcntl(Socket, F_SETFL, fcntl(Socket, F_GETFL) | O_NONBLOCK);
			bOpen = bind(Socket, reinterpret_cast<const sockaddr*>(&Address), sizeof(Address)) == 0;
			if (bOpen)
			{
				Thread = std::thread([this]()
					{ Run(); });
			}
		}

		~FBareReceiver()
		{
			bStopping.store(true);
			if (Thread.joinable())
			{
				Thread.join();
			}
			close(Socket);
		}

		FBareReceiver(const FBareReceiver&) = delete;
		FBareReceiver& operator=(const FBareReceiver&) = delete;

		bool IsOpen() const { return bOpen; }
		uint16 GetPort() const { return Port; }
		FArrivals& GetArrivals() { return Arrivals; }
		/** Every datagram read counts; there is nothing to drop after the read. */
		int64 GetDropped() const { return 0; }
		void Tick() {}

	private:
		void Run()
		{
			while (!bStopping.load(std::memory_order_relaxed))
			{
				pollfd Poll{Socket, POLLIN, 0};
				if (poll(&Poll, 1, BareWaitMilliseconds) <= 0)
				{
					continue;
				}
				// Drained like the source does, with the stop flag checked between datagrams.
				while (!bStopping.load(std::memory_order_relaxed) && recvfrom(Socket, Buffer.data(), Buffer.size(), 0, nullptr, nullptr) >= 0)
				{
					Arrivals.Signal(SteadyNanoseconds());
				}
			}
		}

		uint16 Port;
		int Socket = -1;
		bool bOpen = false;
		std::vector<uint8> Buffer;
		std::atomic<bool> bStopping{false};
		FArrivals Arrivals;
		std::thread Thread;
	};

	/** The headless client, with the plug-in's module loaded first as the editor loads it. */
	FLiveLinkClient& LoadedClient()
	{
		FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
		return OrvaneTest::GetHeadlessClient();
	}

	/** The plug-in: a camera source added to the headless client, which signals every frame push it receives. */
	class FSourceReceiver
	{
	public:
		FSourceReceiver()
			: Port(OrvaneTest::FindFreeLoopbackPort())
			, Client(LoadedClient())
		{
			Client.RemoveAllSources();
			Client.Tick();
			Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), Port));
			SourceGuid = Client.AddSource(Source);
			// The arrival time is the one the client stamped when the push reached it.
			ObserverHandle = Client.HostAddPushObserver([this](const FLiveLinkHostPushRecord& Record)
				{
					if (Record.Kind != FLiveLinkHostPushRecord::EKind::FrameData)
					{
						return;
					}
					if (!Record.bQueued)
					{
						Dropped.fetch_add(1, std::memory_order_relaxed);
					}
					Arrivals.Signal(Record.ArrivalNanoseconds); });
		}

		~FSourceReceiver()
		{
			Client.HostRemovePushObserver(ObserverHandle);
			Client.RemoveSource(SourceGuid);
			Client.Tick();
			Source.Reset();
		}

		FSourceReceiver(const FSourceReceiver&) = delete;
		FSourceReceiver& operator=(const FSourceReceiver&) = delete;

		bool IsOpen() const { return Source->IsSourceStillValid(); }
		uint16 GetPort() const { return Port; }
		FArrivals& GetArrivals() { return Arrivals; }
		/** Pushes the client refused because its queue was full: they reached it but were not received. */
		int64 GetDropped() const { return Dropped.load(std::memory_order_relaxed); }
		/** The game thread's frame: applies the queued pushes, so the queue never fills. */
		void Tick() { Client.Tick(); }

	private:
		uint16 Port;
		FLiveLinkClient& Client;
		TSharedPtr<FOrvaneLiveLinkSource> Source;
		FGuid SourceGuid;
		int32 ObserverHandle = 0;
		std::atomic<int64> Dropped{0};
		FArrivals Arrivals;
	};

	double Percentile(std::vector<double>& Sorted, double Fraction)
	{
		if (Sorted.empty())
		{
			return 0.0;
		}
		const size_t Rank = static_cast<size_t>(Fraction * static_cast<double>(Sorted.size() - 1) + 0.5);
		return Sorted[std::min(Rank, Sorted.size() - 1)];
	}

	/** Sends one message and waits for it, so the first message's one-off work stays out of the figures. */
	template <typename ReceiverType>
	bool WarmUp(ReceiverType& Receiver, const FBenchSender& Sender)
	{
		const int64 Target = Receiver.GetArrivals().GetCount() + 1;
		int64 Arrival = 0;
		const bool bArrived = Sender.Send(CameraMessage()) && Receiver.GetArrivals().WaitFor(Target, ArrivalTimeoutSeconds, Arrival);
		Receiver.Tick();
		return bArrived;
	}

	/** One datagram per iteration, sent while the receiver waits idle on its socket. */
	template <typename ReceiverType>
	void BM_ReceiveLatency(benchmark::State& BenchState)
	{
		GLog->SetStdErrEcho(false);
		{
			ReceiverType Receiver;
			FBenchSender Sender(Receiver.GetPort());
			if (!Receiver.IsOpen() || !WarmUp(Receiver, Sender))
			{
				BenchState.SkipWithError("the receiver did not open or did not receive the first message");
				GLog->SetStdErrEcho(true);
				return;
			}
			const std::string& Message = CameraMessage();
			std::vector<double> Microseconds;
			Microseconds.reserve(static_cast<size_t>(BenchState.max_iterations));
			for (auto _ : BenchState)
			{
				// Lets the receiver return to its wait, so every iteration pays the wake-up.
				std::this_thread::sleep_for(SettleTime);
				const int64 Target = Receiver.GetArrivals().GetCount() + 1;
				const int64 SentAt = SteadyNanoseconds();
				int64 ArrivedAt = 0;
				if (!Sender.Send(Message) || !Receiver.GetArrivals().WaitFor(Target, ArrivalTimeoutSeconds, ArrivedAt))
				{
					BenchState.SkipWithError("a datagram was lost on an idle receiver");
					break;
				}
				const double Seconds = static_cast<double>(ArrivedAt - SentAt) * 1e-9;
				BenchState.SetIterationTime(Seconds);
				Microseconds.push_back(Seconds * 1e6);
				Receiver.Tick();
			}
			std::sort(Microseconds.begin(), Microseconds.end());
			BenchState.counters["p50_us"] = benchmark::Counter(Percentile(Microseconds, 0.50));
			BenchState.counters["p99_us"] = benchmark::Counter(Percentile(Microseconds, 0.99));
			BenchState.counters["max_us"] = benchmark::Counter(Microseconds.empty() ? 0.0 : Microseconds.back());
		}
		GLog->SetStdErrEcho(true);
	}
	BENCHMARK_TEMPLATE(BM_ReceiveLatency, FBareReceiver)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);
	BENCHMARK_TEMPLATE(BM_ReceiveLatency, FSourceReceiver)->UseManualTime()->Iterations(3000)->Unit(benchmark::kMicrosecond);

	/**
	 * A sender thread paced at the argument's rate per second (0: as fast as it can) while this thread ticks the
	 * client at about 1 kHz; then counts what arrived. Lost is what was sent and never received.
	 */
	template <typename ReceiverType>
	void BM_SustainedRate(benchmark::State& BenchState)
	{
		GLog->SetStdErrEcho(false);
		{
			const int64 Rate = BenchState.range(0);
			const int64 Count = Rate > 0 ? Rate * PacedSeconds : UnpacedCount;
			ReceiverType Receiver;
			FBenchSender Sender(Receiver.GetPort());
			if (!Receiver.IsOpen() || !WarmUp(Receiver, Sender))
			{
				BenchState.SkipWithError("the receiver did not open or did not receive the first message");
				GLog->SetStdErrEcho(true);
				return;
			}
			const std::string& Message = CameraMessage();
			int64 Sent = 0;
			int64 Received = 0;
			int64 Dropped = 0;
			for (auto _ : BenchState)
			{
				const int64 ArrivedBefore = Receiver.GetArrivals().GetCount();
				const int64 DroppedBefore = Receiver.GetDropped();
				std::atomic<bool> bSenderDone{false};
				int64 SentThisRun = 0;
				const int64 StartNanoseconds = SteadyNanoseconds();
				const int64 DeadlineNanoseconds = StartNanoseconds + std::chrono::duration_cast<std::chrono::nanoseconds>(RunDeadline).count();
				std::thread SenderThread([&]()
					{
						int64 Index = 0;
						while (Index < Count && SteadyNanoseconds() < DeadlineNanoseconds)
						{
							// Everything due by now goes out at once; between bursts the sender sleeps, leaving
							// the cores to the receiver.
							const int64 Due = Rate > 0 ? FMath::Min(Count, (SteadyNanoseconds() - StartNanoseconds) * Rate / 1000000000 + 1) : Count;
							for (; Index < Due; ++Index)
							{
								SentThisRun += Sender.Send(Message) ? 1 : 0;
							}
							if (Index < Count)
							{
								std::this_thread::sleep_for(std::chrono::microseconds(50));
							}
						}
						bSenderDone.store(true); });
				while (!bSenderDone.load() && SteadyNanoseconds() < DeadlineNanoseconds)
				{
					Receiver.Tick();
					std::this_thread::sleep_for(TickInterval);
				}
				SenderThread.join();

				// The receiver drains what its socket still holds: wait until all arrived or nothing more comes.
				int64 LastCount = -1;
				auto LastProgress = std::chrono::steady_clock::now();
				while (std::chrono::steady_clock::now() - LastProgress < DrainQuietTime && SteadyNanoseconds() < DeadlineNanoseconds + 1000000000)
				{
					Receiver.Tick();
					const int64 Now = Receiver.GetArrivals().GetCount();
					if (Now - ArrivedBefore >= SentThisRun)
					{
						break;
					}
					if (Now != LastCount)
					{
						LastCount = Now;
						LastProgress = std::chrono::steady_clock::now();
					}
					std::this_thread::sleep_for(TickInterval);
				}
				Receiver.Tick();

				const int64 RunDropped = Receiver.GetDropped() - DroppedBefore;
				const int64 RunReceived = Receiver.GetArrivals().GetCount() - ArrivedBefore - RunDropped;
				const int64 EndNanoseconds = FMath::Max(Receiver.GetArrivals().GetLastArrivalNanoseconds(), StartNanoseconds + 1);
				BenchState.SetIterationTime(static_cast<double>(EndNanoseconds - StartNanoseconds) * 1e-9);
				Sent += SentThisRun;
				Received += RunReceived;
				Dropped += RunDropped;
			}
			BenchState.SetItemsProcessed(Received);
			BenchState.counters["sent"] = benchmark::Counter(static_cast<double>(Sent));
			BenchState.counters["lost"] = benchmark::Counter(static_cast<double>(Sent - Received));
			BenchState.counters["queue_dropped"] = benchmark::Counter(static_cast<double>(Dropped));
		}
		GLog->SetStdErrEcho(true);
	}
	BENCHMARK_TEMPLATE(BM_SustainedRate, FBareReceiver)->ArgName("per_second")->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);
	BENCHMARK_TEMPLATE(BM_SustainedRate, FSourceReceiver)->ArgName("per_second")->Arg(25000)->Arg(50000)->Arg(100000)->Arg(200000)->Arg(0)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

	/**
	 * The receiver thread's work for one datagram as the source does it (clock, log limits, decode, hand-on), with
	 * the link health counters (1) or without them (0): the difference is what the counters cost.
	 */
	void BM_ReceiveStep(benchmark::State& BenchState)
	{
		const bool bCount = BenchState.range(0) != 0;
		const std::string& Message = CameraMessage();
		const TConstArrayView<uint8> View(reinterpret_cast<const uint8*>(Message.data()), static_cast<int32>(Message.size()));
		GLog->SetStdErrEcho(false);
		FOrvaneSourceState SourceState;
		FOrvaneLogLimiter Log;
		FOrvaneLinkHealth Health;
		for (auto _ : BenchState)
		{
			const int64 NowNs = SteadyNanoseconds();
			Log.Advance(NowNs / 1000000);
			const int32 Cameras = FOrvaneMessageDecoder::Decode(
				View, SourceState, [&Health, bCount](const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
				{
					if (bCount && Pose.RateNumerator > 0 && Pose.RateDenominator > 0)
					{
						Health.RecordFrameNumber(Pose.FrameNumber);
					}
					benchmark::DoNotOptimize(&Setup);
					benchmark::DoNotOptimize(&Pose);
					benchmark::DoNotOptimize(&Action); },
				&Log);
			if (bCount)
			{
				Health.RecordDatagram(NowNs, Cameras);
			}
			benchmark::DoNotOptimize(Cameras);
		}
		GLog->SetStdErrEcho(true);
		BenchState.counters["received"] = benchmark::Counter(static_cast<double>(Health.Snapshot(SteadyNanoseconds()).Received));
	}
	BENCHMARK(BM_ReceiveStep)->ArgName("counters")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

	/** The counters alone, as the receiver records one datagram of one camera, while another thread takes snapshots. */
	void BM_LinkHealthRecord(benchmark::State& BenchState)
	{
		FOrvaneLinkHealth Health;
		std::atomic<bool> bStop{false};
		// A reader at the rate of a console or --health report, far more often than a user asks.
		std::thread Reader([&Health, &bStop]()
			{
				while (!bStop.load())
				{
					benchmark::DoNotOptimize(Health.Snapshot(SteadyNanoseconds()));
					std::this_thread::sleep_for(std::chrono::milliseconds(10));
				} });
		int32 Frame = 0;
		for (auto _ : BenchState)
		{
			const int64 NowNs = SteadyNanoseconds();
			Health.RecordFrameNumber(++Frame);
			Health.RecordDatagram(NowNs, 1);
		}
		bStop.store(true);
		Reader.join();
	}
	BENCHMARK(BM_LinkHealthRecord)->Unit(benchmark::kNanosecond);
}
