// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's DesktopPlatformModule.h.
#pragma once

#include "CoreMinimal.h"
#include "IDesktopPlatform.h"
#include "Modules/ModuleInterface.h"

/** The module giving the desktop's dialogs. */
class FDesktopPlatformModule : public IModuleInterface
{
public:
	/** The desktop platform; null where there is none. */
	DESKTOPPLATFORM_API static IDesktopPlatform* Get();
};
