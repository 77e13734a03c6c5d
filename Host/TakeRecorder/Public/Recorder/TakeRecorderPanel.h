// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Recorder/TakeRecorderPanel.h (module TakeRecorder): the scripting face of the
// open Take Recorder tab.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "TakeRecorderPanel.generated.h"

class UTakeMetaData;

/** The open Take Recorder panel; it exists only while the tab is open. */
UCLASS()
class TAKERECORDER_API UTakeRecorderPanel : public UObject
{
	GENERATED_BODY()

public:
	/** The metadata of the next take; null when the panel shows none. */
	UTakeMetaData* GetTakeMetaData() const { return TakeMetaData; }
	/** Starts recording the next take (host: at once, without the engine's countdown). Nothing while recording. */
	void StartRecording() const;
	/** Stops the running recording; nothing when none runs. */
	void StopRecording() const;
	/** False (with a reason) while a recording runs or the panel has no metadata. */
	bool CanStartRecording(FText& OutErrorText) const;

	UPROPERTY()
	TObjectPtr<UTakeMetaData> TakeMetaData;
};
