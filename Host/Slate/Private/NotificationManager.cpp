// Copyright Kelmora. All Rights Reserved.
#include "Framework/Notifications/NotificationManager.h"

FSlateNotificationManager& FSlateNotificationManager::Get()
{
	static FSlateNotificationManager Manager;
	return Manager;
}

TSharedPtr<SNotificationItem> FSlateNotificationManager::AddNotification(const FNotificationInfo& Info)
{
	TSharedRef<SNotificationItem> Item = MakeShared<SNotificationItem>(Info);
	Item->SetDebugInfo("SNotificationItem", __FILE__, __LINE__, sizeof(SNotificationItem));
	Notifications.Add(Item);
	return Item;
}
