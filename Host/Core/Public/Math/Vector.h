// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Vector.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"

#include <type_traits>

namespace UE::Math
{
	/**
	 * A point or direction in 3D space. The engine leaves a default-constructed vector uninitialised;
	 * the host zeroes it so that no read is ever undefined.
	 */
	template <typename T>
	struct TVector
	{
		static_assert(std::is_floating_point_v<T>, "TVector only supports float and double types.");

		using FReal = T;

		/** Vector's X component. */
		T X;
		/** Vector's Y component. */
		T Y;
		/** Vector's Z component. */
		T Z;

		/** (0,0,0) */
		static const TVector<T> ZeroVector;
		/** (1,1,1) */
		static const TVector<T> OneVector;
		/** (0,0,1) */
		static const TVector<T> UpVector;
		/** (1,0,0) */
		static const TVector<T> ForwardVector;
		/** (0,1,0) */
		static const TVector<T> RightVector;

		/** Zero vector (uninitialised in the engine). */
		constexpr TVector()
			: X(0)
			, Y(0)
			, Z(0)
		{
		}
		/** Sets all components to one value. */
		constexpr explicit TVector(T InF)
			: X(InF)
			, Y(InF)
			, Z(InF)
		{
		}
		/** Sets each component. */
		constexpr TVector(T InX, T InY, T InZ)
			: X(InX)
			, Y(InY)
			, Z(InZ)
		{
		}
		/** Converts between float and double vectors. */
		template <typename FArg, typename = std::enable_if_t<!std::is_same_v<T, FArg>>>
		constexpr explicit TVector(const TVector<FArg>& From)
			: X(T(From.X))
			, Y(T(From.Y))
			, Z(T(From.Z))
		{
		}

		TVector operator+(const TVector& V) const { return TVector(X + V.X, Y + V.Y, Z + V.Z); }
		TVector operator-(const TVector& V) const { return TVector(X - V.X, Y - V.Y, Z - V.Z); }
		TVector operator-() const { return TVector(-X, -Y, -Z); }
		/** Component-wise product. */
		TVector operator*(const TVector& V) const { return TVector(X * V.X, Y * V.Y, Z * V.Z); }
		/** Component-wise quotient. */
		TVector operator/(const TVector& V) const { return TVector(X / V.X, Y / V.Y, Z / V.Z); }
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector operator*(FArg Scale) const
		{
			return TVector(X * T(Scale), Y * T(Scale), Z * T(Scale));
		}
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector operator/(FArg Scale) const
		{
			const T RScale = T(1) / T(Scale);
			return TVector(X * RScale, Y * RScale, Z * RScale);
		}
		TVector& operator+=(const TVector& V)
		{
			X += V.X;
			Y += V.Y;
			Z += V.Z;
			return *this;
		}
		TVector& operator-=(const TVector& V)
		{
			X -= V.X;
			Y -= V.Y;
			Z -= V.Z;
			return *this;
		}
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector& operator*=(FArg Scale)
		{
			X *= T(Scale);
			Y *= T(Scale);
			Z *= T(Scale);
			return *this;
		}
		template <typename FArg, typename = std::enable_if_t<std::is_arithmetic_v<FArg>>>
		TVector& operator/=(FArg Scale)
		{
			const T RScale = T(1) / T(Scale);
			X *= RScale;
			Y *= RScale;
			Z *= RScale;
			return *this;
		}
		/** Exact comparison; see Equals for a tolerance. */
		bool operator==(const TVector& V) const { return X == V.X && Y == V.Y && Z == V.Z; }
		bool operator!=(const TVector& V) const { return !(*this == V); }
		/** Dot product. */
		T operator|(const TVector& V) const { return X * V.X + Y * V.Y + Z * V.Z; }
		/** Cross product. */
		TVector operator^(const TVector& V) const { return TVector(Y * V.Z - Z * V.Y, Z * V.X - X * V.Z, X * V.Y - Y * V.X); }

		/** Component by index 0..2; any other index fails a check. */
		T& operator[](int32 Index)
		{
			check(Index >= 0 && Index < 3);
			return Index == 0 ? X : (Index == 1 ? Y : Z);
		}
		T operator[](int32 Index) const
		{
			check(Index >= 0 && Index < 3);
			return Index == 0 ? X : (Index == 1 ? Y : Z);
		}

		static T DotProduct(const TVector& A, const TVector& B) { return A | B; }
		static TVector CrossProduct(const TVector& A, const TVector& B) { return A ^ B; }
		static T Dist(const TVector& A, const TVector& B) { return (B - A).Size(); }
		static T Distance(const TVector& A, const TVector& B) { return Dist(A, B); }
		static T DistSquared(const TVector& A, const TVector& B) { return (B - A).SizeSquared(); }
		/** Dot product. */
		T Dot(const TVector& V) const { return *this | V; }
		/** Cross product. */
		TVector Cross(const TVector& V) const { return *this ^ V; }

		/** Length. */
		T Size() const { return FMath::Sqrt(X * X + Y * Y + Z * Z); }
		/** Squared length. */
		T SizeSquared() const { return X * X + Y * Y + Z * Z; }
		/** True when every component is within Tolerance of zero. */
		bool IsNearlyZero(T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X) <= Tolerance && FMath::Abs(Y) <= Tolerance && FMath::Abs(Z) <= Tolerance; }
		/** True when every component is exactly zero. */
		bool IsZero() const { return X == T(0) && Y == T(0) && Z == T(0); }
		/** True when every component is within Tolerance of V's. */
		bool Equals(const TVector& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance; }

		/** Unit-length copy, or ResultIfZero when the squared length is below Tolerance. */
		TVector GetSafeNormal(T Tolerance = UE_SMALL_NUMBER, const TVector& ResultIfZero = ZeroVector) const
		{
			const T SquareSum = SizeSquared();
			if (SquareSum == T(1))
			{
				return *this;
			}
			if (SquareSum < Tolerance)
			{
				return ResultIfZero;
			}
			const T Scale = FMath::InvSqrt(SquareSum);
			return TVector(X * Scale, Y * Scale, Z * Scale);
		}
		/** Normalises in place when the squared length exceeds Tolerance; false (unchanged) otherwise. */
		bool Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = SizeSquared();
			if (SquareSum > Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				Z *= Scale;
				return true;
			}
			return false;
		}

		/** "X=%3.3f Y=%3.3f Z=%3.3f" */
		FString ToString() const { return FString::Printf(TEXT("X=%3.3f Y=%3.3f Z=%3.3f"), double(X), double(Y), double(Z)); }
	};

	template <typename T>
	const TVector<T> TVector<T>::ZeroVector(T(0), T(0), T(0));
	template <typename T>
	const TVector<T> TVector<T>::OneVector(T(1), T(1), T(1));
	template <typename T>
	const TVector<T> TVector<T>::UpVector(T(0), T(0), T(1));
	template <typename T>
	const TVector<T> TVector<T>::ForwardVector(T(1), T(0), T(0));
	template <typename T>
	const TVector<T> TVector<T>::RightVector(T(0), T(1), T(0));

	/** Scale * Vector. */
	template <typename T, typename T2, typename = std::enable_if_t<std::is_arithmetic_v<T2>>>
	inline TVector<T> operator*(T2 Scale, const TVector<T>& V)
	{
		return V * Scale;
	}
}
