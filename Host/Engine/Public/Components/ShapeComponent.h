// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/ShapeComponent.h: simple collision shapes.
#pragma once

#include "CoreMinimal.h"
#include "Components/PrimitiveComponent.h"

#include "ShapeComponent.generated.h"

/** A primitive made of one simple shape. Its default collision, as in the engine, overlaps every channel and blocks none. */
UCLASS(Abstract)
class ENGINE_API UShapeComponent : public UPrimitiveComponent
{
	GENERATED_BODY()

public:
	UShapeComponent();
};
