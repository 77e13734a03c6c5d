// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Recorder/TakeRecorderBlueprintLibrary.h (module TakeRecorder).
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "TakeRecorderBlueprintLibrary.generated.h"

class UTakeRecorderPanel;

/** Scripting access to the take recorder. */
UCLASS()
class TAKERECORDER_API UTakeRecorderBlueprintLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** The open Take Recorder panel; null while the tab is closed. */
	static UTakeRecorderPanel* GetTakeRecorderPanel();
	/** Opens the Take Recorder tab (if needed) and returns its panel. */
	static UTakeRecorderPanel* OpenTakeRecorderPanel();
	/** Whether a take is being recorded. */
	static bool IsRecording();
};

namespace UE::TakeRecorder::Host
{
	/** One take the host recorded: the metadata it started with and whether it has ended. */
	struct FRecordedTake
	{
		FString Slate;
		int32 TakeNumber = 0;
		bool bFinished = false;
	};

	/** Host only: closes the Take Recorder tab (a running recording goes on). */
	TAKERECORDER_API void CloseTakeRecorderPanel();
	/** Host only: every take started since the process began (or the last reset), oldest first. */
	TAKERECORDER_API const TArray<FRecordedTake>& GetRecordedTakes();
	/** Host only: closes the panel, stops a recording and forgets the takes. */
	TAKERECORDER_API void ResetTakeRecorder();
}
