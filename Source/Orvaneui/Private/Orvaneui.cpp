// Copyright Kelmora. All Rights Reserved.
#include "Orvaneui.h"

#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"

void FORV_uiModule::StartupModule()
{
}

void FORV_uiModule::ShutdownModule()
{
	// A delayed setup step would otherwise run the module's code after it was unloaded.
	FOrvaneCameraManager::CancelDelayedSteps();
}

IMPLEMENT_MODULE(FORV_uiModule, Orvaneui)
