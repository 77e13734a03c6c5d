// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Factories/Factory.h: the base of the classes that make assets.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "Factory.generated.h"

/** Makes assets; the host imports through the handlers AssetTools knows, so a factory is only passed along. */
UCLASS(Abstract)
class UNREALED_API UFactory : public UObject
{
	GENERATED_BODY()
};
