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

	/** The player index AutoActivateForPlayer names, or INDEX_NONE when it is Disabled. */
	int32 GetAutoActivatePlayerIndex() const { return AutoActivateForPlayer == EAutoReceiveInput::Disabled ? INDEX_NONE : int32(AutoActivateForPlayer.GetValue()) - 1; }

	UCameraComponent* GetCameraComponent() const { return CameraComponent; }

protected:
	/** Makes the camera component of the given class (the engine swaps the class through its object initializer). */
	explicit ACameraActor(UClass* CameraComponentClass);

	/** The local player whose view this camera becomes when play starts; Disabled for none. */
	UPROPERTY()
	TEnumAsByte<EAutoReceiveInput::Type> AutoActivateForPlayer;

private:
	UPROPERTY()
	TObjectPtr<UCameraComponent> CameraComponent;
};
