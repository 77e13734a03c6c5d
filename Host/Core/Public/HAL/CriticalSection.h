// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/CriticalSection.h. Like the engine's platform critical sections,
// it may be locked again by the thread that holds it.
#pragma once

#include "CoreTypes.h"

#include <mutex>
#include <shared_mutex>

class FCriticalSection
{
public:
	FCriticalSection() = default;
	FCriticalSection(const FCriticalSection&) = delete;
	FCriticalSection& operator=(const FCriticalSection&) = delete;

	void Lock() { Mutex.lock(); }
	bool TryLock() { return Mutex.try_lock(); }
	void Unlock() { Mutex.unlock(); }

private:
	std::recursive_mutex Mutex;
};

class FRWLock
{
public:
	void ReadLock() { Mutex.lock_shared(); }
	void ReadUnlock() { Mutex.unlock_shared(); }
	void WriteLock() { Mutex.lock(); }
	void WriteUnlock() { Mutex.unlock(); }

private:
	std::shared_mutex Mutex;
};
