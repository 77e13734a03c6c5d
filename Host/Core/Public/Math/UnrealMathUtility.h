// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/UnrealMathUtility.h (the parts the plug-in calls).
#pragma once

#include "CoreTypes.h"

#include <cmath>

struct FMath
{
	template <typename T>
	static constexpr T Min(T A, T B)
	{
		return A < B ? A : B;
	}
	template <typename T>
	static constexpr T Max(T A, T B)
	{
		return A > B ? A : B;
	}
	template <typename T>
	static constexpr T Clamp(T X, T MinValue, T MaxValue)
	{
		return X < MinValue ? MinValue : (X < MaxValue ? X : MaxValue);
	}
	template <typename T>
	static constexpr T Abs(T A)
	{
		return A < T(0) ? -A : A;
	}
	static bool IsNaN(double A) { return std::isnan(A); }
	static bool IsFinite(double A) { return std::isfinite(A); }
	static double FloorToDouble(double A) { return std::floor(A); }
	static float FloorToFloat(float A) { return std::floor(A); }
	static double RoundHalfFromZero(double A) { return std::round(A); }
	static float RoundHalfFromZero(float A) { return std::round(A); }
	static bool IsNearlyEqual(double A, double B, double Tolerance = 1.e-8) { return std::abs(A - B) <= Tolerance; }
	static bool IsNearlyZero(double A, double Tolerance = 1.e-8) { return std::abs(A) <= Tolerance; }
};
