// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Async/Async.h"
#include "HAL/PlatformProcess.h"
#include "HAL/PlatformTime.h"
#include "HAL/Runnable.h"
#include "HAL/RunnableThread.h"
#include "Misc/Timespan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <pthread.h>
#include <set>
#include <string>
#include <sys/syscall.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace
{
	/** Records the calls it gets, and what the thread looks like from inside. */
	class FRecordingRunnable : public FRunnable
	{
	public:
		explicit FRecordingRunnable(bool bInInitResult = true, bool bInRunUntilStopped = false)
			: bInitResult(bInInitResult)
			, bRunUntilStopped(bInRunUntilStopped)
		{
		}

		bool Init() override
		{
			Record("Init");
			return bInitResult;
		}
		uint32 Run() override
		{
			Record("Run");
			char Name[32] = {};
			pthread_getname_np(pthread_self(), Name, sizeof(Name));
			SystemName = Name;
			pthread_attr_t Attributes;
			if (pthread_getattr_np(pthread_self(), &Attributes) == 0)
			{
				pthread_attr_getstacksize(&Attributes, &StackSize);
				pthread_attr_destroy(&Attributes);
			}
			ThreadId = static_cast<uint32>(syscall(SYS_gettid));
			CurrentThread = FRunnableThread::GetRunnableThread();
			for (int32 Spin = 0; bRunUntilStopped && !bStopRequested && Spin < 10000; ++Spin)
			{
				FPlatformProcess::Sleep(0.001f);
			}
			return 0;
		}
		void Stop() override
		{
			bStopRequested = true;
			Record("Stop");
		}
		void Exit() override { Record("Exit"); }

		std::vector<std::string> Calls()
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			return Log;
		}

		std::string SystemName;
		size_t StackSize = 0;
		uint32 ThreadId = 0;
		FRunnableThread* CurrentThread = nullptr;
		std::atomic<bool> bStopRequested{false};

	private:
		void Record(const char* Call)
		{
			std::lock_guard<std::mutex> Lock(Mutex);
			Log.push_back(Call);
		}

		std::mutex Mutex;
		std::vector<std::string> Log;
		bool bInitResult;
		bool bRunUntilStopped;
	};
}

TEST(RunnableThread, RunsInitRunExitInOrderOnItsOwnThread)
{
	FRecordingRunnable Runnable;
	std::unique_ptr<FRunnableThread> Thread(FRunnableThread::Create(&Runnable, TEXT("Orvane Test Thread"), 128 * 1024, TPri_AboveNormal, FPlatformAffinity::GetNoAffinityMask(), EThreadCreateFlags::None));
	ASSERT_TRUE(Thread);
	// Create returns only once Init has run.
	EXPECT_FALSE(Runnable.Calls().empty());
	Thread->WaitForCompletion();

	EXPECT_EQ(Runnable.Calls(), (std::vector<std::string>{"Init", "Run", "Exit"}));
	EXPECT_EQ(Runnable.CurrentThread, Thread.get());
	EXPECT_NE(Thread->GetThreadID(), 0u);
	EXPECT_EQ(Thread->GetThreadID(), Runnable.ThreadId);
	EXPECT_NE(Runnable.ThreadId, static_cast<uint32>(syscall(SYS_gettid)));
	EXPECT_EQ(FRunnableThread::GetRunnableThread(), nullptr);
}

TEST(RunnableThread, KeepsTheFullNameAndGivesTheSystemItsFirst15Characters)
{
	FRecordingRunnable Runnable;
	std::unique_ptr<FRunnableThread> Thread(FRunnableThread::Create(&Runnable, TEXT("Kelmora Orvane Link 42")));
	ASSERT_TRUE(Thread);
	Thread->WaitForCompletion();
	EXPECT_EQ(Thread->GetThreadName(), TEXT("Kelmora Orvane Link 42"));
	EXPECT_EQ(Runnable.SystemName, "Kelmora Orvane ");

	FRecordingRunnable Unnamed;
	std::unique_ptr<FRunnableThread> Second(FRunnableThread::Create(&Unnamed, TEXT("\u00C9t\u00E9")));
	ASSERT_TRUE(Second);
	Second->WaitForCompletion();
	EXPECT_EQ(Second->GetThreadName(), TEXT("\u00C9t\u00E9"));
	EXPECT_EQ(Unnamed.SystemName, "?t?");
}

TEST(RunnableThread, HonoursTheStackSizeAndRecordsThePriority)
{
	FRecordingRunnable Runnable;
	std::unique_ptr<FRunnableThread> Thread(FRunnableThread::Create(&Runnable, TEXT("Stack"), 131072, TPri_AboveNormal));
	ASSERT_TRUE(Thread);
	Thread->WaitForCompletion();
	EXPECT_EQ(Thread->GetStackSize(), 131072u);
	EXPECT_GE(Runnable.StackSize, 131072u);
	EXPECT_LT(Runnable.StackSize, 4u * 131072u);
	EXPECT_EQ(Thread->GetThreadPriority(), TPri_AboveNormal);
	Thread->SetThreadPriority(TPri_Lowest);
	EXPECT_EQ(Thread->GetThreadPriority(), TPri_Lowest);

	// A stack below the system minimum is raised to it rather than refused.
	FRecordingRunnable Tiny;
	std::unique_ptr<FRunnableThread> TinyThread(FRunnableThread::Create(&Tiny, TEXT("Tiny"), 1));
	ASSERT_TRUE(TinyThread);
	TinyThread->WaitForCompletion();
	EXPECT_EQ(Tiny.Calls().size(), 3u);
}

