// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkTransformRole.h.
#pragma once

#include "CoreMinimal.h"
#include "Roles/LiveLinkBasicRole.h"

#include "LiveLinkTransformRole.generated.h"

/** The role of a subject that is one transform. */
UCLASS(BlueprintType, meta = (DisplayName = "Transform Role"))
class LIVELINKINTERFACE_API ULiveLinkTransformRole : public ULiveLinkBasicRole
{
	GENERATED_BODY()

public:
	virtual UScriptStruct* GetStaticDataStruct() const override;
	virtual UScriptStruct* GetFrameDataStruct() const override;
	virtual UScriptStruct* GetBlueprintDataStruct() const override;
	virtual FText GetDisplayName() const override;
};
