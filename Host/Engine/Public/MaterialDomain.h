// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MaterialDomain.h: what a material is drawn as.
#pragma once

#include "CoreMinimal.h"

#include "MaterialDomain.generated.h"

/** The domain of a material. */
UENUM()
enum EMaterialDomain : int
{
	MD_Surface,
	MD_DeferredDecal,
	MD_LightFunction,
	MD_Volume,
	MD_PostProcess,
	MD_UI,
	MD_RuntimeVirtualTexture,
	MD_MAX,
};
