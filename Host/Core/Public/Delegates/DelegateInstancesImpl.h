// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Delegates/DelegateInstancesImpl.h: the bindings behind TDelegate.
#pragma once

#include "CoreTypes.h"
#include "Delegates/IDelegateInstance.h"
#include "Misc/AssertionMacros.h"
#include "Templates/SharedPointer.h"

#include <functional>
#include <tuple>
#include <type_traits>
#include <utility>

/** Member function pointer of the given constness, class and signature. */
template <bool bConst, typename Class, typename FuncType>
struct TMemFunPtrType;

template <typename Class, typename RetType, typename... ArgTypes>
struct TMemFunPtrType<false, Class, RetType(ArgTypes...)>
{
	using Type = RetType (Class::*)(ArgTypes...);
};

template <typename Class, typename RetType, typename... ArgTypes>
struct TMemFunPtrType<true, Class, RetType(ArgTypes...)>
{
	using Type = RetType (Class::*)(ArgTypes...) const;
};

template <typename FuncType>
class IBaseDelegateInstance;

/** A binding callable with the delegate's parameters. Immutable once made; copies of a delegate share it. */
template <typename RetValType, typename... ParamTypes>
class IBaseDelegateInstance<RetValType(ParamTypes...)> : public IDelegateInstance
{
public:
	/** Calls the binding; the bound object must be alive (a check fails otherwise). */
	virtual RetValType Execute(ParamTypes... Params) const = 0;
	/** Calls the binding if its object is alive; the return value, if any, is discarded. */
	virtual bool ExecuteIfSafe(ParamTypes... Params) const = 0;

	FDelegateHandle GetHandle() const final { return Handle; }

private:
	FDelegateHandle Handle{FDelegateHandle::GenerateNewHandle};
};

namespace UE::Delegates::Private
{
	/** Calls Callable with the call arguments followed by the payload, as the engine appends payloads. */
	template <typename RetValType, typename CallableType, typename PayloadType, typename... ParamTypes>
	RetValType InvokeWithPayload(CallableType&& Callable, PayloadType& Payload, ParamTypes&&... Params)
	{
		return std::apply([&](auto&... Vars) -> RetValType
			{ return static_cast<RetValType>(std::invoke(Callable, std::forward<ParamTypes>(Params)..., Vars...)); },
			Payload);
	}

	/** A static function or functor with payload; always safe to call. */
	template <typename FuncType, typename FunctorType, typename... VarTypes>
	class TFunctorInstance;

	template <typename RetValType, typename... ParamTypes, typename FunctorType, typename... VarTypes>
	class TFunctorInstance<RetValType(ParamTypes...), FunctorType, VarTypes...> final : public IBaseDelegateInstance<RetValType(ParamTypes...)>
	{
	public:
		template <typename InFunctorType, typename... InVarTypes>
		explicit TFunctorInstance(InFunctorType&& InFunctor, InVarTypes&&... Vars)
			: Functor(std::forward<InFunctorType>(InFunctor))
			, Payload(std::forward<InVarTypes>(Vars)...)
		{
		}

		const void* GetObjectForTimerManager() const override { return nullptr; }
		bool HasSameObject(const void*) const override { return false; }
		bool IsSafeToExecute() const override { return true; }

		RetValType Execute(ParamTypes... Params) const override { return InvokeWithPayload<RetValType>(Functor, Payload, std::forward<ParamTypes>(Params)...); }
		bool ExecuteIfSafe(ParamTypes... Params) const override
		{
			(void)InvokeWithPayload<RetValType>(Functor, Payload, std::forward<ParamTypes>(Params)...);
			return true;
		}

	private:
		// The engine lets payload arguments bind to non-const references; the instance is otherwise immutable.
		mutable FunctorType Functor;
		mutable std::tuple<VarTypes...> Payload;
	};

	/** A member function on a raw pointer; the caller keeps the object alive while bound. */
	template <typename FuncType, typename UserClass, typename MethodPtrType, typename... VarTypes>
	class TRawMethodInstance;

