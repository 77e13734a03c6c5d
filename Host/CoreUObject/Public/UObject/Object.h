// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Object.h: the base class of all reflected objects.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"
#include "UObject/UObjectBaseUtility.h"
#include "UObject/UObjectGlobals.h"

class UFunction;

/** The base class of all reflected objects. */
class COREUOBJECT_API UObject : public UObjectBaseUtility
{
	DECLARE_CLASS(UObject, UObject, CLASS_Abstract | CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UObject)

public:
	UObject() = default;
	/** The engine's legacy form; same as the default constructor. */
	explicit UObject(const FObjectInitializer&) {}
	UObject(const UObject&) = delete;
	UObject(UObject&&) = delete;

	/** Called after the class constructor has run (and, in the engine, after config is loaded). */
	virtual void PostInitProperties() {}

	/** The function with this name on the object's class or its super classes; null if none. */
	UFunction* FindFunction(FName InName) const;
	/** As FindFunction, but asserts that the function exists. */
	UFunction* FindFunctionChecked(FName InName) const;
};

/** True if the pointer is not null (the host has no garbage yet). */
FORCEINLINE bool IsValid(const UObject* Test)
{
	return Test != nullptr;
}
