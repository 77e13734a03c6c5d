// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Texture.h: the base of textures and render targets.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "Texture.generated.h"

class FTextureResource;

/** The base of all textures; the host keeps their pixels in their resource, not on a GPU. */
UCLASS(Abstract)
class ENGINE_API UTexture : public UObject
{
	GENERATED_BODY()

public:
	/** Re-creates the texture's resource from its settings. */
	virtual void UpdateResource() {}

	/** The texture's resource, or null before it has one. */
	virtual FTextureResource* GetResource() const { return nullptr; }
};
