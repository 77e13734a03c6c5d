// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/InputBindingManager.h: the registered command contexts.
#pragma once

#include "CoreMinimal.h"
#include "Framework/Commands/UICommandInfo.h"

/** Holds every registered command context by name. */
class FInputBindingManager
{
public:
	SLATE_API static FInputBindingManager& Get();

	/** The context of that name, or null. */
	SLATE_API TSharedPtr<FBindingContext> GetContextByName(const FName& InContextName);
	/** Removes the context of that name. */
	SLATE_API void RemoveContextByName(const FName& InContextName);
	/** Host only: adds a context (TCommands::Register does). */
	SLATE_API void HostAddContext(const TSharedRef<FBindingContext>& InContext);

private:
	TMap<FName, TSharedPtr<FBindingContext>> Contexts;
};
