// Copyright Kelmora. All Rights Reserved.
#include "AssetToolsModule.h"

#include "HostAssetImporters.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

#include <map>
#include <mutex>
#include <string>

DEFINE_LOG_CATEGORY_STATIC(LogAssetTools, Log, All);

namespace
{
	struct FImporters
	{
		std::mutex Mutex;
		std::map<std::string, UE::AssetTools::Host::FAssetImporter> ByExtension;
	};

	FImporters& Importers()
	{
		static FImporters Instance;
		return Instance;
	}

	std::string Key(const FString& Extension)
	{
		return std::string(TCHAR_TO_UTF8(*Extension.ToLower()));
	}

	/** The engine's object-name sanitising: characters invalid in object names become '_'. */
	FString SanitizeObjectName(const FString& Name)
	{
		static const FString Invalid(TEXT("\"' ,.:|&!~\n\r\t@#(){}[]=;^%$`/\\*?<>+"));
		FString Result;
		for (const TCHAR Char : Name)
		{
			int32 Index = INDEX_NONE;
			Result.AppendChar(Invalid.FindChar(Char, Index) ? TCHAR('_') : Char);
		}
		return Result;
	}

	class FAssetTools : public IAssetTools
	{
	public:
		virtual TArray<UObject*> ImportAssets(const TArray<FString>& Files, const FString& DestinationPath, UFactory* ChosenFactory, bool bSyncToBrowser, TArray<TPair<FString, FString>>* FilesAndDestinations, bool bAllowAsyncImport, bool bSceneImport) const override
		{
			TArray<UObject*> Imported;
			FString Destination = DestinationPath;
			while (Destination.EndsWith(TEXT("/")))
			{
				Destination = Destination.LeftChop(1);
			}
			for (const FString& File : Files)
			{
				UE::AssetTools::Host::FAssetImporter Importer;
				{
					FImporters& Registry = Importers();
					std::lock_guard<std::mutex> Lock(Registry.Mutex);
					const auto Found = Registry.ByExtension.find(Key(FPaths::GetExtension(File)));
					if (Found != Registry.ByExtension.end())
					{
						Importer = Found->second;
					}
				}
				if (!Importer)
				{
					UE_LOG(LogAssetTools, Warning, TEXT("ImportAssets: no importer for %s"), *File);
					continue;
				}
				if (!FPaths::FileExists(File))
				{
					UE_LOG(LogAssetTools, Warning, TEXT("ImportAssets: cannot find %s"), *File);
					continue;
				}
				const FString AssetName = SanitizeObjectName(FPaths::GetBaseFilename(File));
				const FString PackageName = Destination + TEXT("/") + AssetName;
				if (AssetName.IsEmpty() || !FPackageName::IsValidLongPackageName(PackageName))
				{
					UE_LOG(LogAssetTools, Warning, TEXT("ImportAssets: %s is not a valid asset package for %s"), *PackageName, *File);
					continue;
				}
				UPackage* Package = CreatePackage(*PackageName);
				if (!Package || StaticFindObjectFast(nullptr, Package, FName(AssetName)))
				{
					// The engine asks whether to replace; replacing in place would leave callers holding a destroyed asset.
					UE_LOG(LogAssetTools, Warning, TEXT("ImportAssets: %s.%s already exists; %s is not imported"), *PackageName, *AssetName, *File);
					continue;
				}
				if (UObject* Asset = Importer(File, Package, AssetName))
				{
					Package->SetDirtyFlag(true);
					Imported.Add(Asset);
				}
			}
			return Imported;
		}
	};
}

void UE::AssetTools::Host::RegisterAssetImporter(const FString& Extension, FAssetImporter Importer)
{
	FImporters& Registry = Importers();
	std::lock_guard<std::mutex> Lock(Registry.Mutex);
	Registry.ByExtension[Key(Extension)] = MoveTemp(Importer);
}

void FAssetToolsModule::StartupModule()
{
	AssetTools = MakeUnique<FAssetTools>();
	// The engine's AssetTools runs inside the editor, which is up before it.
	FModuleManager::Get().LoadModuleChecked(TEXT("UnrealEd"));
}

void FAssetToolsModule::ShutdownModule()
{
	AssetTools.reset();
}

IAssetTools& FAssetToolsModule::Get() const
{
	check(AssetTools);
	return *AssetTools;
}

FAssetToolsModule& FAssetToolsModule::GetModule()
{
	return FModuleManager::LoadModuleChecked<FAssetToolsModule>(TEXT("AssetTools"));
}

IMPLEMENT_MODULE(FAssetToolsModule, AssetTools)
