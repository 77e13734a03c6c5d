// Copyright Kelmora. All Rights Reserved.
#include "Misc/MessageDialog.h"

#include "HAL/CriticalSection.h"
#include "Misc/ScopeLock.h"

namespace
{
	struct FDialogState
	{
		FCriticalSection Lock;
		TArray<EAppReturnType::Type> Answers;
		TArray<FString> Shown;
	};

	FDialogState& State()
	{
		static FDialogState Dialogs;
		return Dialogs;
	}

	EAppReturnType::Type ClosedAnswer(EAppMsgType::Type MessageType)
	{
		switch (MessageType)
		{
		case EAppMsgType::YesNo:
		case EAppMsgType::YesNoYesAllNoAll:
		case EAppMsgType::YesNoYesAll:
			return EAppReturnType::No;
		case EAppMsgType::Ok:
			return EAppReturnType::Ok;
		default:
			return EAppReturnType::Cancel;
		}
	}
}

EAppReturnType::Type FMessageDialog::Open(EAppMsgType::Type MessageType, const FText& Message)
{
	return Open(MessageType, ClosedAnswer(MessageType), Message, FText::GetEmpty());
}

EAppReturnType::Type FMessageDialog::Open(EAppMsgType::Type MessageType, const FText& Message, const FText& Title)
{
	return Open(MessageType, ClosedAnswer(MessageType), Message, Title);
}

EAppReturnType::Type FMessageDialog::Open(EAppMsgType::Type MessageType, EAppReturnType::Type DefaultValue, const FText& Message)
{
	return Open(MessageType, DefaultValue, Message, FText::GetEmpty());
}

EAppReturnType::Type FMessageDialog::Open(EAppMsgType::Type MessageType, EAppReturnType::Type DefaultValue, const FText& Message, const FText& Title)
{
	FDialogState& Dialogs = State();
	FScopeLock Guard(&Dialogs.Lock);
	Dialogs.Shown.Add(Message.ToString());
	if (Dialogs.Answers.Num() == 0)
	{
		return ClosedAnswer(MessageType);
	}
	const EAppReturnType::Type Answer = Dialogs.Answers[0];
	Dialogs.Answers.RemoveAt(0);
	return Answer;
}

void UE::Core::Host::QueueMessageDialogAnswer(EAppReturnType::Type Answer)
{
	FDialogState& Dialogs = State();
	FScopeLock Guard(&Dialogs.Lock);
	Dialogs.Answers.Add(Answer);
}

TArray<FString> UE::Core::Host::GetShownMessageDialogs()
{
	FDialogState& Dialogs = State();
	FScopeLock Guard(&Dialogs.Lock);
	return Dialogs.Shown;
}

void UE::Core::Host::ResetMessageDialogs()
{
	FDialogState& Dialogs = State();
	FScopeLock Guard(&Dialogs.Lock);
	Dialogs.Answers.Empty();
	Dialogs.Shown.Empty();
}
