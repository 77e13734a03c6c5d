// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Templates/TypeHash.h.
#pragma once

#include "CoreTypes.h"

#include <type_traits>

template <typename T, std::enable_if_t<std::is_integral_v<T> || std::is_enum_v<T>, int> = 0>
FORCEINLINE uint32 GetTypeHash(T Value)
{
	const uint64 Bits = static_cast<uint64>(Value);
	return static_cast<uint32>(Bits ^ (Bits >> 32));
}

template <typename T>
FORCEINLINE uint32 GetTypeHash(T* Pointer)
{
	const UPTRINT Bits = reinterpret_cast<UPTRINT>(Pointer);
	return static_cast<uint32>((Bits >> 4) ^ (Bits >> 36));
}
