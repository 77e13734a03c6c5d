// Copyright Kelmora. All Rights Reserved.
// Host only, no engine counterpart: the importers IAssetTools::ImportAssets picks by file extension (the
// engine finds factories by their supported formats).
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"

class UObject;
class UPackage;

namespace UE::AssetTools::Host
{
	/** Makes the asset AssetName in Package from the file; null (after logging why) when the file is rejected. */
	using FAssetImporter = TFunction<UObject*(const FString& Filename, UPackage* Package, const FString& AssetName)>;

	/** Registers the importer for an extension without the dot ("ndisplay"); case-insensitive; the last one wins. */
	ASSETTOOLS_API void RegisterAssetImporter(const FString& Extension, FAssetImporter Importer);
}
