// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Color.h: an 8-bit sRGB colour and a linear floating-point colour.
#pragma once

#include "CoreTypes.h"

/** How the values of an 8-bit colour relate to linear light. */
enum class EGammaSpace : uint8
{
	Linear,
	Pow22,
	sRGB,
	Invalid
};

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

/** A linear colour of four 32-bit floats. */
struct CORE_API FLinearColor
{
	float R = 0.0f;
	float G = 0.0f;
	float B = 0.0f;
	float A = 0.0f;

	constexpr FLinearColor() = default;
	constexpr FLinearColor(float InR, float InG, float InB, float InA = 1.0f)
		: R(InR)
		, G(InG)
		, B(InB)
		, A(InA)
	{
	}

	bool operator==(const FLinearColor& Other) const { return R == Other.R && G == Other.G && B == Other.B && A == Other.A; }
	bool operator!=(const FLinearColor& Other) const { return !(*this == Other); }

	static const FLinearColor White;
	static const FLinearColor Black;
	static const FLinearColor Transparent;
};
