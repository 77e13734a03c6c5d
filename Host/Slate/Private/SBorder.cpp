// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Layout/SBorder.h"

void SBorder::Construct(const FArguments& InArgs)
{
	ChildSlot.HAlign(InArgs._HAlign).VAlign(InArgs._VAlign).Padding(InArgs._Padding)[InArgs._Content.Widget];
	BorderImage = InArgs._BorderImage;
}

void SBorder::SetContent(TSharedRef<SWidget> InContent)
{
	ChildSlot[InContent];
}

const TSharedRef<SWidget>& SBorder::GetContent() const
{
	return ChildSlot.GetWidget();
}

void SBorder::ClearContent()
{
	ChildSlot.DetachWidget();
}

void SBorder::SetPadding(TAttribute<FMargin> InPadding)
{
	ChildSlot.Padding(MoveTemp(InPadding));
}

void SBorder::SetHAlign(EHorizontalAlignment HAlign)
{
	ChildSlot.HAlign(HAlign);
}

void SBorder::SetVAlign(EVerticalAlignment VAlign)
{
	ChildSlot.VAlign(VAlign);
}
