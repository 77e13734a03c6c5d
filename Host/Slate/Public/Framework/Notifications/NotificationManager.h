// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Notifications/NotificationManager.h.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/Notifications/SNotificationList.h"

/** Shows notifications in the corner of the editor. Host: keeps every notification added, oldest first. */
class FSlateNotificationManager
{
public:
	SLATE_API static FSlateNotificationManager& Get();

	/** Shows a notification; the item lets the caller set its state and expire it. */
	SLATE_API TSharedPtr<SNotificationItem> AddNotification(const FNotificationInfo& Info);

	/** Host only: the notifications added so far, oldest first. */
	const TArray<TSharedRef<SNotificationItem>>& HostGetNotifications() const { return Notifications; }
	/** Host only: forgets the notifications. */
	void HostReset() { Notifications.Empty(); }

private:
	TArray<TSharedRef<SNotificationItem>> Notifications;
};
