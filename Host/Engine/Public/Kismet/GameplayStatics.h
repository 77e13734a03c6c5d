// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet/GameplayStatics.h: game helpers callable from blueprints.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "GameplayStatics.generated.h"

class APlayerController;

/** Blueprint helpers for players and the screen. */
UCLASS()
class ENGINE_API UGameplayStatics : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** The PlayerIndex-th player controller of the context object's world, in the order they were made; null if none. */
	static APlayerController* GetPlayerController(const UObject* WorldContextObject, int32 PlayerIndex);

	/** See APlayerController::DeprojectScreenPositionToWorld. */
	static bool DeprojectScreenToWorld(APlayerController const* Player, const FVector2D& ScreenPosition, FVector& WorldPosition, FVector& WorldDirection);
};
