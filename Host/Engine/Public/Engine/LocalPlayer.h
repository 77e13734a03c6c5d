// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/LocalPlayer.h: a player on this machine, with the viewport it sees through.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Player.h"
#include "UObject/ObjectPtr.h"

#include "LocalPlayer.generated.h"

class UGameViewportClient;

/** A player on this machine; its view is drawn in ViewportClient's viewport. */
UCLASS()
class ENGINE_API ULocalPlayer : public UPlayer
{
	GENERATED_BODY()

public:
	/** The game viewport the player's view is drawn into; null while the player has no viewport. */
	UPROPERTY(Transient)
	TObjectPtr<UGameViewportClient> ViewportClient;
};
