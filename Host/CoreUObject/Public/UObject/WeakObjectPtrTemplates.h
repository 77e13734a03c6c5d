// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/WeakObjectPtrTemplates.h: TWeakObjectPtr.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectPtr.h"
#include "UObject/WeakObjectPtr.h"

#include <type_traits>

/** A typed weak reference to an object. */
template <class T = UObject, class TWeakObjectPtrBase = FWeakObjectPtr>
class TWeakObjectPtr
{
public:
	TWeakObjectPtr() = default;
	TWeakObjectPtr(std::nullptr_t) {}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr(U* Object)
		: WeakPtr(static_cast<const T*>(Object))
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr(const TObjectPtr<U>& Object)
		: WeakPtr(static_cast<const T*>(Object.Get()))
	{
	}

	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TWeakObjectPtr& operator=(U* Object)
	{
		WeakPtr = static_cast<const T*>(Object);
		return *this;
	}

	void Reset() { WeakPtr.Reset(); }
	/** The object, or null if it no longer exists. */
	FORCEINLINE T* Get() const { return static_cast<T*>(WeakPtr.Get()); }
	FORCEINLINE bool IsValid() const { return WeakPtr.IsValid(); }
	FORCEINLINE bool IsStale() const { return WeakPtr.IsStale(); }
	FORCEINLINE T* operator->() const { return Get(); }
	FORCEINLINE T& operator*() const { return *Get(); }
	FORCEINLINE explicit operator bool() const { return IsValid(); }
	FORCEINLINE bool operator==(const TWeakObjectPtr& Other) const { return WeakPtr == Other.WeakPtr; }
	FORCEINLINE bool operator!=(const TWeakObjectPtr& Other) const { return WeakPtr != Other.WeakPtr; }

private:
	TWeakObjectPtrBase WeakPtr;
};

/** Makes a weak pointer of the object's own type. */
template <class T>
FORCEINLINE TWeakObjectPtr<T> MakeWeakObjectPtr(T* Object)
{
	return TWeakObjectPtr<T>(Object);
}
