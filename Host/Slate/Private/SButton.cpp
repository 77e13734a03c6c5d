// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Input/SButton.h"

#include "Widgets/Text/STextBlock.h"

void SButton::Construct(const FArguments& InArgs)
{
	// A given text wins over slot content, as in the engine.
	TSharedRef<SWidget> Content = InArgs._Content.Widget;
	if (InArgs._Text.IsSet())
	{
		Content = SNew(STextBlock).Text(InArgs._Text);
	}
	SBorder::Construct(SBorder::FArguments().HAlign(InArgs._HAlign).VAlign(InArgs._VAlign).Padding(InArgs._ContentPadding)[Content]);
	OnClicked = InArgs._OnClicked;
	SetButtonStyle(InArgs._ButtonStyle);
}

void SButton::SetButtonStyle(const FButtonStyle* InButtonStyle)
{
	Style = InButtonStyle ? InButtonStyle : &FButtonStyle::GetDefault();
}

void SButton::SetOnClicked(FOnClicked InOnClicked)
{
	OnClicked = MoveTemp(InOnClicked);
}

void SButton::SetContentPadding(TAttribute<FMargin> InContentPadding)
{
	SetPadding(MoveTemp(InContentPadding));
}

void SButton::SimulateClick()
{
	ExecuteOnClick();
}

FReply SButton::ExecuteOnClick()
{
	if (OnClicked.IsBound())
	{
		return OnClicked.Execute();
	}
	return FReply::Handled();
}
