// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Delegates/Delegate.h: single-cast and multicast delegates.
//
// Thread safety, as in the engine's default delegates: a delegate object is not synchronised. Binding,
// adding, removing, executing and broadcasting one delegate must happen on one thread at a time (in
// practice the game thread). Distinct delegates are independent. A copy of a single-cast delegate shares
// its immutable binding, so copies may be executed on different threads. Within a broadcast, callbacks
// may add, remove or clear bindings of the delegate being broadcast: removed bindings that have not run
// yet are skipped, and bindings added during the broadcast first run at the next one.
#pragma once

#include "CoreTypes.h"
#include "Delegates/DelegateInstancesImpl.h"
#include "Delegates/IDelegateInstance.h"
#include "Misc/AssertionMacros.h"
#include "Templates/SharedPointer.h"

#include <memory>
#include <type_traits>
#include <utility>
#include <vector>

template <typename FuncType>
class TDelegate;
template <typename FuncType>
class TMulticastDelegate;

template <typename T>
struct TIdentity
{
	using Type = T;
};

/** A single-cast delegate: at most one binding, called with Execute. */
template <typename InRetValType, typename... ParamTypes>
class TDelegate<InRetValType(ParamTypes...)>
{
	template <typename>
	friend class TMulticastDelegate;

public:
	using RetValType = InRetValType;
	using TFuncType = InRetValType(ParamTypes...);
	using FInstance = IBaseDelegateInstance<TFuncType>;

	/** An unbound delegate. */
	TDelegate() = default;
	TDelegate(std::nullptr_t) {}

