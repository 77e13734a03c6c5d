// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/MeshComponent.h: primitive components that show a mesh.
#pragma once

#include "CoreMinimal.h"
#include "Components/PrimitiveComponent.h"

#include "MeshComponent.generated.h"

/** A primitive component that shows a mesh. */
UCLASS(Abstract)
class ENGINE_API UMeshComponent : public UPrimitiveComponent
{
	GENERATED_BODY()
};
