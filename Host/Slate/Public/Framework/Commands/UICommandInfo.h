// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/UICommandInfo.h: commands and the context they belong to.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/InputChord.h"
#include "Textures/SlateIcon.h"

/** How a command shows in menus and toolbars. */
enum class EUserInterfaceActionType : uint8
{
	None,
	Button,
	ToggleButton,
	RadioButton,
	Check,
	CollapsedButton,
};

/** A named group of commands (a command set), with the style set its icons come from. */
class FBindingContext : public TSharedFromThis<FBindingContext>
{
public:
	FBindingContext(const FName InContextName, const FText& InContextDesc, const FName InContextParent, const FName InStyleSetName)
		: ContextName(InContextName)
		, ContextParent(InContextParent)
		, ContextDesc(InContextDesc)
		, StyleSetName(InStyleSetName)
	{
	}
	virtual ~FBindingContext() = default;

	FName GetContextName() const { return ContextName; }
	FName GetContextParentName() const { return ContextParent; }
	const FText& GetContextDesc() const { return ContextDesc; }
	FName GetStyleSetName() const { return StyleSetName; }

private:
	FName ContextName;
	FName ContextParent;
	FText ContextDesc;
	FName StyleSetName;
};

/** One command: its name, label, description, icon and kind. */
class FUICommandInfo
{
public:
	FUICommandInfo(const FName InBindingContext, const FName InCommandName, const FText& InLabel, const FText& InDescription, const FSlateIcon& InIcon, EUserInterfaceActionType InType)
		: BindingContext(InBindingContext)
		, CommandName(InCommandName)
		, Label(InLabel)
		, Description(InDescription)
		, Icon(InIcon)
		, UserInterfaceType(InType)
	{
	}

	/** Makes a command of the context. */
	SLATE_API static void MakeCommandInfo(const TSharedRef<FBindingContext>& InContext, TSharedPtr<FUICommandInfo>& OutCommand, const FName InCommandName, const FText& InCommandLabel, const FText& InCommandDesc, const FSlateIcon& InIcon, const EUserInterfaceActionType InUserInterfaceType, const FInputChord& InDefaultChord, const FInputChord& InAlternateDefaultChord = FInputChord());

	FName GetBindingContext() const { return BindingContext; }
	FName GetCommandName() const { return CommandName; }
	const FText& GetLabel() const { return Label; }
	const FText& GetDescription() const { return Description; }
	const FSlateIcon& GetIcon() const { return Icon; }
	EUserInterfaceActionType GetUserInterfaceType() const { return UserInterfaceType; }

private:
	FName BindingContext;
	FName CommandName;
	FText Label;
	FText Description;
	FSlateIcon Icon;
	EUserInterfaceActionType UserInterfaceType;
};

/** Makes a command for UI_COMMAND: label and description are localised under the context's namespace. */
SLATE_API void MakeUICommand_InternalUseOnly(FBindingContext* This, TSharedPtr<FUICommandInfo>& OutCommand, const TCHAR* InSubNamespace, const TCHAR* InCommandName, const TCHAR* InCommandNameUnderscoreTooltip, const ANSICHAR* DotCommandName, const TCHAR* FriendlyName, const TCHAR* InDescription, const EUserInterfaceActionType CommandType, const FInputChord& InDefaultChord, const FInputChord& InAlternateDefaultChord = FInputChord());
