// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Editor/EditorEngine.h: the editor's engine object and its editor world.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Engine.h"
#include "TimerManager.h"

#include "EditorEngine.generated.h"

/** The engine of the editor. Host: its world list holds the editor world, made when the editor starts. */
UCLASS()
class UNREALED_API UEditorEngine : public UEngine
{
	GENERATED_BODY()

public:
	/** The context of the level being edited (type EWorldType::Editor); host: made with its world on first call. */
	FWorldContext& GetEditorWorldContext(bool bEnsureIsGWorld = false);

	/** The editor's own timers, which run while no game is playing. */
	TSharedRef<FTimerManager> GetTimerManager() { return TimerManager; }

private:
	TSharedRef<FTimerManager> TimerManager = MakeShared<FTimerManager>();
};
