// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ToolMenuSection.h.
#pragma once

#include "CoreMinimal.h"
#include "ToolMenuEntry.h"

/** A named group of entries in a menu or toolbar. */
struct FToolMenuSection
{
	FName Name;
	TAttribute<FText> Label;
	TArray<FToolMenuEntry> Blocks;

	/** Adds an entry owned by the current owner; an entry of the same name is replaced. */
	// unconfirmed: that the engine replaces (rather than adds beside) an entry of the same name in 5.6.
	TOOLMENUS_API FToolMenuEntry& AddEntry(const FToolMenuEntry& Args);
	/** Adds a menu item that runs InAction. */
	TOOLMENUS_API FToolMenuEntry& AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& InAction, const EUserInterfaceActionType UserInterfaceActionType = EUserInterfaceActionType::Button);
	/** Adds a sub-menu filled by InMakeMenu when it opens. */
	TOOLMENUS_API FToolMenuEntry& AddSubMenu(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FNewToolMenuDelegate& InMakeMenu, bool bInOpenSubMenuOnClick = false, const FSlateIcon& InIcon = FSlateIcon());
	/** The entry of that name, or null. */
	TOOLMENUS_API FToolMenuEntry* FindEntry(const FName InName);
};
