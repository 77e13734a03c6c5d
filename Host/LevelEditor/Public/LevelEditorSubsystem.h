// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LevelEditorSubsystem.h: the level editor's scripting operations.
#pragma once

#include "CoreMinimal.h"
#include "EditorSubsystem.h"

#include "LevelEditorSubsystem.generated.h"

/** Level editor operations for scripts and plug-ins. */
UCLASS(MinimalAPI)
class ULevelEditorSubsystem : public UEditorSubsystem
{
	GENERATED_BODY()

public:
	/**
	 * Asks the editor for a Play in Editor session in the first level editor's active viewport (a new window
	 * when there is none); it starts on the next editor tick. Unconfirmed: present from 5.5.
	 */
	UFUNCTION(BlueprintCallable, Category = "Editor Scripting | Level Utility", meta = (DevelopmentOnly))
	LEVELEDITOR_API void EditorRequestBeginPlay();

	/** Asks the editor to end the running play session on the next editor tick. */
	UFUNCTION(BlueprintCallable, Category = "Editor Scripting | Level Utility", meta = (DevelopmentOnly))
	LEVELEDITOR_API void EditorRequestEndPlay();

	/** True while a play session runs. */
	UFUNCTION(BlueprintCallable, Category = "Editor Scripting | Level Utility", meta = (DevelopmentOnly))
	LEVELEDITOR_API bool IsInPlayInEditor() const;
};
