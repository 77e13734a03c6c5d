// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkRole.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkTypes.h"
#include "UObject/Object.h"

#include "LiveLinkRole.generated.h"

/**
 * What a subject's data means (animation, transform, camera...): the struct types of its static,
 * frame and blueprint data.
 */
UCLASS(Abstract)
class LIVELINKINTERFACE_API ULiveLinkRole : public UObject
{
	GENERATED_BODY()

public:
	// Host: the engine declares these PURE_VIRTUAL; the host returns null so the class default object can be made.
	/** The struct type of the role's static data. */
	virtual UScriptStruct* GetStaticDataStruct() const { return nullptr; }
	/** The struct type of the role's frame data. */
	virtual UScriptStruct* GetFrameDataStruct() const { return nullptr; }
	/** The struct type of the role's blueprint data. */
	virtual UScriptStruct* GetBlueprintDataStruct() const { return nullptr; }
	/** The role's name in the user interface. */
	virtual FText GetDisplayName() const { return FText::GetEmpty(); }

	/** True when the static data is of this role's static struct type. */
	virtual bool IsStaticDataValid(const FLiveLinkStaticDataStruct& InStaticData, bool& bOutShouldLogWarning) const;
	/** True when the frame data is of this role's frame struct type. */
	virtual bool IsFrameDataValid(const FLiveLinkStaticDataStruct& InStaticData, const FLiveLinkFrameDataStruct& InFrameData, bool& bOutShouldLogWarning) const;
};
