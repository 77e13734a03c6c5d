// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/ShapeComponent.h: simple collision shapes.
#pragma once

#include "CoreMinimal.h"
#include "Components/PrimitiveComponent.h"

#include "ShapeComponent.generated.h"

/**
 * A primitive made of one simple shape. Its default collision overlaps every channel and blocks none (the
 * engine's "OverlapAllDynamic" profile, from working knowledge; unconfirmed).
 */
UCLASS(Abstract)
class ENGINE_API UShapeComponent : public UPrimitiveComponent
{
	GENERATED_BODY()

public:
	UShapeComponent();
};
