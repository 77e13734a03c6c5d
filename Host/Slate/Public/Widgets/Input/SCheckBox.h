// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Input/SCheckBox.h: a check box with its state, without styles.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class FSlateTestKit;

/** The check box's state changed through the user. */
DECLARE_DELEGATE_OneParam(FOnCheckStateChanged, ECheckBoxState);

/** A box the user ticks and unticks, with optional content beside it. */
class SCheckBox : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SCheckBox)
		: _IsChecked(ECheckBoxState::Unchecked)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	/** The state shown; a bound attribute decides it, and a click then only calls OnCheckStateChanged. */
	SLATE_ATTRIBUTE(ECheckBoxState, IsChecked)
	/** Called when the user changes the state. */
	SLATE_EVENT(FOnCheckStateChanged, OnCheckStateChanged)
	SLATE_STYLE_ARGUMENT(FCheckBoxStyle, Style)
	SLATE_END_ARGS()

	SCheckBox() = default;

	/** Sets the content, state and delegate. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** True when the state is Checked. */
	bool IsChecked() const { return GetCheckedState() == ECheckBoxState::Checked; }
	/** The state, read from its attribute. */
	ECheckBoxState GetCheckedState() const { return IsCheckboxChecked.Get(ECheckBoxState::Unchecked); }
	/** Sets the state or its binding, without calling OnCheckStateChanged. */
	SLATE_API void SetIsChecked(TAttribute<ECheckBoxState> InIsChecked);
	/** Flips the state as a click would, calling OnCheckStateChanged. */
	SLATE_API void ToggleCheckedState();

private:
	friend class FSlateTestKit;

	TAttribute<ECheckBoxState> IsCheckboxChecked;
	FOnCheckStateChanged OnCheckStateChanged;
};
