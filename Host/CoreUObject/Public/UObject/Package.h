// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Package.h. Saving comes later; the host's packages only hold objects.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

/** A top-level object that others live in; its name is its long package name, e.g. /Game/Maps/Level. */
class COREUOBJECT_API UPackage : public UObject
{
	DECLARE_CLASS(UPackage, UObject, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/CoreUObject"), COREUOBJECT_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UPackage)

public:
	UPackage() = default;

	/** Marks the package as changed since it was last saved. */
	void SetDirtyFlag(bool bInIsDirty) { bDirty = bInIsDirty; }
	bool IsDirty() const { return bDirty; }

private:
	bool bDirty = false;
};
