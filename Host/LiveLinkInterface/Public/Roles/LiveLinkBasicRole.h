// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkBasicRole.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkRole.h"

#include "LiveLinkBasicRole.generated.h"

/** The role of generic data: named float values per frame. */
UCLASS(BlueprintType, meta = (DisplayName = "Basic Role"))
class LIVELINKINTERFACE_API ULiveLinkBasicRole : public ULiveLinkRole
{
	GENERATED_BODY()

public:
	virtual UScriptStruct* GetStaticDataStruct() const override;
	virtual UScriptStruct* GetFrameDataStruct() const override;
	virtual UScriptStruct* GetBlueprintDataStruct() const override;
	virtual FText GetDisplayName() const override;
};
