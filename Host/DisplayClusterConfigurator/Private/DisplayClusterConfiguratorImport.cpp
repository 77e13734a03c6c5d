// Copyright Kelmora. All Rights Reserved.
// The ".ndisplay" importer (engine: the nDisplay configurator's factory), registered with AssetTools when the
// module's library loads.
#include "AssetRegistry/AssetRegistryModule.h"
#include "Blueprints/DisplayClusterBlueprint.h"
#include "Components/DisplayClusterCameraComponent.h"
#include "Components/DisplayClusterScreenComponent.h"
#include "Components/DisplayClusterXformComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "Engine/StaticMesh.h"
#include "HostAssetImporters.h"
#include "IDisplayClusterConfiguration.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "Modules/ModuleManager.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"

#include <nlohmann/json.hpp>

#include <map>
#include <string>

DEFINE_LOG_CATEGORY_STATIC(LogDisplayClusterConfigurator, Log, All);

namespace
{
	FName ToName(const std::string& Text)
	{
		return FName(UTF8_TO_TCHAR(Text.c_str()));
	}

	/** The location and rotation of a scene entry, where present and numeric. */
	void ApplyTransform(const nlohmann::json& Entry, USceneComponent* Component)
	{
		const auto Number = [](const nlohmann::json& Object, const char* Key)
		{
			const auto Found = Object.is_object() ? Object.find(Key) : Object.end();
			return Found != Object.end() && Found->is_number() ? Found->get<double>() : 0.0;
		};
		if (const auto Location = Entry.find("location"); Location != Entry.end())
		{
			Component->SetRelativeLocation(FVector(Number(*Location, "x"), Number(*Location, "y"), Number(*Location, "z")));
		}
		if (const auto Rotation = Entry.find("rotation"); Rotation != Entry.end())
		{
			Component->SetRelativeRotation(FRotator(Number(*Rotation, "pitch"), Number(*Rotation, "yaw"), Number(*Rotation, "roll")));
		}
	}

	/** One construction-script node per scene component of the configuration, parents first where they are named. */
	void AddSceneNodes(USimpleConstructionScript* Script, const FString& SceneJson)
	{
		const nlohmann::json Scene = nlohmann::json::parse(std::string(TCHAR_TO_UTF8(*SceneJson)), nullptr, false);
		if (!Scene.is_object())
		{
			return;
		}
		struct FKind
		{
			const char* Section;
			UClass* Class;
		};
		const FKind Kinds[] = {{"xforms", UDisplayClusterXformComponent::StaticClass()}, {"screens", UDisplayClusterScreenComponent::StaticClass()}, {"cameras", UDisplayClusterCameraComponent::StaticClass()}, {"meshes", UStaticMeshComponent::StaticClass()}};
		std::map<std::string, USCS_Node*> ById;
		std::vector<std::pair<USCS_Node*, std::string>> Parents;
		for (const FKind& Kind : Kinds)
		{
			const auto Section = Scene.find(Kind.Section);
			if (Section == Scene.end() || !Section->is_object())
			{
				continue;
			}
			for (const auto& [Id, Entry] : Section->items())
			{
				if (Id.empty() || ById.count(Id) || !Entry.is_object())
				{
					continue;
				}
				USCS_Node* Node = Script->CreateNode(Kind.Class, ToName(Id));
				if (!Node)
				{
					continue;
				}
				if (USceneComponent* Template = Cast<USceneComponent>(Node->ComponentTemplate))
				{
					ApplyTransform(Entry, Template);
				}
				const auto Asset = Entry.find("assetPath");
				UStaticMeshComponent* MeshTemplate = Cast<UStaticMeshComponent>(Node->ComponentTemplate);
				if (MeshTemplate && Asset != Entry.end() && Asset->is_string() && !Asset->get<std::string>().empty())
				{
					MeshTemplate->SetStaticMesh(LoadObject<UStaticMesh>(nullptr, UTF8_TO_TCHAR(Asset->get<std::string>().c_str()), nullptr, LOAD_NoWarn));
				}
				ById[Id] = Node;
				const auto Parent = Entry.find("parentId");
				Parents.emplace_back(Node, Parent != Entry.end() && Parent->is_string() ? Parent->get<std::string>() : std::string());
			}
		}
		std::map<USCS_Node*, USCS_Node*> ParentOf;
		for (const auto& [Node, ParentId] : Parents)
		{
			const auto Parent = ById.find(ParentId);
			USCS_Node* ParentNode = Parent != ById.end() ? Parent->second : nullptr;
			// A parent below its own child would make a loop: such a node stays at the root.
			bool bLoop = false;
			for (USCS_Node* Up = ParentNode; Up && !bLoop; Up = ParentOf.count(Up) ? ParentOf[Up] : nullptr)
			{
				bLoop = Up == Node;
			}
			if (ParentNode && !bLoop && Cast<USceneComponent>(ParentNode->ComponentTemplate))
			{
				ParentOf[Node] = ParentNode;
				ParentNode->AddChildNode(Node, false);
			}
		}
		// Adding a root adds everything below it to the script's node list.
		for (const auto& [Node, ParentId] : Parents)
		{
			if (!ParentOf.count(Node))
			{
				Script->AddNode(Node);
			}
		}
	}

	UObject* ImportNDisplayFile(const FString& Filename, UPackage* Package, const FString& AssetName)
	{
		UDisplayClusterConfigurationData* Config = IDisplayClusterConfiguration::Get().LoadConfig(Filename);
		if (!Config)
		{
			UE_LOG(LogDisplayClusterConfigurator, Error, TEXT("Import: %s is not an nDisplay configuration"), *Filename);
			return nullptr;
		}
		UDisplayClusterBlueprint* Blueprint = NewObject<UDisplayClusterBlueprint>(Package, FName(AssetName), RF_Public | RF_Standalone | RF_Transactional);
		if (!Blueprint)
		{
			return nullptr;
		}
		Blueprint->ParentClass = ADisplayClusterRootActor::StaticClass();
		Blueprint->SimpleConstructionScript = NewObject<USimpleConstructionScript>(Blueprint, FName(TEXT("SimpleConstructionScript")), RF_Transactional);
		Config->Rename(nullptr, Blueprint, REN_DoNotDirty);
		Blueprint->SetConfigData(Config);
		AddSceneNodes(Blueprint->SimpleConstructionScript, Config->HostSceneJson);
		FKismetEditorUtilities::CompileBlueprint(Blueprint);
		FAssetRegistryModule::AssetCreated(Blueprint);
		return Blueprint;
	}

	struct FRegisterNDisplayImporter
	{
		FRegisterNDisplayImporter() { UE::AssetTools::Host::RegisterAssetImporter(TEXT("ndisplay"), &ImportNDisplayFile); }
	};
	const FRegisterNDisplayImporter GRegisterNDisplayImporter;
}

IMPLEMENT_MODULE(FDefaultModuleImpl, DisplayClusterConfigurator)
