// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Docking/SDockTab.h: a tab holding one panel of an editor.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class SWindow;

/** A dockable tab with its content. Host: it is docked wherever its widget sits in a window's tree. */
class SDockTab : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SDockTab) {}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ATTRIBUTE(FText, Label)
	SLATE_END_ARGS()

	SDockTab() = default;

	SLATE_API void Construct(const FArguments& InArgs);

	/** The tab's label. */
	FText GetTabLabel() const { return Label.Get(FText::GetEmpty()); }
	/** Replaces the content. */
	SLATE_API void SetContent(TSharedRef<SWidget> InContent);
	/** The window the tab is docked in; null while it is in none. */
	SLATE_API TSharedPtr<SWindow> GetParentWindow() const;

private:
	TAttribute<FText> Label;
};
