// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/Commands.h"
#include "Modules/ModuleInterface.h"

class FUICommandList;

/** The editor module's command set: the one action of the toolbar button. */
class FOrvaneuiCommands : public TCommands<FOrvaneuiCommands>
{
public:
	FOrvaneuiCommands();

	void RegisterCommands() override;

	/** Opens the setup dialog. */
	TSharedPtr<FUICommandInfo> PluginAction;
};

/** The editor module that adds the setup button to the level editor. */
class FORV_uiModule : public IModuleInterface
{
public:
	void StartupModule() override;
	void ShutdownModule() override;

	/** Opens the setup dialog, or raises the open one; the command's action. */
	void PluginButtonClicked();

	/** The module's commands, mapped to their actions. */
	TSharedPtr<FUICommandList> GetPluginCommands() const { return PluginCommands; }

private:
	/** Adds the button to the level editor's play toolbar; runs once the tool menus have started. */
	void RegisterMenus();

	TSharedPtr<FUICommandList> PluginCommands;
};
