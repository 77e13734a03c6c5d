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
