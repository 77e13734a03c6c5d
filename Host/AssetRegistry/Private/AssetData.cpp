// Copyright Kelmora. All Rights Reserved.
#include "AssetRegistry/AssetData.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "UObject/Object.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectIterator.h"

#include <nlohmann/json.hpp>

#include <filesystem>
#include <fstream>
#include <system_error>

FAssetData::FAssetData(FName InPackageName, FName InPackagePath, FName InAssetName, FTopLevelAssetPath InAssetClassPath)
	: PackageName(InPackageName)
	, PackagePath(InPackagePath)
	, AssetName(InAssetName)
	, AssetClassPath(InAssetClassPath)
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

		virtual bool GetAssetsByPath(FName PackagePath, TArray<FAssetData>& OutAssetData, bool bRecursive, bool bIncludeOnlyOnDiskAssets) const override
		{
			FString Path = PackagePath.ToString();
			while (Path.Len() > 1 && Path.EndsWith(TEXT("/")))
			{
				Path = Path.Left(Path.Len() - 1);
			}
			if (!FPackageName::IsValidLongPackageName(Path + TEXT("/A")))
			{
				return false;
			}
			auto InPath = [&Path, bRecursive](const FString& PackageName)
			{
				const FString Folder = FPackageName::GetLongPackagePath(PackageName);
				return Folder == Path || (bRecursive && Folder.StartsWith(Path + TEXT("/")));
			};
			TArray<FName> Seen;
			if (!bIncludeOnlyOnDiskAssets)
			{
				for (TObjectIterator<UPackage> It; It; ++It)
				{
					const FString PackageName = It->GetName();
					if (!InPath(PackageName))
					{
						continue;
					}
					const FString AssetName = FPackageName::GetShortName(PackageName);
					if (UObject* Asset = StaticFindObject(nullptr, nullptr, *(PackageName + TEXT(".") + AssetName)); IsValid(Asset))
					{
						Seen.AddUnique(FName(PackageName));
						OutAssetData.Add(FAssetData(FName(PackageName), FName(FPackageName::GetLongPackagePath(PackageName)), FName(AssetName), FTopLevelAssetPath(Asset->GetClass()->GetPathName())));
					}
				}
			}
			// A folder converts as a package of its own name would; the content root is the folder of /Game itself.
			FString Folder;
			if (Path.Equals(TEXT("/Game"), ESearchCase::IgnoreCase))
			{
				Folder = FPaths::ProjectContentDir();
			}
			else if (!FPackageName::TryConvertLongPackageNameToFilename(Path, Folder))
			{
				return true;
			}
			std::error_code Error;
			const std::filesystem::path Root(TCHAR_TO_UTF8(*Folder));
			auto Visit = [&](const std::filesystem::directory_entry& Entry)
			{
				std::error_code EntryError;
				if (!Entry.is_regular_file(EntryError) || Entry.path().extension() != ".uasset")
				{
					return;
				}
				const std::string Relative = Entry.path().lexically_relative(Root).replace_extension().generic_string();
				const FString PackageName = Path + TEXT("/") + FString(UTF8_TO_TCHAR(Relative.c_str()));
				if (Seen.Contains(FName(PackageName)))
				{
					return;
				}
				FTopLevelAssetPath ClassPath;
				FString AssetName;
				if (ReadAssetHeader(Entry.path(), ClassPath, AssetName))
				{
					OutAssetData.Add(FAssetData(FName(PackageName), FName(FPackageName::GetLongPackagePath(PackageName)), FName(AssetName), ClassPath));
				}
			};
			if (bRecursive)
			{
				for (auto It = std::filesystem::recursive_directory_iterator(Root, Error); !Error && It != std::filesystem::recursive_directory_iterator(); It.increment(Error))
				{
					Visit(*It);
				}
			}
			else
			{
				for (auto It = std::filesystem::directory_iterator(Root, Error); !Error && It != std::filesystem::directory_iterator(); It.increment(Error))
				{
					Visit(*It);
				}
			}
			return true;
		}

		virtual FFilesLoadedEvent& OnFilesLoaded() override { return FilesLoaded; }
		virtual bool IsLoadingAssets() const override { return bLoadingAssets; }

		FFilesLoadedEvent FilesLoaded;
		bool bLoadingAssets = false;

	private:
		/** The class and name of a saved asset, read from its file's first object; false when the file is not a readable asset. */
		static bool ReadAssetHeader(const std::filesystem::path& File, FTopLevelAssetPath& OutClassPath, FString& OutAssetName)
		{
			constexpr std::uintmax_t MaxHeaderFileSize = 64ull * 1024 * 1024;
			std::error_code Error;
			if (std::filesystem::file_size(File, Error) > MaxHeaderFileSize || Error)
			{
				return false;
			}
			std::ifstream Stream(File, std::ios::binary);
			const nlohmann::json Document = nlohmann::json::parse(Stream, nullptr, false);
			if (!Document.is_object() || !Document.contains("Objects") || !Document["Objects"].is_array() || Document["Objects"].empty())
			{
				return false;
			}
			const nlohmann::json& First = Document["Objects"][0];
			if (!First.is_object() || !First.contains("Class") || !First["Class"].is_string() || !First.contains("Name") || !First["Name"].is_string())
			{
				return false;
			}
			OutClassPath = FTopLevelAssetPath(FString(UTF8_TO_TCHAR(First["Class"].get<std::string>().c_str())));
			OutAssetName = FString(UTF8_TO_TCHAR(First["Name"].get<std::string>().c_str()));
			return !OutClassPath.IsNull() && !OutAssetName.IsEmpty();
		}
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
