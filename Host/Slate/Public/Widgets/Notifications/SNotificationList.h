// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Notifications/SNotificationList.h: the editor's toast notifications.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/SCompoundWidget.h"

/** What a notification shows and how long it stays. */
struct FNotificationInfo
{
	explicit FNotificationInfo(const FText& InText)
		: Text(InText)
	{
	}

	/** The message. */
	TAttribute<FText> Text;
	/** Fades out on its own after ExpireDuration, without the caller keeping it. */
	bool bFireAndForget = true;
	/** Seconds shown before fading out. */
	float ExpireDuration = 1.0f;
	/** Seconds the fade-out takes. */
	float FadeOutDuration = 0.5f;
	/** Show the success or failure icon of the completion state. */
	bool bUseSuccessFailIcons = true;
	/** Use the large font. */
	bool bUseLargeFont = true;
};

/** One notification on screen. */
class SNotificationItem : public SCompoundWidget
{
public:
	/** The outcome a notification reports; picks its icon and colour. */
	enum ECompletionState
	{
		CS_None,
		CS_Pending,
		CS_Success,
		CS_Fail,
	};

	explicit SNotificationItem(const FNotificationInfo& InInfo)
		: Info(InInfo)
	{
	}

	/** Sets the outcome shown. */
	void SetCompletionState(ECompletionState InState) { State = InState; }
	/** The outcome shown. */
	ECompletionState GetCompletionState() const { return State; }
	/** Starts the expiry: the notification fades out after its expire duration. */
	void ExpireAndFadeout() { bHostExpiring = true; }
	/** Fades the notification out now. */
	void Fadeout() { bHostExpiring = true; }

	/** Host only: what the notification was made from. */
	const FNotificationInfo& HostGetInfo() const { return Info; }
	/** Host only: the text shown. */
	FText HostGetText() const { return Info.Text.Get(FText::GetEmpty()); }
	/** Host only: true once the expiry has started. */
	bool HostIsExpiring() const { return bHostExpiring; }

private:
	FNotificationInfo Info;
	ECompletionState State = CS_None;
	bool bHostExpiring = false;
};
