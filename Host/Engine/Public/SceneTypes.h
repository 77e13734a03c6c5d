// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's SceneTypes.h: the material's output pins.
#pragma once

#include "CoreMinimal.h"

/** A material output ("material property"). Host: the leading values, in the engine's order. */
enum EMaterialProperty : int
{
	MP_EmissiveColor = 0,
	MP_Opacity,
	MP_OpacityMask,
	MP_DiffuseColor,
	MP_SpecularColor,
	MP_BaseColor,
	MP_Metallic,
	MP_Specular,
	MP_Roughness,
	MP_Anisotropy,
	MP_Normal,
	MP_MAX,
};
