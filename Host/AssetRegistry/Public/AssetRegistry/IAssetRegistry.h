// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's AssetRegistry/IAssetRegistry.h: looking assets up without loading them.
#pragma once

#include "CoreMinimal.h"
#include "AssetRegistry/AssetData.h"
#include "Delegates/Delegate.h"
#include "UObject/SoftObjectPath.h"

/** The asset registry (the host answers from memory and the project's content folder). */
class ASSETREGISTRY_API IAssetRegistry
{
public:
	virtual ~IAssetRegistry() = default;

	/** Broadcast once, when the registry has finished its first scan of the content folders. */
	DECLARE_EVENT(IAssetRegistry, FFilesLoadedEvent);
	virtual FFilesLoadedEvent& OnFilesLoaded() = 0;

	/** True while the first scan runs (host: until a test ends it with SetLoadingAssets; false by default). */
	virtual bool IsLoadingAssets() const = 0;

	/**
	 * The asset at ObjectPath (/Game/Dir/Asset.Asset): found in memory (unless bIncludeOnlyOnDiskAssets) or as a
	 * saved package in the content folder. An invalid FAssetData when there is none.
	 */
	virtual FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets = false, bool bSkipARFilteredAssets = true) const = 0;

	/**
	 * The assets in the folder PackagePath (/Game/Dir), and with bRecursive in its sub-folders: those in memory
	 * (unless bIncludeOnlyOnDiskAssets) and those saved in the content folder, each with its class path.
	 * False when PackagePath is not a package folder.
	 */
	// unconfirmed: 5.6 prefers GetAssetsByPaths with an array of paths; the FName overload is still declared.
	virtual bool GetAssetsByPath(FName PackagePath, TArray<FAssetData>& OutAssetData, bool bRecursive = false, bool bIncludeOnlyOnDiskAssets = false) const = 0;
};
