// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Delegates/IDelegateInstance.h.
#pragma once

#include "CoreTypes.h"

/** The user object a binding is compared against in RemoveAll. */
using FDelegateUserObjectConst = const void*;

/** Identifies one delegate binding; unique within the process, and invalid (zero) by default. */
class FDelegateHandle
{
public:
	enum EGenerateNewHandleType
	{
		GenerateNewHandle
	};

	/** An invalid handle. */
	FDelegateHandle()
		: ID(0)
	{
	}
	/** A new handle with a process-unique id. */
	explicit FDelegateHandle(EGenerateNewHandleType)
		: ID(GenerateNewID())
	{
	}

	/** True when this handle names a binding. */
	bool IsValid() const { return ID != 0; }
	/** Makes this handle invalid. */
	void Reset() { ID = 0; }

	friend bool operator==(const FDelegateHandle& A, const FDelegateHandle& B) { return A.ID == B.ID; }
	friend bool operator!=(const FDelegateHandle& A, const FDelegateHandle& B) { return A.ID != B.ID; }
	friend uint32 GetTypeHash(const FDelegateHandle& Key) { return static_cast<uint32>(Key.ID ^ (Key.ID >> 32)); }

private:
	/** A fresh id from a lock-free process-wide counter; never zero. */
	static CORE_API uint64 GenerateNewID();

	uint64 ID;
};

/** What every delegate binding answers, whatever its signature. */
class IDelegateInstance
{
public:
	virtual ~IDelegateInstance() = default;

	/** The object the binding calls, for RemoveAll; null for static functions and lambdas. */
	virtual const void* GetObjectForTimerManager() const = 0;
	/** True when the binding is to InUserObject. */
	virtual bool HasSameObject(const void* InUserObject) const = 0;
	/** False once a weakly held object has died. */
	virtual bool IsSafeToExecute() const = 0;
	/** True when the binding can be dropped from an invocation list (its object has died). */
	virtual bool IsCompactable() const { return !IsSafeToExecute(); }
	/** The handle given out when the binding was made. */
	virtual FDelegateHandle GetHandle() const = 0;
};
