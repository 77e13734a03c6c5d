// Copyright Kelmora. All Rights Reserved.
#include "Framework/Application/SlateApplication.h"

namespace
{
	bool& Initialized()
	{
		static bool bInitialized = false;
		return bInitialized;
	}
}

bool FSlateApplication::IsInitialized()
{
	return Initialized();
}

FSlateApplication& FSlateApplication::Get()
{
	static FSlateApplication Application;
	Initialized() = true;
	return Application;
}

TSharedRef<SWindow> FSlateApplication::AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately)
{
	Windows.AddUnique(InSlateWindow);
	return InSlateWindow;
}

void FSlateApplication::RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy)
{
	Windows.Remove(WindowToDestroy);
}

TArray<TSharedRef<SWindow>> FSlateApplication::GetInteractiveTopLevelWindows()
{
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
