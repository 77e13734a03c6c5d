// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/UObjectBase.h: the name, outer, class and flags every object has.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

/**
 * The low-level part of every object. Objects are made by NewObject; the object system sets the
 * class, name, outer and flags before the class constructor runs.
 */
class COREUOBJECT_API UObjectBase
{
public:
	virtual ~UObjectBase();

	/** The object's class. */
	FORCEINLINE UClass* GetClass() const { return ClassPrivate; }
	/** The object this object lives in; null for a package. */
	FORCEINLINE UObject* GetOuter() const { return OuterPrivate; }
	/** The object's name within its outer. */
	FORCEINLINE FName GetFName() const { return NamePrivate; }
	/** The object's index in the global object table. */
	FORCEINLINE int32 GetUniqueID() const { return InternalIndex; }
	FORCEINLINE EObjectFlags GetFlags() const { return ObjectFlags; }
	/** The object system's own flags (root set, garbage, unreachable). */
	FORCEINLINE EInternalObjectFlags GetInternalFlags() const { return InternalFlags; }

protected:
	UObjectBase();
	FORCEINLINE void SetFlagsTo(EObjectFlags NewFlags) { ObjectFlags = NewFlags; }
	FORCEINLINE void SetInternalFlagsTo(EInternalObjectFlags NewFlags) { InternalFlags = NewFlags; }

private:
	friend class UObjectBaseUtility;
	friend struct UE::CoreUObject::Host::FObjectSystem;

	EObjectFlags ObjectFlags;
	EInternalObjectFlags InternalFlags = EInternalObjectFlags::None;
	int32 InternalIndex;
	UClass* ClassPrivate;
	FName NamePrivate;
	UObject* OuterPrivate;
};
