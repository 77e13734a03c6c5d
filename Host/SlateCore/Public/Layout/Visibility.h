// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Layout/Visibility.h.
#pragma once

#include "CoreMinimal.h"

/** Whether a widget is shown and whether it takes part in hit testing. */
struct EVisibility
{
	/** Shown and hit-testable. */
	static SLATECORE_API const EVisibility Visible;
	/** Not shown and takes no space. */
	static SLATECORE_API const EVisibility Collapsed;
	/** Not shown but takes space. */
	static SLATECORE_API const EVisibility Hidden;
	/** Shown; neither it nor its children are hit-testable. */
	static SLATECORE_API const EVisibility HitTestInvisible;
	/** Shown; not hit-testable itself, its children may be. */
	static SLATECORE_API const EVisibility SelfHitTestInvisible;
	/** Any visibility (a filter value). */
	static SLATECORE_API const EVisibility All;

	/** Visible. */
	EVisibility()
		: Value(VIS_Visible)
	{
	}

	bool operator==(const EVisibility& Other) const { return Value == Other.Value; }
	bool operator!=(const EVisibility& Other) const { return Value != Other.Value; }

	/** True when the widget is drawn. */
	bool IsVisible() const { return (Value & VIS_Visible) != 0; }
	/** True when the widget itself can be hit. */
	bool IsHitTestVisible() const { return (Value & VISPRIVATE_SelfHitTestVisible) != 0; }
	/** True when the widget's children can be hit. */
	bool AreChildrenHitTestVisible() const { return (Value & VISPRIVATE_ChildrenHitTestVisible) != 0; }

	/** The name of the visibility, e.g. "Collapsed". */
	SLATECORE_API FString ToString() const;

private:
	enum Private
	{
		VISPRIVATE_Visible = 0x1 << 0,
		VISPRIVATE_Collapsed = 0x1 << 1,
		VISPRIVATE_Hidden = 0x1 << 2,
		VISPRIVATE_SelfHitTestVisible = 0x1 << 3,
		VISPRIVATE_ChildrenHitTestVisible = 0x1 << 4,

		VIS_Visible = VISPRIVATE_Visible | VISPRIVATE_SelfHitTestVisible | VISPRIVATE_ChildrenHitTestVisible,
		VIS_Collapsed = VISPRIVATE_Collapsed,
		VIS_Hidden = VISPRIVATE_Hidden,
		VIS_HitTestInvisible = VISPRIVATE_Visible,
		VIS_SelfHitTestInvisible = VISPRIVATE_Visible | VISPRIVATE_ChildrenHitTestVisible,
		VIS_All = VISPRIVATE_Visible | VISPRIVATE_Hidden | VISPRIVATE_Collapsed | VISPRIVATE_SelfHitTestVisible | VISPRIVATE_ChildrenHitTestVisible,
	};

	explicit EVisibility(Private InValue)
		: Value(InValue)
	{
	}

	Private Value;
};
