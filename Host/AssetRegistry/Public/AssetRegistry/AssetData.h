// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's AssetRegistry/AssetData.h: what the asset registry knows about one asset.
#pragma once

#include "CoreMinimal.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/TopLevelAssetPath.h"

class UObject;

/** One asset as the registry lists it; default-constructed it stands for no asset. */
struct ASSETREGISTRY_API FAssetData
{
	/** The asset's package, e.g. /Game/Dir/Asset. */
	FName PackageName;
	/** The package's folder, e.g. /Game/Dir. */
	FName PackagePath;
	/** The asset's object name. */
	FName AssetName;
	/** The path of the asset's class, e.g. /Script/Engine.StaticMesh; null when the registry did not say. */
	FTopLevelAssetPath AssetClassPath;

	FAssetData() = default;
	FAssetData(FName InPackageName, FName InPackagePath, FName InAssetName, FTopLevelAssetPath InAssetClassPath = FTopLevelAssetPath());

	/** True when this stands for an asset. */
	bool IsValid() const { return !PackageName.IsNone() && !AssetName.IsNone(); }
	/** The asset, loaded if it is not in memory; null when it cannot be loaded. */
	UObject* GetAsset() const;
	FSoftObjectPath GetSoftObjectPath() const;
	/** Package.Asset. */
	FString GetObjectPathString() const;
};
