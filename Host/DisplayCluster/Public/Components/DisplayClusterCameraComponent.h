// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/DisplayClusterCameraComponent.h (nDisplay): a view point of the cluster.
#pragma once

#include "CoreMinimal.h"
#include "Components/DisplayClusterSceneComponent.h"

#include "DisplayClusterCameraComponent.generated.h"

/** A view point of an nDisplay cluster. */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterCameraComponent : public UDisplayClusterSceneComponent
{
	GENERATED_BODY()
};
