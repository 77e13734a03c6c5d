// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ToolMenuOwner.h.
#pragma once

#include "CoreMinimal.h"

/** Who added a menu entry: a pointer (usually a module) or a name; entries are removed by owner. */
struct FToolMenuOwner
{
	FToolMenuOwner() = default;
	FToolMenuOwner(const void* InPointer)
		: Pointer(InPointer)
	{
	}
	FToolMenuOwner(const FName InName)
		: Name(InName)
	{
	}

	bool operator==(const FToolMenuOwner& Other) const { return Pointer == Other.Pointer && Name == Other.Name; }
	bool operator!=(const FToolMenuOwner& Other) const { return !(*this == Other); }
	/** True when an owner is set. */
	bool IsSet() const { return Pointer != nullptr || !Name.IsNone(); }

private:
	const void* Pointer = nullptr;
	FName Name;
};

/** Makes InOwner the owner of every entry added while the scope lasts. */
class FToolMenuOwnerScoped
{
public:
	TOOLMENUS_API FToolMenuOwnerScoped(const FToolMenuOwner& InOwner);
	TOOLMENUS_API ~FToolMenuOwnerScoped();
	FToolMenuOwnerScoped(const FToolMenuOwnerScoped&) = delete;
	FToolMenuOwnerScoped& operator=(const FToolMenuOwnerScoped&) = delete;

	FToolMenuOwner GetOwner() const { return Owner; }

private:
	FToolMenuOwner Owner;
};
