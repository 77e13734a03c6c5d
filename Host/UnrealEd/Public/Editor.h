// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Editor.h: the global editor engine.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Editor/EditorEngine.h"

/**
 * The editor engine. Host: set when the UnrealEd module starts (the engine sets it while the editor starts,
 * before plug-ins load); tests may set it to null and back to see how callers cope without an editor.
 */
extern UNREALED_API UEditorEngine* GEditor;

/** Editor-wide events. */
struct UNREALED_API FEditorDelegates
{
	/** A play-in-editor event; the argument is true for a simulate session. */
	DECLARE_MULTICAST_DELEGATE_OneParam(FOnPIEEvent, const bool);

	/** Sent once a play session has started: its world exists and its actors have begun play. */
	static FOnPIEEvent PostPIEStarted;
};
