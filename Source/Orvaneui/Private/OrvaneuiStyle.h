// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Styling/SlateStyle.h"

/** The editor module's style set "OrvaneuiStyle": the toolbar button's icon in three sizes. */
class FOrvaneuiStyle
{
public:
	/** Creates and registers the style set, unless it exists already. */
	static void Initialize();

	/** Unregisters and releases the style set. */
	static void Shutdown();

	/** Asks the renderer to reload textures, so that the new brushes show. */
	static void ReloadTextures();

	/** The style set; valid between Initialize and Shutdown. */
	static const ISlateStyle& Get();

	/** "OrvaneuiStyle". */
	static FName GetStyleSetName();

private:
	static TSharedRef<FSlateStyleSet> Create();

	static TSharedPtr<FSlateStyleSet> StyleInstance;
};
