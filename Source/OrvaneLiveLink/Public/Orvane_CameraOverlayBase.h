// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Blueprint/UserWidget.h"

#include "Orvane_CameraOverlayBase.generated.h"

/**
 * The base of the overlay drawn over the camera view (frame or camera information). A widget blueprint derived
 * from it implements UpdateCameraOverlay; the frame component of the same world calls it once per tick.
 */
UCLASS()
class ORVANELIVELINK_API UOrvane_CameraOverlayBase : public UUserWidget
{
	GENERATED_BODY()

public:
	/**
	 * Called once per frame by the frame component.
	 * @param DeltaTime The frame component's tick time, in seconds.
	 */
	UFUNCTION(BlueprintImplementableEvent, Category = "Camera")
	void UpdateCameraOverlay(float DeltaTime);
};
