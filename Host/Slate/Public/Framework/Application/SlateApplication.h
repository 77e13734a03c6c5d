// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Application/SlateApplication.h: the application's top-level windows.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/SWindow.h"

/**
 * The Slate application. Host: it exists from the first call to Get, as in the editor, which makes it at
 * start-up; it only keeps the list of top-level windows (nothing is drawn, no input arrives).
 */
class FSlateApplication
{
public:
	/** True once the application exists. */
	SLATE_API static bool IsInitialized();
	SLATE_API static FSlateApplication& Get();

	/** Adds a top-level window, last in the window order. */
	SLATE_API TSharedRef<SWindow> AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately = true);
	/** Closes and removes a top-level window. Host: at once (the engine destroys it on its next tick). */
	SLATE_API void RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy);

	/** The top-level windows the user can interact with, in the order they were added. */
	SLATE_API TArray<TSharedRef<SWindow>> GetInteractiveTopLevelWindows();
	/** The top-level window whose widget tree holds InWidget (the window itself for a window); null if none. */
	SLATE_API TSharedPtr<SWindow> FindWidgetWindow(TSharedRef<const SWidget> InWidget) const;

private:
	TArray<TSharedRef<SWindow>> Windows;
};