	/** A static function; payload values follow the call arguments. */
	template <typename... VarTypes>
	[[nodiscard]] static TDelegate CreateStatic(typename TIdentity<RetValType (*)(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		check(InFunc != nullptr);
		using FPtr = RetValType (*)(ParamTypes..., std::decay_t<VarTypes>...);
		return TDelegate(std::make_shared<UE::Delegates::Private::TFunctorInstance<TFuncType, FPtr, std::decay_t<VarTypes>...>>(InFunc, std::forward<VarTypes>(Vars)...));
	}

	/** A functor (typically a lambda), copied into the binding; payload values follow the call arguments. */
	template <typename FunctorType, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return TDelegate(std::make_shared<UE::Delegates::Private::TFunctorInstance<TFuncType, std::decay_t<FunctorType>, std::decay_t<VarTypes>...>>(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}

	/** A member function on a raw pointer; the object must outlive the binding. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateRaw(UserClass* InUserObject, typename TMemFunPtrType<false, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		using FMethod = typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type;
		return TDelegate(std::make_shared<UE::Delegates::Private::TRawMethodInstance<TFuncType, UserClass, FMethod, std::decay_t<VarTypes>...>>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** A const member function on a raw pointer; the object must outlive the binding. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateRaw(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		using FMethod = typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type;
		return TDelegate(std::make_shared<UE::Delegates::Private::TRawMethodInstance<TFuncType, const UserClass, FMethod, std::decay_t<VarTypes>...>>(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}

	/**
	 * A member function on an engine object. The host binds it like a raw pointer: unlike the engine, it
	 * does not check that the object is still alive, so the object must outlive the binding.
	 */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateUObject(UserClass* InUserObject, typename TMemFunPtrType<false, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	/** A const member function on an engine object; see the non-const form. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateUObject(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}

	/** A member function on a shared object, held weakly: the binding stops once the object dies. */
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<false, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		using FMethod = typename TMemFunPtrType<false, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type;
		return TDelegate(std::make_shared<UE::Delegates::Private::TSPMethodInstance<TFuncType, UserClass, Mode, FMethod, std::decay_t<VarTypes>...>>(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** A const member function on a shared object, held weakly. */
	template <typename UserClass, ESPMode Mode, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const TSharedRef<UserClass, Mode>& InUserObjectRef, typename TMemFunPtrType<true, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		using FMethod = typename TMemFunPtrType<true, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type;
		return TDelegate(std::make_shared<UE::Delegates::Private::TSPMethodInstance<TFuncType, UserClass, Mode, FMethod, std::decay_t<VarTypes>...>>(InUserObjectRef, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** A member function on an object deriving from TSharedFromThis, held weakly. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(UserClass* InUserObject, typename TMemFunPtrType<false, std::remove_const_t<UserClass>, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		static_assert(!std::is_const_v<UserClass>, "Attempting to bind a delegate with a const object pointer and non-const member function.");
		check(InUserObject != nullptr);
		return CreateSP(StaticCastSharedRef<UserClass>(InUserObject->AsShared()), InFunc, std::forward<VarTypes>(Vars)...);
	}
	/** A const member function on an object deriving from TSharedFromThis, held weakly. */
	template <typename UserClass, typename... VarTypes>
	[[nodiscard]] static TDelegate CreateSP(const UserClass* InUserObject, typename TMemFunPtrType<true, UserClass, RetValType(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		check(InUserObject != nullptr);
		return CreateSP(StaticCastSharedRef<const UserClass>(InUserObject->AsShared()), InFunc, std::forward<VarTypes>(Vars)...);
	}

	/** Binds a static function. */
	template <typename... VarTypes>
	void BindStatic(typename TIdentity<RetValType (*)(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		*this = CreateStatic(InFunc, std::forward<VarTypes>(Vars)...);
	}
	/** Binds a functor. */
	template <typename FunctorType, typename... VarTypes>
	void BindLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		*this = CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...);
	}
	/** Binds a member function on a raw pointer. */
	template <typename UserClass, typename FuncPtrType, typename... VarTypes>
	void BindRaw(UserClass* InUserObject, FuncPtrType InFunc, VarTypes&&... Vars)
	{
		*this = CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...);
	}
	/** Binds a member function on a shared object, held weakly. */
	template <typename UserObjectType, typename FuncPtrType, typename... VarTypes>
	void BindSP(UserObjectType&& InUserObject, FuncPtrType InFunc, VarTypes&&... Vars)
	{
		*this = CreateSP(std::forward<UserObjectType>(InUserObject), InFunc, std::forward<VarTypes>(Vars)...);
	}

	/** True when bound and, for a weakly held object, the object is alive. */
	bool IsBound() const { return Instance && Instance->IsSafeToExecute(); }
	/** True when bound to InUserObject. */
	bool IsBoundToObject(const void* InUserObject) const { return InUserObject && Instance && Instance->HasSameObject(InUserObject); }
	/** Drops the binding. */
	void Unbind() { Instance.reset(); }
	/** The binding's handle, or an invalid handle when unbound. */
	FDelegateHandle GetHandle() const { return Instance ? Instance->GetHandle() : FDelegateHandle(); }

	/** Calls the binding. Calling an unbound delegate, or one whose object died, fails a check. */
	RetValType Execute(ParamTypes... Params) const
	{
		// A local reference keeps the binding alive if the callback rebinds or unbinds this delegate.
		const std::shared_ptr<const FInstance> LocalInstance = Instance;
		checkf(LocalInstance != nullptr, TEXT("Executing an unbound delegate"));
		return LocalInstance->Execute(std::forward<ParamTypes>(Params)...);
	}

	/** Calls the binding when bound and its object is alive; true when it was called. */
	template <typename DummyRetValType = RetValType, std::enable_if_t<std::is_void_v<DummyRetValType>>* = nullptr>
	bool ExecuteIfBound(ParamTypes... Params) const
	{
		const std::shared_ptr<const FInstance> LocalInstance = Instance;
		return LocalInstance && LocalInstance->ExecuteIfSafe(std::forward<ParamTypes>(Params)...);
	}

	/** Host only: the binding, shared with copies. */
	const FInstance* GetDelegateInstanceProtected() const { return Instance.get(); }

private:
	explicit TDelegate(std::shared_ptr<const FInstance> InInstance)
		: Instance(std::move(InInstance))
	{
	}

	std::shared_ptr<const FInstance> Instance;
};

/**
 * A multicast delegate: any number of bindings, called by Broadcast in reverse order of addition (the
 * engine's order, which callers should not rely on). See the top of this file for what is thread-safe.
 */
template <typename... ParamTypes>
class TMulticastDelegate<void(ParamTypes...)>
{
public:
	/** The single-cast delegate type that Add accepts. */
	using FDelegate = TDelegate<void(ParamTypes...)>;

	TMulticastDelegate() = default;
	// Copying during a broadcast copies the live list; the copy starts unlocked.
	TMulticastDelegate(const TMulticastDelegate& Other)
		: InvocationList(Other.InvocationList)
	{
	}
	TMulticastDelegate& operator=(const TMulticastDelegate& Other)
	{
		if (this != &Other)
		{
			const std::vector<FEntry> Copy = Other.InvocationList;
			Clear();
			for (const FEntry& Entry : Copy)
			{
				if (Entry)
				{
					InvocationList.push_back(Entry);
				}
			}
		}
		return *this;
	}

	/** Adds a bound delegate; an unbound one is ignored and gives an invalid handle. */
	FDelegateHandle Add(const FDelegate& InNewDelegate)
	{
		if (!InNewDelegate.Instance)
		{
			return FDelegateHandle();
		}
		CompactIfUnlocked();
		InvocationList.push_back(InNewDelegate.Instance);
		return InNewDelegate.Instance->GetHandle();
	}
	/** Adds a static function; payload values follow the call arguments. */
	template <typename... VarTypes>
	FDelegateHandle AddStatic(typename TIdentity<void (*)(ParamTypes..., std::decay_t<VarTypes>...)>::Type InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateStatic(InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** Adds a functor. */
	template <typename FunctorType, typename... VarTypes>
	FDelegateHandle AddLambda(FunctorType&& InFunctor, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateLambda(std::forward<FunctorType>(InFunctor), std::forward<VarTypes>(Vars)...));
	}
	/** Adds a member function on a raw pointer; remove it (e.g. RemoveAll(this)) before the object dies. */
	template <typename UserClass, typename FuncPtrType, typename... VarTypes>
	FDelegateHandle AddRaw(UserClass* InUserObject, FuncPtrType InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateRaw(InUserObject, InFunc, std::forward<VarTypes>(Vars)...));
	}
	/** Adds a member function on a shared object, held weakly: skipped once the object dies. */
	template <typename UserObjectType, typename FuncPtrType, typename... VarTypes>
	FDelegateHandle AddSP(UserObjectType&& InUserObject, FuncPtrType InFunc, VarTypes&&... Vars)
	{
		return Add(FDelegate::CreateSP(std::forward<UserObjectType>(InUserObject), InFunc, std::forward<VarTypes>(Vars)...));
	}

	/** Removes the binding with this handle; true when one was removed. Safe during a broadcast. */
	bool Remove(FDelegateHandle Handle)
	{
		if (!Handle.IsValid())
		{
			return false;
		}
		for (FEntry& Entry : InvocationList)
		{
			if (Entry && Entry->GetHandle() == Handle)
			{
				Entry.reset();
				CompactIfUnlocked();
				return true;
			}
		}
		return false;
	}
	/** Removes every binding to InUserObject; returns how many. Safe during a broadcast. */
	int32 RemoveAll(FDelegateUserObjectConst InUserObject)
	{
		int32 Removed = 0;
		if (InUserObject)
		{
			for (FEntry& Entry : InvocationList)
			{
				if (Entry && Entry->HasSameObject(InUserObject))
				{
					Entry.reset();
					++Removed;
				}
			}
		}
		CompactIfUnlocked();
		return Removed;
	}
	/** Removes every binding. Safe during a broadcast. */
	void Clear()
	{
		for (FEntry& Entry : InvocationList)
		{
			Entry.reset();
		}
		CompactIfUnlocked();
	}

	/** True when any binding remains (a binding whose object died counts until it is compacted away). */
	bool IsBound() const
	{
		for (const FEntry& Entry : InvocationList)
		{
			if (Entry)
			{
				return true;
			}
		}
		return false;
	}
	/** True when any binding is to InUserObject. */
	bool IsBoundToObject(const void* InUserObject) const
	{
		for (const FEntry& Entry : InvocationList)
		{
			if (Entry && Entry->HasSameObject(InUserObject))
			{
				return true;
			}
		}
		return false;
	}

	/** Calls every binding present when the broadcast starts and not removed before its turn. */
	void Broadcast(ParamTypes... Params) const
	{
		++LockCount;
		for (size_t Index = InvocationList.size(); Index-- > 0;)
		{
			// A local reference keeps the binding alive while it runs, even if it removes itself.
			const FEntry LocalInstance = InvocationList[Index];
			if (LocalInstance)
			{
				LocalInstance->ExecuteIfSafe(Params...);
			}
		}
		--LockCount;
		const_cast<TMulticastDelegate*>(this)->CompactIfUnlocked();
	}

private:
	using FEntry = std::shared_ptr<const IBaseDelegateInstance<void(ParamTypes...)>>;

	/** Drops removed and dead bindings, unless a broadcast is walking the list. */
	void CompactIfUnlocked()
	{
		if (LockCount > 0)
		{
			return;
		}
		std::erase_if(InvocationList, [](const FEntry& Entry)
			{ return !Entry || Entry->IsCompactable(); });
	}

	std::vector<FEntry> InvocationList;
	mutable int32 LockCount = 0;
};

#include "Delegates/DelegateCombinations.h"

/** A delegate with no parameters and no return value. */
DECLARE_DELEGATE(FSimpleDelegate);
/** A multicast delegate with no parameters. */
DECLARE_MULTICAST_DELEGATE(FSimpleMulticastDelegate);
