// Copyright Kelmora. All Rights Reserved.
#include "GenericPlatform/GenericWindowDefinition.h"
#include "Modules/ModuleManager.h"

IMPLEMENT_MODULE(FDefaultModuleImpl, ApplicationCore)
