// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/BoxComponent.h: a box shaped collision primitive.
#pragma once

#include "CoreMinimal.h"
#include "Components/ShapeComponent.h"

#include "BoxComponent.generated.h"

/** A box given by its half size; traces hit it as an oriented box scaled by the component's world scale. */
UCLASS()
class ENGINE_API UBoxComponent : public UShapeComponent
{
	GENERATED_BODY()

public:
	void SetBoxExtent(FVector InBoxExtent, bool bUpdateOverlaps = true) { BoxExtent = InBoxExtent; }
	FVector GetUnscaledBoxExtent() const { return BoxExtent; }
	FVector GetScaledBoxExtent() const { return BoxExtent * GetComponentTransform().GetScale3D(); }

	virtual bool HostGetCollisionBox(FVector& OutUnscaledExtent) const override
	{
		OutUnscaledExtent = BoxExtent;
		return true;
	}

private:
	UPROPERTY()
	FVector BoxExtent = FVector(32.0, 32.0, 32.0);
};
