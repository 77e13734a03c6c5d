// Copyright Kelmora. All Rights Reserved.
#include "Widgets/SWindow.h"

void SWindow::Construct(const FArguments& InArgs)
{
	Title = InArgs._Title;
	ClientSize = InArgs._ClientSize;
	ChildSlot[InArgs._Content.Widget];
}

void SWindow::SetContent(TSharedRef<SWidget> InContent)
{
	ChildSlot[InContent];
}

TSharedRef<const SWidget> SWindow::GetContent() const
{
	return ChildSlot.GetWidget();
}
