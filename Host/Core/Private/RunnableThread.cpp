// Copyright Kelmora. All Rights Reserved.
#include "HAL/RunnableThread.h"
#include "HAL/Runnable.h"

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <mutex>
#include <pthread.h>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

struct FRunnableThread::FImpl
{
	pthread_t Handle{};
	std::mutex Mutex;
	std::condition_variable InitDone;
	bool bInitReturned = false;
	// Serialises joining so that two waiters never join the same thread twice.
	std::mutex JoinMutex;
	std::atomic<bool> bJoined{false};
};

namespace
{
	thread_local FRunnableThread* CurrentRunnableThread = nullptr;

	/** The system name: at most 15 bytes (the Linux limit), non-ASCII characters as '?'. */
	std::string SystemThreadName(const FString& Name)
	{
		std::string Out;
		for (const TCHAR Char : Name)
		{
			if (Out.size() == 15)
			{
				break;
			}
			Out.push_back(Char > 0 && Char < 128 ? static_cast<char>(Char) : '?');
		}
		return Out;
	}
}

FRunnableThread* FRunnableThread::Create(FRunnable* InRunnable, const TCHAR* ThreadName, uint32 InStackSize, EThreadPriority InThreadPri, uint64 InThreadAffinityMask, EThreadCreateFlags InCreateFlags)
{
	if (InRunnable == nullptr)
	{
		return nullptr;
	}

	FRunnableThread* Thread = new FRunnableThread();
	Thread->Impl = new FImpl();
	Thread->Runnable = InRunnable;
	Thread->ThreadName = ThreadName ? ThreadName : TEXT("");
	Thread->ThreadPriority = InThreadPri;
	Thread->ThreadAffinityMask = InThreadAffinityMask;

	pthread_attr_t Attributes;
	pthread_attr_init(&Attributes);
	if (InStackSize > 0)
	{
		// The system refuses stacks below PTHREAD_STACK_MIN and wants whole pages.
		const size_t PageSize = static_cast<size_t>(sysconf(_SC_PAGESIZE) > 0 ? sysconf(_SC_PAGESIZE) : 4096);
		size_t Size = std::max<size_t>(InStackSize, static_cast<size_t>(PTHREAD_STACK_MIN));
		Size = (Size + PageSize - 1) / PageSize * PageSize;
		if (pthread_attr_setstacksize(&Attributes, Size) == 0)
		{
			Thread->StackSize = static_cast<uint32>(std::min<size_t>(Size, UINT32_MAX));
		}
	}

	const int Result = pthread_create(&Thread->Impl->Handle, &Attributes, &FRunnableThread::ThreadEntry, Thread);
	pthread_attr_destroy(&Attributes);
	if (Result != 0)
	{
		// Nothing to join: the destructor sees the thread as already joined.
		Thread->Impl->bJoined = true;
		delete Thread;
		return nullptr;
	}

	// As in the engine, Create returns once the runnable's Init has returned on the new thread.
	std::unique_lock<std::mutex> Lock(Thread->Impl->Mutex);
	Thread->Impl->InitDone.wait(Lock, [Thread]
		{ return Thread->Impl->bInitReturned; });
	return Thread;
}

void* FRunnableThread::ThreadEntry(void* Param)
{
	FRunnableThread* Thread = static_cast<FRunnableThread*>(Param);
	CurrentRunnableThread = Thread;
	Thread->ThreadID = static_cast<uint32>(syscall(SYS_gettid));
	pthread_setname_np(pthread_self(), SystemThreadName(Thread->ThreadName).c_str());

	FRunnable* Runnable = Thread->Runnable;
	const bool bInitialized = Runnable->Init();
	{
		std::lock_guard<std::mutex> Lock(Thread->Impl->Mutex);
		Thread->Impl->bInitReturned = true;
	}
	Thread->Impl->InitDone.notify_all();

	if (bInitialized)
	{
		Runnable->Run();
		Runnable->Exit();
	}
	CurrentRunnableThread = nullptr;
	return nullptr;
}

FRunnableThread::~FRunnableThread()
{
	if (Impl)
	{
		Kill(true);
		delete Impl;
	}
}

void FRunnableThread::SetThreadPriority(EThreadPriority NewPriority)
{
	ThreadPriority = NewPriority;
}

bool FRunnableThread::Kill(bool bShouldWait)
{
	// Once joined, the runnable may be half destroyed (a source's destructor deletes its thread).
	if (Runnable && !Impl->bJoined)
	{
		Runnable->Stop();
	}
	if (bShouldWait)
	{
		WaitForCompletion();
	}
	return true;
}

void FRunnableThread::WaitForCompletion()
{
	std::lock_guard<std::mutex> Lock(Impl->JoinMutex);
	if (Impl->bJoined || pthread_equal(pthread_self(), Impl->Handle))
	{
		// Joining itself would never return; the engine's thread cannot wait on itself either.
		return;
	}
	pthread_join(Impl->Handle, nullptr);
	Impl->bJoined = true;
}

FRunnableThread* FRunnableThread::GetRunnableThread()
{
	return CurrentRunnableThread;
}
