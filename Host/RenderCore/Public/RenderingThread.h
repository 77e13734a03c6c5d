// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's RenderingThread.h (RenderCore): the host renders on the calling thread, so
// there are never rendering commands in flight.
#pragma once

#include "CoreMinimal.h"

/** Waits until the rendering thread has carried out every queued command. */
RENDERCORE_API void FlushRenderingCommands();
