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

FORCEINLINE uint32 HashCombine(uint32 A, uint32 C)
{
	uint32 B = 0x9e3779b9;
	A += B;
	A -= B; A -= C; A ^= (C >> 13);
	B -= C; B -= A; B ^= (A << 8);
	C -= A; C -= B; C ^= (B >> 13);
	A -= B; A -= C; A ^= (C >> 12);
	B -= C; B -= A; B ^= (A << 16);
	C -= A; C -= B; C ^= (B >> 5);
	A -= B; A -= C; A ^= (C >> 3);
	B -= C; B -= A; B ^= (A << 10);
	C -= A; C -= B; C ^= (B >> 15);
	return C;
}
