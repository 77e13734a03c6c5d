// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's HAL/PlatformAffinity.h.
#pragma once

#include "GenericPlatform/GenericPlatformAffinity.h"

typedef FGenericPlatformAffinity FPlatformAffinity;
