// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Input/SCheckBox.h"

void SCheckBox::Construct(const FArguments& InArgs)
{
	IsCheckboxChecked = InArgs._IsChecked;
	OnCheckStateChanged = InArgs._OnCheckStateChanged;
	ChildSlot[InArgs._Content.Widget];
}

void SCheckBox::SetIsChecked(TAttribute<ECheckBoxState> InIsChecked)
{
	IsCheckboxChecked = MoveTemp(InIsChecked);
}

void SCheckBox::ToggleCheckedState()
{
	const ECheckBoxState NewState = GetCheckedState() == ECheckBoxState::Checked ? ECheckBoxState::Unchecked : ECheckBoxState::Checked;
	// As in the engine, a bound state is left to its owner, who hears of the click through the delegate.
	if (!IsCheckboxChecked.IsBound())
	{
		IsCheckboxChecked.Set(NewState);
	}
	OnCheckStateChanged.ExecuteIfBound(NewState);
}
