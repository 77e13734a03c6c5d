// Copyright Kelmora. All Rights Reserved.
#include "Orvaneui.h"

#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "OrvaneContent.h"

void FORV_uiModule::StartupModule()
{
	FOrvaneContent::CreateMissingWhenRegistryReady();
}

void FORV_uiModule::ShutdownModule()
{
	// A delayed setup step would otherwise run the module's code after it was unloaded.
	FOrvaneCameraManager::CancelDelayedSteps();
	FOrvaneContent::CancelPendingCreation();
}

IMPLEMENT_MODULE(FORV_uiModule, Orvaneui)
