// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameFramework/Pawn.h: actors a player or AI can possess.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"

#include "Pawn.generated.h"

/** An actor that can be possessed. Host: carries nothing; game modes name its class. */
UCLASS()
class ENGINE_API APawn : public AActor
{
	GENERATED_BODY()
};
