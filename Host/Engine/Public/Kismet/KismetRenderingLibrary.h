// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet/KismetRenderingLibrary.h: render target operations for blueprints.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "KismetRenderingLibrary.generated.h"

class UMaterialInterface;
class UTextureRenderTarget2D;

/** Render target operations. */
UCLASS(MinimalAPI)
class UKismetRenderingLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/**
	 * Draws the material over the whole target. The context object must not be null (checked); a context
	 * without a world, a null material or target, or a target without a resource gives a warning and no draw.
	 * Host: each pixel gets the material's colour at its centre's texture coordinate.
	 */
	static ENGINE_API void DrawMaterialToRenderTarget(UObject* WorldContextObject, UTextureRenderTarget2D* TextureRenderTarget, UMaterialInterface* Material);
};
