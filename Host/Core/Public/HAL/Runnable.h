// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/Runnable.h.
#pragma once

#include "CoreTypes.h"

/** Work that runs on its own thread: Init, then Run when Init succeeded, then Exit, all on that thread. */
class FRunnable
{
public:
	virtual ~FRunnable() = default;

	/** Runs first on the new thread; returning false skips Run and Exit. */
	virtual bool Init() { return true; }

	/** The thread's work; its return value is the thread's exit code. */
	virtual uint32 Run() = 0;

	/** Asks Run to return early; called from another thread (FRunnableThread::Kill). */
	virtual void Stop() {}

	/** Runs on the thread after Run returned. */
	virtual void Exit() {}
};
