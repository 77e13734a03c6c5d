// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/BlueprintCore.h: the part of a blueprint that holds its generated class.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"

#include "BlueprintCore.generated.h"

/** The base of blueprints: the class the blueprint generates. */
UCLASS()
class ENGINE_API UBlueprintCore : public UObject
{
	GENERATED_BODY()

public:
	/**
	 * The class made by the last compile. Host: never saved, rebuilt when the blueprint loads (the engine
	 * saves the class with its bytecode).
	 */
	UPROPERTY(Transient)
	TSubclassOf<UObject> GeneratedClass;
};
