// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLink/Public/LiveLinkSettings.h: the project's Live Link settings.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkPreset.h"
#include "UObject/Object.h"
#include "UObject/SoftObjectPtr.h"

#include "LiveLinkSettings.generated.h"

/** Project-wide Live Link settings (DefaultGame.ini). The host keeps the startup preset only. */
UCLASS(config = Game, defaultconfig)
class LIVELINK_API ULiveLinkSettings : public UObject
{
	GENERATED_BODY()

public:
	/** The preset applied to the Live Link client when the editor or game starts. */
	UPROPERTY(config)
	TSoftObjectPtr<ULiveLinkPreset> DefaultLiveLinkPreset;
};
