// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Rendering/SlateRenderer.h.
#pragma once

#include "CoreMinimal.h"

/** Draws the windows. Host: nothing is drawn; reloads are counted. */
class FSlateRenderer
{
public:
	virtual ~FSlateRenderer() = default;

	/** Reloads every texture the styles refer to, e.g. after a style set was added. */
	virtual void ReloadTextureResources() { ++HostReloadCount; }

	/** Host only: how often textures were reloaded. */
	int32 HostGetReloadCount() const { return HostReloadCount; }

private:
	int32 HostReloadCount = 0;
};
