// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkModule.h"

#include "Modules/ModuleManager.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkLog.h"

DEFINE_LOG_CATEGORY(ModuleLog);

void FOrvaneLiveLinkModule::StartupModule()
{
	FOrvaneFrameExchange::CreateProcessLock();
}

void FOrvaneLiveLinkModule::ShutdownModule()
{
	FOrvaneFrameExchange::DestroyProcessLock();
}

IMPLEMENT_MODULE(FOrvaneLiveLinkModule, OrvaneLiveLink)
