// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/AssertionMacros.h. check() stays on in every host build,
// like the engine's development configuration.
#pragma once

#include "HAL/Platform.h"

namespace UE::Host
{
	[[noreturn]] void AssertFailed(const char* Expression, const char* File, int Line, const char* Message = nullptr);
	bool EnsureFailed(const char* Expression, const char* File, int Line);
}

#define check(expr) ((expr) ? (void)0 : ::UE::Host::AssertFailed(#expr, __FILE__, __LINE__))
#define checkf(expr, ...) ((expr) ? (void)0 : ::UE::Host::AssertFailed(#expr, __FILE__, __LINE__))
#define checkSlow(expr) check(expr)
#define checkNoEntry() ::UE::Host::AssertFailed("Enclosing block should never be called", __FILE__, __LINE__)
#define verify(expr) check(expr)
#define ensure(expr) ((expr) || ::UE::Host::EnsureFailed(#expr, __FILE__, __LINE__))
#define ensureMsgf(expr, ...) ensure(expr)
#define ensureAlways(expr) ensure(expr)
