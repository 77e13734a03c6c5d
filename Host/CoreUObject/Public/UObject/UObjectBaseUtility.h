// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/UObjectBaseUtility.h: flags, names, paths and class checks.
#pragma once

#include "CoreMinimal.h"
#include "UObject/UObjectBase.h"

class UPackage;

/** The object-level helpers every object has (engine: UObjectBaseUtility). */
class COREUOBJECT_API UObjectBaseUtility : public UObjectBase
{
public:
	FORCEINLINE void SetFlags(EObjectFlags NewFlags) { SetFlagsTo(GetFlags() | NewFlags); }
	FORCEINLINE void ClearFlags(EObjectFlags NewFlags) { SetFlagsTo(GetFlags() & ~NewFlags); }
	FORCEINLINE bool HasAnyFlags(EObjectFlags FlagsToCheck) const { return (GetFlags() & FlagsToCheck) != 0; }
	FORCEINLINE bool HasAllFlags(EObjectFlags FlagsToCheck) const { return (GetFlags() & FlagsToCheck) == FlagsToCheck; }
	FORCEINLINE bool HasAnyInternalFlags(EInternalObjectFlags FlagsToCheck) const { return (int32(GetInternalFlags()) & int32(FlagsToCheck)) != 0; }

	/** Keeps the object (and what it references) alive through garbage collection until RemoveFromRoot. */
	void AddToRoot();
	void RemoveFromRoot();
	FORCEINLINE bool IsRooted() const { return HasAnyInternalFlags(EInternalObjectFlags::RootSet); }
	/**
	 * Marks the object as garbage: IsValid turns false and the next garbage collection destroys it,
	 * clearing the reflected references that still point at it. A rooted object is left alone (logged).
	 */
	void MarkAsGarbage();
	/** Takes the garbage mark off again. */
	void ClearGarbage();
	/** True while a garbage collection has found the object unreachable. */
	FORCEINLINE bool IsUnreachable() const { return HasAnyInternalFlags(EInternalObjectFlags::Unreachable); }

	/** The object's name as a string. */
	FString GetName() const;
	/** The object's path: Package.Object, with ':' before a subobject of an object in a package. */
	FString GetPathName(const UObject* StopOuter = nullptr) const;
	/** The class name, a space and the path name. */
	FString GetFullName(const UObject* StopOuter = nullptr) const;
	/** The package the object lives in (itself for a package). */
	UPackage* GetPackage() const;

	/** True if the object's class is SomeBase or derives from it. */
	bool IsA(const UClass* SomeBase) const;
	template <typename OtherClassType>
	FORCEINLINE bool IsA() const
	{
		return IsA(OtherClassType::StaticClass());
	}
	/** True if the object is a class default object or an archetype. */
	bool IsTemplate(EObjectFlags TemplateTypes = RF_ArchetypeObject | RF_ClassDefaultObject) const;
};
