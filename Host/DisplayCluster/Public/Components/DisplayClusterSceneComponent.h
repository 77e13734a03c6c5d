// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/DisplayClusterSceneComponent.h (nDisplay): the base of nDisplay scene components.
#pragma once

#include "CoreMinimal.h"
#include "Components/SceneComponent.h"

#include "DisplayClusterSceneComponent.generated.h"

/** A scene component of an nDisplay configuration. */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterSceneComponent : public USceneComponent
{
	GENERATED_BODY()
};
