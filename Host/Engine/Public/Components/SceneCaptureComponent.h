// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/SceneCaptureComponent.h: the base of components that render the
// scene into a render target. The host's stand-in renderer draws a fixed analytic sky (see CaptureScene of
// the 2D and cube captures).
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/EngineTypes.h"
#include "ShowFlags.h"

#include "SceneCaptureComponent.generated.h"

/** A scene component that renders the scene into a render target. */
UCLASS(Abstract)
class ENGINE_API USceneCaptureComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	USceneCaptureComponent();

	/** Capture again every frame (host: a flag only; captures happen when CaptureScene is called). */
	UPROPERTY()
	uint8 bCaptureEveryFrame : 1;

	/** Capture again whenever the component moves (host: a flag only). */
	UPROPERTY()
	uint8 bCaptureOnMovement : 1;

	/** Keep the rendering state between captures. */
	UPROPERTY()
	uint8 bAlwaysPersistRenderingState : 1;

	/** Scales the distances used to pick levels of detail. */
	UPROPERTY()
	float LODDistanceFactor = 1.0f;

	/** What the capture writes into its target. */
	TEnumAsByte<ESceneCaptureSource> CaptureSource = SCS_SceneColorHDR;

	/** What the capture's view draws. */
	FEngineShowFlags ShowFlags;
};
