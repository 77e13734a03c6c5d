// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/PrimitiveComponent.h: scene components that have geometry.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"

#include "PrimitiveComponent.generated.h"

/** A scene component with geometry; the host renders nothing. */
UCLASS(Abstract)
class ENGINE_API UPrimitiveComponent : public USceneComponent
{
	GENERATED_BODY()
};
