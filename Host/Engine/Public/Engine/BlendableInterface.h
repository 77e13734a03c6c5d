// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/BlendableInterface.h: where a post-process material runs.
#pragma once

#include "CoreMinimal.h"

#include "BlendableInterface.generated.h"

/** The place of a post-process material in the post-processing chain (values as in 5.3-5.6). */
UENUM()
enum EBlendableLocation : int
{
	BL_SceneColorAfterTonemapping = 0,
	/** Shown as "Scene Color After DOF" (once "Before Tonemapping"): linear scene colour. */
	BL_SceneColorAfterDOF = 1,
	BL_SceneColorBeforeDOF = 2,
	BL_ReplacingTonemapper = 3,
	BL_SSRInput = 4,
	BL_TranslucencyAfterDOF = 5,
	BL_SceneColorBeforeBloom = 6,
	BL_MAX = 7,
};
