// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkRoleTrait.h.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"

class ULiveLinkRole;
class ULiveLinkFrameInterpolationProcessor;

/** What the loaded code knows about roles. */
struct LIVELINKINTERFACE_API FLiveLinkRoleTrait
{
	/** The non-abstract role classes. */
	static TArray<TSubclassOf<ULiveLinkRole>> GetRoles();
	/** The interpolation processor classes whose role is Role or a super class of it. */
	static TArray<TSubclassOf<ULiveLinkFrameInterpolationProcessor>> GetFrameInterpolationProcessorClasses(TSubclassOf<ULiveLinkRole> Role);
};
