// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SBoxPanel.h: SHorizontalBox and SVerticalBox, which record each slot's
// size rule, padding and alignment for tests to read.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Children.h"
#include "Layout/Margin.h"
#include "Misc/Attribute.h"
#include "Types/SlateEnums.h"
#include "Types/SlateStructs.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SPanel.h"

#include <memory>
#include <vector>

/** A panel that stacks its children in one direction. */
class SBoxPanel : public SPanel
{
public:
	/** One child of a box panel with its layout. */
	class FSlot : public FSlotBase
	{
	public:
		FSizeParam::ESizeRule GetSizeRule() const { return SizeRule; }
		/** The stretch coefficient (for stretch rules). */
		float GetSizeValue() const { return SizeValue.Get(); }
		/** The largest size the slot may take; 0 for no limit. */
		float GetMaxSize() const { return MaxSize.Get(); }
		FMargin GetPadding() const { return SlotPadding.Get(); }
		EHorizontalAlignment GetHorizontalAlignment() const { return HorizontalAlignment; }
		EVerticalAlignment GetVerticalAlignment() const { return VerticalAlignment; }

		void SetPadding(TAttribute<FMargin> InPadding) { SlotPadding = MoveTemp(InPadding); }
		void SetHorizontalAlignment(EHorizontalAlignment InAlignment) { HorizontalAlignment = InAlignment; }
		void SetVerticalAlignment(EVerticalAlignment InAlignment) { VerticalAlignment = InAlignment; }

		/** Slot settings collected by `+ Slot().Modifier()...[ content ]` before the slot exists. */
		template <typename ArgumentsType>
		struct TSlotArgumentsBase
		{
			/** Sets the padding around the content. */
			ArgumentsType& Padding(TAttribute<FMargin> InPadding)
			{
				_Padding = MoveTemp(InPadding);
				return Me();
			}
			/** Sets the same padding on every side. */
			ArgumentsType& Padding(float Uniform) { return Padding(TAttribute<FMargin>(FMargin(Uniform))); }
			/** Sets horizontal and vertical padding. */
			ArgumentsType& Padding(float Horizontal, float Vertical) { return Padding(TAttribute<FMargin>(FMargin(Horizontal, Vertical))); }
			/** Sets each side's padding. */
			ArgumentsType& Padding(float Left, float Top, float Right, float Bottom) { return Padding(TAttribute<FMargin>(FMargin(Left, Top, Right, Bottom))); }
			/** Sets the horizontal alignment of the content. */
			ArgumentsType& HAlign(EHorizontalAlignment InAlignment)
			{
				_HAlign = InAlignment;
				return Me();
			}
			/** Sets the vertical alignment of the content. */
			ArgumentsType& VAlign(EVerticalAlignment InAlignment)
			{
				_VAlign = InAlignment;
				return Me();
			}
			/** Sets the content. */
			ArgumentsType& operator[](const TSharedRef<SWidget>& InChildWidget)
			{
				_Content.Widget = InChildWidget;
				return Me();
			}

			ArgumentsType& Me() { return *static_cast<ArgumentsType*>(this); }

			TAlwaysValidWidget _Content;
			TAttribute<FMargin> _Padding = TAttribute<FMargin>(FMargin());
			EHorizontalAlignment _HAlign = HAlign_Fill;
			EVerticalAlignment _VAlign = VAlign_Fill;
			FSizeParam::ESizeRule _SizeRule = FSizeParam::SizeRule_Stretch;
			TAttribute<float> _SizeValue = TAttribute<float>(1.0f);
			TAttribute<float> _MaxSize = TAttribute<float>(0.0f);
		};

