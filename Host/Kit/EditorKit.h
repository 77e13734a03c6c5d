// Copyright Kelmora. All Rights Reserved.
// Test-side control of the headless editor: its main loop and the level editor window a user would have open.
#pragma once

#include "CoreMinimal.h"
#include "Engine/World.h"
#include "LevelEditor.h"
#include "SLevelViewport.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"

class UEditorEngine;
class UEngine;

/**
 * An editor engine of its own in place of GEngine, with GWorld emptied, so that worlds of other tests do not
 * count; the worlds added to it are dropped and the previous engine and world come back when the scope ends.
 */
class FScopedTestEngine
{
public:
	FScopedTestEngine();
	~FScopedTestEngine();
	FScopedTestEngine(const FScopedTestEngine&) = delete;
	FScopedTestEngine& operator=(const FScopedTestEngine&) = delete;

	UEditorEngine& Get() const { return *Engine; }
	/** A world of the type in a new context of this engine. */
	UWorld* AddWorld(EWorldType::Type Type, const TCHAR* Name);

private:
	UEngine* SavedEngine = nullptr;
	UWorld* SavedWorld = nullptr;
	UEditorEngine* Engine = nullptr;
	TArray<UWorld*> Worlds;
};

/** The editor's main loop, one frame at a time. */
class FEditorLoopKit
{
public:
	/** Runs one engine frame of DeltaSeconds: the core ticker, then the editor's tick (play sessions, timers). */
	static void Tick(float DeltaSeconds);
	/** Runs frames of StepSeconds until Seconds have passed. */
	static void RunFor(float Seconds, float StepSeconds = 0.05f);
};

/**
 * A level editor open in a top-level window, as the editor shows it after start-up: a window holding the
 * "LevelEditor" tab, whose content is the level editor with its viewports. The window is closed again when
 * the scope ends.
 */
class FScopedLevelEditorWindow
{
public:
	/** How the level editor's viewports are set up. */
	enum class EViewports
	{
		/** Two viewports; the first is the active one. */
		ActiveFirst,
		/** Two viewports listed, none active. */
		ListedNoneActive,
		/** No viewport in the level editor. */
		None
	};

	explicit FScopedLevelEditorWindow(EViewports Viewports = EViewports::ActiveFirst);
	~FScopedLevelEditorWindow();
	FScopedLevelEditorWindow(const FScopedLevelEditorWindow&) = delete;
	FScopedLevelEditorWindow& operator=(const FScopedLevelEditorWindow&) = delete;

	TSharedRef<SWindow> GetWindow() const { return Window.ToSharedRef(); }
	TSharedRef<SDockTab> GetTab() const { return Tab.ToSharedRef(); }
	TSharedRef<ILevelEditor> GetLevelEditor() const { return LevelEditor.ToSharedRef(); }
	/** The level editor's viewports, in order (empty for EViewports::None). */
	const TArray<TSharedPtr<SLevelViewport>>& GetViewports() const { return Viewports; }

private:
	TSharedPtr<SWindow> Window;
	TSharedPtr<SDockTab> Tab;
	TSharedPtr<ILevelEditor> LevelEditor;
	TArray<TSharedPtr<SLevelViewport>> Viewports;
};
