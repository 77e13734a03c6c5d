// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Camera/CameraActor.h: an actor holding one camera component.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "UObject/ObjectPtr.h"

#include "CameraActor.generated.h"

class UCameraComponent;

/** A placeable camera: its root is a camera component named CameraComponent. */
UCLASS()
class ENGINE_API ACameraActor : public AActor
{
	GENERATED_BODY()

public:
	ACameraActor();

	UCameraComponent* GetCameraComponent() const { return CameraComponent; }

protected:
	/** Makes the camera component of the given class (the engine swaps the class through its object initializer). */
	explicit ACameraActor(UClass* CameraComponentClass);

private:
	UPROPERTY()
	TObjectPtr<UCameraComponent> CameraComponent;
};
