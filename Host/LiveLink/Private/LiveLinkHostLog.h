// Copyright Kelmora. All Rights Reserved.
// The log category of the host's Live Link client (the engine's is LogLiveLink too).
#pragma once

#include "CoreMinimal.h"

DECLARE_LOG_CATEGORY_EXTERN(LogLiveLink, Log, All);
