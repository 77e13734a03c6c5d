// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/Function.h.
#pragma once

#include <functional>
#include <type_traits>

template <typename FuncType>
using TFunction = std::function<FuncType>;

template <typename FuncType>
using TUniqueFunction = std::function<FuncType>;

template <typename FuncType>
class TFunctionRef;

/** Non-owning reference to a callable; the callable must outlive the reference. */
template <typename ReturnType, typename... ParamTypes>
class TFunctionRef<ReturnType(ParamTypes...)>
{
public:
	template <typename FunctorType, typename = std::enable_if_t<!std::is_same_v<std::decay_t<FunctorType>, TFunctionRef> && std::is_invocable_r_v<ReturnType, FunctorType&, ParamTypes...>>>
	TFunctionRef(FunctorType&& Functor)
		: Callable(const_cast<void*>(static_cast<const void*>(&Functor)))
		, Invoker([](void* Target, ParamTypes... Params) -> ReturnType
			  { return (*static_cast<std::remove_reference_t<FunctorType>*>(Target))(std::forward<ParamTypes>(Params)...); })
	{
	}

	ReturnType operator()(ParamTypes... Params) const { return Invoker(Callable, std::forward<ParamTypes>(Params)...); }

private:
	void* Callable;
	ReturnType (*Invoker)(void*, ParamTypes...);
};
