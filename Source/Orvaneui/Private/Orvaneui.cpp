// Copyright Kelmora. All Rights Reserved.
#include "Orvaneui.h"

#include "Modules/ModuleManager.h"

void FORV_uiModule::StartupModule()
{
}

void FORV_uiModule::ShutdownModule()
{
}

IMPLEMENT_MODULE(FORV_uiModule, Orvaneui)
