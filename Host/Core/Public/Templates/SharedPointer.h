// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/SharedPointer.h (thread-safe reference counting throughout).
#pragma once

#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <memory>

enum class ESPMode : uint8
{
	NotThreadSafe = 0,
	ThreadSafe = 1
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedRef;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedPtr;
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TWeakPtr;

namespace UE::Host
{
	/** Access to the std::shared_ptr behind a host smart pointer. */
	struct FSharedAccess
	{
		template <typename PointerType>
		static const auto& Get(const PointerType& Pointer)
		{
			return Pointer.Storage;
		}
	};

	template <class ObjectType>
	struct TRawPtrProxy
	{
		ObjectType* Object;
	};
}

/** Non-nullable shared reference. */
template <class ObjectType, ESPMode Mode>
class TSharedRef
{
public:
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedRef(const TSharedRef<OtherType, Mode>& Other)
		: Storage(UE::Host::FSharedAccess::Get(Other))
	{
	}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedRef(UE::Host::TRawPtrProxy<OtherType> Proxy)
		: Storage(Proxy.Object)
	{
		check(Proxy.Object);
	}
	TSharedRef(const TSharedRef&) = default;
	TSharedRef& operator=(const TSharedRef&) = default;

	ObjectType& Get() const { return *Storage; }
	ObjectType& operator*() const { return *Storage; }
	ObjectType* operator->() const { return Storage.get(); }
	bool IsValid() const { return true; }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Storage.use_count()); }
	TSharedPtr<ObjectType, Mode> ToSharedPtr() const { return TSharedPtr<ObjectType, Mode>(*this); }
	TWeakPtr<ObjectType, Mode> ToWeakPtr() const { return TWeakPtr<ObjectType, Mode>(*this); }

	template <class OtherType>
	bool operator==(const TSharedRef<OtherType, Mode>& Other) const
	{
		return Storage == UE::Host::FSharedAccess::Get(Other);
	}
	template <class OtherType>
	bool operator!=(const TSharedRef<OtherType, Mode>& Other) const
	{
		return !(*this == Other);
	}

	/** Host only: adopts a std::shared_ptr that must not be null. */
	explicit TSharedRef(std::shared_ptr<ObjectType> InStorage)
		: Storage(std::move(InStorage))
	{
		check(Storage);
	}

private:
	friend struct UE::Host::FSharedAccess;
	std::shared_ptr<ObjectType> Storage;
};

/** Nullable shared pointer. */
template <class ObjectType, ESPMode Mode>
class TSharedPtr
{
public:
	TSharedPtr() = default;
	TSharedPtr(std::nullptr_t) {}
	TSharedPtr(const TSharedPtr&) = default;
	TSharedPtr(TSharedPtr&&) noexcept = default;
	TSharedPtr& operator=(const TSharedPtr&) = default;
	TSharedPtr& operator=(TSharedPtr&&) noexcept = default;

	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedPtr<OtherType, Mode>& Other)
		: Storage(UE::Host::FSharedAccess::Get(Other))
	{
	}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(const TSharedRef<OtherType, Mode>& Other)
		: Storage(UE::Host::FSharedAccess::Get(Other))
	{
	}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TSharedPtr(UE::Host::TRawPtrProxy<OtherType> Proxy)
		: Storage(Proxy.Object)
	{
	}

	ObjectType* Get() const { return Storage.get(); }
	ObjectType& operator*() const
	{
		check(Storage);
		return *Storage;
	}
	ObjectType* operator->() const
	{
		check(Storage);
		return Storage.get();
	}
	bool IsValid() const { return static_cast<bool>(Storage); }
	explicit operator bool() const { return IsValid(); }
	void Reset() { Storage.reset(); }
	int32 GetSharedReferenceCount() const { return static_cast<int32>(Storage.use_count()); }
	bool IsUnique() const { return Storage.use_count() == 1; }
	TSharedRef<ObjectType, Mode> ToSharedRef() const
	{
		check(Storage);
		return TSharedRef<ObjectType, Mode>(Storage);
	}

	template <class OtherType>
	bool operator==(const TSharedPtr<OtherType, Mode>& Other) const
	{
		return Storage == UE::Host::FSharedAccess::Get(Other);
	}
	template <class OtherType>
	bool operator!=(const TSharedPtr<OtherType, Mode>& Other) const
	{
		return !(*this == Other);
	}
	bool operator==(std::nullptr_t) const { return !Storage; }
	bool operator!=(std::nullptr_t) const { return static_cast<bool>(Storage); }

	/** Host only: adopts a std::shared_ptr. */
	explicit TSharedPtr(std::shared_ptr<ObjectType> InStorage)
		: Storage(std::move(InStorage))
	{
	}

