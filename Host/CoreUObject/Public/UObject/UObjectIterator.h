// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/UObjectIterator.h: walks the live objects of a class.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

namespace UE::CoreUObject::Private
{
	/** The live objects of Class (and, with bIncludeDerivedClasses, its subclasses), in creation order. */
	COREUOBJECT_API void GetObjectsOfClassSnapshot(const UClass* Class, bool bIncludeDerivedClasses, EObjectFlags ExclusionFlags, TArray<UObject*>& OutObjects);
}

/**
 * Walks the objects of class T that exist when the iterator is made; class default objects are
 * skipped unless AdditionalExclusionFlags says otherwise. The host iterates a snapshot, so objects
 * made during the walk are not visited.
 */
template <class T>
class TObjectIterator
{
public:
	explicit TObjectIterator(EObjectFlags AdditionalExclusionFlags = RF_ClassDefaultObject, bool bIncludeDerivedClasses = true, EInternalObjectFlags InInternalExclusionFlags = EInternalObjectFlags::None)
	{
		UE::CoreUObject::Private::GetObjectsOfClassSnapshot(T::StaticClass(), bIncludeDerivedClasses, AdditionalExclusionFlags, Objects);
		if (InInternalExclusionFlags != EInternalObjectFlags::None)
		{
			Objects.RemoveAll([InInternalExclusionFlags](const UObject* Object) { return Object->HasAnyInternalFlags(InInternalExclusionFlags); });
		}
	}

	FORCEINLINE void operator++() { ++Index; }
	FORCEINLINE explicit operator bool() const { return Objects.IsValidIndex(Index); }
	FORCEINLINE bool operator!() const { return !(bool)*this; }
	FORCEINLINE T* operator*() const { return static_cast<T*>(Objects[Index]); }
	FORCEINLINE T* operator->() const { return static_cast<T*>(Objects[Index]); }

private:
	TArray<UObject*> Objects;
	int32 Index = 0;
};
