// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

/** The editor module that adds the setup button to the level editor. */
class FORV_uiModule : public IModuleInterface
{
public:
	void StartupModule() override;
	void ShutdownModule() override;
};
