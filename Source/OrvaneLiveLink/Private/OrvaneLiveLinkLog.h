// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

/** Log category of the Live Link source and the frame component. */
DECLARE_LOG_CATEGORY_EXTERN(ModuleLog, Log, All);
