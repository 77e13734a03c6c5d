// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Camera/CameraComponent.h: a scene component that is a camera view point.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"
#include "Engine/Scene.h"

#include "CameraComponent.generated.h"

/** A camera view point; the host renders nothing. */
UCLASS()
class ENGINE_API UCameraComponent : public USceneComponent
{
	GENERATED_BODY()

public:
	/** The horizontal field of view in degrees. */
	UPROPERTY()
	float FieldOfView = 90.0f;

	/** The camera's own post-process settings. */
	UPROPERTY()
	FPostProcessSettings PostProcessSettings;
};
