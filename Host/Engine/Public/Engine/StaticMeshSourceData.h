// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/StaticMeshSourceData.h: one level of detail's source model.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"

#include "StaticMeshSourceData.generated.h"

/**
 * The source of one level of detail of a static mesh and how it is built. The engine keeps the
 * LOD's mesh description here too; the host keeps it in the owning UStaticMesh.
 */
USTRUCT()
struct FStaticMeshSourceModel
{
	GENERATED_BODY()

	/** How the LOD's render data is built from its mesh description. */
	UPROPERTY()
	FMeshBuildSettings BuildSettings;
};
