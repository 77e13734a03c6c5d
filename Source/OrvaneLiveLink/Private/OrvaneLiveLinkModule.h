// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"

/** The runtime and editor module: sets up what the whole process shares. */
class FOrvaneLiveLinkModule : public IModuleInterface
{
public:
	void StartupModule() override;
	void ShutdownModule() override;
};
