// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Docking/SDockTab.h"
#include "Framework/Application/SlateApplication.h"

void SDockTab::Construct(const FArguments& InArgs)
{
	Label = InArgs._Label;
	ChildSlot[InArgs._Content.Widget];
}

void SDockTab::SetContent(TSharedRef<SWidget> InContent)
{
	ChildSlot[InContent];
}

TSharedPtr<SWindow> SDockTab::GetParentWindow() const
{
	return FSlateApplication::Get().FindWidgetWindow(AsShared());
}
