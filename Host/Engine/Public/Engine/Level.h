// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Level.h: the actors of one level of a world.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "Level.generated.h"

class AActor;

/** A level: the actors placed in it, in spawn order. */
UCLASS()
class ENGINE_API ULevel : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(Transient)
	TArray<TObjectPtr<AActor>> Actors;
};
