// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/StaticMesh.h: static mesh assets with their material slots,
// source models and the editor-only mesh description API. The host keeps each LOD's committed mesh
// description as bulk data, saved beside the asset file (see UObject/HostAssetBulkData.h).
#pragma once

#include "CoreMinimal.h"
#include "Engine/StaticMeshSourceData.h"
#include "Materials/MaterialInterface.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include <memory>
#include <vector>

#include "StaticMesh.generated.h"

struct FMeshDescription;

/** A material slot of a static mesh. */
USTRUCT()
struct FStaticMaterial
{
	GENERATED_BODY()

	/** The material; null when none is assigned. */
	UPROPERTY()
	TObjectPtr<UMaterialInterface> MaterialInterface;

	/** The slot's name, used by gameplay code. */
	UPROPERTY()
	FName MaterialSlotName;

	/** The slot's name as imported, matched against polygon group slot names. */
	UPROPERTY()
	FName ImportedMaterialSlotName;

	/** The overlay material; null when none. */
	UPROPERTY()
	TObjectPtr<UMaterialInterface> OverlayMaterialInterface;

	FStaticMaterial() = default;
	FStaticMaterial(UMaterialInterface* InMaterialInterface, FName InMaterialSlotName = NAME_None, FName InImportedMaterialSlotName = NAME_None, UMaterialInterface* InOverlayMaterialInterface = nullptr)
		: MaterialInterface(InMaterialInterface)
		, MaterialSlotName(InMaterialSlotName)
		, ImportedMaterialSlotName(InImportedMaterialSlotName == NAME_None ? InMaterialSlotName : InImportedMaterialSlotName)
		, OverlayMaterialInterface(InOverlayMaterialInterface)
	{
	}
};

/** How UStaticMesh::CommitMeshDescription treats the package and the description. */
struct FCommitMeshDescriptionParams
{
	/** Mark the mesh's package dirty. */
	bool bMarkPackageDirty = true;
	/** Use the description's hash as the bulk data ID (the host keeps no IDs). */
	bool bUseHashAsGuid = false;
};

/**
 * A static mesh asset. The engine derives it from UStreamableRenderAsset; the host renders nothing
 * and derives it from UObject.
 */
UCLASS(MinimalAPI)
class UStaticMesh : public UObject
{
	GENERATED_BODY()

public:
	ENGINE_API UStaticMesh();
	ENGINE_API virtual ~UStaticMesh() override;

	/** The material slots. */
	TArray<FStaticMaterial>& GetStaticMaterials() { return StaticMaterials; }
	const TArray<FStaticMaterial>& GetStaticMaterials() const { return StaticMaterials; }

	/** Adds a source model (the next LOD) with default build settings and returns it. */
	ENGINE_API FStaticMeshSourceModel& AddSourceModel();
	/** The number of source models (LODs). */
	int32 GetNumSourceModels() const { return SourceModels.Num(); }
	/** The source model of a LOD; the index must be valid. */
	ENGINE_API FStaticMeshSourceModel& GetSourceModel(int32 Index);
	ENGINE_API const FStaticMeshSourceModel& GetSourceModel(int32 Index) const;

	/**
	 * Makes a new, empty mesh description for a LOD, replacing any it had, and returns it; null
	 * when the LOD has no source model.
	 */
	ENGINE_API FMeshDescription* CreateMeshDescription(int32 LodIndex);
	/**
	 * The LOD's mesh description, as created or last loaded; after ClearMeshDescription, the
	 * committed one unpacked again from the bulk data. Null if it has neither.
	 */
	ENGINE_API FMeshDescription* GetMeshDescription(int32 LodIndex) const;
	/** True if the LOD has a mesh description, cached or committed. */
	ENGINE_API bool IsMeshDescriptionValid(int32 LodIndex) const;
	/**
	 * Stores the LOD's current mesh description as the one the mesh is built from and saved with;
	 * later edits need another commit. Marks the package dirty unless Params says otherwise.
	 */
	ENGINE_API void CommitMeshDescription(int32 LodIndex, const FCommitMeshDescriptionParams& Params = FCommitMeshDescriptionParams());
	/**
	 * Frees the LOD's cached mesh description, keeping the committed bulk data, from which
	 * GetMeshDescription unpacks it again. Edits made since the last commit are lost.
	 * Signature unconfirmed for 5.6: the API pages found document only the skeletal mesh counterpart.
	 */
	ENGINE_API void ClearMeshDescription(int32 LodIndex);

	/**
	 * Builds the render data from the committed mesh descriptions. The host renders nothing: it
	 * checks that every LOD has a committed description, logs and lists the problems (in OutErrors,
	 * unless bInSilent only the log is spared) and counts the builds.
	 */
	ENGINE_API void Build(bool bInSilent = false, TArray<FText>* OutErrors = nullptr);

	/** Host: how many times Build ran on this object. */
	int32 GetHostBuildCount() const { return HostBuildCount; }
	/** Host: the committed mesh description of a LOD as bulk data bytes; empty when none. */
	ENGINE_API const TArray<uint8>& GetHostCommittedMeshDescription(int32 LodIndex) const;
	/** Host: replaces a LOD's committed and current mesh description from bulk data bytes. */
	ENGINE_API bool SetHostCommittedMeshDescription(int32 LodIndex, TArrayView<const uint8> Bytes, FString& OutError);

private:
	void EnsureLodSlots(int32 LodCount);

	UPROPERTY()
	TArray<FStaticMaterial> StaticMaterials;

	UPROPERTY()
	TArray<FStaticMeshSourceModel> SourceModels;

	// Per LOD: the editable description (a cache GetMeshDescription refills) and the committed one
	// as bulk data bytes.
	mutable std::vector<std::unique_ptr<FMeshDescription>> MeshDescriptions;
	std::vector<TArray<uint8>> CommittedMeshDescriptions;
	int32 HostBuildCount = 0;
};
