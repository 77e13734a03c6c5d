// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Textures/SlateIcon.h.
#pragma once

#include "CoreMinimal.h"

/** An icon named by its style set and style name. */
class FSlateIcon
{
public:
	FSlateIcon() = default;
	FSlateIcon(const FName InStyleSetName, const FName InStyleName)
		: StyleSetName(InStyleSetName)
		, StyleName(InStyleName)
	{
	}

	const FName& GetStyleSetName() const { return StyleSetName; }
	const FName& GetStyleName() const { return StyleName; }
	bool IsSet() const { return !StyleSetName.IsNone() && !StyleName.IsNone(); }

private:
	FName StyleSetName;
	FName StyleName;
};
