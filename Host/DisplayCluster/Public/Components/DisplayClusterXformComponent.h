// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/DisplayClusterXformComponent.h (nDisplay): a transform node of the scene.
#pragma once

#include "CoreMinimal.h"
#include "Components/DisplayClusterSceneComponent.h"

#include "DisplayClusterXformComponent.generated.h"

/** A transform node of an nDisplay scene (unconfirmed: its engine base class in 5.6). */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterXformComponent : public UDisplayClusterSceneComponent
{
	GENERATED_BODY()
};
