// Copyright Kelmora. All Rights Reserved.
// The nDisplay blueprint's import, construction-script edits, ICVFX camera, export, saving and placement.
#include "OrvaneNDisplayConfigImporter.h"

#include "Engine/StaticMesh.h"

#if WITH_EDITOR
#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/IAssetRegistry.h"
#include "AssetToolsModule.h"
#include "Blueprints/DisplayClusterBlueprint.h"
#include "Components/ActorComponent.h"
#include "Components/SceneComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "Editor.h"
#include "Engine/Blueprint.h"
#include "Engine/Level.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"
#include "IAssetTools.h"
#include "IDisplayClusterConfiguration.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvanePackageSaving.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/UnrealType.h"
#endif

#if WITH_EDITOR
namespace
{
	const TCHAR* const ICVFXCameraName = TEXT("Orvane_ICVFX_Camera");
	const TCHAR* const ICVFXCameraClassPath = TEXT("/Script/DisplayCluster.DisplayClusterICVFXCameraComponent");

	bool ContainsIgnoreCase(const FString& Text, const TCHAR* Fragment)
	{
		return Text.Contains(Fragment, ESearchCase::IgnoreCase);
	}

	bool IsICVFXCameraClass(const UObject* Object)
	{
		return Object && ContainsIgnoreCase(Object->GetClass()->GetName(), TEXT("ICVFXCamera"));
	}

	/**
	 * Writes the inner-frustum switches and the external camera of an ICVFX camera component's settings, found
	 * by name; false when the component has no settings. An external camera that is not of the reference's
	 * class is not written, and OutRefusedCameraClass names the class it would need.
	 */
	bool WriteCameraSettings(UActorComponent* Component, AActor* ExternalCamera, const UClass*& OutRefusedCameraClass)
	{
		OutRefusedCameraClass = nullptr;
		FStructProperty* SettingsProperty = FindFProperty<FStructProperty>(Component->GetClass(), TEXT("CameraSettings"));
		if (!SettingsProperty)
		{
			return false;
		}
		void* Settings = SettingsProperty->ContainerPtrToValuePtr<void>(Component);
		if (FStructProperty* FrustumProperty = FindFProperty<FStructProperty>(SettingsProperty->Struct, TEXT("CustomFrustum")))
		{
			void* Frustum = FrustumProperty->ContainerPtrToValuePtr<void>(Settings);
			for (const TCHAR* Flag : {TEXT("bEnable"), TEXT("bAdaptResolution")})
			{
				if (FBoolProperty* FlagProperty = FindFProperty<FBoolProperty>(FrustumProperty->Struct, Flag))
				{
					FlagProperty->SetPropertyValue_InContainer(Frustum, false);
				}
			}
		}
		if (ExternalCamera)
		{
			FProperty* CameraProperty = FindFProperty<FProperty>(SettingsProperty->Struct, TEXT("ExternalCameraActor"));
			const FObjectPropertyBase* ReferenceProperty = CastField<FObjectPropertyBase>(CameraProperty);
			const UClass* DeclaredClass = ReferenceProperty ? static_cast<const UClass*>(ReferenceProperty->PropertyClass) : nullptr;
			if (ReferenceProperty && (!DeclaredClass || !ExternalCamera->IsA(DeclaredClass)))
			{
				// nDisplay reads the reference as its declared class; an actor of another class must not be written.
				OutRefusedCameraClass = DeclaredClass ? DeclaredClass : AActor::StaticClass();
				return true;
			}
			if (FSoftObjectProperty* SoftProperty = CastField<FSoftObjectProperty>(CameraProperty))
			{
				// A soft reference to the camera actor.
				SoftProperty->SetObjectPropertyValue_InContainer(Settings, ExternalCamera);
			}
			else if (FObjectPropertyBase* ObjectProperty = CastField<FObjectPropertyBase>(CameraProperty))
			{
				ObjectProperty->SetObjectPropertyValue_InContainer(Settings, ExternalCamera);
			}
		}
		return true;
	}

