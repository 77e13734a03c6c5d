// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SWindow.h: a top-level window with its title, size, mode and content.
#pragma once

#include "CoreMinimal.h"
#include "GenericPlatform/GenericWindowDefinition.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class SWindow;

/** How a window's size is decided. */
enum class ESizingRule : uint8
{
	/** The size never changes. */
	FixedSize,
	/** The size follows the content's desired size. */
	Autosized,
	/** The user can resize the window. */
	UserSized,
};

/** A window was closed. */
DECLARE_DELEGATE_OneParam(FOnWindowClosed, const TSharedRef<SWindow>&);

/** A top-level window. Host: nothing is shown; the window keeps what the engine's would report. */
class SWindow : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SWindow)
		: _ClientSize(FVector2D(800.0, 600.0))
		, _SupportsMaximize(true)
		, _SupportsMinimize(true)
		, _SizingRule(ESizingRule::UserSized)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FText, Title)
	SLATE_ARGUMENT(FVector2D, ClientSize)
	SLATE_ARGUMENT(bool, SupportsMaximize)
	SLATE_ARGUMENT(bool, SupportsMinimize)
	SLATE_ARGUMENT(ESizingRule, SizingRule)
	SLATE_END_ARGS()

	SWindow() = default;

	SLATECORE_API void Construct(const FArguments& InArgs);

	/** The window's title. */
	FText GetTitle() const { return Title.Get(FText::GetEmpty()); }
	/** Sets the content. */
	SLATECORE_API void SetContent(TSharedRef<SWidget> InContent);
	/** The content; the null widget when there is none. */
	SLATECORE_API TSharedRef<const SWidget> GetContent() const;

	/** Changes how the window fills the screen. */
	void SetWindowMode(EWindowMode::Type WindowMode) { Mode = WindowMode; }
	/** How the window fills the screen; a new window is windowed. */
	EWindowMode::Type GetWindowMode() const { return Mode; }

	/** The size of the window's client area. */
	FVector2D GetClientSizeInScreen() const { return ClientSize; }
	/** How the window's size is decided. */
	ESizingRule GetSizingRule() const { return SizingRule; }

	/** Sets what is called when the window closes (replacing any earlier callback). */
	void SetOnWindowClosed(const FOnWindowClosed& InDelegate) { OnWindowClosed = InDelegate; }
	/** Called by the application as the window is destroyed: runs the closed callback. */
	SLATECORE_API void NotifyWindowBeingDestroyed();
	/** Asks the application to close the window. */
	SLATECORE_API void RequestDestroyWindow();

	/** Raises the window above the others; with bForce even when the application is not in front. */
	SLATECORE_API void BringToFront(bool bForce = false);
	/** Flashes the window to draw the user's attention. */
	void FlashWindow() { ++HostFlashCount; }

	/** Host only: how often the window was brought to the front. */
	int32 HostGetBringToFrontCount() const { return HostBringToFrontCount; }
	/** Host only: how often the window was flashed. */
	int32 HostGetFlashCount() const { return HostFlashCount; }
	/** Host only: true when the application shows the window as a modal window. */
	bool HostIsModal() const { return bHostModal; }
	/** Host only: the application marks a window it shows modally. */
	void HostSetModal(bool bModal) { bHostModal = bModal; }

private:
	TAttribute<FText> Title;
	FVector2D ClientSize = FVector2D(800.0, 600.0);
	EWindowMode::Type Mode = EWindowMode::Windowed;
	ESizingRule SizingRule = ESizingRule::UserSized;
	FOnWindowClosed OnWindowClosed;
	int32 HostBringToFrontCount = 0;
	int32 HostFlashCount = 0;
	bool bHostModal = false;
};
