// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Scene.h: post-process settings. The host renders nothing and keeps
// only the blendables (post-process materials) of the engine's long list of settings.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectPtr.h"

#include "Scene.generated.h"

/** A post-process material (or other blendable) with the weight it is blended in with. */
USTRUCT()
struct ENGINE_API FWeightedBlendable
{
	GENERATED_BODY()

	FWeightedBlendable() = default;
	FWeightedBlendable(float InWeight, UObject* InObject)
		: Weight(InWeight)
		, Object(InObject)
	{
	}

	/** 0 leaves the blendable out, 1 applies it fully. */
	UPROPERTY()
	float Weight = -1.0f;

	UPROPERTY()
	TObjectPtr<UObject> Object;
};

/** The blendables of a set of post-process settings, applied in order. */
USTRUCT()
struct ENGINE_API FWeightedBlendables
{
	GENERATED_BODY()

	UPROPERTY()
	TArray<FWeightedBlendable> Array;
};

/** Post-process settings of a camera or volume. */
USTRUCT()
struct ENGINE_API FPostProcessSettings
{
	GENERATED_BODY()

	UPROPERTY()
	FWeightedBlendables WeightedBlendables;
};
