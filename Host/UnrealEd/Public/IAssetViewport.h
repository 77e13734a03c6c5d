// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IAssetViewport.h: the editor viewport a play session can run in.
#pragma once

#include "CoreMinimal.h"

/** A viewport of an editor that can host a play session; the level editor's viewports implement it. */
class IAssetViewport
{
public:
	virtual ~IAssetViewport() = default;

	/** True while the viewport fills its editor without the surrounding panels. */
	virtual bool IsImmersive() const = 0;
	/** Switches immersive mode on or off. */
	virtual void MakeImmersive(const bool bWantImmersive, const bool bAllowAnimation) = 0;
};
