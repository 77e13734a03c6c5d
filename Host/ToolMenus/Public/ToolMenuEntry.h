// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ToolMenuEntry.h: one entry of a menu or toolbar section.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Framework/Commands/UIAction.h"
#include "Framework/Commands/UICommandInfo.h"
#include "Textures/SlateIcon.h"
#include "ToolMenuOwner.h"
#include "Widgets/SWidget.h"

class UToolMenu;

/** Fills a sub-menu when it opens. */
DECLARE_DELEGATE_OneParam(FNewToolMenuDelegate, UToolMenu*);

/** What kind of entry it is. */
enum class EMultiBlockType : uint8
{
	None,
	ButtonRow,
	ToolBarButton,
	ToolBarComboButton,
	Heading,
	MenuEntry,
	Separator,
	Widget,
};

/** One entry: a widget, a menu item running an action, or a sub-menu. */
struct FToolMenuEntry
{
	FToolMenuEntry() = default;

	/** An entry showing Widget; the flags leave out indent, search and padding when set as named. */
	TOOLMENUS_API static FToolMenuEntry InitWidget(const FName InName, const TSharedRef<SWidget>& Widget, const FText& Label, bool bNoIndent = false, bool bSearchable = true, bool bNoPadding = false, const FText& InToolTip = FText());
	/** A menu item that runs InAction. */
	TOOLMENUS_API static FToolMenuEntry InitMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& InAction, const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button);
	/** A sub-menu filled by InMakeMenu when it opens. */
	TOOLMENUS_API static FToolMenuEntry InitSubMenu(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FNewToolMenuDelegate& InMakeMenu, bool bInOpenSubMenuOnClick = false, const FSlateIcon& InIcon = FSlateIcon());

	FName Name;
	FToolMenuOwner Owner;
	EMultiBlockType Type = EMultiBlockType::None;
	EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button;
	TAttribute<FText> Label;
	TAttribute<FText> ToolTip;
	FSlateIcon Icon;
	/** The action of a menu item. */
	FUIAction Action;
	/** The content of a widget entry. */
	TSharedPtr<SWidget> Widget;
	/** How a sub-menu is filled. */
	FNewToolMenuDelegate SubMenuData;
	bool bIsSubMenu = false;
	bool bNoIndent = false;
	bool bSearchable = true;
	bool bNoPadding = false;
};
