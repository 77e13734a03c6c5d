// Copyright Kelmora. All Rights Reserved.
#include "Framework/Docking/TabManager.h"

TSharedPtr<SDockTab> FTabManager::FindExistingLiveTab(const FTabId& TabId) const
{
	for (int32 Index = LiveTabs.Num() - 1; Index >= 0; --Index)
	{
		if (LiveTabs[Index].Key == TabId.TabType)
		{
			if (TSharedPtr<SDockTab> Tab = LiveTabs[Index].Value.Pin())
			{
				return Tab;
			}
		}
	}
	return nullptr;
}

void FTabManager::HostAddLiveTab(FName TabType, const TSharedRef<SDockTab>& Tab)
{
	LiveTabs.Add(TPair<FName, TWeakPtr<SDockTab>>{TabType, TWeakPtr<SDockTab>(Tab)});
}

const TSharedRef<FGlobalTabmanager>& FGlobalTabmanager::Get()
{
	static const TSharedRef<FGlobalTabmanager> Instance = MakeShareable(new FGlobalTabmanager());
	return Instance;
}
