// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/WeakObjectPtr.h: a reference that does not keep an object alive.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

/** Refers to an object by its index in the object table and that slot's serial number. */
struct COREUOBJECT_API FWeakObjectPtr
{
	FWeakObjectPtr() = default;
	FWeakObjectPtr(const UObject* Object) { *this = Object; }

	void operator=(const UObject* Object);
	void Reset()
	{
		ObjectIndex = INDEX_NONE;
		ObjectSerialNumber = 0;
	}

	/** The object, or null if it was never set, no longer exists or is marked as garbage (a destroyed actor). */
	UObject* Get() const;
	/** As Get, but also returns an object marked as garbage when bEvenIfGarbage is set. */
	UObject* Get(bool bEvenIfGarbage) const;
	bool IsValid() const { return Get() != nullptr; }
	/** True if the pointer was set and its object is gone. */
	bool IsStale() const { return ObjectSerialNumber != 0 && Get() == nullptr; }
	bool operator==(const FWeakObjectPtr& Other) const { return ObjectIndex == Other.ObjectIndex && ObjectSerialNumber == Other.ObjectSerialNumber; }
	bool operator!=(const FWeakObjectPtr& Other) const { return !(*this == Other); }

private:
	int32 ObjectIndex = INDEX_NONE;
	int32 ObjectSerialNumber = 0;
};
