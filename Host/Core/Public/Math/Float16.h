// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Float16.h: an IEEE 754 half-precision float. The conversions are
// Imath's (the OpenEXR project's half type), which keeps infinities, NaNs and subnormals.
#pragma once

#include "CoreTypes.h"

#include <Imath/half.h>

/** A 16-bit float as render targets store it. */
class FFloat16
{
public:
	/** The raw bits. */
	uint16 Encoded = 0;

	FFloat16() = default;
	FFloat16(float FP32Value) { Set(FP32Value); }

	FFloat16& operator=(float FP32Value)
	{
		Set(FP32Value);
		return *this;
	}

	operator float() const { return GetFloat(); }

	/** Rounds to the nearest half (ties to even); out-of-range values become infinities. */
	void Set(float FP32Value) { Encoded = imath_float_to_half(FP32Value); }
	/** Widens exactly. */
	float GetFloat() const { return imath_half_to_float(Encoded); }
};
