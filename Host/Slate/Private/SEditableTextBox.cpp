// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Input/SEditableTextBox.h"

SEditableTextBox::SEditableTextBox() = default;

void SEditableTextBox::Construct(const FArguments& InArgs)
{
	SBorder::Construct(SBorder::FArguments());
	HintText = InArgs._HintText;
	ReadOnly = InArgs._IsReadOnly;
	OnTextChanged = InArgs._OnTextChanged;
	OnTextCommitted = InArgs._OnTextCommitted;
	SetText(InArgs._Text);
}

FText SEditableTextBox::GetText() const
{
	SyncFromBoundText();
	return EditedText;
}

void SEditableTextBox::SetText(const TAttribute<FText>& InNewText)
{
	BoundText = InNewText;
	LastBoundText = BoundText.Get(FText::GetEmpty());
	EditedText = LastBoundText;
}

FText SEditableTextBox::GetHintText() const
{
	return HintText.Get(FText::GetEmpty());
}

void SEditableTextBox::SetHintText(const TAttribute<FText>& InHintText)
{
	HintText = InHintText;
}

void SEditableTextBox::SetIsReadOnly(TAttribute<bool> InIsReadOnly)
{
	ReadOnly = MoveTemp(InIsReadOnly);
}

void SEditableTextBox::SyncFromBoundText() const
{
	// Only a bound attribute can change by itself; a new value replaces the field's text, a user edit
	// stays until then.
	if (!BoundText.IsBound())
	{
		return;
	}
	const FText& Current = BoundText.Get();
	if (!Current.EqualTo(LastBoundText))
	{
		LastBoundText = Current;
		EditedText = Current;
	}
}

void SEditableTextBox::OnEditableTextChanged(const FText& InText)
{
	EditedText = InText;
	OnTextChanged.ExecuteIfBound(InText);
}

void SEditableTextBox::OnEditableTextCommitted(const FText& InText, ETextCommit::Type InCommitType)
{
	EditedText = InText;
	OnTextCommitted.ExecuteIfBound(InText, InCommitType);
}
