// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/Package.h: packages and saving them. The host writes its own
// readable asset format, described in CoreUObject/Private/AssetFile.h.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/SavePackage.h"

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
	/** Loads whatever of the package is not loaded yet; the host loads packages whole, so nothing remains. */
	void FullyLoad() {}
	/** True once every object of the package is loaded: always, in the host. */
	bool IsFullyLoaded() const { return true; }

	/**
	 * Saves InAsset (which must live in InOuter) and the package's other objects with any of
	 * SaveArgs.TopLevelFlags, with their inner objects, to Filename. Transient objects are not saved.
	 * Clears the dirty flag unless SAVE_KeepDirty. On failure returns false and, unless SAVE_NoError,
	 * writes the reason to SaveArgs.Error; the failure is always logged.
	 */
	static bool SavePackage(UPackage* InOuter, UObject* InAsset, const TCHAR* Filename, const FSavePackageArgs& SaveArgs);

private:
	bool bDirty = false;
};
