// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Async/Async.h (only FAsyncThreadIndex).
#pragma once

#include "CoreTypes.h"

/** A process-wide counter that numbers threads; the first call returns 0. */
struct FAsyncThreadIndex
{
	/** Returns the counter's value and advances it by one; safe from any thread. */
	static int32 GetNext();
};
