// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CoreGlobals.h.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogMacros.h"
#include "Misc/OutputDeviceRedirector.h"

#include <atomic>

#define GLog (FOutputDeviceRedirector::Get())

extern bool GIsEditor;
extern uint64 GFrameCounter;

CORE_API DECLARE_LOG_CATEGORY_EXTERN(LogTemp, Log, All);
