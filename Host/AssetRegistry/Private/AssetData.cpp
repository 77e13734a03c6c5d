// Copyright Kelmora. All Rights Reserved.
#include "AssetRegistry/AssetData.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "Misc/PackageName.h"
#include "UObject/Object.h"
#include "UObject/UObjectGlobals.h"

FAssetData::FAssetData(FName InPackageName, FName InPackagePath, FName InAssetName)
	: PackageName(InPackageName)
	, PackagePath(InPackagePath)
	, AssetName(InAssetName)
{
}

FString FAssetData::GetObjectPathString() const
{
	return IsValid() ? PackageName.ToString() + TEXT(".") + AssetName.ToString() : FString();
}

FSoftObjectPath FAssetData::GetSoftObjectPath() const
{
	return FSoftObjectPath(GetObjectPathString());
}

UObject* FAssetData::GetAsset() const
{
	return IsValid() ? StaticLoadObject(UObject::StaticClass(), nullptr, *GetObjectPathString(), nullptr, LOAD_NoWarn) : nullptr;
}

namespace
{
	class FAssetRegistry : public IAssetRegistry
	{
	public:
		virtual FAssetData GetAssetByObjectPath(const FSoftObjectPath& ObjectPath, bool bIncludeOnlyOnDiskAssets, bool bSkipARFilteredAssets) const override
		{
			const FString Path = ObjectPath.ToString();
			int32 Dot = INDEX_NONE;
			if (Path.IsEmpty() || !Path.FindChar(TCHAR('.'), Dot) || Path.Contains(TEXT(":")))
			{
				return FAssetData();
			}
			const FString PackageName = Path.Left(Dot);
			const FString AssetName = Path.Mid(Dot + 1);
			if (AssetName.IsEmpty() || AssetName.Contains(TEXT(".")) || !FPackageName::IsValidLongPackageName(PackageName))
			{
				return FAssetData();
			}
			const bool bInMemory = !bIncludeOnlyOnDiskAssets && StaticFindObject(nullptr, nullptr, *Path) != nullptr;
			if (!bInMemory && !FPackageName::DoesPackageExist(PackageName))
			{
				return FAssetData();
			}
			return FAssetData(FName(PackageName), FName(FPackageName::GetLongPackagePath(PackageName)), FName(AssetName));
		}

		virtual FFilesLoadedEvent& OnFilesLoaded() override { return FilesLoaded; }
		virtual bool IsLoadingAssets() const override { return bLoadingAssets; }

		FFilesLoadedEvent FilesLoaded;
		bool bLoadingAssets = false;
	};

	FAssetRegistry& Registry()
	{
		static FAssetRegistry Instance;
		return Instance;
	}
}

void UE::AssetRegistry::Host::SetLoadingAssets(bool bLoading)
{
	FAssetRegistry& Instance = Registry();
	const bool bFinished = Instance.bLoadingAssets && !bLoading;
	Instance.bLoadingAssets = bLoading;
	if (bFinished)
	{
		Instance.FilesLoaded.Broadcast();
	}
}

IAssetRegistry& FAssetRegistryModule::GetRegistry()
{
	return Registry();
}
