// Copyright Kelmora. All Rights Reserved.
// The headless editor the stage and setup commands run in, and the summary they print of it.
#pragma once

#include "CoreMinimal.h"

/** Starts the editor as a user finds it: the Slate application, the engine, the plug-in and its content. */
void StartHeadlessEditor();

/** The editor's main loop for a while: the camera manager's delayed steps run one second after a setup. */
void RunEditorFor(float Seconds);

/**
 * Prints the project, its saved assets, the level's actors, the camera (its preset, parent and the ICVFX
 * camera it drives) and the Live Link startup preset.
 */
void PrintEditorSummary(const FString& ProjectDir);