	template <typename RetValType, typename... ParamTypes, typename UserClass, typename MethodPtrType, typename... VarTypes>
	class TRawMethodInstance<RetValType(ParamTypes...), UserClass, MethodPtrType, VarTypes...> final : public IBaseDelegateInstance<RetValType(ParamTypes...)>
	{
	public:
		template <typename... InVarTypes>
		TRawMethodInstance(UserClass* InUserObject, MethodPtrType InMethodPtr, InVarTypes&&... Vars)
			: UserObject(InUserObject)
			, MethodPtr(InMethodPtr)
			, Payload(std::forward<InVarTypes>(Vars)...)
		{
			check(InUserObject != nullptr && InMethodPtr != nullptr);
		}

		const void* GetObjectForTimerManager() const override { return UserObject; }
		bool HasSameObject(const void* InUserObject) const override { return UserObject == InUserObject; }
		bool IsSafeToExecute() const override { return true; }

		RetValType Execute(ParamTypes... Params) const override { return InvokeWithPayload<RetValType>(MethodPtr, Payload, UserObject, std::forward<ParamTypes>(Params)...); }
		bool ExecuteIfSafe(ParamTypes... Params) const override
		{
			(void)InvokeWithPayload<RetValType>(MethodPtr, Payload, UserObject, std::forward<ParamTypes>(Params)...);
			return true;
		}

	private:
		UserClass* UserObject;
		MethodPtrType MethodPtr;
		mutable std::tuple<VarTypes...> Payload;
	};

	/** A member function on a shared object held weakly: never called once the object has died. */
	template <typename FuncType, typename UserClass, ESPMode Mode, typename MethodPtrType, typename... VarTypes>
	class TSPMethodInstance;

	template <typename RetValType, typename... ParamTypes, typename UserClass, ESPMode Mode, typename MethodPtrType, typename... VarTypes>
	class TSPMethodInstance<RetValType(ParamTypes...), UserClass, Mode, MethodPtrType, VarTypes...> final : public IBaseDelegateInstance<RetValType(ParamTypes...)>
	{
	public:
		template <typename... InVarTypes>
		TSPMethodInstance(const TSharedRef<UserClass, Mode>& InUserObject, MethodPtrType InMethodPtr, InVarTypes&&... Vars)
			: UserObject(InUserObject)
			, RawUserObject(&InUserObject.Get())
			, MethodPtr(InMethodPtr)
			, Payload(std::forward<InVarTypes>(Vars)...)
		{
			check(InMethodPtr != nullptr);
		}

		// Compares the address given at binding time, so RemoveAll(this) also finds bindings whose object has died.
		const void* GetObjectForTimerManager() const override { return RawUserObject; }
		bool HasSameObject(const void* InUserObject) const override { return RawUserObject == InUserObject; }
		bool IsSafeToExecute() const override { return UserObject.IsValid(); }

		RetValType Execute(ParamTypes... Params) const override
		{
			// The pin keeps the object alive for the length of the call, even if the last owner lets go meanwhile.
			const TSharedPtr<UserClass, Mode> Pinned = UserObject.Pin();
			checkf(Pinned.IsValid(), TEXT("Executing a shared-pointer delegate whose object has been destroyed"));
			return InvokeWithPayload<RetValType>(MethodPtr, Payload, Pinned.Get(), std::forward<ParamTypes>(Params)...);
		}
		bool ExecuteIfSafe(ParamTypes... Params) const override
		{
			const TSharedPtr<UserClass, Mode> Pinned = UserObject.Pin();
			if (!Pinned.IsValid())
			{
				return false;
			}
			(void)InvokeWithPayload<RetValType>(MethodPtr, Payload, Pinned.Get(), std::forward<ParamTypes>(Params)...);
			return true;
		}

	private:
		TWeakPtr<UserClass, Mode> UserObject;
		const void* RawUserObject;
		MethodPtrType MethodPtr;
		mutable std::tuple<VarTypes...> Payload;
	};
}
