// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IAssetTools.h: importing files as assets.
#pragma once

#include "CoreMinimal.h"

class UFactory;
class UObject;

/** Asset operations of the editor (the host has importing only). */
class ASSETTOOLS_API IAssetTools
{
public:
	virtual ~IAssetTools() = default;

	/**
	 * Imports each file into DestinationPath (a long package path such as /Game/Dir) with the importer for its
	 * extension. The asset is named after the file's base name with characters invalid in object names made
	 * '_' and lives in the package "<DestinationPath>/<Name>". Returns the assets made; a file with no
	 * importer, a bad destination, a name already taken or a file the importer rejects adds nothing and logs why.
	 * Host: ChosenFactory, browser sync, per-file destinations, async and scene import are not used.
	 */
	virtual TArray<UObject*> ImportAssets(const TArray<FString>& Files, const FString& DestinationPath, UFactory* ChosenFactory = nullptr, bool bSyncToBrowser = true, TArray<TPair<FString, FString>>* FilesAndDestinations = nullptr, bool bAllowAsyncImport = false, bool bSceneImport = false) const = 0;
};
