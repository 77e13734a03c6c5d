// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/SceneCaptureComponent2D.h: a capture through one perspective view.
#pragma once

#include "CoreMinimal.h"
#include "Camera/CameraTypes.h"
#include "Components/SceneCaptureComponent.h"
#include "Engine/Scene.h"
#include "UObject/ObjectPtr.h"

#include "SceneCaptureComponent2D.generated.h"

class UTextureRenderTarget2D;

/** Captures the scene through a single view into a 2D render target. */
UCLASS()
class ENGINE_API USceneCaptureComponent2D : public USceneCaptureComponent
{
	GENERATED_BODY()

public:
	/** Horizontal field of view in degrees. */
	UPROPERTY()
	float FOVAngle = 90.0f;

	TEnumAsByte<ECameraProjectionMode::Type> ProjectionType = ECameraProjectionMode::Perspective;

	/** The target the capture renders into. */
	UPROPERTY()
	TObjectPtr<UTextureRenderTarget2D> TextureTarget;

	UPROPERTY()
	FPostProcessSettings PostProcessSettings;

	/** 0 leaves PostProcessSettings out, 1 applies them fully. */
	UPROPERTY()
	float PostProcessBlendWeight = 1.0f;

	/**
	 * Renders the scene into TextureTarget now. Nothing happens without a target, a target resource or a
	 * world. Host: one ray per pixel centre with the engine's perspective projection (horizontal angle
	 * FOVAngle, square pixels), through the component's world rotation, coloured by the stand-in sky.
	 */
	void CaptureScene();
};
