// Copyright Kelmora. All Rights Reserved.
// Test- and tool-side widget reflector: a widget tree written as JSON, so a layout can be checked without a screen.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/SWidget.h"

#include <nlohmann/json.hpp>

/**
 * Writes a widget and its children as JSON objects: "type" (the Slate class, e.g. "SButton"), "enabled"
 * (the widget's own state) and "children" for every widget; "checked" for check boxes; and where the widget
 * has them "text", "hint", "tooltip", "style" (button style), "brush" (image or border brush), "font" (each
 * the style name it was looked up by), "width" (an SBox's width override, else its minimum desired width),
 * "padding" ([left, top, right, bottom] of a border, button or box) and "slotPadding" (the padding the
 * parent's slot gives it, when not zero).
 */
class FWidgetReflector
{
public:
	static nlohmann::ordered_json ToJson(const TSharedRef<SWidget>& Root);
};