	protected:
		template <typename ArgumentsType>
		void ApplyArguments(TSlotArgumentsBase<ArgumentsType>&& InArgs)
		{
			SlotPadding = MoveTemp(InArgs._Padding);
			HorizontalAlignment = InArgs._HAlign;
			VerticalAlignment = InArgs._VAlign;
			SizeRule = InArgs._SizeRule;
			SizeValue = MoveTemp(InArgs._SizeValue);
			MaxSize = MoveTemp(InArgs._MaxSize);
			AttachWidget(InArgs._Content.Widget);
		}

		void SetSize(FSizeParam::ESizeRule InRule, TAttribute<float> InValue)
		{
			SizeRule = InRule;
			SizeValue = MoveTemp(InValue);
		}
		void SetMaxSize(TAttribute<float> InMaxSize) { MaxSize = MoveTemp(InMaxSize); }

	private:
		TAttribute<FMargin> SlotPadding = TAttribute<FMargin>(FMargin());
		EHorizontalAlignment HorizontalAlignment = HAlign_Fill;
		EVerticalAlignment VerticalAlignment = VAlign_Fill;
		FSizeParam::ESizeRule SizeRule = FSizeParam::SizeRule_Stretch;
		TAttribute<float> SizeValue = TAttribute<float>(1.0f);
		TAttribute<float> MaxSize = TAttribute<float>(0.0f);
	};

	FChildren* GetChildren() override { return &Children; }

	/** How many slots the panel has. */
	int32 NumSlots() const { return Children.Num(); }
	/** Removes every slot. */
	void ClearChildren() { Children.Empty(); }

	/** The direction the panel stacks in. */
	EOrientation GetOrientation() const { return Orientation; }

protected:
	explicit SBoxPanel(EOrientation InOrientation)
		: Children(this)
		, Orientation(InOrientation)
	{
	}

	TPanelChildren<FSlot> Children;

private:
	EOrientation Orientation;
};

/** A panel that stacks its children left to right. */
class SHorizontalBox : public SBoxPanel
{
public:
	/** One child of a horizontal box. */
	class FSlot : public SBoxPanel::FSlot
	{
	public:
		/** Slot arguments: the box panel ones plus the width rules. */
		struct FSlotArguments : public SBoxPanel::FSlot::TSlotArgumentsBase<FSlotArguments>
		{
			/** The content's desired width is used. */
			FSlotArguments& AutoWidth()
			{
				_SizeRule = FSizeParam::SizeRule_Auto;
				return *this;
			}
			/** A share of the width left, proportional to the coefficient. */
			FSlotArguments& FillWidth(TAttribute<float> InStretchCoefficient)
			{
				_SizeRule = FSizeParam::SizeRule_Stretch;
				_SizeValue = MoveTemp(InStretchCoefficient);
				return *this;
			}
			/** The widest the slot may be; 0 for no limit. */
			FSlotArguments& MaxWidth(TAttribute<float> InMaxWidth)
			{
				_MaxSize = MoveTemp(InMaxWidth);
				return *this;
			}
		};

		/** Makes a slot from its arguments. */
		explicit FSlot(FSlotArguments&& InArgs) { ApplyArguments(MoveTemp(InArgs)); }

		void SetAutoWidth() { SetSize(FSizeParam::SizeRule_Auto, TAttribute<float>(0.0f)); }
		void SetFillWidth(TAttribute<float> InStretchCoefficient) { SetSize(FSizeParam::SizeRule_Stretch, MoveTemp(InStretchCoefficient)); }
		void SetMaxWidth(TAttribute<float> InMaxWidth) { SetMaxSize(MoveTemp(InMaxWidth)); }
	};

