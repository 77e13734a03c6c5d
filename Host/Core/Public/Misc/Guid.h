// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/Guid.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

enum class EGuidFormats
{
	Digits,
	DigitsLower,
	DigitsWithHyphens,
	DigitsWithHyphensLower,
	DigitsWithHyphensInBraces,
	DigitsWithHyphensInParentheses,
	HexValuesInBraces,
	UniqueObjectGuid,
	Short,
	Base36Encoded,
};

/** 128-bit globally unique identifier. */
struct FGuid
{
	uint32 A = 0;
	uint32 B = 0;
	uint32 C = 0;
	uint32 D = 0;

	FGuid() = default;
	FGuid(uint32 InA, uint32 InB, uint32 InC, uint32 InD)
		: A(InA)
		, B(InB)
		, C(InC)
		, D(InD)
	{
	}

	static FGuid NewGuid();
	static bool Parse(const FString& GuidString, FGuid& OutGuid);
	bool IsValid() const { return (A | B | C | D) != 0; }
	void Invalidate() { A = B = C = D = 0; }
	FString ToString(EGuidFormats Format = EGuidFormats::Digits) const;

	bool operator==(const FGuid& Other) const { return A == Other.A && B == Other.B && C == Other.C && D == Other.D; }
	bool operator!=(const FGuid& Other) const { return !(*this == Other); }
	bool operator<(const FGuid& Other) const
	{
		return A != Other.A ? A < Other.A : (B != Other.B ? B < Other.B : (C != Other.C ? C < Other.C : D < Other.D));
	}
};

inline uint32 GetTypeHash(const FGuid& Guid)
{
	return (Guid.A ^ (Guid.B * 31u)) ^ (Guid.C * 131u) ^ (Guid.D * 1313u);
}
