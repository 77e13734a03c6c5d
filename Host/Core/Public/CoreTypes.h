// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CoreTypes.h.
#pragma once

#include "HAL/Platform.h"
#include "Misc/AssertionMacros.h"
#include "Templates/UnrealTemplate.h"
