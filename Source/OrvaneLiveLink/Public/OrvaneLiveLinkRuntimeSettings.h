// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DeveloperSettings.h"

#include "OrvaneLiveLinkRuntimeSettings.generated.h"

/** Project settings of the Live Link source: the endpoint the creation panel proposes. */
UCLASS(config = Game, meta = (DisplayName = "Orvane LiveLink Settings"))
class ORVANELIVELINK_API UOrvaneLiveLinkRuntimeSettings : public UDeveloperSettings
{
	GENERATED_BODY()

public:
#if WITH_EDITOR
	/** The module registers these settings under Plugins > Orvane; an automatic page would show them twice. */
	virtual bool SupportsAutoRegistration() const override
	{
		return false;
	}
#endif

	/** IPv4 address the creation panel proposes. */
	UPROPERTY(config, EditAnywhere, Category = "Orvane")
	FString NetworkServerAddressByDefault = TEXT("0.0.0.0");

	/** UDP port the creation panel proposes; a stored value outside 1 to 65535 proposes 9001. */
	UPROPERTY(config, EditAnywhere, Category = "Orvane", meta = (ClampMin = "1", ClampMax = "65535"))
	int32 NetworkPortIdByDefault = 9001;

	/**
	 * Folder that captures requested by the compositing application must be written into; empty allows any
	 * absolute path. A relative folder counts from the project folder. Blueprint captures are not restricted.
	 */
	UPROPERTY(config, EditAnywhere, Category = "Orvane", meta = (DisplayName = "Capture folder"))
	FString CaptureFolder;
};
