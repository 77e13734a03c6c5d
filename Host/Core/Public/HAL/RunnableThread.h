// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/RunnableThread.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "HAL/PlatformAffinity.h"

#include <atomic>

class FRunnable;

/**
 * A thread running one FRunnable. The host runs a POSIX thread with the stack size asked for (at least
 * PTHREAD_STACK_MIN) and the name's first 15 characters as the system name. The priority is recorded
 * but not applied: changing a thread's scheduling needs privileges the host does not assume.
 */
class FRunnableThread
{
public:
	/**
	 * Starts a thread running the runnable and returns once its Init has returned, as the engine does.
	 * Returns null when the runnable is null or the thread cannot be started.
	 */
	static FRunnableThread* Create(FRunnable* InRunnable, const TCHAR* ThreadName, uint32 InStackSize = 0, EThreadPriority InThreadPri = TPri_Normal, uint64 InThreadAffinityMask = FPlatformAffinity::GetNoAffinityMask(), EThreadCreateFlags InCreateFlags = EThreadCreateFlags::None);

	/** Joins the thread when it is still running (after asking its runnable to stop). */
	virtual ~FRunnableThread();

	/** Records the priority; see the class comment. */
	virtual void SetThreadPriority(EThreadPriority NewPriority);

	/** Calls the runnable's Stop, then waits for the thread to end when asked to. Always true. */
	virtual bool Kill(bool bShouldWait = true);

	/** Blocks until the thread has ended. */
	virtual void WaitForCompletion();

	/** The system thread id (Linux thread id), known once Create has returned. */
	// The engine's return type is "const uint32"; the ignored qualifier is left out to keep -Wextra quiet.
	uint32 GetThreadID() const { return ThreadID; }

	/** The full name given to Create, however long. */
	const FString& GetThreadName() const { return ThreadName; }

	EThreadPriority GetThreadPriority() const { return ThreadPriority.load(); }

	uint64 GetThreadAffinityMask() const { return ThreadAffinityMask; }

	/** Host only: the stack size the thread was started with, in bytes (0: the system default). */
	uint32 GetStackSize() const { return StackSize; }

	/** The FRunnableThread of the calling thread, or null on a thread this class did not start. */
	static FRunnableThread* GetRunnableThread();

protected:
	FRunnableThread() = default;

private:
	struct FImpl;
	FImpl* Impl = nullptr;
	FString ThreadName;
	FRunnable* Runnable = nullptr;
	uint32 ThreadID = 0;
	uint32 StackSize = 0;
	uint64 ThreadAffinityMask = FPlatformAffinity::GetNoAffinityMask();
	std::atomic<EThreadPriority> ThreadPriority{TPri_Normal};

	static void* ThreadEntry(void* Param);
};
