// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateStyleRegistry.h.
#pragma once

#include "CoreMinimal.h"

class ISlateStyle;

/** The process-wide list of style sets by name. */
class FSlateStyleRegistry
{
public:
	/** Adds a style set; a second set under a name already registered ends the process, as in the engine. */
	SLATECORE_API static void RegisterSlateStyle(const ISlateStyle& InSlateStyle);
	/** Removes a style set (by its name). */
	SLATECORE_API static void UnRegisterSlateStyle(const ISlateStyle& InSlateStyle);
	/** Removes the style set of that name. */
	SLATECORE_API static void UnRegisterSlateStyle(const FName StyleSetName);
	/** The registered set of that name, or null. */
	SLATECORE_API static const ISlateStyle* FindSlateStyle(const FName& InSlateStyleName);
};
