// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's DisplayClusterConfigurationTypes_ICVFX.h (nDisplay): stage and ICVFX camera settings.
#pragma once

#include "CoreMinimal.h"
#include "UObject/SoftObjectPtr.h"

#include "DisplayClusterConfigurationTypes_ICVFX.generated.h"

class ACineCameraActor;

/** The stage-wide in-camera VFX switches (the host keeps the three boolean ones). */
USTRUCT()
struct DISPLAYCLUSTERCONFIGURATION_API FDisplayClusterConfigurationICVFX_StageSettings
{
	GENERATED_BODY()

	/** Renders the inner frustum of every ICVFX camera. */
	UPROPERTY()
	bool bEnableInnerFrustums = true;

	/** Renders the chromakey where inner frustums overlap. */
	UPROPERTY()
	bool bEnableInnerFrustumChromakeyOverlap = false;

	/** Stops rendering the outer viewports. */
	UPROPERTY()
	bool bFreezeRenderOuterViewports = false;
};

/** A larger or smaller inner frustum than the camera's own. */
USTRUCT()
struct DISPLAYCLUSTERCONFIGURATION_API FDisplayClusterConfigurationICVFX_CameraCustomFrustum
{
	GENERATED_BODY()

	UPROPERTY()
	bool bEnable = false;

	/** Scales the inner frustum's resolution with its size. */
	UPROPERTY()
	bool bAdaptResolution = false;

	UPROPERTY()
	float FieldOfViewMultiplier = 1.0f;
};

/** The settings of one ICVFX camera. */
USTRUCT()
struct DISPLAYCLUSTERCONFIGURATION_API FDisplayClusterConfigurationICVFX_CameraSettings
{
	GENERATED_BODY()

	/** Renders this camera's inner frustum. */
	UPROPERTY()
	bool bEnable = true;

	/** A cine camera actor whose view the inner frustum follows instead of this component's. */
	UPROPERTY()
	TSoftObjectPtr<ACineCameraActor> ExternalCameraActor;

	UPROPERTY()
	float BufferRatio = 1.0f;

	UPROPERTY()
	FDisplayClusterConfigurationICVFX_CameraCustomFrustum CustomFrustum;
};