	/** The editor world, with the log line of the caller's kind of failure when there is none. */
	/**
	 * A spawn name unique in the level the actor goes to. Actors live in the level, not in the world, so a
	 * name checked against the world alone can collide with an actor of another class and fail the spawn.
	 */
	FName MakeSpawnName(UWorld* World, UClass* Class)
	{
		UObject* Outer = World->PersistentLevel ? static_cast<UObject*>(World->PersistentLevel.Get()) : static_cast<UObject*>(World);
		return MakeUniqueObjectName(Outer, Class, FName(TEXT("Orvane_nDisplay")));
	}

	UWorld* GetEditorWorld(const TCHAR* NoEditorMessage, const TCHAR* NoWorldMessage, const TCHAR* NotEditorMessage)
	{
		if (!GEditor)
		{
			UE_LOG(LogTemp, Error, TEXT("%s"), NoEditorMessage);
			return nullptr;
		}
		UWorld* World = GEditor->GetEditorWorldContext().World();
		if (!IsValid(World))
		{
			UE_LOG(LogTemp, Error, TEXT("%s"), NoWorldMessage);
			return nullptr;
		}
		if (World->WorldType != EWorldType::Editor)
		{
			UE_LOG(LogTemp, Error, TEXT("%s"), NotEditorMessage);
			return nullptr;
		}
		return World;
	}
}
#endif

UBlueprint* UOrvaneNDisplayConfigImporter::GetBlueprintFromDisplayCluster(UObject* Obj)
{
#if WITH_EDITOR
	return Cast<UBlueprint>(Obj);
#else
	return nullptr;
#endif
}

UObject* UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(const FString& FilePath, const FString& AssetName)
{
#if WITH_EDITOR
	if (!FPlatformFileManager::Get().GetPlatformFile().FileExists(*FilePath))
	{
		UE_LOG(LogTemp, Error, TEXT("ImportNDisplayToProject: File does not exist: %s"), *FilePath);
		return nullptr;
	}
	const FString DestinationFolder = FPaths::GetPath(FString::Printf(TEXT("/Game/Orvane/Ndisplay/%s"), *AssetName));
	// The name may choose a subfolder, but never one outside the nDisplay folder, nor one the engine cannot name.
	TArray<FString> Segments;
	AssetName.Replace(TEXT("\\"), TEXT("/"), ESearchCase::CaseSensitive).ParseIntoArray(Segments, TEXT("/"), false);
	if (Segments.Contains(FString(TEXT(".."))) || !FPackageName::IsValidLongPackageName(DestinationFolder))
	{
		UE_LOG(LogTemp, Error, TEXT("ImportNDisplayToProject: Invalid asset name: %s"), *AssetName);
		return nullptr;
	}
	FAssetToolsModule& AssetToolsModule = FModuleManager::LoadModuleChecked<FAssetToolsModule>(TEXT("AssetTools"));
	const TArray<UObject*> Imported = AssetToolsModule.Get().ImportAssets(TArray<FString>{FilePath}, DestinationFolder, nullptr, false, nullptr, false, false);
	if (Imported.Num() > 0 && Imported[0])
	{
		UE_LOG(LogTemp, Log, TEXT("ImportNDisplayToProject: Successfully imported nDisplay blueprint: %s"), *Imported[0]->GetName());
		return Imported[0];
	}
	UE_LOG(LogTemp, Error, TEXT("ImportNDisplayToProject: Import failed"));
#endif
	return nullptr;
}

