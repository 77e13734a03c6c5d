// Copyright Kelmora. All Rights Reserved.
#include "Framework/Commands/Commands.h"
#include "Framework/Commands/UICommandList.h"

void FUICommandInfo::MakeCommandInfo(const TSharedRef<FBindingContext>& InContext, TSharedPtr<FUICommandInfo>& OutCommand, const FName InCommandName, const FText& InCommandLabel, const FText& InCommandDesc, const FSlateIcon& InIcon, const EUserInterfaceActionType InUserInterfaceType, const FInputChord& InDefaultChord, const FInputChord& InAlternateDefaultChord)
{
	// The engine refuses a command without a name or label.
	check(!InCommandName.IsNone());
	check(!InCommandLabel.IsEmpty());
	OutCommand = MakeShared<FUICommandInfo>(InContext->GetContextName(), InCommandName, InCommandLabel, InCommandDesc, InIcon, InUserInterfaceType);
}

void MakeUICommand_InternalUseOnly(FBindingContext* This, TSharedPtr<FUICommandInfo>& OutCommand, const TCHAR* InSubNamespace, const TCHAR* InCommandName, const TCHAR* InCommandNameUnderscoreTooltip, const ANSICHAR* DotCommandName, const TCHAR* FriendlyName, const TCHAR* InDescription, const EUserInterfaceActionType CommandType, const FInputChord& InDefaultChord, const FInputChord& InAlternateDefaultChord)
{
	const FText Label = FText::CreateLocalized(FriendlyName, InSubNamespace, InCommandName);
	const FText Description = FText::CreateLocalized(InDescription, InSubNamespace, InCommandNameUnderscoreTooltip);
	// The icon's style name is the context name followed by ".CommandName", in the context's style set.
	const FSlateIcon Icon(This->GetStyleSetName(), FName(*(This->GetContextName().ToString() + FString(DotCommandName))));
	FUICommandInfo::MakeCommandInfo(This->AsShared(), OutCommand, FName(InCommandName), Label, Description, Icon, CommandType, InDefaultChord, InAlternateDefaultChord);
}

FInputBindingManager& FInputBindingManager::Get()
{
	static FInputBindingManager Manager;
	return Manager;
}

TSharedPtr<FBindingContext> FInputBindingManager::GetContextByName(const FName& InContextName)
{
	const TSharedPtr<FBindingContext>* Found = Contexts.Find(InContextName);
	return Found ? *Found : nullptr;
}

void FInputBindingManager::RemoveContextByName(const FName& InContextName)
{
	Contexts.Remove(InContextName);
}

void FInputBindingManager::HostAddContext(const TSharedRef<FBindingContext>& InContext)
{
	Contexts.Add(InContext->GetContextName(), InContext);
}

void FUICommandList::MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, FExecuteAction ExecuteAction, EUIActionRepeatMode RepeatMode)
{
	MapAction(InUICommandInfo, FUIAction(MoveTemp(ExecuteAction), RepeatMode));
}

void FUICommandList::MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, FExecuteAction ExecuteAction, FCanExecuteAction CanExecuteAction, EUIActionRepeatMode RepeatMode)
{
	MapAction(InUICommandInfo, FUIAction(MoveTemp(ExecuteAction), MoveTemp(CanExecuteAction), RepeatMode));
}

void FUICommandList::MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, const FUIAction& InUIAction)
{
	// The engine checks that a command is given and mapped once per list.
	check(InUICommandInfo.IsValid());
	checkf(!Actions.Contains(InUICommandInfo.Get()), TEXT("Command '%s' is already mapped in this list"), *InUICommandInfo->GetCommandName().ToString());
	Actions.Add(InUICommandInfo.Get(), InUIAction);
}

bool FUICommandList::IsActionMapped(const TSharedPtr<const FUICommandInfo> Command) const
{
	return Command.IsValid() && Actions.Contains(Command.Get());
}

bool FUICommandList::ExecuteAction(const TSharedRef<const FUICommandInfo> InUICommandInfo) const
{
	const FUIAction* Action = Actions.Find(&InUICommandInfo.Get());
	return Action && Action->Execute();
}
