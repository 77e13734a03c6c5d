// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Application/SlateApplication.h: the application's top-level windows.
#pragma once

#include "CoreMinimal.h"
#include "Application/SlateApplicationBase.h"
#include "Rendering/SlateRenderer.h"
#include "Widgets/SWindow.h"

/** Where FindBestParentWindowHandleForDialogs looks when no widget is given. */
enum class ESlateParentWindowSearchMethod
{
	/** The active top-level window. */
	ActiveWindow,
	/** The application's main window. */
	MainWindow,
};

/**
 * The Slate application. Host: it exists from the first call to Get, as in the editor, which makes it at
 * start-up; it only keeps the list of top-level windows (nothing is drawn, no input arrives).
 */
class FSlateApplication : public FSlateApplicationBase
{
public:
	/** True once the application exists. */
	SLATE_API static bool IsInitialized();
	SLATE_API static FSlateApplication& Get();

	/** Adds a top-level window, last in the window order. */
	SLATE_API TSharedRef<SWindow> AddWindow(TSharedRef<SWindow> InSlateWindow, const bool bShowImmediately = true);
	/**
	 * Shows a window as modal to InParentWidget's window. The engine runs a nested loop and returns when the
	 * window closes; host: it returns at once and the window stays open (and modal) until it is destroyed.
	 */
	SLATE_API void AddModalWindow(TSharedRef<SWindow> InSlateWindow, const TSharedPtr<const SWidget> InParentWidget, bool bSlowTaskWindow = false);
	/** Closes and removes a top-level window, running its closed callback. Host: at once (the engine destroys it on its next tick). */
	SLATE_API void RequestDestroyWindow(TSharedRef<SWindow> WindowToDestroy) override;

	/** The top-level windows the user can interact with, in the order they were added; while a modal window is open, only it. */
	SLATE_API TArray<TSharedRef<SWindow>> GetInteractiveTopLevelWindows();
	/** The top-level window whose widget tree holds InWidget (the window itself for a window); null if none. */
	SLATE_API TSharedPtr<SWindow> FindWidgetWindow(TSharedRef<const SWidget> InWidget) const;
	/** The window the user works in: the newest modal window, or else the newest top-level window; null if none. */
	SLATE_API TSharedPtr<SWindow> GetActiveTopLevelWindow() const;
	/**
	 * The native handle of the window a dialog should be parented to: InWidget's window, or (with no widget)
	 * the active top-level window. Host: the window's address stands for its handle; null when there is none.
	 */
	SLATE_API const void* FindBestParentWindowHandleForDialogs(const TSharedPtr<SWidget>& InWidget, const ESlateParentWindowSearchMethod InParentWindowSearchMethod = ESlateParentWindowSearchMethod::ActiveWindow);

	/** The renderer. */
	SLATE_API FSlateRenderer* GetRenderer() const;

private:
	TArray<TSharedRef<SWindow>> Windows;
};
