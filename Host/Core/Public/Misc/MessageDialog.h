// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/MessageDialog.h: modal message boxes.
#pragma once

#include "CoreMinimal.h"
#include "GenericPlatform/GenericPlatformMisc.h"

/**
 * Modal message boxes. Host: nobody can click, so each box takes the next answer tests queued
 * (UE::Core::Host::QueueMessageDialogAnswer); with none queued it answers as a user who closes the box:
 * No for yes/no boxes, Cancel where there is a cancel button, Ok otherwise. Signatures as in 5.3-5.6
 * (the title by reference; the default-value overloads unconfirmed before 5.4).
 */
struct CORE_API FMessageDialog
{
	static EAppReturnType::Type Open(EAppMsgType::Type MessageType, const FText& Message);
	static EAppReturnType::Type Open(EAppMsgType::Type MessageType, const FText& Message, const FText& Title);
	static EAppReturnType::Type Open(EAppMsgType::Type MessageType, EAppReturnType::Type DefaultValue, const FText& Message);
	static EAppReturnType::Type Open(EAppMsgType::Type MessageType, EAppReturnType::Type DefaultValue, const FText& Message, const FText& Title);
};

namespace UE::Core::Host
{
	/** Host only: the answer the next message box gives. */
	CORE_API void QueueMessageDialogAnswer(EAppReturnType::Type Answer);
	/** Host only: the messages of the boxes shown so far, oldest first. */
	CORE_API TArray<FString> GetShownMessageDialogs();
	/** Host only: forgets queued answers and shown boxes. */
	CORE_API void ResetMessageDialogs();
}