	/** Starts a slot for `+ SHorizontalBox::Slot()`. */
	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(); }

	SLATE_BEGIN_ARGS(SHorizontalBox) {}
	TArray<FSlot::FSlotArguments> _Slots;
	/** Adds a slot. */
	WidgetArgsType& operator+(FSlot::FSlotArguments& SlotToAdd)
	{
		_Slots.Add(MoveTemp(SlotToAdd));
		return Me();
	}
	/** Adds a slot. */
	WidgetArgsType& operator+(FSlot::FSlotArguments&& SlotToAdd)
	{
		_Slots.Add(MoveTemp(SlotToAdd));
		return Me();
	}
	SLATE_END_ARGS()

	SHorizontalBox()
		: SBoxPanel(Orient_Horizontal)
	{
	}

	/** Adds the slots given in the arguments. */
	SLATECORE_API void Construct(const FArguments& InArgs);

	/** The slot at SlotIndex, which must be valid. */
	FSlot& GetSlot(int32 SlotIndex) { return static_cast<FSlot&>(Children[SlotIndex]); }
	/** The slot at SlotIndex, which must be valid. */
	const FSlot& GetSlot(int32 SlotIndex) const { return static_cast<const FSlot&>(Children[SlotIndex]); }
};

/** A panel that stacks its children top to bottom. */
class SVerticalBox : public SBoxPanel
{
public:
	/** One child of a vertical box. */
	class FSlot : public SBoxPanel::FSlot
	{
	public:
		/** Slot arguments: the box panel ones plus the height rules. */
		struct FSlotArguments : public SBoxPanel::FSlot::TSlotArgumentsBase<FSlotArguments>
		{
			/** The content's desired height is used. */
			FSlotArguments& AutoHeight()
			{
				_SizeRule = FSizeParam::SizeRule_Auto;
				return *this;
			}
			/** A share of the height left, proportional to the coefficient. */
			FSlotArguments& FillHeight(TAttribute<float> InStretchCoefficient)
			{
				_SizeRule = FSizeParam::SizeRule_Stretch;
				_SizeValue = MoveTemp(InStretchCoefficient);
				return *this;
			}
			/** The tallest the slot may be; 0 for no limit. */
			FSlotArguments& MaxHeight(TAttribute<float> InMaxHeight)
			{
				_MaxSize = MoveTemp(InMaxHeight);
				return *this;
			}
		};

		/** Makes a slot from its arguments. */
		explicit FSlot(FSlotArguments&& InArgs) { ApplyArguments(MoveTemp(InArgs)); }

		void SetAutoHeight() { SetSize(FSizeParam::SizeRule_Auto, TAttribute<float>(0.0f)); }
		void SetFillHeight(TAttribute<float> InStretchCoefficient) { SetSize(FSizeParam::SizeRule_Stretch, MoveTemp(InStretchCoefficient)); }
		void SetMaxHeight(TAttribute<float> InMaxHeight) { SetMaxSize(MoveTemp(InMaxHeight)); }
	};

	/** Starts a slot for `+ SVerticalBox::Slot()`. */
	static FSlot::FSlotArguments Slot() { return FSlot::FSlotArguments(); }

	SLATE_BEGIN_ARGS(SVerticalBox) {}
	TArray<FSlot::FSlotArguments> _Slots;
	/** Adds a slot. */
	WidgetArgsType& operator+(FSlot::FSlotArguments& SlotToAdd)
	{
		_Slots.Add(MoveTemp(SlotToAdd));
		return Me();
	}
	/** Adds a slot. */
	WidgetArgsType& operator+(FSlot::FSlotArguments&& SlotToAdd)
	{
		_Slots.Add(MoveTemp(SlotToAdd));
		return Me();
	}
	SLATE_END_ARGS()

	SVerticalBox()
		: SBoxPanel(Orient_Vertical)
	{
	}

	/** Adds the slots given in the arguments. */
	SLATECORE_API void Construct(const FArguments& InArgs);

	/** The slot at SlotIndex, which must be valid. */
	FSlot& GetSlot(int32 SlotIndex) { return static_cast<FSlot&>(Children[SlotIndex]); }
	/** The slot at SlotIndex, which must be valid. */
	const FSlot& GetSlot(int32 SlotIndex) const { return static_cast<const FSlot&>(Children[SlotIndex]); }
};
