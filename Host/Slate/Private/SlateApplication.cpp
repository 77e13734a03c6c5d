// Copyright Kelmora. All Rights Reserved.
#include "Framework/Application/SlateApplication.h"

bool FSlateApplication::IsInitialized()
{
	return FSlateApplicationBase::IsInitialized();
}

FSlateApplication& FSlateApplication::Get()
{
	static FSlateApplication Application;
	CurrentBaseApplication = &Application;
	return Application;
}

TSharedRef<SWindow> FSlateApplication::AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately)
{
	Windows.AddUnique(InSlateWindow);
	return InSlateWindow;
}

void FSlateApplication::AddModalWindow(TSharedRef<SWindow> InSlateWindow, const TSharedPtr<const SWidget> InParentWidget, bool bSlowTaskWindow)
{
	InSlateWindow->HostSetModal(true);
	AddWindow(InSlateWindow);
}

void FSlateApplication::RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy)
{
	// A window asked to close twice is destroyed once, and its closed callback runs once.
	if (Windows.Remove(WindowToDestroy) > 0)
	{
		WindowToDestroy->HostSetModal(false);
		WindowToDestroy->NotifyWindowBeingDestroyed();
		// unconfirmed: the engine lets go of a destroyed window's content; a widget holding its own window
		// (as dialogs do) would otherwise keep both alive.
		WindowToDestroy->SetContent(SNullWidget::NullWidget);
	}
}

TArray<TSharedRef<SWindow>> FSlateApplication::GetInteractiveTopLevelWindows()
{
	for (int32 Index = Windows.Num() - 1; Index >= 0; --Index)
	{
		if (Windows[Index]->HostIsModal())
		{
			return {Windows[Index]};
		}
	}
	return Windows;
}

TSharedPtr<SWindow> FSlateApplication::FindWidgetWindow(TSharedRef<const SWidget> InWidget) const
{
	TSharedPtr<const SWidget> Root = InWidget;
	while (TSharedPtr<SWidget> Parent = Root->GetParentWidget())
	{
		Root = Parent;
	}
	for (const TSharedRef<SWindow>& Window : Windows)
	{
		if (&Window.Get() == Root.Get())
		{
			return Window;
		}
	}
	return nullptr;
}

TSharedPtr<SWindow> FSlateApplication::GetActiveTopLevelWindow() const
{
	for (int32 Index = Windows.Num() - 1; Index >= 0; --Index)
	{
		if (Windows[Index]->HostIsModal())
		{
			return Windows[Index];
		}
	}
	return Windows.Num() > 0 ? TSharedPtr<SWindow>(Windows.Last()) : nullptr;
}

const void* FSlateApplication::FindBestParentWindowHandleForDialogs(const TSharedPtr<SWidget>& InWidget, const ESlateParentWindowSearchMethod InParentWindowSearchMethod)
{
	const TSharedPtr<SWindow> Window = InWidget.IsValid() ? FindWidgetWindow(InWidget.ToSharedRef()) : GetActiveTopLevelWindow();
	return Window.Get();
}

FSlateRenderer* FSlateApplication::GetRenderer() const
{
	static FSlateRenderer Renderer;
	return &Renderer;
}
