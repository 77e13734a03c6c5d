// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialInterface.h: the base of materials, referred to by
// mesh material slots; the host renders nothing, so it carries no material data.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "MaterialInterface.generated.h"

/** The base of materials and material instances. */
UCLASS(Abstract, MinimalAPI)
class UMaterialInterface : public UObject
{
	GENERATED_BODY()
};
