// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/UICommandList.h.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UIAction.h"
#include "Framework/Commands/UICommandInfo.h"

/** Maps commands to what they do. */
class FUICommandList : public TSharedFromThis<FUICommandList>
{
public:
	SLATE_API void MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, FExecuteAction ExecuteAction, EUIActionRepeatMode RepeatMode = EUIActionRepeatMode::RepeatDisabled);
	SLATE_API void MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, FExecuteAction ExecuteAction, FCanExecuteAction CanExecuteAction, EUIActionRepeatMode RepeatMode = EUIActionRepeatMode::RepeatDisabled);
	SLATE_API virtual void MapAction(const TSharedPtr<const FUICommandInfo> InUICommandInfo, const FUIAction& InUIAction);
	virtual ~FUICommandList() = default;

	/** True when the command has an action in this list. */
	SLATE_API bool IsActionMapped(const TSharedPtr<const FUICommandInfo> Command) const;
	/** Runs the command's action when it can run; true when it ran. */
	SLATE_API bool ExecuteAction(const TSharedRef<const FUICommandInfo> InUICommandInfo) const;

private:
	TMap<const FUICommandInfo*, FUIAction> Actions;
};
