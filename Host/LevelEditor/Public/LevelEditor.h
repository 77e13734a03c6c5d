// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LevelEditor.h: the "LevelEditor" module and its level editors.
#pragma once

#include "CoreMinimal.h"
#include "ILevelEditor.h"
#include "Modules/ModuleInterface.h"
#include "SLevelViewport.h"

/**
 * The "LevelEditor" module. While it runs, the console command "LevelEditor.ToggleImmersive" switches the
 * first level editor's active viewport into or out of immersive mode.
 */
class FLevelEditorModule : public IModuleInterface
{
public:
	LEVELEDITOR_API virtual void StartupModule() override;
	LEVELEDITOR_API virtual void ShutdownModule() override;

	/** The first level editor; null before the editor's main frame has made one and after it is gone. */
	LEVELEDITOR_API virtual TSharedPtr<ILevelEditor> GetFirstLevelEditor() const;
	/** The first level editor's active viewport; null if either is missing. */
	LEVELEDITOR_API virtual TSharedPtr<SLevelViewport> GetFirstActiveLevelViewport();
	/** The same viewport as a viewport a play session can run in. */
	LEVELEDITOR_API virtual TSharedPtr<IAssetViewport> GetFirstActiveViewport();

	/**
	 * Host only: makes the level editor widget, as the editor's main frame does when it opens the level
	 * editor tab, with Viewports in order and ActiveViewport (one of them, or null) as the active one. The
	 * module holds it weakly: it stays the first level editor while the caller (a tab) holds it.
	 */
	LEVELEDITOR_API TSharedRef<ILevelEditor> HostCreateLevelEditor(const TArray<TSharedPtr<SLevelViewport>>& Viewports, TSharedPtr<SLevelViewport> ActiveViewport);

private:
	TWeakPtr<ILevelEditor> LevelEditorInstance;
};
