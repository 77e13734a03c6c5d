// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLink/Public/InterpolationProcessor/LiveLinkBasicFrameInterpolateProcessor.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkFrameInterpolationProcessor.h"

#include "LiveLinkBasicFrameInterpolateProcessor.generated.h"

/**
 * The default interpolation of every role deriving from the basic role (the camera role among them).
 * Host: the host client does not blend; the processor only marks the subject as interpolated.
 */
UCLASS(meta = (DisplayName = "Base Interpolation"))
class LIVELINK_API ULiveLinkBasicFrameInterpolationProcessor : public ULiveLinkFrameInterpolationProcessor
{
	GENERATED_BODY()

public:
	virtual TSubclassOf<ULiveLinkRole> GetRole() const override;

	/** Whether the frames' PropertyValues are blended too. */
	UPROPERTY(EditAnywhere, Category = "LiveLink")
	bool bInterpolatePropertyValues = true;
};
