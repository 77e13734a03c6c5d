// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/DisplayClusterICVFXCameraComponent.h (nDisplay): an in-camera VFX camera.
#pragma once

#include "CoreMinimal.h"
#include "CineCameraComponent.h"
#include "DisplayClusterConfigurationTypes_ICVFX.h"

#include "DisplayClusterICVFXCameraComponent.generated.h"

/** A camera whose inner frustum is rendered on the stage's walls. */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterICVFXCameraComponent : public UCineCameraComponent
{
	GENERATED_BODY()

public:
	UPROPERTY()
	FDisplayClusterConfigurationICVFX_CameraSettings CameraSettings;

	const FDisplayClusterConfigurationICVFX_CameraSettings& GetCameraSettingsICVFX() const { return CameraSettings; }
};
