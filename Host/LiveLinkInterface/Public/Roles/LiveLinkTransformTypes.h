// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkTransformTypes.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkTypes.h"
#include "Math/Transform.h"

#include "LiveLinkTransformTypes.generated.h"

/** Static data of the transform role: which parts of the transform the source sends. */
USTRUCT(BlueprintType)
struct FLiveLinkTransformStaticData : public FLiveLinkBaseStaticData
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsLocationSupported = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsRotationSupported = true;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	bool bIsScaleSupported = true;
};

/** Frame data of the transform role. */
USTRUCT(BlueprintType)
struct FLiveLinkTransformFrameData : public FLiveLinkBaseFrameData
{
	GENERATED_BODY()

	// Host: not reflected (no reflection for core math structs).
	/** The subject's transform. */
	FTransform Transform;
};

/** Blueprint data of the transform role. */
USTRUCT(BlueprintType)
struct FLiveLinkTransformBlueprintData : public FLiveLinkBaseBlueprintData
{
	GENERATED_BODY()
};
