// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/DisplayClusterScreenComponent.h (nDisplay): a flat screen of the stage.
#pragma once

#include "CoreMinimal.h"
#include "Components/StaticMeshComponent.h"

#include "DisplayClusterScreenComponent.generated.h"

/** A rectangular screen of an nDisplay stage (unconfirmed: its engine base class in 5.6). */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterScreenComponent : public UStaticMeshComponent
{
	GENERATED_BODY()

public:
	/** The screen's width and height in centimetres. */
	UPROPERTY()
	FVector2D Size = FVector2D(100.0, 100.0);
};
