// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/ILiveLinkSource.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkSourceSettings.h"
#include "LiveLinkTypes.h"
#include "Misc/Guid.h"
#include "Templates/SubclassOf.h"

class ILiveLinkClient;
struct FPropertyChangedEvent;

/** A provider of Live Link subjects, owned by the client once added. */
class ILiveLinkSource
{
public:
	virtual ~ILiveLinkSource() {}

	/** The source has been added to the client, which gave it this guid. */
	virtual void ReceiveClient(ILiveLinkClient* InClient, FGuid InSourceGuid) = 0;

	/** The source's settings object has been made. Called after ReceiveClient. */
	virtual void InitializeSettings(ULiveLinkSourceSettings* Settings) {}

	/** Called by the client on the game thread at every tick. */
	virtual void Update() {}

	/** Whether the source is listed in the Live Link panel. */
	virtual bool CanBeDisplayedInUI() const { return true; }

	/** False once the source has lost its connection. */
	virtual bool IsSourceStillValid() const = 0;

	/** Asks the source to stop; true once it has, after which the client releases it. */
	virtual bool RequestSourceShutdown() = 0;

	virtual FText GetSourceType() const = 0;
	virtual FText GetSourceMachineName() const = 0;
	virtual FText GetSourceStatus() const = 0;
	virtual FText GetSourceToolTip() const { return FText::GetEmpty(); }

	/** The class of the settings object the client makes for this source. */
	virtual TSubclassOf<ULiveLinkSourceSettings> GetSettingsClass() const { return ULiveLinkSourceSettings::StaticClass(); }

	/** A property of the source's settings object was changed in the editor. */
	virtual void OnSettingsChanged(ULiveLinkSourceSettings* Settings, const FPropertyChangedEvent& PropertyChangedEvent) {}
};
