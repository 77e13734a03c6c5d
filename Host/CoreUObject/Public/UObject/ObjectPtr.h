// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/ObjectPtr.h. The host's TObjectPtr is a plain pointer (no lazy loading).
#pragma once

#include "CoreMinimal.h"

#include <cstddef>
#include <type_traits>

/** A reference to an object held by a UPROPERTY; converts freely to and from T*. */
template <typename T>
class TObjectPtr
{
public:
	typedef T ElementType;

	TObjectPtr() = default;
	TObjectPtr(std::nullptr_t) {}
	TObjectPtr(T* InObject)
		: Pointer(InObject)
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TObjectPtr(const TObjectPtr<U>& Other)
		: Pointer(Other.Get())
	{
	}

	FORCEINLINE T* Get() const { return Pointer; }
	FORCEINLINE operator T*() const { return Pointer; }
	FORCEINLINE T* operator->() const { return Pointer; }
	FORCEINLINE T& operator*() const { return *Pointer; }
	FORCEINLINE explicit operator bool() const { return Pointer != nullptr; }
	FORCEINLINE bool operator!() const { return Pointer == nullptr; }

	template <typename U>
	FORCEINLINE bool operator==(const TObjectPtr<U>& Other) const
	{
		return Pointer == Other.Get();
	}
	template <typename U>
	FORCEINLINE bool operator==(U* Other) const
	{
		return Pointer == Other;
	}
	FORCEINLINE bool operator==(std::nullptr_t) const { return Pointer == nullptr; }

private:
	T* Pointer = nullptr;
};

template <typename T>
FORCEINLINE uint32 GetTypeHash(const TObjectPtr<T>& Pointer)
{
	return GetTypeHash(Pointer.Get());
}

/** The raw pointer of an object reference. */
template <typename T>
FORCEINLINE T* ToRawPtr(const TObjectPtr<T>& Pointer)
{
	return Pointer.Get();
}
template <typename T>
FORCEINLINE T* ToRawPtr(T* Pointer)
{
	return Pointer;
}
