// Copyright Kelmora. All Rights Reserved.

#include "Delegates/IDelegateInstance.h"

#include <atomic>

uint64 FDelegateHandle::GenerateNewID()
{
	static std::atomic<uint64> NextID{1};
	uint64 Result = NextID.fetch_add(1, std::memory_order_relaxed);
	// Zero means "invalid"; after 2^64 handles the counter would reach it, so step over it.
	if (Result == 0)
	{
		Result = NextID.fetch_add(1, std::memory_order_relaxed);
	}
	return Result;
}
