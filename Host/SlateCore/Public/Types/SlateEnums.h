// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Types/SlateEnums.h.
#pragma once

#include "CoreTypes.h"

/** Horizontal alignment of a widget in its slot. */
enum EHorizontalAlignment : int
{
	HAlign_Fill,
	HAlign_Left,
	HAlign_Center,
	HAlign_Right,
};

/** Vertical alignment of a widget in its slot. */
enum EVerticalAlignment : int
{
	VAlign_Fill,
	VAlign_Top,
	VAlign_Center,
	VAlign_Bottom,
};

/** How an edit of a text field was committed. */
namespace ETextCommit
{
	enum Type : int
	{
		/** Losing focus or a similar event committed implicitly. */
		Default,
		/** The user pressed Enter. */
		OnEnter,
		/** The user moved focus away (Tab or similar). */
		OnUserMovedFocus,
		/** Keyboard focus was cleared (Escape or similar). */
		OnCleared,
	};
}

/** The direction a panel lays its children out in. */
enum EOrientation : int
{
	Orient_Horizontal,
	Orient_Vertical,
};
