// Copyright Kelmora. All Rights Reserved.
#include "Widgets/SWindow.h"

#include "Application/SlateApplicationBase.h"

FSlateApplicationBase* FSlateApplicationBase::CurrentBaseApplication = nullptr;

FSlateApplicationBase& FSlateApplicationBase::Get()
{
	check(CurrentBaseApplication);
	return *CurrentBaseApplication;
}

void SWindow::Construct(const FArguments& InArgs)
{
	Title = InArgs._Title;
	ClientSize = InArgs._ClientSize;
	SizingRule = InArgs._SizingRule;
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

void SWindow::NotifyWindowBeingDestroyed()
{
	// Copied first: the callback may replace itself or drop the last reference to the window's owner.
	const FOnWindowClosed Callback = OnWindowClosed;
	Callback.ExecuteIfBound(StaticCastSharedRef<SWindow>(AsShared()));
}

void SWindow::RequestDestroyWindow()
{
	if (FSlateApplicationBase::IsInitialized())
	{
		FSlateApplicationBase::Get().RequestDestroyWindow(StaticCastSharedRef<SWindow>(AsShared()));
	}
}

void SWindow::BringToFront(bool bForce)
{
	++HostBringToFrontCount;
}
