// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Float16Color.h: four half floats, as an RGBA16F surface stores a pixel.
#pragma once

#include "CoreTypes.h"
#include "Math/Color.h"
#include "Math/Float16.h"

/** An RGBA colour of four 16-bit floats. */
class FFloat16Color
{
public:
	FFloat16 R;
	FFloat16 G;
	FFloat16 B;
	FFloat16 A;

	FFloat16Color() = default;
	FFloat16Color(const FLinearColor& Src)
		: R(Src.R)
		, G(Src.G)
		, B(Src.B)
		, A(Src.A)
	{
	}

	bool operator==(const FFloat16Color& Other) const { return R.Encoded == Other.R.Encoded && G.Encoded == Other.G.Encoded && B.Encoded == Other.B.Encoded && A.Encoded == Other.A.Encoded; }
};
