// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/SceneCaptureComponentCube.h: a capture of all six directions.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneCaptureComponent.h"
#include "Engine/Scene.h"
#include "UObject/ObjectPtr.h"

#include "SceneCaptureComponentCube.generated.h"

class UTextureRenderTargetCube;

/** Captures the scene in six directions into a cube render target. */
UCLASS()
class ENGINE_API USceneCaptureComponentCube : public USceneCaptureComponent
{
	GENERATED_BODY()

public:
	USceneCaptureComponentCube();

	/** The target the capture renders into. */
	UPROPERTY()
	TObjectPtr<UTextureRenderTargetCube> TextureTarget;

	/** Whether the faces follow the component's rotation; otherwise they are aligned to the world axes. */
	UPROPERTY()
	uint8 bCaptureRotation : 1;

	/** Exists on the cube capture from engine 5.4 on; older engines have no post-process settings here. */
	UPROPERTY()
	FPostProcessSettings PostProcessSettings;

	UPROPERTY()
	float PostProcessBlendWeight = 1.0f;

	/**
	 * Renders the six faces into TextureTarget now. Nothing happens without a target, a target resource or
	 * a world. Host: one ray per texel centre of each face, from the component's location, through the
	 * world axes (or the component's rotation with bCaptureRotation), coloured by the stand-in sky.
	 */
	void CaptureScene();
};
