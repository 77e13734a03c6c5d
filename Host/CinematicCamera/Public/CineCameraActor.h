// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CineCameraActor.h (module CinematicCamera): a camera actor with a cine camera component.
#pragma once

#include "CoreMinimal.h"
#include "Camera/CameraActor.h"

#include "CineCameraActor.generated.h"

class UCineCameraComponent;

/** A camera actor whose camera component is a UCineCameraComponent. */
UCLASS()
class CINEMATICCAMERA_API ACineCameraActor : public ACameraActor
{
	GENERATED_BODY()

public:
	/** As in the engine, the class is made only through an object initializer, so subclasses must pass theirs on. */
	ACineCameraActor(const FObjectInitializer& ObjectInitializer);

	UCineCameraComponent* GetCineCameraComponent() const;
};
