// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/TopLevelAssetPath.h: the path of an asset or class directly in its package.
#pragma once

#include "CoreMinimal.h"

/** "/Package/Path.AssetName", split in its package name and asset name. */
struct FTopLevelAssetPath
{
	FTopLevelAssetPath() = default;
	FTopLevelAssetPath(FName InPackageName, FName InAssetName)
		: PackageName(InPackageName)
		, AssetName(InAssetName)
	{
	}
	/** Parses "/Package/Path.AssetName"; anything else leaves the path null. */
	explicit FTopLevelAssetPath(const FString& Path)
	{
		int32 Dot = INDEX_NONE;
		if (Path.StartsWith(TEXT("/")) && Path.FindLastChar(TCHAR('.'), Dot) && Dot > 1 && Dot < Path.Len() - 1)
		{
			PackageName = FName(*Path.Left(Dot));
			AssetName = FName(*Path.Mid(Dot + 1));
		}
	}

	FName GetPackageName() const { return PackageName; }
	FName GetAssetName() const { return AssetName; }
	bool IsNull() const { return PackageName.IsNone(); }
	FString ToString() const { return IsNull() ? FString() : PackageName.ToString() + TEXT(".") + AssetName.ToString(); }
	bool operator==(const FTopLevelAssetPath& Other) const { return PackageName == Other.PackageName && AssetName == Other.AssetName; }

private:
	FName PackageName;
	FName AssetName;
};
