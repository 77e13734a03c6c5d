// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ToolMenus.h: the registry of the editor's menus and toolbars.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "ToolMenu.h"
#include "ToolMenuEntry.h"
#include "ToolMenuOwner.h"
#include "ToolMenuSection.h"

#include <memory>

/**
 * The editor's menus. Host: a plain singleton (the engine's is a UObject). The menus start when the
 * editor's UI is up (HostStartUp, which the headless editor or a test calls); callbacks registered before
 * that run then, later ones at once.
 */
class UToolMenus
{
public:
	/** The menus. */
	TOOLMENUS_API static UToolMenus* Get();
	/** True once the menu UI has started. */
	TOOLMENUS_API static bool IsToolMenuUIEnabled();

	/** Runs InDelegate once the menus have started: at once when they have, otherwise when they start. */
	TOOLMENUS_API static FDelegateHandle RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate);
	/** Drops the start-up callbacks bound to UserPointer that have not run. */
	TOOLMENUS_API static void UnRegisterStartupCallback(const void* UserPointer);
	/** Drops the start-up callback of that handle if it has not run. */
	TOOLMENUS_API static void UnRegisterStartupCallback(FDelegateHandle InHandle);
	/** Removes every entry the owner added, from every menu. */
	TOOLMENUS_API static void UnregisterOwner(FToolMenuOwner InOwner);

	/** The menu of that name for adding to; it is made when missing. */
	TOOLMENUS_API UToolMenu* ExtendMenu(const FName Name);
	/** The menu of that name, or null. */
	TOOLMENUS_API UToolMenu* FindMenu(const FName Name);
	/** The owner entries are added for now (set by FToolMenuOwnerScoped). */
	TOOLMENUS_API FToolMenuOwner CurrentOwner() const;

	/** Host only: the editor's UI is up; runs the start-up callbacks. */
	TOOLMENUS_API static void HostStartUp();
	/** Host only: back to the state before start-up, with no menus and no callbacks. */
	TOOLMENUS_API static void HostReset();
	/** Host only: the menu a sub-menu entry opens, filled by its delegate; null when the entry is not a sub-menu. */
	TOOLMENUS_API UToolMenu* HostOpenSubMenu(UToolMenu* Parent, FName EntryName);

private:
	friend class FToolMenuOwnerScoped;

	TMap<FName, std::shared_ptr<UToolMenu>> Menus;
	TArray<FToolMenuOwner> OwnerStack;
	FSimpleMulticastDelegate StartupCallbacks;
	bool bStarted = false;
};
