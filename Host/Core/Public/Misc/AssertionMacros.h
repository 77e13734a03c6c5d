// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/AssertionMacros.h. check() stays on in every host build,
// like the engine's development configuration: a failed check or checkf ends the process.
#pragma once

#include "HAL/Platform.h"

#include <type_traits>

class FString;

namespace UE::Host
{
	[[noreturn]] void AssertFailed(const char* Expression, const char* File, int Line, const char* Message = nullptr);
	/** A failed checkf: the formatted message goes with the expression, as in the engine's report. */
	[[noreturn]] void AssertFailedWithMessage(const char* Expression, const char* File, int Line, const FString& Message);
	bool EnsureFailed(const char* Expression, const char* File, int Line);

	/**
	 * Formats a failed checkf's message. FString is named through a dependent type so that containers
	 * declared before FString can use checkf; the message is only built once the check has failed.
	 */
	template <typename FmtType, typename... Types>
	[[noreturn]] void CheckfFailed(const char* Expression, const char* File, int Line, const FmtType& Format, Types... Args)
	{
		using FStringType = std::conditional_t<sizeof(FmtType) != 0, FString, void>;
		AssertFailedWithMessage(Expression, File, Line, FStringType::Printf(Format, Args...));
	}
}

#define check(expr) ((expr) ? (void)0 : ::UE::Host::AssertFailed(#expr, __FILE__, __LINE__))
#define checkf(expr, format, ...) ((expr) ? (void)0 : ::UE::Host::CheckfFailed(#expr, __FILE__, __LINE__, format, ##__VA_ARGS__))
#define checkSlow(expr) check(expr)
#define checkNoEntry() ::UE::Host::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)
#define verify(expr) check(expr)
#define verifyf(expr, format, ...) checkf(expr, format, ##__VA_ARGS__)
#define ensure(expr) ((expr) || ::UE::Host::EnsureFailed(#expr, __FILE__, __LINE__))
#define ensureMsgf(expr, ...) ensure(expr)
#define ensureAlways(expr) ensure(expr)
