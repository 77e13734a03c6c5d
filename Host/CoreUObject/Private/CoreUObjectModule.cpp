// Copyright Kelmora. All Rights Reserved.
#include "Modules/ModuleManager.h"
#include "ObjectSystem.h"

/** The CoreUObject module: on start-up, builds the reflected types of every library loaded so far. */
class FCoreUObjectModule : public IModuleInterface
{
public:
	virtual void StartupModule() override { UE::CoreUObject::Host::FObjectSystem::ProcessPendingRegistrations(); }
};

IMPLEMENT_MODULE(FCoreUObjectModule, CoreUObject)
