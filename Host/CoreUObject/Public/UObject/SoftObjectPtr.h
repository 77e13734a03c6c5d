// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/SoftObjectPtr.h: FSoftObjectPtr and TSoftObjectPtr.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/WeakObjectPtr.h"

#include <type_traits>

/** A soft reference: a path plus the object it resolved to while that object lives. */
struct COREUOBJECT_API FSoftObjectPtr
{
	FSoftObjectPtr() = default;
	explicit FSoftObjectPtr(const FSoftObjectPath& Path)
		: ObjectPath(Path)
	{
	}
	explicit FSoftObjectPtr(const UObject* Object);

	FSoftObjectPtr& operator=(const UObject* Object);
	FSoftObjectPtr& operator=(const FSoftObjectPath& Path);

	/** The object if it is in memory, else null. */
	UObject* Get() const;
	const FSoftObjectPath& ToSoftObjectPath() const { return ObjectPath; }
	FString ToString() const { return ObjectPath.ToString(); }
	/** The object, loaded from its package if it is not in memory; null if it does not load. */
	UObject* LoadSynchronous() const;
	bool IsNull() const { return ObjectPath.IsNull(); }
	bool IsValid() const { return Get() != nullptr; }
	/** True if the path is set and the object is not in memory. */
	bool IsPending() const { return !IsNull() && !IsValid(); }
	void Reset()
	{
		ObjectPath.Reset();
		WeakPtr.Reset();
	}

	bool operator==(const FSoftObjectPtr& Other) const { return ObjectPath == Other.ObjectPath; }
	bool operator!=(const FSoftObjectPtr& Other) const { return !(*this == Other); }

private:
	FSoftObjectPath ObjectPath;
	mutable FWeakObjectPtr WeakPtr;
};

/** A typed soft reference. */
template <class T = UObject>
class TSoftObjectPtr
{
public:
	TSoftObjectPtr() = default;
	TSoftObjectPtr(std::nullptr_t) {}
	TSoftObjectPtr(const FSoftObjectPath& Path)
		: SoftObjectPtr(Path)
	{
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TSoftObjectPtr(U* Object)
		: SoftObjectPtr(static_cast<const UObject*>(static_cast<const T*>(Object)))
	{
	}

	TSoftObjectPtr& operator=(const FSoftObjectPath& Path)
	{
		SoftObjectPtr = Path;
		return *this;
	}
	template <typename U, typename = std::enable_if_t<std::is_convertible_v<U*, T*>>>
	TSoftObjectPtr& operator=(U* Object)
	{
		SoftObjectPtr = static_cast<const UObject*>(static_cast<const T*>(Object));
		return *this;
	}

	/** The object if it is in memory and of type T, else null. */
	T* Get() const
	{
		UObject* Object = SoftObjectPtr.Get();
		return Object && Object->IsA(T::StaticClass()) ? static_cast<T*>(Object) : nullptr;
	}
	/** The object, loaded from its package if it is not in memory; null if it does not load as a T. */
	T* LoadSynchronous() const
	{
		UObject* Object = SoftObjectPtr.LoadSynchronous();
		return Object && Object->IsA(T::StaticClass()) ? static_cast<T*>(Object) : nullptr;
	}
	const FSoftObjectPath& ToSoftObjectPath() const { return SoftObjectPtr.ToSoftObjectPath(); }
	FString ToString() const { return SoftObjectPtr.ToString(); }
	FString GetAssetName() const { return ToSoftObjectPath().GetAssetName(); }
	FString GetLongPackageName() const { return ToSoftObjectPath().GetLongPackageName(); }
	bool IsNull() const { return SoftObjectPtr.IsNull(); }
	bool IsValid() const { return Get() != nullptr; }
	bool IsPending() const { return SoftObjectPtr.IsPending(); }
	void Reset() { SoftObjectPtr.Reset(); }
	explicit operator bool() const { return IsValid(); }
	bool operator==(const TSoftObjectPtr& Other) const { return SoftObjectPtr == Other.SoftObjectPtr; }
	bool operator!=(const TSoftObjectPtr& Other) const { return SoftObjectPtr != Other.SoftObjectPtr; }

private:
	FSoftObjectPtr SoftObjectPtr;
};
