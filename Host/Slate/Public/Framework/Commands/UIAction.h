// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/UIAction.h.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"

/** Runs a command. */
DECLARE_DELEGATE(FExecuteAction);
/** Whether a command can run now. */
DECLARE_DELEGATE_RetVal(bool, FCanExecuteAction);

/** Whether holding the chord repeats the command. */
enum class EUIActionRepeatMode
{
	RepeatDisabled,
	RepeatEnabled,
};

/** What a command or menu entry does. */
struct FUIAction
{
	FUIAction() = default;
	explicit FUIAction(FExecuteAction InitExecuteAction, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(MoveTemp(InitExecuteAction))
		, RepeatMode(InitRepeatMode)
	{
	}
	FUIAction(FExecuteAction InitExecuteAction, FCanExecuteAction InitCanExecuteAction, EUIActionRepeatMode InitRepeatMode = EUIActionRepeatMode::RepeatDisabled)
		: ExecuteAction(MoveTemp(InitExecuteAction))
		, CanExecuteAction(MoveTemp(InitCanExecuteAction))
		, RepeatMode(InitRepeatMode)
	{
	}

	/** True unless a can-execute condition is bound and says no. */
	bool CanExecute() const { return !CanExecuteAction.IsBound() || CanExecuteAction.Execute(); }
	/** Runs the action when it can run; true when it ran. */
	bool Execute() const
	{
		if (ExecuteAction.IsBound() && CanExecute())
		{
			ExecuteAction.Execute();
			return true;
		}
		return false;
	}

	FExecuteAction ExecuteAction;
	FCanExecuteAction CanExecuteAction;
	EUIActionRepeatMode RepeatMode = EUIActionRepeatMode::RepeatDisabled;
};