TEST(RunnableThread, FailedInitSkipsRunAndExit)
{
	FRecordingRunnable Runnable(false);
	std::unique_ptr<FRunnableThread> Thread(FRunnableThread::Create(&Runnable, TEXT("NoInit")));
	ASSERT_TRUE(Thread);
	Thread->WaitForCompletion();
	EXPECT_EQ(Runnable.Calls(), (std::vector<std::string>{"Init"}));
}

TEST(RunnableThread, KillStopsTheRunnableAndWaits)
{
	FRecordingRunnable Runnable(true, true);
	std::unique_ptr<FRunnableThread> Thread(FRunnableThread::Create(&Runnable, TEXT("Kill")));
	ASSERT_TRUE(Thread);
	EXPECT_TRUE(Thread->Kill(true));
	EXPECT_TRUE(Runnable.bStopRequested);
	const std::vector<std::string> Calls = Runnable.Calls();
	ASSERT_FALSE(Calls.empty());
	EXPECT_EQ(Calls.back(), "Exit");
	// Deleting a finished thread neither stops the runnable again nor joins twice.
	Thread.reset();
	EXPECT_EQ(std::count(Calls.begin(), Calls.end(), "Stop"), 1);
	EXPECT_EQ(Runnable.Calls().size(), Calls.size());
}

TEST(RunnableThread, NullRunnableGivesNoThread)
{
	EXPECT_EQ(FRunnableThread::Create(nullptr, TEXT("Nothing")), nullptr);
}

TEST(AsyncThreadIndex, GivesDistinctValuesAcrossThreads)
{
	constexpr int32 ThreadCount = 8;
	constexpr int32 PerThread = 200;
	std::vector<std::vector<int32>> Values(ThreadCount);
	std::vector<std::thread> Threads;
	for (int32 Index = 0; Index < ThreadCount; ++Index)
	{
		Threads.emplace_back([&Values, Index]
			{
				for (int32 Call = 0; Call < PerThread; ++Call)
				{
					Values[Index].push_back(FAsyncThreadIndex::GetNext());
				} });
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	std::set<int32> Distinct;
	for (const std::vector<int32>& List : Values)
	{
		EXPECT_TRUE(std::is_sorted(List.begin(), List.end()));
		Distinct.insert(List.begin(), List.end());
	}
	EXPECT_EQ(Distinct.size(), static_cast<size_t>(ThreadCount * PerThread));
	EXPECT_GE(*Distinct.begin(), 0);
}

TEST(PlatformProcess, ConditionalSleepReturnsWhenTheConditionFlips)
{
	std::atomic<bool> bFlag{false};
	int32 Checks = 0;
	FPlatformProcess::ConditionalSleep([&]
		{ ++Checks; return true; },
		10.0f);
	EXPECT_EQ(Checks, 1) << "an already true condition must not sleep";

	std::thread Flipper([&bFlag]
		{
			std::this_thread::sleep_for(std::chrono::milliseconds(20));
			bFlag = true; });
	FPlatformProcess::ConditionalSleep([&bFlag]
		{ return bFlag.load(); },
		0.001f);
	EXPECT_TRUE(bFlag.load());
	Flipper.join();
}

TEST(PlatformTime, ClockIsMonotonicAndConsistent)
{
	const double Start = FPlatformTime::Seconds();
	const uint64 StartCycles = FPlatformTime::Cycles64();
	FPlatformProcess::Sleep(0.002f);
	const double Elapsed = FPlatformTime::Seconds() - Start;
	const double ElapsedCycles = FPlatformTime::ToMilliseconds64(FPlatformTime::Cycles64() - StartCycles);
	EXPECT_GE(Elapsed, 0.002);
	EXPECT_GE(ElapsedCycles, 2.0);
	EXPECT_GE(Start, 16777216.0);
	EXPECT_DOUBLE_EQ(FPlatformTime::GetSecondsPerCycle64(), 1.0e-7);
}

TEST(Timespan, CountsTicksOf100Nanoseconds)
{
	EXPECT_EQ(FTimespan::FromMilliseconds(10).GetTicks(), 100000);
	EXPECT_EQ(FTimespan::FromMilliseconds(10).GetTicks(), 10 * ETimespan::TicksPerMillisecond);
	EXPECT_DOUBLE_EQ(FTimespan::FromSeconds(1.5).GetTotalMilliseconds(), 1500.0);
	EXPECT_EQ(FTimespan::FromMilliseconds(0.00005).GetTicks(), 1) << "rounds half away from zero";
	EXPECT_EQ(FTimespan::FromMilliseconds(-0.00005).GetTicks(), -1);
	EXPECT_EQ(FTimespan(0, 1, 2).GetTicks(), 62 * ETimespan::TicksPerSecond);
	EXPECT_EQ(FTimespan::FromSeconds(1e300), FTimespan::MaxValue()) << "saturates instead of overflowing";
	EXPECT_EQ(FTimespan::FromSeconds(std::nan("")), FTimespan::Zero());
	EXPECT_EQ(FTimespan::FromSeconds(90061.5).ToString(), TEXT("+1.01:01:01.500"));
	EXPECT_EQ(FTimespan::FromMilliseconds(-250).ToString(), TEXT("-00:00:00.250"));
}
