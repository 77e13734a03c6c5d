// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ToolMenu.h. Host: a plain object (the engine's is a UObject) owned by UToolMenus.
#pragma once

#include "CoreMinimal.h"
#include "ToolMenuSection.h"

#include <memory>
#include <vector>

/** A menu or toolbar by name, with its sections. */
class UToolMenu
{
public:
	explicit UToolMenu(FName InMenuName)
		: MenuName(InMenuName)
	{
	}

	/** The section of that name, added at the end when missing. */
	TOOLMENUS_API FToolMenuSection& FindOrAddSection(const FName SectionName);
	/** The section of that name, added with the label when missing. */
	TOOLMENUS_API FToolMenuSection& FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel);
	/** The section of that name, or null. */
	TOOLMENUS_API FToolMenuSection* FindSection(const FName SectionName);
	/** Adds a section (or returns the one of that name). */
	TOOLMENUS_API FToolMenuSection& AddSection(const FName SectionName, const TAttribute<FText>& InLabel = TAttribute<FText>());

	FName GetMenuName() const { return MenuName; }
	/** The sections in order. */
	TOOLMENUS_API TArray<FToolMenuSection*> HostGetSections() const;

	/** Host only: drops the entries Owner added, and sections left empty by it. */
	void HostRemoveEntriesOwnedBy(const FToolMenuOwner& Owner);

private:
	FName MenuName;
	// Sections stay where they are while others are added, so references handed out stay valid.
	std::vector<std::unique_ptr<FToolMenuSection>> Sections;
};
