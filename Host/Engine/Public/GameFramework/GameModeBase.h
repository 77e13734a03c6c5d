// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameFramework/GameModeBase.h: the rules of a game, made when play starts.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "Templates/SubclassOf.h"

#include "GameModeBase.generated.h"

class APawn;
class APlayerController;

/** The base of game modes; the host plays no game, so it carries only the classes it names. */
UCLASS()
class ENGINE_API AGameModeBase : public AActor
{
	GENERATED_BODY()

public:
	AGameModeBase();

	/** The pawn spawned for each player; null spawns none. Unconfirmed: the engine's default is ADefaultPawn, which the host lacks, so the host starts with APawn. */
	UPROPERTY()
	TSubclassOf<APawn> DefaultPawnClass;

	/** The controller class of each player. */
	UPROPERTY()
	TSubclassOf<APlayerController> PlayerControllerClass;
};
