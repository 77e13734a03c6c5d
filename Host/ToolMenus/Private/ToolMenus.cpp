// Copyright Kelmora. All Rights Reserved.
#include "ToolMenus.h"

#include "Modules/ModuleManager.h"

FToolMenuOwnerScoped::FToolMenuOwnerScoped(const FToolMenuOwner& InOwner)
	: Owner(InOwner)
{
	UToolMenus::Get()->OwnerStack.Add(InOwner);
}

FToolMenuOwnerScoped::~FToolMenuOwnerScoped()
{
	TArray<FToolMenuOwner>& Stack = UToolMenus::Get()->OwnerStack;
	if (Stack.Num() > 0)
	{
		Stack.RemoveAt(Stack.Num() - 1);
	}
}

FToolMenuEntry FToolMenuEntry::InitWidget(const FName InName, const TSharedRef<SWidget>& Widget, const FText& Label, bool bNoIndent, bool bSearchable, bool bNoPadding, const FText& InToolTip)
{
	FToolMenuEntry Entry;
	Entry.Name = InName;
	Entry.Type = EMultiBlockType::Widget;
	Entry.Widget = Widget;
	Entry.Label = Label;
	Entry.ToolTip = InToolTip;
	Entry.bNoIndent = bNoIndent;
	Entry.bSearchable = bSearchable;
	Entry.bNoPadding = bNoPadding;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& InAction, const EUserInterfaceActionType InUserInterfaceActionType)
{
	FToolMenuEntry Entry;
	Entry.Name = InName;
	Entry.Type = EMultiBlockType::MenuEntry;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.Action = InAction;
	Entry.UserInterfaceActionType = InUserInterfaceActionType;
	return Entry;
}

FToolMenuEntry FToolMenuEntry::InitSubMenu(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FNewToolMenuDelegate& InMakeMenu, bool bInOpenSubMenuOnClick, const FSlateIcon& InIcon)
{
	FToolMenuEntry Entry;
	Entry.Name = InName;
	Entry.Type = EMultiBlockType::MenuEntry;
	Entry.Label = InLabel;
	Entry.ToolTip = InToolTip;
	Entry.Icon = InIcon;
	Entry.SubMenuData = InMakeMenu;
	Entry.bIsSubMenu = true;
	return Entry;
}

FToolMenuEntry& FToolMenuSection::AddEntry(const FToolMenuEntry& Args)
{
	FToolMenuEntry Entry = Args;
	Entry.Owner = UToolMenus::Get()->CurrentOwner();
	if (!Entry.Name.IsNone())
	{
		if (FToolMenuEntry* Existing = FindEntry(Entry.Name))
		{
			*Existing = MoveTemp(Entry);
			return *Existing;
		}
	}
	Blocks.Add(MoveTemp(Entry));
	return Blocks.Last();
}

FToolMenuEntry& FToolMenuSection::AddMenuEntry(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FSlateIcon& InIcon, const FUIAction& InAction, const EUserInterfaceActionType UserInterfaceActionType)
{
	return AddEntry(FToolMenuEntry::InitMenuEntry(InName, InLabel, InToolTip, InIcon, InAction, UserInterfaceActionType));
}

FToolMenuEntry& FToolMenuSection::AddSubMenu(const FName InName, const TAttribute<FText>& InLabel, const TAttribute<FText>& InToolTip, const FNewToolMenuDelegate& InMakeMenu, bool bInOpenSubMenuOnClick, const FSlateIcon& InIcon)
{
	return AddEntry(FToolMenuEntry::InitSubMenu(InName, InLabel, InToolTip, InMakeMenu, bInOpenSubMenuOnClick, InIcon));
}

FToolMenuEntry* FToolMenuSection::FindEntry(const FName InName)
{
	for (FToolMenuEntry& Entry : Blocks)
	{
		if (Entry.Name == InName)
		{
			return &Entry;
		}
	}
	return nullptr;
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName)
{
	if (FToolMenuSection* Found = FindSection(SectionName))
	{
		return *Found;
	}
	Sections.push_back(std::make_unique<FToolMenuSection>());
	Sections.back()->Name = SectionName;
	return *Sections.back();
}

FToolMenuSection& UToolMenu::FindOrAddSection(const FName SectionName, const TAttribute<FText>& InLabel)
{
	FToolMenuSection& Section = FindOrAddSection(SectionName);
	if (!Section.Label.IsSet())
	{
		Section.Label = InLabel;
	}
	return Section;
}

