// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/UnrealMathUtility.h (the parts the plug-in calls).
#pragma once

#include "CoreTypes.h"

#include <cmath>
#include <limits>
#include <type_traits>

#define UE_PI (3.1415926535897932f)
#define UE_DOUBLE_PI (3.141592653589793238462643383279502884197169399)
#define UE_HALF_PI (1.57079632679f)
#define UE_DOUBLE_HALF_PI (1.570796326794896619231321691639751442)
#define UE_SMALL_NUMBER (1.e-8f)
#define UE_KINDA_SMALL_NUMBER (1.e-4f)
#define UE_DOUBLE_SMALL_NUMBER (1.e-8)
#define UE_DOUBLE_KINDA_SMALL_NUMBER (1.e-4)
#define UE_THRESH_QUAT_NORMALIZED (0.01f)

namespace UE::Host
{
	/** Converts with saturation: the engine's plain casts are undefined outside the target range, the host never is. */
	template <typename IntType, typename FloatType>
	constexpr IntType SaturatingCast(FloatType Value)
	{
		if (!(Value == Value))
		{
			return IntType(0);
		}
		if (Value <= static_cast<FloatType>(std::numeric_limits<IntType>::lowest()))
		{
			return std::numeric_limits<IntType>::lowest();
		}
		if (Value >= static_cast<FloatType>(std::numeric_limits<IntType>::max()))
		{
			return std::numeric_limits<IntType>::max();
		}
		return static_cast<IntType>(Value);
	}
}

