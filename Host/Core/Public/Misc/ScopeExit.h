// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/ScopeExit.h: run a block when the enclosing scope is left.
#pragma once

#include "CoreTypes.h"

#include <utility>

#ifndef PREPROCESSOR_JOIN
#define PREPROCESSOR_JOIN(x, y) PREPROCESSOR_JOIN_INNER(x, y)
#define PREPROCESSOR_JOIN_INNER(x, y) x##y
#endif

#ifndef ANONYMOUS_VARIABLE
#define ANONYMOUS_VARIABLE(Name) PREPROCESSOR_JOIN(Name, __COUNTER__)
#endif

namespace ScopeExitSupport
{
	/** Calls its function when destroyed. */
	template <typename FuncType>
	class TScopeGuard
	{
	public:
		explicit TScopeGuard(FuncType&& InFunc)
			: Func(std::move(InFunc))
		{
		}
		TScopeGuard(const TScopeGuard&) = delete;
		TScopeGuard& operator=(const TScopeGuard&) = delete;
		~TScopeGuard() { Func(); }

	private:
		FuncType Func;
	};

	struct FScopeGuardSyntaxSupport
	{
		template <typename FuncType>
		TScopeGuard<FuncType> operator+(FuncType&& InFunc)
		{
			return TScopeGuard<FuncType>(std::forward<FuncType>(InFunc));
		}
	};
}

/** ON_SCOPE_EXIT { ... }; runs the block when the scope ends, on every way out. */
#define ON_SCOPE_EXIT const auto ANONYMOUS_VARIABLE(ScopeGuard_) = ::ScopeExitSupport::FScopeGuardSyntaxSupport() + [&]()
