// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/ScopeLock.h.
#pragma once

#include "HAL/CriticalSection.h"

/** Holds a critical section for the lifetime of the scope. */
class FScopeLock
{
public:
	explicit FScopeLock(FCriticalSection* InSynchObject)
		: SynchObject(InSynchObject)
	{
		check(SynchObject);
		SynchObject->Lock();
	}
	~FScopeLock() { Unlock(); }
	void Unlock()
	{
		if (SynchObject)
		{
			SynchObject->Unlock();
			SynchObject = nullptr;
		}
	}
	FScopeLock(const FScopeLock&) = delete;
	FScopeLock& operator=(const FScopeLock&) = delete;

private:
	FCriticalSection* SynchObject;
};
