// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Editor.h: the global editor engine.
#pragma once

#include "CoreMinimal.h"
#include "Editor/EditorEngine.h"

/**
 * The editor engine. Host: set when the UnrealEd module starts (the engine sets it while the editor starts,
 * before plug-ins load); tests may set it to null and back to see how callers cope without an editor.
 */
extern UNREALED_API UEditorEngine* GEditor;