bool UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(UObject* BlueprintObj, const TArray<FString>& MeshPaths)
{
#if WITH_EDITOR
	if (!BlueprintObj || MeshPaths.Num() == 0)
	{
		UE_LOG(LogTemp, Warning, TEXT("AddMeshesToDisplayClusterBlueprint: Invalid input parameters"));
		return false;
	}
	UBlueprint* Blueprint = GetBlueprintFromDisplayCluster(BlueprintObj);
	if (!Blueprint)
	{
		UE_LOG(LogTemp, Error, TEXT("AddMeshesToDisplayClusterBlueprint: Failed to get blueprint"));
		return false;
	}
	if (!AddStaticMeshComponents(Blueprint, MeshPaths))
	{
		return false;
	}
	SaveBlueprintAsset(Blueprint);
	UE_LOG(LogTemp, Log, TEXT("AddMeshesToDisplayClusterBlueprint: Successfully added %d meshes"), MeshPaths.Num());
	return true;
#else
	return false;
#endif
}

bool UOrvaneNDisplayConfigImporter::AddStaticMeshComponents(UBlueprint* Blueprint, const TArray<FString>& MeshPaths)
{
#if WITH_EDITOR
	USimpleConstructionScript* Script = Blueprint ? Blueprint->SimpleConstructionScript.Get() : nullptr;
	if (!Script)
	{
		UE_LOG(LogTemp, Error, TEXT("AddStaticMeshComponents: Invalid Blueprint or SimpleConstructionScript"));
		return false;
	}

	// The import leaves its own xform and screen nodes; the wall meshes take their place.
	TArray<USCS_Node*> Orphans;
	for (USCS_Node* Node : Script->GetAllNodes())
	{
		if (!Node || !Node->ComponentTemplate)
		{
			continue;
		}
		const FString ClassName = Node->ComponentTemplate->GetClass()->GetName();
		if (ContainsIgnoreCase(Node->GetVariableName().ToString(), TEXT("nDisplayXform")) || ContainsIgnoreCase(ClassName, TEXT("DisplayClusterXform")) || ContainsIgnoreCase(ClassName, TEXT("DisplayClusterSceneComponent")))
		{
			Orphans.Add(Node);
		}
	}
	for (USCS_Node* Node : Orphans)
	{
		Script->RemoveNode(Node, true);
	}
	UE_LOG(LogTemp, Log, TEXT("AddStaticMeshComponents: Removed %d orphaned nodes"), Orphans.Num());

	int32 Added = 0;
	for (const FString& MeshPath : MeshPaths)
	{
		const FString ComponentName = FPaths::GetBaseFilename(MeshPath);
		UStaticMesh* Mesh = LoadStaticMeshFromPath(MeshPath);
		if (!Mesh)
		{
			continue;
		}
		USCS_Node* Node = Script->CreateNode(UStaticMeshComponent::StaticClass(), FName(*ComponentName));
		if (!Node)
		{
			continue;
		}
		Node->SetVariableName(FName(*ComponentName), true);
		if (UStaticMeshComponent* Template = Cast<UStaticMeshComponent>(Node->ComponentTemplate))
		{
			Template->SetStaticMesh(Mesh);
			Template->SetRelativeLocation(FVector::ZeroVector);
			Template->SetRelativeRotation(FRotator::ZeroRotator);
			Template->SetRelativeScale3D(FVector::OneVector);
		}
		Script->AddNode(Node);
		++Added;
	}
	UE_LOG(LogTemp, Log, TEXT("AddStaticMeshComponents: Added %d mesh components"), Added);

	FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(Blueprint);
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	return Added > 0;
#else
	return false;
#endif
}

