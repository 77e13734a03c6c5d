// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet/BlueprintFunctionLibrary.h (Engine module).
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "BlueprintFunctionLibrary.generated.h"

/** The base of classes holding static functions for blueprints. */
UCLASS(Abstract, MinimalAPI)
class UBlueprintFunctionLibrary : public UObject
{
	GENERATED_BODY()
};
