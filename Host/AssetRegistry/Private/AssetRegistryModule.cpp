// Copyright Kelmora. All Rights Reserved.
#include "AssetRegistry/AssetRegistryModule.h"

#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "HAL/CriticalSection.h"
#include "Misc/ScopeLock.h"
#include "Modules/ModuleManager.h"
#include "UObject/Object.h"

namespace
{
	// Paths rather than pointers: an announced asset may be garbage collected later.
	struct FCreatedAssets
	{
		FCriticalSection Lock;
		TArray<FString> Paths;
	};

	FCreatedAssets& CreatedAssets()
	{
		static FCreatedAssets Assets;
		return Assets;
	}
}

void FAssetRegistryModule::AssetCreated(UObject* NewAsset)
{
	if (!NewAsset)
	{
		return;
	}
	FCreatedAssets& Assets = CreatedAssets();
	FScopeLock Guard(&Assets.Lock);
	Assets.Paths.Add(NewAsset->GetPathName());
}

TArray<FString> UE::AssetRegistry::Host::GetCreatedAssetPaths()
{
	FCreatedAssets& Assets = CreatedAssets();
	FScopeLock Guard(&Assets.Lock);
	return Assets.Paths;
}

bool UE::AssetRegistry::Host::WasAssetCreated(const FString& ObjectPath)
{
	FCreatedAssets& Assets = CreatedAssets();
	FScopeLock Guard(&Assets.Lock);
	return Assets.Paths.Contains(ObjectPath);
}

void UE::AssetRegistry::Host::ResetCreatedAssets()
{
	FCreatedAssets& Assets = CreatedAssets();
	FScopeLock Guard(&Assets.Lock);
	Assets.Paths.Empty();
}

IMPLEMENT_MODULE(FAssetRegistryModule, AssetRegistry)
