// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Types/SlateStructs.h: the size rule of a box panel slot.
#pragma once

#include "CoreTypes.h"

/** How a box panel slot takes space along the panel's direction. */
struct FSizeParam
{
	enum ESizeRule
	{
		/** The content's desired size. */
		SizeRule_Auto,
		/** A share of the space left, proportional to the value. */
		SizeRule_Stretch,
		/** The content's desired size, scaled proportionally to fit the space. */
		SizeRule_StretchContent,
	};
};

/** A size that may be unset, for the size overrides of SBox. */
struct FOptionalSize
{
	/** Unset. */
	FOptionalSize() = default;
	/** Set to a size in slate units. */
	FOptionalSize(float SpecifiedSize)
		: Size(SpecifiedSize)
	{
	}

	/** True when a size was given. */
	bool IsSet() const { return Size != Unspecified; }
	/** The size; only meaningful when set. */
	float Get() const { return Size; }

	bool operator==(const FOptionalSize& Other) const { return Size == Other.Size; }
	bool operator!=(const FOptionalSize& Other) const { return Size != Other.Size; }

private:
	static constexpr float Unspecified = -1.0f;
	float Size = Unspecified;
};
