// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateWidgetStyle.h.
#pragma once

#include "CoreMinimal.h"

/** The base of a widget's style (button, check box); each kind has a TypeName. */
struct FSlateWidgetStyle
{
	virtual ~FSlateWidgetStyle() = default;
	/** The kind of style, e.g. "FButtonStyle". */
	virtual const FName GetTypeName() const = 0;

	/** Host only: the style name it was registered under in its style set; none for the default style. */
	FName HostStyleName;
};
