// Copyright Kelmora. All Rights Reserved.
#include "RenderingThread.h"

#include "Modules/ModuleManager.h"

void FlushRenderingCommands()
{
}

IMPLEMENT_MODULE(FDefaultModuleImpl, RenderCore)
