// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CineCameraComponent.h (module CinematicCamera): a camera with film-back and lens settings.
#pragma once

#include "CoreMinimal.h"
#include "Camera/CameraComponent.h"

#include "CineCameraComponent.generated.h"

/** A cinematic camera component; the host keeps none of its lens settings. */
UCLASS()
class CINEMATICCAMERA_API UCineCameraComponent : public UCameraComponent
{
	GENERATED_BODY()
};
