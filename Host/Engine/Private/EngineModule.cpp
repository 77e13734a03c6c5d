// Copyright Kelmora. All Rights Reserved.
#include "Kismet/BlueprintFunctionLibrary.h"
#include "Modules/ModuleManager.h"

IMPLEMENT_MODULE(FDefaultModuleImpl, Engine)