private:
	friend struct UE::Host::FSharedAccess;
	std::shared_ptr<ObjectType> Storage;
};

/** Weak pointer; Pin() yields a shared pointer or null. */
template <class ObjectType, ESPMode Mode>
class TWeakPtr
{
public:
	TWeakPtr() = default;
	TWeakPtr(std::nullptr_t) {}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedPtr<OtherType, Mode>& Shared)
		: Storage(UE::Host::FSharedAccess::Get(Shared))
	{
	}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TSharedRef<OtherType, Mode>& Shared)
		: Storage(UE::Host::FSharedAccess::Get(Shared))
	{
	}
	template <class OtherType, typename = std::enable_if_t<std::is_convertible_v<OtherType*, ObjectType*>>>
	TWeakPtr(const TWeakPtr<OtherType, Mode>& Other)
		: Storage(UE::Host::FSharedAccess::Get(Other))
	{
	}

	TSharedPtr<ObjectType, Mode> Pin() const { return TSharedPtr<ObjectType, Mode>(Storage.lock()); }
	bool IsValid() const { return !Storage.expired(); }
	void Reset() { Storage.reset(); }
	bool HasSameObject(const void* Other) const { return Pin().Get() == Other; }

	/** Host only: adopts a std::weak_ptr. */
	explicit TWeakPtr(std::weak_ptr<ObjectType> InStorage)
		: Storage(std::move(InStorage))
	{
	}

private:
	friend struct UE::Host::FSharedAccess;
	std::weak_ptr<ObjectType> Storage;
};

/** Base for objects that hand out shared references to themselves. */
template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe>
class TSharedFromThis : public std::enable_shared_from_this<ObjectType>
{
public:
	TSharedRef<ObjectType, Mode> AsShared() { return TSharedRef<ObjectType, Mode>(this->shared_from_this()); }
	TSharedRef<const ObjectType, Mode> AsShared() const
	{
		return TSharedRef<const ObjectType, Mode>(std::shared_ptr<const ObjectType>(this->shared_from_this()));
	}
	TWeakPtr<ObjectType, Mode> AsWeak() { return TWeakPtr<ObjectType, Mode>(this->weak_from_this()); }
	bool DoesSharedInstanceExist() const { return !this->weak_from_this().expired(); }

protected:
	TSharedFromThis() = default;
	TSharedFromThis(const TSharedFromThis&) {}
	TSharedFromThis& operator=(const TSharedFromThis&) { return *this; }
	~TSharedFromThis() = default;
};

template <class ObjectType, ESPMode Mode = ESPMode::ThreadSafe, typename... ArgTypes>
TSharedRef<ObjectType, Mode> MakeShared(ArgTypes&&... Args)
{
	return TSharedRef<ObjectType, Mode>(std::make_shared<ObjectType>(std::forward<ArgTypes>(Args)...));
}

template <class ObjectType>
UE::Host::TRawPtrProxy<ObjectType> MakeShareable(ObjectType* Object)
{
	return UE::Host::TRawPtrProxy<ObjectType>{Object};
}

template <class CastToType, class CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> StaticCastSharedPtr(const TSharedPtr<CastFromType, Mode>& Pointer)
{
	return TSharedPtr<CastToType, Mode>(std::static_pointer_cast<CastToType>(UE::Host::FSharedAccess::Get(Pointer)));
}

template <class CastToType, class CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> StaticCastSharedRef(const TSharedRef<CastFromType, Mode>& Ref)
{
	return TSharedRef<CastToType, Mode>(std::static_pointer_cast<CastToType>(UE::Host::FSharedAccess::Get(Ref)));
}

template <class CastToType, class CastFromType, ESPMode Mode>
TSharedRef<CastToType, Mode> ConstCastSharedRef(const TSharedRef<CastFromType, Mode>& Ref)
{
	return TSharedRef<CastToType, Mode>(std::const_pointer_cast<CastToType>(UE::Host::FSharedAccess::Get(Ref)));
}

template <class CastToType, class CastFromType, ESPMode Mode>
TSharedPtr<CastToType, Mode> ConstCastSharedPtr(const TSharedPtr<CastFromType, Mode>& Pointer)
{
	return TSharedPtr<CastToType, Mode>(std::const_pointer_cast<CastToType>(UE::Host::FSharedAccess::Get(Pointer)));
}

template <class ObjectType, ESPMode Mode>
uint32 GetTypeHash(const TSharedPtr<ObjectType, Mode>& Pointer)
{
	return GetTypeHash(Pointer.Get());
}

template <class ObjectType, ESPMode Mode>
uint32 GetTypeHash(const TSharedRef<ObjectType, Mode>& Ref)
{
	return GetTypeHash(&Ref.Get());
}
