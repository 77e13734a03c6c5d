// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#include <cmath>
#include <limits>

namespace OrvaneNumbers
{
	/** A double narrowed to float with IEEE rounding: beyond the float range, infinity; no undefined conversion. */
	inline float NarrowToFloat(double Value)
	{
		// Above the largest float, values within half a step of it still round to it.
		constexpr double RoundsToMax = 3.4028235677973366e38;
		const double Magnitude = std::abs(Value);
		if (Magnitude > static_cast<double>(std::numeric_limits<float>::max()))
		{
			const float Limit = Magnitude < RoundsToMax ? std::numeric_limits<float>::max() : std::numeric_limits<float>::infinity();
			return Value > 0.0 ? Limit : -Limit;
		}
		return static_cast<float>(Value);
	}
}
