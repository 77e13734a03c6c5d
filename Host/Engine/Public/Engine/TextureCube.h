// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/TextureCube.h: cube map texture assets.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Texture.h"

#include "TextureCube.generated.h"

/** A cube map texture asset. Host: holds no pixels; materials name it as a default. */
UCLASS()
class ENGINE_API UTextureCube : public UTexture
{
	GENERATED_BODY()
};
