// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's AssetRegistry/AssetRegistryModule.h: announcing new assets to the
// asset registry. The host has no content browser; it records what was announced.
#pragma once

#include "CoreMinimal.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "Modules/ModuleInterface.h"

class UObject;

/** The asset registry module. */
class ASSETREGISTRY_API FAssetRegistryModule : public IModuleInterface
{
public:
	/** Tells the registry that a new asset exists, so the editor lists it; a null asset is ignored. */
	static void AssetCreated(UObject* NewAsset);

	/** The registry. */
	IAssetRegistry& Get() const { return GetRegistry(); }
	static IAssetRegistry& GetRegistry();
};
