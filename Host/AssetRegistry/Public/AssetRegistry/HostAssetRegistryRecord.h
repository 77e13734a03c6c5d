// Copyright Kelmora. All Rights Reserved.
// Host only, no engine counterpart: what FAssetRegistryModule::AssetCreated was told, for tests.
#pragma once

#include "CoreMinimal.h"

namespace UE::AssetRegistry::Host
{
	/** The object paths of the assets announced as created, oldest first. */
	ASSETREGISTRY_API TArray<FString> GetCreatedAssetPaths();
	/** True if an asset with this object path was announced. */
	ASSETREGISTRY_API bool WasAssetCreated(const FString& ObjectPath);
	/** Forgets the announcements. */
	ASSETREGISTRY_API void ResetCreatedAssets();
	/** Starts (true) or ends (false) the registry's first scan; ending it broadcasts OnFilesLoaded. Game thread only. */
	ASSETREGISTRY_API void SetLoadingAssets(bool bLoading);
}
