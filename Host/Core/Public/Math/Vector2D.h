// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Vector2D.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
	/** A 2D vector; zeroed by default in the host (uninitialised in the engine). */
	template <typename T>
	struct TVector2
	{
		static_assert(std::is_floating_point_v<T>, "TVector2 only supports float and double types.");

		/** Vector's X component. */
		T X;
		/** Vector's Y component. */
		T Y;

		/** (0,0) */
		static const TVector2<T> ZeroVector;
		/** (1,1) */
		static const TVector2<T> UnitVector;

		constexpr TVector2()
			: X(0)
			, Y(0)
		{
		}
		constexpr explicit TVector2(T InF)
			: X(InF)
			, Y(InF)
		{
		}
		constexpr TVector2(T InX, T InY)
			: X(InX)
			, Y(InY)
		{
		}
		/** Converts between float and double vectors. */
		template <typename FArg, typename = std::enable_if_t<!std::is_same_v<T, FArg>>>
		constexpr explicit TVector2(const TVector2<FArg>& From)
			: X(T(From.X))
			, Y(T(From.Y))
		{
		}

		TVector2 operator+(const TVector2& V) const { return TVector2(X + V.X, Y + V.Y); }
		TVector2 operator-(const TVector2& V) const { return TVector2(X - V.X, Y - V.Y); }
		TVector2 operator-() const { return TVector2(-X, -Y); }
		TVector2 operator*(const TVector2& V) const { return TVector2(X * V.X, Y * V.Y); }
		TVector2 operator/(const TVector2& V) const { return TVector2(X / V.X, Y / V.Y); }
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector2 operator*(FArg Scale) const
		{
			return TVector2(X * T(Scale), Y * T(Scale));
		}
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector2 operator/(FArg Scale) const
		{
			const T RScale = T(1) / T(Scale);
			return TVector2(X * RScale, Y * RScale);
		}
		bool operator==(const TVector2& V) const { return X == V.X && Y == V.Y; }
		bool operator!=(const TVector2& V) const { return !(*this == V); }
		/** Dot product. */
		T operator|(const TVector2& V) const { return X * V.X + Y * V.Y; }

		/** Length. */
		T Size() const { return FMath::Sqrt(X * X + Y * Y); }
		/** Squared length. */
		T SizeSquared() const { return X * X + Y * Y; }
		/** True when both components are within Tolerance of V's. */
		bool Equals(const TVector2& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance; }

		/** "X=%3.3f Y=%3.3f" */
		FString ToString() const { return FString::Printf(TEXT("X=%3.3f Y=%3.3f"), double(X), double(Y)); }
	};

	template <typename T>
	const TVector2<T> TVector2<T>::ZeroVector(T(0), T(0));
	template <typename T>
	const TVector2<T> TVector2<T>::UnitVector(T(1), T(1));

	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	inline TVector2<T> operator*(T2 Scale, const TVector2<T>& V)
	{
		return V * Scale;
	}
}
