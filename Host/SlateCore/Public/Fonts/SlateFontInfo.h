// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Fonts/SlateFontInfo.h: a font by the style name it was looked up with.
#pragma once

#include "CoreMinimal.h"

/** A font face and size. */
struct FSlateFontInfo
{
	FSlateFontInfo() = default;

	/** The size in points. */
	float Size = 10.0f;
	/** Host only: the style name the font was looked up by; none for a font made in place. */
	FName HostStyleName;
};