/** Math helpers; the double overloads of the integer conversions return int64 as in the large-world engine. */
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
	template <typename T>
	static constexpr T Square(T A)
	{
		return A * A;
	}
	static bool IsNaN(double A) { return std::isnan(A); }
	static bool IsFinite(double A) { return std::isfinite(A); }
	static double FloorToDouble(double A) { return std::floor(A); }
	static float FloorToFloat(float A) { return std::floor(A); }
	static double RoundHalfFromZero(double A) { return std::round(A); }
	static float RoundHalfFromZero(float A) { return std::round(A); }
	static bool IsNearlyEqual(double A, double B, double Tolerance = 1.e-8) { return std::abs(A - B) <= Tolerance; }
	static bool IsNearlyZero(double A, double Tolerance = 1.e-8) { return std::abs(A) <= Tolerance; }

	/** Degrees to radians, in the argument's precision. */
	template <typename T>
	static constexpr T DegreesToRadians(T const& DegVal)
	{
		return DegVal * (T(UE_DOUBLE_PI) / T(180));
	}
	/** Radians to degrees, in the argument's precision. */
	template <typename T>
	static constexpr T RadiansToDegrees(T const& RadVal)
	{
		return RadVal * (T(180) / T(UE_DOUBLE_PI));
	}

	static float Sin(float Value) { return std::sin(Value); }
	static double Sin(double Value) { return std::sin(Value); }
	static float Cos(float Value) { return std::cos(Value); }
	static double Cos(double Value) { return std::cos(Value); }
	static float Tan(float Value) { return std::tan(Value); }
	static double Tan(double Value) { return std::tan(Value); }
	static float Asin(float Value) { return std::asin(Clamp(Value, -1.f, 1.f)); }
	static double Asin(double Value) { return std::asin(Clamp(Value, -1.0, 1.0)); }
	static float Acos(float Value) { return std::acos(Clamp(Value, -1.f, 1.f)); }
	static double Acos(double Value) { return std::acos(Clamp(Value, -1.0, 1.0)); }
	static void SinCos(double* ScalarSin, double* ScalarCos, double Value)
	{
		*ScalarSin = std::sin(Value);
		*ScalarCos = std::cos(Value);
	}
	static void SinCos(float* ScalarSin, float* ScalarCos, float Value)
	{
		*ScalarSin = std::sin(Value);
		*ScalarCos = std::cos(Value);
	}
	/**
	 * Arc tangent of Y/X in (-pi, pi] with the engine's sign rules: the sign comes from Y < 0, so a negative
	 * zero Y gives +0 or +pi, and (0, 0) gives 0. The engine computes the magnitude with a minimax polynomial
	 * (relative error about 7e-7, coefficients unconfirmed); the host uses the C library's.
	 */
	template <typename T>
	static T Atan2(T Y, T X)
	{
		static_assert(std::is_floating_point_v<T>, "Atan2 takes float or double.");
		if (X == T(0) && Y == T(0))
		{
			return T(0);
		}
		const T Magnitude = std::atan2(std::fabs(Y), X);
		return Y < T(0) ? -Magnitude : Magnitude;
	}

	/**
	 * Arc sine through the engine's seven-term polynomial (Abramowitz and Stegun 4.4.46); FQuat::Rotator
	 * relies on it, so pitch values match an engine's to the last digit.
	 */
	template <typename T>
	static T FastAsin(T Value)
	{
		const bool bNonNegative = (Value >= T(0));
		const T X = Abs(Value);
		T OneMinusX = T(1) - X;
		if (OneMinusX < T(0))
		{
			OneMinusX = T(0);
		}
		const T Root = Sqrt(OneMinusX);
		const T HalfPi = T(1.5707963050f);
		T Result = ((((((T(-0.0012624911f) * X + T(0.0066700901f)) * X - T(0.0170881256f)) * X + T(0.0308918810f)) * X - T(0.0501743046f)) * X + T(0.0889789874f)) * X - T(0.2145988016f)) * X + HalfPi;
		Result *= Root;
		return bNonNegative ? HalfPi - Result : Result - HalfPi;
	}

	static float Sqrt(float Value) { return std::sqrt(Value); }
	static double Sqrt(double Value) { return std::sqrt(Value); }
	static float InvSqrt(float Value) { return 1.f / std::sqrt(Value); }
	static double InvSqrt(double Value) { return 1.0 / std::sqrt(Value); }

	static int32 FloorToInt32(double Value) { return UE::Host::SaturatingCast<int32>(std::floor(Value)); }
	static int64 FloorToInt64(double Value) { return UE::Host::SaturatingCast<int64>(std::floor(Value)); }
	static int32 FloorToInt(float Value) { return FloorToInt32(Value); }
	static int64 FloorToInt(double Value) { return FloorToInt64(Value); }
	static int32 CeilToInt32(double Value) { return UE::Host::SaturatingCast<int32>(std::ceil(Value)); }
	static int64 CeilToInt64(double Value) { return UE::Host::SaturatingCast<int64>(std::ceil(Value)); }
	static int32 CeilToInt(float Value) { return CeilToInt32(Value); }
	static int64 CeilToInt(double Value) { return CeilToInt64(Value); }
	/** Rounds half up (-2.5 gives -2), as the engine's floor(x + 0.5). */
	static int32 RoundToInt32(double Value) { return FloorToInt32(Value + 0.5); }
	static int64 RoundToInt64(double Value) { return FloorToInt64(Value + 0.5); }
	static int32 RoundToInt(float Value) { return FloorToInt32(double(Value) + 0.5); }
	static int64 RoundToInt(double Value) { return RoundToInt64(Value); }
	static int32 TruncToInt32(double Value) { return UE::Host::SaturatingCast<int32>(std::trunc(Value)); }
	static int64 TruncToInt64(double Value) { return UE::Host::SaturatingCast<int64>(std::trunc(Value)); }
	static int32 TruncToInt(float Value) { return TruncToInt32(Value); }
	static int64 TruncToInt(double Value) { return TruncToInt64(Value); }
	static double Frac(double Value) { return Value - std::floor(Value); }
	static float Frac(float Value) { return Value - std::floor(Value); }

	/** Floating remainder with the dividend's sign; a divisor near zero yields 0 (the engine reports it and returns 0). */
	static double Fmod(double X, double Y)
	{
		if (Abs(Y) <= UE_DOUBLE_SMALL_NUMBER)
		{
			return 0.0;
		}
		return std::fmod(X, Y);
	}
	static float Fmod(float X, float Y)
	{
		if (Abs(Y) <= UE_SMALL_NUMBER)
		{
			return 0.f;
		}
		return std::fmod(X, Y);
	}
	/** Mixed float/double arguments promote to double, like the engine's mixed-type overloads. */
	template <typename T, typename U, typename = std::enable_if_t<std::is_arithmetic_v<T> && std::is_arithmetic_v<U> && !std::is_same_v<T, U>>>
	static double Fmod(T X, U Y)
	{
		return Fmod(double(X), double(Y));
	}
};