bool UOrvaneNDisplayConfigImporter::DisableInnerFrustumsOnRootActor(UObject* DisplayClusterBP)
{
#if WITH_EDITOR
	UDisplayClusterBlueprint* Blueprint = Cast<UDisplayClusterBlueprint>(DisplayClusterBP);
	if (!Blueprint)
	{
		UE_LOG(LogTemp, Error, TEXT("DisableInnerFrustumsOnRootActor: Invalid DisplayClusterBP"));
		return false;
	}
	UClass* GeneratedClass = Blueprint->GeneratedClass;
	ADisplayClusterRootActor* DefaultActor = IsValid(GeneratedClass) ? Cast<ADisplayClusterRootActor>(GeneratedClass->GetDefaultObject(true)) : nullptr;
	UDisplayClusterConfigurationData* ConfigData = DefaultActor ? DefaultActor->GetConfigData() : nullptr;
	if (!ConfigData)
	{
		UE_LOG(LogTemp, Error, TEXT("DisableInnerFrustumsOnRootActor: Could not find CurrentConfigData"));
		return false;
	}
	ConfigData->Modify(true);
	// No inner frustum is rendered, and none keeps chroma key over the overlap of two frustums.
	ConfigData->StageSettings.bEnableInnerFrustums = false;
	ConfigData->StageSettings.bEnableInnerFrustumChromakeyOverlap = false;
	ConfigData->MarkPackageDirty();
	UE_LOG(LogTemp, Log, TEXT("DisableInnerFrustumsOnRootActor: Successfully disabled inner frustums"));
	return true;
#else
	return false;
#endif
}

bool UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(UObject* BlueprintObj)
{
#if WITH_EDITOR
	UBlueprint* Blueprint = GetBlueprintFromDisplayCluster(BlueprintObj);
	if (!Blueprint)
	{
		UE_LOG(LogTemp, Error, TEXT("AddICVFXCameraComponent: BlueprintObj is not a valid UBlueprint"));
		return false;
	}
	USimpleConstructionScript* Script = Blueprint->SimpleConstructionScript.Get();
	if (!Script)
	{
		UE_LOG(LogTemp, Error, TEXT("AddICVFXCameraComponent: Blueprint has no SimpleConstructionScript"));
		return false;
	}

	USCS_Node* CameraNode = nullptr;
	for (USCS_Node* Node : Script->GetAllNodes())
	{
		if (Node && IsICVFXCameraClass(Node->ComponentTemplate))
		{
			CameraNode = Node;
			UE_LOG(LogTemp, Log, TEXT("AddICVFXCameraComponent: Found existing ICVFX camera component"));
			break;
		}
	}
	if (!CameraNode)
	{
		UClass* CameraClass = StaticLoadClass(UActorComponent::StaticClass(), nullptr, ICVFXCameraClassPath);
		if (!CameraClass)
		{
			UE_LOG(LogTemp, Error, TEXT("AddICVFXCameraComponent: Could not find DisplayClusterICVFXCameraComponent class"));
			return false;
		}
		CameraNode = Script->CreateNode(CameraClass, FName(ICVFXCameraName));
		if (!CameraNode)
		{
			UE_LOG(LogTemp, Error, TEXT("AddICVFXCameraComponent: Failed to create ICVFX camera node"));
			return false;
		}
		CameraNode->SetVariableName(FName(ICVFXCameraName), true);
		if (USceneComponent* Template = Cast<USceneComponent>(CameraNode->ComponentTemplate))
		{
			Template->SetRelativeLocation(FVector::ZeroVector);
			Template->SetRelativeRotation(FRotator::ZeroRotator);
			Template->SetRelativeScale3D(FVector::OneVector);
		}
		Script->AddNode(CameraNode);
		UE_LOG(LogTemp, Log, TEXT("AddICVFXCameraComponent: Created new ICVFX camera component"));
	}

	if (CameraNode->ComponentTemplate)
	{
		ConfigureICVFXCameraSettings(CameraNode->ComponentTemplate, nullptr);
		UE_LOG(LogTemp, Log, TEXT("AddICVFXCameraComponent: Configured ICVFX camera settings"));
	}
	else
	{
		UE_LOG(LogTemp, Warning, TEXT("AddICVFXCameraComponent: Could not configure camera settings - node or template is null"));
	}

	FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(Blueprint);
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	if (!SaveBlueprintAsset(Blueprint))
	{
		UE_LOG(LogTemp, Warning, TEXT("AddICVFXCameraComponent: Failed to save blueprint asset"));
	}
	UE_LOG(LogTemp, Log, TEXT("AddICVFXCameraComponent: Successfully added and configured ICVFX camera component"));
	return true;
#else
	return false;
#endif
}

