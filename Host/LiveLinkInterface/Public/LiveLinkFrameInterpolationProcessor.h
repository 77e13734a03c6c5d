// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkFrameInterpolationProcessor.h.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"

#include "LiveLinkFrameInterpolationProcessor.generated.h"

class ULiveLinkRole;

/**
 * Blends a subject's buffered frames at evaluation. Host: the worker interface is left out and the
 * host client evaluates without blending; a subject's processor only records the choice.
 */
UCLASS(Abstract, EditInlineNew, ClassGroup = (LiveLink))
class LIVELINKINTERFACE_API ULiveLinkFrameInterpolationProcessor : public UObject
{
	GENERATED_BODY()

public:
	// Host: PURE_VIRTUAL in the engine; the host returns null.
	/** The role this processor handles (and every role deriving from it). */
	virtual TSubclassOf<ULiveLinkRole> GetRole() const { return nullptr; }
};
