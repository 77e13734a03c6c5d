// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CoreGlobals.h.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogMacros.h"
#include "Misc/OutputDeviceError.h"
#include "Misc/OutputDeviceRedirector.h"

#include <atomic>

#define GLog (FOutputDeviceRedirector::Get())

class FConfigCacheIni;

extern bool GIsEditor;
extern uint64 GFrameCounter;
/** The engine's output for errors. */
extern CORE_API FOutputDeviceError* GError;
/** The config cache: the .ini files behind config properties. */
extern CORE_API FConfigCacheIni* GConfig;

CORE_API DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