FToolMenuSection& UToolMenu::AddSection(const FName SectionName, const TAttribute<FText>& InLabel)
{
	return FindOrAddSection(SectionName, InLabel);
}

FToolMenuSection* UToolMenu::FindSection(const FName SectionName)
{
	for (const std::unique_ptr<FToolMenuSection>& Section : Sections)
	{
		if (Section->Name == SectionName)
		{
			return Section.get();
		}
	}
	return nullptr;
}

TArray<FToolMenuSection*> UToolMenu::HostGetSections() const
{
	TArray<FToolMenuSection*> Result;
	for (const std::unique_ptr<FToolMenuSection>& Section : Sections)
	{
		Result.Add(Section.get());
	}
	return Result;
}

void UToolMenu::HostRemoveEntriesOwnedBy(const FToolMenuOwner& Owner)
{
	for (const std::unique_ptr<FToolMenuSection>& Section : Sections)
	{
		Section->Blocks.RemoveAll([&Owner](const FToolMenuEntry& Entry)
			{ return Entry.Owner == Owner; });
	}
}

UToolMenus* UToolMenus::Get()
{
	static UToolMenus Menus;
	return &Menus;
}

bool UToolMenus::IsToolMenuUIEnabled()
{
	return Get()->bStarted;
}

FDelegateHandle UToolMenus::RegisterStartupCallback(const FSimpleMulticastDelegate::FDelegate& InDelegate)
{
	if (IsToolMenuUIEnabled())
	{
		InDelegate.ExecuteIfBound();
		return FDelegateHandle();
	}
	return Get()->StartupCallbacks.Add(InDelegate);
}

void UToolMenus::UnRegisterStartupCallback(const void* UserPointer)
{
	Get()->StartupCallbacks.RemoveAll(UserPointer);
}

void UToolMenus::UnRegisterStartupCallback(FDelegateHandle InHandle)
{
	Get()->StartupCallbacks.Remove(InHandle);
}

void UToolMenus::UnregisterOwner(FToolMenuOwner InOwner)
{
	for (TPair<FName, std::shared_ptr<UToolMenu>>& Pair : Get()->Menus)
	{
		Pair.Value->HostRemoveEntriesOwnedBy(InOwner);
	}
}

UToolMenu* UToolMenus::ExtendMenu(const FName Name)
{
	if (UToolMenu* Found = FindMenu(Name))
	{
		return Found;
	}
	std::shared_ptr<UToolMenu> Menu = std::make_shared<UToolMenu>(Name);
	UToolMenu* Result = Menu.get();
	Menus.Add(Name, MoveTemp(Menu));
	return Result;
}

UToolMenu* UToolMenus::FindMenu(const FName Name)
{
	std::shared_ptr<UToolMenu>* Found = Menus.Find(Name);
	return Found ? Found->get() : nullptr;
}

FToolMenuOwner UToolMenus::CurrentOwner() const
{
	return OwnerStack.Num() > 0 ? OwnerStack.Last() : FToolMenuOwner();
}

void UToolMenus::HostStartUp()
{
	UToolMenus* Menus = Get();
	if (Menus->bStarted)
	{
		return;
	}
	Menus->bStarted = true;
	// Each callback runs once; a callback may register another, which then runs at once.
	const FSimpleMulticastDelegate Callbacks = Menus->StartupCallbacks;
	Menus->StartupCallbacks.Clear();
	Callbacks.Broadcast();
}

void UToolMenus::HostReset()
{
	UToolMenus* Menus = Get();
	Menus->bStarted = false;
	Menus->Menus.Empty();
	Menus->OwnerStack.Empty();
	Menus->StartupCallbacks.Clear();
}

UToolMenu* UToolMenus::HostOpenSubMenu(UToolMenu* Parent, FName EntryName)
{
	if (!Parent)
	{
		return nullptr;
	}
	for (FToolMenuSection* Section : Parent->HostGetSections())
	{
		FToolMenuEntry* Entry = Section->FindEntry(EntryName);
		if (Entry && Entry->bIsSubMenu)
		{
			UToolMenu* SubMenu = ExtendMenu(FName(*(Parent->GetMenuName().ToString() + TEXT(".") + EntryName.ToString())));
			Entry->SubMenuData.ExecuteIfBound(SubMenu);
			return SubMenu;
		}
	}
	return nullptr;
}

class FToolMenusModule : public IModuleInterface
{
};

IMPLEMENT_MODULE(FToolMenusModule, ToolMenus)
