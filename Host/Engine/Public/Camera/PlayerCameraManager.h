// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Camera/PlayerCameraManager.h: the camera a player controller looks through.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

#include "PlayerCameraManager.generated.h"

/** The player's camera: where it is, where it looks and its horizontal field of view in degrees. */
UCLASS()
class ENGINE_API APlayerCameraManager : public AActor
{
	GENERATED_BODY()

public:
	FVector GetCameraLocation() const { return HostCameraLocation; }
	FRotator GetCameraRotation() const { return HostCameraRotation; }
	float GetFOVAngle() const { return HostFOVAngle; }

	/** Host only: the view the engine would compute from the view target in the last update. */
	void HostSetCameraView(const FVector& Location, const FRotator& Rotation, float FOVAngle)
	{
		HostCameraLocation = Location;
		HostCameraRotation = Rotation;
		HostFOVAngle = FOVAngle;
	}

private:
	FVector HostCameraLocation = FVector::ZeroVector;
	FRotator HostCameraRotation = FRotator::ZeroRotator;
	float HostFOVAngle = 90.0f;
};
