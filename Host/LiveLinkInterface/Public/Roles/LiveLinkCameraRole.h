// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/Roles/LiveLinkCameraRole.h.
#pragma once

#include "CoreMinimal.h"
#include "Roles/LiveLinkTransformRole.h"

#include "LiveLinkCameraRole.generated.h"

/** The role of a camera subject: a transform plus lens values. */
UCLASS(BlueprintType, meta = (DisplayName = "Camera Role"))
class LIVELINKINTERFACE_API ULiveLinkCameraRole : public ULiveLinkTransformRole
{
	GENERATED_BODY()

public:
	virtual UScriptStruct* GetStaticDataStruct() const override;
	virtual UScriptStruct* GetFrameDataStruct() const override;
	virtual UScriptStruct* GetBlueprintDataStruct() const override;
	virtual FText GetDisplayName() const override;
};
