// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "OrvaneNDisplayConfigImporter.generated.h"

class AActor;
class UActorComponent;
class UBlueprint;
class UStaticMesh;
struct FOrvaneStageData;

/** Turns a stage into an nDisplay cluster configuration for one headless render node with TextureShare. */
UCLASS()
class ORVANELIVELINK_API UOrvaneNDisplayConfigImporter : public UObject
{
	GENERATED_BODY()

public:
	/**
	 * The nDisplay configuration document of a stage: one screen or mesh component and one viewport per
	 * wall on a shared canvas, and on request an ICVFX camera with its own viewport. Mesh walls take the
	 * mesh asset paths in order. Reads its inputs only. Empty when a screen wall's position or rotation is
	 * not a finite number, which JSON cannot hold.
	 */
	static FString GenerateNDisplayConfigFromORVS(const FOrvaneStageData& StageData, const TArray<FString>& MeshAssetPaths, bool bIncludeICVFXCamera);

	/**
	 * Reads the stage file, builds a mesh asset for each wall with mesh data and writes the configuration
	 * beside the stage file as "<name>.ndisplay". Returns the written path, or an empty string on failure.
	 */
	static FString CreateNDisplayFromORVS(const FString& OrvsFilePath, bool bIncludeICVFXCamera, TArray<FString>& OutMeshAssetPaths);

	/** Imports a ".ndisplay" file into "/Game/Orvane/Ndisplay" as an nDisplay blueprint; the first imported object, or null. */
	static UObject* ImportNDisplayToProject(const FString& FilePath, const FString& AssetName);
	/** Adds one static mesh component per mesh path to the nDisplay blueprint and saves it. */
	static bool AddMeshesToDisplayClusterBlueprint(UObject* BlueprintObj, const TArray<FString>& MeshPaths);
	/** Removes the generated xform and screen nodes, adds a static mesh node per loadable path and compiles; true when one was added. */
	static bool AddStaticMeshComponents(UBlueprint* Blueprint, const TArray<FString>& MeshPaths);
	/** Switches inner frustums off in the configuration of the blueprint's default root actor. */
	static bool DisableInnerFrustumsOnRootActor(UObject* DisplayClusterBP);
	/** Adds (or reuses) the "Orvane_ICVFX_Camera" component, configures it, compiles and saves the blueprint. */
	static bool AddICVFXCameraComponent(UObject* BlueprintObj);
	/** Writes the blueprint's configuration to an nDisplay file. */
	static bool ExportNDisplayConfigToFile(UObject* DisplayClusterBP, const FString& FilePath);
	/** Saves the packages of the meshes and of the blueprint, each once; true when every save succeeded. */
	static bool SaveDisplayClusterAssets(const TArray<FString>& MeshPaths, UObject* DisplayClusterBP);
	/** Saves the blueprint's package and announces the asset. */
	static bool SaveBlueprintAsset(UBlueprint* Blueprint);
	/** Loads a static mesh by object path, through the asset registry when a direct load fails. */
	static UStaticMesh* LoadStaticMeshFromPath(const FString& Path);
	/** The object as a blueprint, or null. */
	static UBlueprint* GetBlueprintFromDisplayCluster(UObject* Obj);
	/** Spawns the nDisplay blueprint in the editor level at the origin, named uniquely from "Orvane_nDisplay". */
	static AActor* SpawnNDisplayActorInLevel(UObject* NDisplayConfigObj);
	/** Spawns an empty nDisplay root actor when the file exists; the file is not read. */
	static AActor* SpawnNDisplayActorFromFile(const FString& FilePath);
	/** Points the first ICVFX camera component of the nDisplay actor at the camera actor. */
	static void LinkVPCameraToICVFXInstance(AActor* NDisplayActor, AActor* VPCamera);

private:
	static void ConfigureICVFXCameraSettings(UActorComponent* Component, AActor* ExternalCamera);
};
