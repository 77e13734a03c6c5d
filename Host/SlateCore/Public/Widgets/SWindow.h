// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SWindow.h: a top-level window with its title, size, mode and content.
#pragma once

#include "CoreMinimal.h"
#include "GenericPlatform/GenericWindowDefinition.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

/** A top-level window. Host: nothing is shown; the window keeps what the engine's would report. */
class SWindow : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SWindow)
		: _ClientSize(FVector2D(800.0, 600.0))
		, _SupportsMaximize(true)
		, _SupportsMinimize(true)
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FText, Title)
	SLATE_ARGUMENT(FVector2D, ClientSize)
	SLATE_ARGUMENT(bool, SupportsMaximize)
	SLATE_ARGUMENT(bool, SupportsMinimize)
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

private:
	TAttribute<FText> Title;
	FVector2D ClientSize = FVector2D(800.0, 600.0);
	EWindowMode::Type Mode = EWindowMode::Windowed;
};