void UOrvaneNDisplayConfigImporter::ConfigureICVFXCameraSettings(UActorComponent* Component, AActor* ExternalCamera)
{
#if WITH_EDITOR
	if (!Component)
	{
		UE_LOG(LogTemp, Error, TEXT("ConfigureICVFXCameraSettings: Component is null"));
		return;
	}
	const UClass* RefusedCameraClass = nullptr;
	if (!WriteCameraSettings(Component, IsValid(ExternalCamera) ? ExternalCamera : nullptr, RefusedCameraClass))
	{
		UE_LOG(LogTemp, Error, TEXT("ConfigureICVFXCameraSettings: Could not find CameraSettings property"));
		return;
	}
	if (RefusedCameraClass)
	{
		UE_LOG(LogTemp, Error, TEXT("ConfigureICVFXCameraSettings: %s is not a %s; the external camera is not set"), *ExternalCamera->GetName(), *RefusedCameraClass->GetName());
	}
	Component->Modify(true);
	Component->MarkPackageDirty();
#endif
}

bool UOrvaneNDisplayConfigImporter::ExportNDisplayConfigToFile(UObject* DisplayClusterBP, const FString& FilePath)
{
#if WITH_EDITOR
	UDisplayClusterBlueprint* Blueprint = Cast<UDisplayClusterBlueprint>(DisplayClusterBP);
	if (!Blueprint)
	{
		UE_LOG(LogTemp, Error, TEXT("ExportNDisplayConfigToFile: Invalid DisplayCluster Blueprint"));
		return false;
	}
	UDisplayClusterConfigurationData* ConfigData = Blueprint->GetConfig();
	if (!ConfigData)
	{
		UE_LOG(LogTemp, Error, TEXT("ExportNDisplayConfigToFile: Failed to get configuration data from blueprint"));
		return false;
	}
	Blueprint->PrepareConfigForExport();
	if (IDisplayClusterConfiguration::Get().SaveConfig(ConfigData, FilePath))
	{
		UE_LOG(LogTemp, Log, TEXT("ExportNDisplayConfigToFile: Successfully exported nDisplay config to: %s"), *FilePath);
		return true;
	}
	UE_LOG(LogTemp, Error, TEXT("ExportNDisplayConfigToFile: Failed to save nDisplay config to: %s"), *FilePath);
#endif
	return false;
}

bool UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets(const TArray<FString>& MeshPaths, UObject* DisplayClusterBP)
{
#if WITH_EDITOR
	TArray<UPackage*> Packages;
	auto AddPackage = [&Packages](UPackage* Package)
	{
		if (!Package)
		{
			return;
		}
		// Only the project's own content is written; engine and plug-in content is not ours to overwrite.
		if (!Package->GetName().StartsWith(TEXT("/Game/"), ESearchCase::IgnoreCase))
		{
			UE_LOG(LogTemp, Warning, TEXT("SaveDisplayClusterAssets: Skipped package outside /Game/: %s"), *Package->GetName());
			return;
		}
		Packages.AddUnique(Package);
	};
	for (const FString& MeshPath : MeshPaths)
	{
		UObject* Object = FSoftObjectPath(MeshPath).TryLoad();
		AddPackage(Object ? Object->GetPackage() : nullptr);
	}
	AddPackage(DisplayClusterBP ? DisplayClusterBP->GetPackage() : nullptr);

	int32 Saved = 0;
	bool bAllSaved = true;
	for (UPackage* Package : Packages)
	{
		if (OrvanePackageSaving::SavePackageFile(Package))
		{
			++Saved;
		}
		else
		{
			UE_LOG(LogTemp, Error, TEXT("SaveDisplayClusterAssets: Failed to save package: %s"), *Package->GetName());
			bAllSaved = false;
		}
	}
	UE_LOG(LogTemp, Log, TEXT("SaveDisplayClusterAssets: Saved %d/%d packages"), Saved, Packages.Num());
	return bAllSaved;
#else
	return false;
#endif
}

