// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's SLevelViewport.h: a viewport of the level editor.
#pragma once

#include "CoreMinimal.h"
#include "IAssetViewport.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

/**
 * A viewport onto the level being edited, which a play session can run in. Host: it draws nothing and
 * keeps only whether it is immersive (shown without the level editor's surrounding panels).
 */
class SLevelViewport : public SCompoundWidget, public IAssetViewport
{
public:
	SLATE_BEGIN_ARGS(SLevelViewport) {}
	SLATE_END_ARGS()

	SLevelViewport() = default;

	LEVELEDITOR_API void Construct(const FArguments& InArgs);

	/** True while the viewport fills the level editor without its panels. */
	virtual bool IsImmersive() const override { return bIsImmersive; }
	/** Turns immersive mode on or off (host: at once, without animation). */
	virtual void MakeImmersive(const bool bWantImmersive, const bool bAllowAnimation) override { bIsImmersive = bWantImmersive; }

private:
	bool bIsImmersive = false;
};
