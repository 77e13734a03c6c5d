// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Color.h: an 8-bit sRGB colour.
#pragma once

#include "CoreTypes.h"

/** A colour of four bytes, as the engine stores it (blue, green, red, alpha on little-endian machines). */
struct CORE_API FColor
{
	uint8 B = 0;
	uint8 G = 0;
	uint8 R = 0;
	uint8 A = 0;

	constexpr FColor() = default;
	constexpr FColor(uint8 InR, uint8 InG, uint8 InB, uint8 InA = 255)
		: B(InB)
		, G(InG)
		, R(InR)
		, A(InA)
	{
	}

	bool operator==(const FColor& Other) const { return R == Other.R && G == Other.G && B == Other.B && A == Other.A; }
	bool operator!=(const FColor& Other) const { return !(*this == Other); }

	static const FColor Red;
	static const FColor Green;
};
