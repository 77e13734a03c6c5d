// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/Commands.h: command sets and UI_COMMAND.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/InputBindingManager.h"
#include "Framework/Commands/InputChord.h"
#include "Framework/Commands/UICommandInfo.h"

/** Declares one command of a command set inside its RegisterCommands (LOCTEXT_NAMESPACE must be defined). */
#define UI_COMMAND(CommandId, FriendlyName, InDescription, CommandType, InDefaultChord, ...) \
	MakeUICommand_InternalUseOnly(this, CommandId, TEXT(LOCTEXT_NAMESPACE), TEXT(#CommandId), TEXT(#CommandId) TEXT("_ToolTip"), "." #CommandId, TEXT(FriendlyName), TEXT(InDescription), CommandType, InDefaultChord, ##__VA_ARGS__);

/** A command set: one instance per process between Register and Unregister. */
template <typename CommandContextType>
class TCommands : public FBindingContext
{
public:
	/** Makes the set and its commands, unless a set of that context name is already registered. */
	static void Register()
	{
		if (!Instance.IsValid())
		{
			TSharedRef<CommandContextType> NewInstance = MakeShareable(new CommandContextType());
			TSharedPtr<FBindingContext> Existing = FInputBindingManager::Get().GetContextByName(NewInstance->GetContextName());
			if (Existing.IsValid())
			{
				Instance = StaticCastSharedPtr<CommandContextType>(Existing);
			}
			else
			{
				Instance = NewInstance;
				FInputBindingManager::Get().HostAddContext(NewInstance);
				NewInstance->RegisterCommands();
			}
		}
	}

	/** Drops the set; its commands stay alive while others hold them. */
	static void Unregister()
	{
		if (Instance.IsValid())
		{
			FInputBindingManager::Get().RemoveContextByName(Instance.Pin()->GetContextName());
			Instance.Reset();
		}
	}

	/** True between Register and Unregister. */
	static bool IsRegistered() { return Instance.IsValid(); }

	/** The registered set; calling it before Register ends the process. */
	static const CommandContextType& Get()
	{
		checkf(Instance.IsValid(), TEXT("A command set was used before it was registered"));
		return *Instance.Pin();
	}

	/** Declares the set's commands with UI_COMMAND. */
	virtual void RegisterCommands() = 0;

protected:
	TCommands(const FName InContextName, const FText& InContextDesc, const FName InContextParent, const FName InStyleSetName)
		: FBindingContext(InContextName, InContextDesc, InContextParent, InStyleSetName)
	{
	}

private:
	static TWeakPtr<CommandContextType> Instance;
};

template <typename CommandContextType>
TWeakPtr<CommandContextType> TCommands<CommandContextType>::Instance;
