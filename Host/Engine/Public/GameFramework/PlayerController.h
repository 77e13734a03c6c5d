// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameFramework/PlayerController.h: the actor through which a player sees and acts.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "UObject/ObjectPtr.h"

#include "PlayerController.generated.h"

class APlayerCameraManager;
class ULocalPlayer;
class UPlayer;

/** A player's controller: its player, its camera and the screen it sees. Host: derives from AActor directly. */
UCLASS()
class ENGINE_API APlayerController : public AActor
{
	GENERATED_BODY()

public:
	/** The player as a local player; null for a remote player or none. */
	ULocalPlayer* GetLocalPlayer() const;

	/** The size of the local player's viewport in pixels; zero for both without a local player or viewport. */
	void GetViewportSize(int32& SizeX, int32& SizeY) const;

	/**
	 * Turns a point of the viewport (pixels, origin top left) into a world ray through it: the point on the
	 * near clipping plane and the unit direction, with the camera's perspective projection (horizontal field
	 * of view, square pixels). False, with both zero, without a local player and viewport.
	 */
	bool DeprojectScreenPositionToWorld(float ScreenX, float ScreenY, FVector& WorldLocation, FVector& WorldDirection) const;

	/** The player this controller belongs to. */
	UPROPERTY(Transient)
	TObjectPtr<UPlayer> Player;

	/** The camera the player looks through; the controller's own placement (90 degrees) when null. */
	UPROPERTY(Transient)
	TObjectPtr<APlayerCameraManager> PlayerCameraManager;
};
