// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Player.h: a player of the game, local or remote.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "Player.generated.h"

class APlayerController;

/** A player; the player controller it currently drives. */
UCLASS()
class ENGINE_API UPlayer : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(Transient)
	TObjectPtr<APlayerController> PlayerController;
};
