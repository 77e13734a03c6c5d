// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's JsonGlobals.h.
#pragma once

#include "CoreMinimal.h"

DECLARE_LOG_CATEGORY_EXTERN(LogJson, Log, All);
