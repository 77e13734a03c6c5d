// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "OrvaneNDisplayConfigImporter.generated.h"

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
	 * mesh asset paths in order. Reads its inputs only.
	 */
	static FString GenerateNDisplayConfigFromORVS(const FOrvaneStageData& StageData, const TArray<FString>& MeshAssetPaths, bool bIncludeICVFXCamera);

	/**
	 * Reads the stage file, builds a mesh asset for each wall with mesh data and writes the configuration
	 * beside the stage file as "<name>.ndisplay". Returns the written path, or an empty string on failure.
	 */
	static FString CreateNDisplayFromORVS(const FString& OrvsFilePath, bool bIncludeICVFXCamera, TArray<FString>& OutMeshAssetPaths);
};
