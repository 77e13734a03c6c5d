// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkTransformTypes.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkTypes.h"
#include "Math/Transform.h"

#include "LiveLinkTransformTypes.generated.h"

// Host: the defaults (location and rotation on, scale off) are those of the engine's 5.x header; the 5.1+
// Python reference lists all three off, so 5.6's are unconfirmed.
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
	bool bIsScaleSupported = false;
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
