// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ISettingsEditorModule.h (module SettingsEditor): the editor's settings UI.
#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

/** The settings editor module. */
class ISettingsEditorModule : public IModuleInterface
{
public:
	/**
	 * Registers every settings class that supports automatic registration (the engine does this when a settings
	 * viewer opens, and again after modules change). The host has no viewer: a forced update registers them.
	 */
	virtual void UpdateSettings(bool bForce = false) = 0;

	/** Shows the editor's prompt to restart because a changed setting needs it. */
	virtual void OnApplicationRestartRequired() = 0;

	/** Host only: how many times the restart prompt was shown, for tests. */
	virtual int32 GetHostRestartPromptCount() const = 0;
};
