// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateTypes.h: the widget styles and check box state the plug-in uses.
#pragma once

#include "CoreMinimal.h"
#include "Styling/SlateWidgetStyle.h"

/** The state of a check box. */
enum class ECheckBoxState : uint8
{
	Unchecked,
	Checked,
	Undetermined,
};

/** How a button looks. */
struct FButtonStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	/** The style a button has when none is given. */
	SLATECORE_API static const FButtonStyle& GetDefault();
};

/** How a check box looks. */
struct FCheckBoxStyle : public FSlateWidgetStyle
{
	static const FName TypeName;
	const FName GetTypeName() const override { return TypeName; }
	/** The style a check box has when none is given. */
	SLATECORE_API static const FCheckBoxStyle& GetDefault();
};
