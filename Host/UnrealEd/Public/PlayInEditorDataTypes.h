// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's PlayInEditorDataTypes.h: what a play session request asks for.
#pragma once

#include "CoreMinimal.h"
#include "IAssetViewport.h"
#include "Misc/Optional.h"

class ULevelEditorPlaySettings;

/** Where a play session runs. */
enum class EPlaySessionDestinationType : uint8
{
	/** In this editor process. */
	InProcess,
	/** In a new process. */
	NewProcess,
	/** On another device. */
	Launcher
};

/** What kind of play session is wanted. */
enum class EPlaySessionWorldType : uint8
{
	/** Play in Editor. */
	PlayInEditor,
	/** Simulate in Editor. */
	SimulateInEditor
};

/** A request for a play session, handed to UEditorEngine::RequestPlaySession; defaults are Play in Editor. */
struct FRequestPlaySessionParams
{
	/** The editor viewport to play in; unset for a new window. */
	TOptional<TWeakPtr<IAssetViewport>> DestinationSlateViewport;
	/** The play settings to use; null for the editor's defaults (unconfirmed: the engine may hold a TObjectPtr). */
	ULevelEditorPlaySettings* EditorPlaySettings = nullptr;
	EPlaySessionWorldType WorldType = EPlaySessionWorldType::PlayInEditor;
	EPlaySessionDestinationType SessionDestination = EPlaySessionDestinationType::InProcess;
};
