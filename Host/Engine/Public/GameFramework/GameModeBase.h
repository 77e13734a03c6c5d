// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameFramework/GameModeBase.h: the rules of a game, made when play starts.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

#include "GameModeBase.generated.h"

/** The base of game modes; the host plays no game, so it carries nothing. */
UCLASS()
class ENGINE_API AGameModeBase : public AActor
{
	GENERATED_BODY()
};
