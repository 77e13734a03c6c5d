// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SCompoundWidget.h.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Children.h"
#include "Layout/Margin.h"
#include "Types/SlateEnums.h"
#include "Widgets/SWidget.h"

/** The single slot of a compound widget, which is also its children collection. */
class FCompoundWidgetOneChildSlot final : public FSlotBase, public FChildren
{
public:
	explicit FCompoundWidgetOneChildSlot(SWidget* InOwner)
		: FChildren(InOwner)
	{
		SetOwner(*this);
	}

	/** Puts the content in the slot. */
	FCompoundWidgetOneChildSlot& operator[](const TSharedRef<SWidget>& InChildWidget)
	{
		AttachWidget(InChildWidget);
		return *this;
	}

	/** Sets the horizontal alignment of the content. */
	FCompoundWidgetOneChildSlot& HAlign(EHorizontalAlignment InAlignment)
	{
		HorizontalAlignment = InAlignment;
		return *this;
	}
	/** Sets the vertical alignment of the content. */
	FCompoundWidgetOneChildSlot& VAlign(EVerticalAlignment InAlignment)
	{
		VerticalAlignment = InAlignment;
		return *this;
	}
	/** Sets the padding around the content. */
	FCompoundWidgetOneChildSlot& Padding(TAttribute<FMargin> InPadding)
	{
		SlotPadding = MoveTemp(InPadding);
		return *this;
	}
	/** Sets the same padding on every side. */
	FCompoundWidgetOneChildSlot& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
	/** Sets horizontal and vertical padding. */
	FCompoundWidgetOneChildSlot& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
	/** Sets each side's padding. */
	FCompoundWidgetOneChildSlot& Padding(float Left, float Top, float Right, float Bottom) { return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom))); }

	EHorizontalAlignment GetHorizontalAlignment() const { return HorizontalAlignment; }
	EVerticalAlignment GetVerticalAlignment() const { return VerticalAlignment; }
	FMargin GetPadding() const { return SlotPadding.Get(FMargin()); }

	int32 Num() const override { return 1; }
	TSharedRef<SWidget> GetChildAt(int32 Index) override
	{
		check(Index == 0);
		return GetWidget();
	}
	TSharedRef<const SWidget> GetChildAt(int32 Index) const override
	{
		check(Index == 0);
		return GetWidget();
	}
	const FSlotBase& GetSlotAt(int32 ChildIndex) const override
	{
		check(ChildIndex == 0);
		return *this;
	}

private:
	EHorizontalAlignment HorizontalAlignment = HAlign_Fill;
	EVerticalAlignment VerticalAlignment = VAlign_Fill;
	TAttribute<FMargin> SlotPadding;
};

/** A widget made of other widgets, held in its one ChildSlot. */
class SCompoundWidget : public SWidget
{
public:
	FChildren* GetChildren() override { return &ChildSlot; }

protected:
	SCompoundWidget()
		: ChildSlot(this)
	{
	}

	/** The slot holding the widget's content. */
	FCompoundWidgetOneChildSlot ChildSlot;
};
