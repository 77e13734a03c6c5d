// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

struct IConsoleObject;

/** The runtime and editor module: sets up what the whole process shares and the project settings. */
class FOrvaneLiveLinkModule : public IModuleInterface
{
public:
	virtual void StartupModule() override;
	virtual void ShutdownModule() override;

private:
	void RegisterSettings();
	void UnregisterSettings();
	bool HandleSettingsSaved();

	/** The "Orvane.LinkHealth" console command while the module is loaded. */
	IConsoleObject* LinkHealthCommand = nullptr;
};
