// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/SubclassOf.h: a class reference limited to T and its subclasses.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

/** A UClass* that is T's class or a subclass; a class of another kind reads as null. */
template <class T>
class TSubclassOf
{
public:
	TSubclassOf() = default;
	TSubclassOf(std::nullptr_t) {}
	TSubclassOf(UClass* From)
		: Class(From)
	{
	}

	/** The class, or null if it is not T's class or a subclass of it. */
	UClass* Get() const { return Class && Class->IsChildOf(T::StaticClass()) ? Class : nullptr; }
	operator UClass*() const { return Get(); }
	UClass* operator*() const { return Get(); }
	UClass* operator->() const { return Get(); }
	T* GetDefaultObject() const
	{
		UClass* Result = Get();
		return Result ? static_cast<T*>(Result->GetDefaultObject()) : nullptr;
	}

private:
	UClass* Class = nullptr;
};
