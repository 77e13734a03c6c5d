// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Vector4.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

#include <type_traits>

namespace UE::Math
{
	/** A 4D homogeneous vector. */
	template <typename T>
	struct alignas(16) TVector4
	{
		static_assert(std::is_floating_point_v<T>, "TVector4 only supports float and double types.");

		/** The vector's X component. */
		T X;
		/** The vector's Y component. */
		T Y;
		/** The vector's Z component. */
		T Z;
		/** The vector's W component. */
		T W;

		/** From a 3D vector and W (default 1). */
		constexpr TVector4(const TVector<T>& InVector, T InW = T(1))
			: X(InVector.X)
			, Y(InVector.Y)
			, Z(InVector.Z)
			, W(InW)
		{
		}
		/** From each component; defaults give (0,0,0,1). */
		constexpr explicit TVector4(T InX = T(0), T InY = T(0), T InZ = T(0), T InW = T(1))
			: X(InX)
			, Y(InY)
			, Z(InZ)
			, W(InW)
		{
		}
		/** Converts between float and double vectors. */
		template <typename FArg, typename = std::enable_if_t<!std::is_same_v<T, FArg>>>
		constexpr explicit TVector4(const TVector4<FArg>& From)
			: X(T(From.X))
			, Y(T(From.Y))
			, Z(T(From.Z))
			, W(T(From.W))
		{
		}

		TVector4 operator+(const TVector4& V) const { return TVector4(X + V.X, Y + V.Y, Z + V.Z, W + V.W); }
		TVector4 operator-(const TVector4& V) const { return TVector4(X - V.X, Y - V.Y, Z - V.Z, W - V.W); }
		TVector4 operator*(T Scale) const { return TVector4(X * Scale, Y * Scale, Z * Scale, W * Scale); }
		bool operator==(const TVector4& V) const { return X == V.X && Y == V.Y && Z == V.Z && W == V.W; }
		bool operator!=(const TVector4& V) const { return !(*this == V); }

		/** True when every component is within Tolerance of V's. */
		bool Equals(const TVector4& V, T Tolerance = UE_KINDA_SMALL_NUMBER) const { return FMath::Abs(X - V.X) <= Tolerance && FMath::Abs(Y - V.Y) <= Tolerance && FMath::Abs(Z - V.Z) <= Tolerance && FMath::Abs(W - V.W) <= Tolerance; }

		/** "X=%3.3f Y=%3.3f Z=%3.3f W=%3.3f" */
		FString ToString() const { return FString::Printf(TEXT("X=%3.3f Y=%3.3f Z=%3.3f W=%3.3f"), double(X), double(Y), double(Z), double(W)); }
	};
}