bool UOrvaneNDisplayConfigImporter::SaveBlueprintAsset(UBlueprint* Blueprint)
{
#if WITH_EDITOR
	if (!Blueprint)
	{
		UE_LOG(LogTemp, Error, TEXT("SaveBlueprintAsset: Blueprint is null"));
		return false;
	}
	UPackage* Package = Blueprint->GetPackage();
	if (!Package)
	{
		UE_LOG(LogTemp, Error, TEXT("SaveBlueprintAsset: Blueprint has no package"));
		return false;
	}
	if (OrvanePackageSaving::SavePackageFile(Package))
	{
		FAssetRegistryModule::AssetCreated(Blueprint);
		UE_LOG(LogTemp, Log, TEXT("SaveBlueprintAsset: Successfully saved blueprint: %s"), *Package->GetName());
		return true;
	}
	UE_LOG(LogTemp, Error, TEXT("SaveBlueprintAsset: Failed to save blueprint: %s"), *Package->GetName());
#endif
	return false;
}

UStaticMesh* UOrvaneNDisplayConfigImporter::LoadStaticMeshFromPath(const FString& Path)
{
#if WITH_EDITOR
	UObject* Object = FSoftObjectPath(Path).TryLoad();
	if (!Object)
	{
		FAssetRegistryModule& AssetRegistryModule = FModuleManager::LoadModuleChecked<FAssetRegistryModule>(TEXT("AssetRegistry"));
		const FAssetData AssetData = AssetRegistryModule.Get().GetAssetByObjectPath(FSoftObjectPath(Path), false);
		if (AssetData.IsValid())
		{
			Object = AssetData.GetAsset();
		}
	}
	if (UStaticMesh* Mesh = Cast<UStaticMesh>(Object))
	{
		UE_LOG(LogTemp, Log, TEXT("LoadStaticMeshFromPath: Successfully loaded mesh: %s"), *Path);
		return Mesh;
	}
	UE_LOG(LogTemp, Warning, TEXT("LoadStaticMeshFromPath: Failed to load mesh: %s"), *Path);
#endif
	return nullptr;
}

AActor* UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(UObject* NDisplayConfigObj)
{
#if WITH_EDITOR
	UDisplayClusterBlueprint* Blueprint = Cast<UDisplayClusterBlueprint>(NDisplayConfigObj);
	if (!IsValid(Blueprint))
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorInLevel: Invalid nDisplay config object"));
		return nullptr;
	}
	UWorld* World = GetEditorWorld(TEXT("SpawnNDisplayActorInLevel: GEditor is null"), TEXT("SpawnNDisplayActorInLevel: Invalid world"), TEXT("SpawnNDisplayActorInLevel: World is not an editor world"));
	if (!World)
	{
		return nullptr;
	}
	UClass* GeneratedClass = Blueprint->GeneratedClass;
	if (!IsValid(GeneratedClass))
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorInLevel: Invalid generated class from blueprint"));
		return nullptr;
	}
	FActorSpawnParameters SpawnParameters;
	SpawnParameters.Name = MakeSpawnName(World, GeneratedClass);
	SpawnParameters.SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::AlwaysSpawn;
	AActor* Actor = World->SpawnActor(GeneratedClass, &FVector::ZeroVector, &FRotator::ZeroRotator, SpawnParameters);
	if (!IsValid(Actor))
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorInLevel: Failed to spawn nDisplay actor from class"));
		return nullptr;
	}
	UE_LOG(LogTemp, Log, TEXT("SpawnNDisplayActorInLevel: Successfully spawned nDisplay actor: %s"), *Actor->GetName());
	return Actor;
