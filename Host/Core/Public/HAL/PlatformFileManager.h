// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/PlatformFileManager.h.
#pragma once

#include "CoreTypes.h"

// Only declared here, as in the engine: callers of its functions include GenericPlatform/GenericPlatformFile.h.
class IPlatformFile;

/** Hands out the platform file layer. */
class CORE_API FPlatformFileManager
{
public:
	static FPlatformFileManager& Get();
	/** The topmost platform file (the host has only the physical one). */
	IPlatformFile& GetPlatformFile();
};