#else
	return nullptr;
#endif
}

AActor* UOrvaneNDisplayConfigImporter::SpawnNDisplayActorFromFile(const FString& FilePath)
{
#if WITH_EDITOR
	if (!FPlatformFileManager::Get().GetPlatformFile().FileExists(*FilePath))
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorFromFile: File does not exist: %s"), *FilePath);
		return nullptr;
	}
	UWorld* World = GetEditorWorld(TEXT("SpawnNDisplayActorFromFile: GEditor is null"), TEXT("SpawnNDisplayActorFromFile: Invalid editor world"), TEXT("SpawnNDisplayActorFromFile: Invalid editor world"));
	if (!World)
	{
		return nullptr;
	}
	UClass* RootActorClass = ADisplayClusterRootActor::StaticClass();
	if (!RootActorClass)
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorFromFile: Could not find DisplayClusterRootActor class"));
		return nullptr;
	}
	FActorSpawnParameters SpawnParameters;
	SpawnParameters.Name = MakeSpawnName(World, RootActorClass);
	SpawnParameters.SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::AlwaysSpawn;
	AActor* Actor = World->SpawnActor(RootActorClass, &FVector::ZeroVector, &FRotator::ZeroRotator, SpawnParameters);
	if (!Actor)
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorFromFile: Failed to spawn nDisplay actor"));
		return nullptr;
	}
	ADisplayClusterRootActor* RootActor = Cast<ADisplayClusterRootActor>(Actor);
	if (!RootActor)
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorFromFile: Spawned actor is not a DisplayClusterRootActor"));
		return nullptr;
	}
	UDisplayClusterConfigurationData* ConfigData = NewObject<UDisplayClusterConfigurationData>(GetTransientPackage());
	if (!ConfigData)
	{
		UE_LOG(LogTemp, Error, TEXT("SpawnNDisplayActorFromFile: Failed to create config data"));
		return nullptr;
	}
	// The form every engine version from 5.3 on has (InitializeFromConfig is older).
	RootActor->UpdateConfigDataInstance(ConfigData, true);
	UE_LOG(LogTemp, Log, TEXT("SpawnNDisplayActorFromFile: Successfully spawned and initialized nDisplay actor"));
	return RootActor;
#else
	return nullptr;
#endif
}

void UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(AActor* NDisplayActor, AActor* VPCamera)
{
#if WITH_EDITOR
	if (!NDisplayActor || !VPCamera)
	{
		UE_LOG(LogTemp, Warning, TEXT("LinkVPCameraToICVFXInstance: NDisplayActor or VPCamera is null"));
		return;
	}
	TArray<UActorComponent*> Components;
	NDisplayActor->GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (!IsICVFXCameraClass(Component))
		{
			continue;
		}
		const UClass* RefusedCameraClass = nullptr;
		if (!WriteCameraSettings(Component, VPCamera, RefusedCameraClass))
		{
			UE_LOG(LogTemp, Error, TEXT("LinkVPCameraToICVFXInstance: Could not find CameraSettings property"));
			continue;
		}
		Component->Modify(true);
		Component->PostEditChange();
		if (RefusedCameraClass)
		{
			UE_LOG(LogTemp, Error, TEXT("LinkVPCameraToICVFXInstance: %s is not a %s; the camera is not linked"), *VPCamera->GetName(), *RefusedCameraClass->GetName());
			return;
		}
		UE_LOG(LogTemp, Log, TEXT("LinkVPCameraToICVFXInstance: Successfully linked VP camera to ICVFX instance"));
		return;
	}
	UE_LOG(LogTemp, Warning, TEXT("LinkVPCameraToICVFXInstance: No ICVFX camera component found"));
#endif
}
