// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Quat.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Rotator.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

namespace UE::Math
{
	/**
	 * A rotation quaternion (X, Y, Z, W). A * B applies B first, then A. Zeroed by default in the host
	 * (uninitialised in the engine); start from Identity.
	 */
	template <typename T>
	struct alignas(16) TQuat
	{
		static_assert(std::is_floating_point_v<T>, "TQuat only supports float and double types.");

		/** The quaternion's X component. */
		T X;
		/** The quaternion's Y component. */
		T Y;
		/** The quaternion's Z component. */
		T Z;
		/** The quaternion's W component. */
		T W;

		/** (0,0,0,1) */
		static const TQuat<T> Identity;

		constexpr TQuat()
			: X(0)
			, Y(0)
			, Z(0)
			, W(0)
		{
		}
		/** Components in the order X, Y, Z, W. */
		constexpr TQuat(T InX, T InY, T InZ, T InW)
			: X(InX)
			, Y(InY)
			, Z(InZ)
			, W(InW)
		{
		}
		/** The quaternion for a rotator (FRotator::Quaternion). */
		explicit TQuat(const TRotator<T>& R)
		{
			*this = R.Quaternion();
		}
		/** Rotation of AngleRad radians about a unit Axis. */
		TQuat(TVector<T> Axis, T AngleRad)
		{
			const T HalfA = T(0.5) * AngleRad;
			T S, C;
			FMath::SinCos(&S, &C, HalfA);
			X = S * Axis.X;
			Y = S * Axis.Y;
			Z = S * Axis.Z;
			W = C;
		}

		/** Composition: the result applies Q first, then this. */
		TQuat operator*(const TQuat& Q) const
		{
			return TQuat(
				W * Q.X + X * Q.W + Y * Q.Z - Z * Q.Y,
				W * Q.Y - X * Q.Z + Y * Q.W + Z * Q.X,
				W * Q.Z + X * Q.Y - Y * Q.X + Z * Q.W,
				W * Q.W - X * Q.X - Y * Q.Y - Z * Q.Z);
		}
		TQuat& operator*=(const TQuat& Q)
		{
			*this = *this * Q;
			return *this;
		}
		/** Rotates a vector. */
		TVector<T> operator*(const TVector<T>& V) const { return RotateVector(V); }
		/** Exact comparison; see Equals for a tolerance that treats Q and -Q alike. */
		bool operator==(const TQuat& Q) const { return X == Q.X && Y == Q.Y && Z == Q.Z && W == Q.W; }
		bool operator!=(const TQuat& Q) const { return !(*this == Q); }

		/** True when Q or -Q matches every component within Tolerance (both describe one rotation). */
		bool Equals(const TQuat& Q, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			const bool bSame = FMath::Abs(X - Q.X) <= Tolerance && FMath::Abs(Y - Q.Y) <= Tolerance && FMath::Abs(Z - Q.Z) <= Tolerance && FMath::Abs(W - Q.W) <= Tolerance;
			const bool bNegated = FMath::Abs(X + Q.X) <= Tolerance && FMath::Abs(Y + Q.Y) <= Tolerance && FMath::Abs(Z + Q.Z) <= Tolerance && FMath::Abs(W + Q.W) <= Tolerance;
			return bSame || bNegated;
		}

		/** Rotates V by this (normalised) quaternion. */
		TVector<T> RotateVector(TVector<T> V) const
		{
			const TVector<T> Q(X, Y, Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}
		/** Rotates V by the inverse of this (normalised) quaternion. */
		TVector<T> UnrotateVector(TVector<T> V) const
		{
			const TVector<T> Q(-X, -Y, -Z);
			const TVector<T> TT = TVector<T>::CrossProduct(Q, V) * T(2);
			return V + (TT * W) + TVector<T>::CrossProduct(Q, TT);
		}
		/**
		 * The inverse of a normalised quaternion (its conjugate). The engine asserts normalisation only in
		 * debug builds; the host, like a development build, returns the conjugate regardless.
		 */
		TQuat Inverse() const { return TQuat(-X, -Y, -Z, W); }

		T SizeSquared() const { return X * X + Y * Y + Z * Z + W * W; }
		T Size() const { return FMath::Sqrt(SizeSquared()); }
		/** True when the length is within the engine's 0.01 tolerance of one. */
		bool IsNormalized() const { return FMath::Abs(T(1) - SizeSquared()) < T(UE_THRESH_QUAT_NORMALIZED); }
		/** Scales to unit length; a quaternion shorter than Tolerance (squared) becomes Identity. */
		void Normalize(T Tolerance = UE_SMALL_NUMBER)
		{
			const T SquareSum = SizeSquared();
			if (SquareSum >= Tolerance)
			{
				const T Scale = FMath::InvSqrt(SquareSum);
				X *= Scale;
				Y *= Scale;
				Z *= Scale;
				W *= Scale;
			}
			else
			{
				*this = Identity;
			}
		}
		/** A unit-length copy; see Normalize. */
		TQuat GetNormalized(T Tolerance = UE_SMALL_NUMBER) const
		{
			TQuat Result(*this);
			Result.Normalize(Tolerance);
			return Result;
		}

		/** The equivalent rotator, by the engine's formula (fast arc sine for pitch, gimbal-lock branches). */
		TRotator<T> Rotator() const;
		/** (Roll, Pitch, Yaw) in degrees. */
		TVector<T> Euler() const { return Rotator().Euler(); }
		/** From (Roll, Pitch, Yaw) in degrees. */
		static TQuat MakeFromEuler(const TVector<T>& Euler) { return TRotator<T>::MakeFromEuler(Euler).Quaternion(); }
		/** From a rotator. */
		static TQuat MakeFromRotator(const TRotator<T>& R) { return R.Quaternion(); }

		/** "X=%.9f Y=%.9f Z=%.9f W=%.9f" */
		FString ToString() const { return FString::Printf(TEXT("X=%.9f Y=%.9f Z=%.9f W=%.9f"), double(X), double(Y), double(Z), double(W)); }
	};

	template <typename T>
	const TQuat<T> TQuat<T>::Identity(T(0), T(0), T(0), T(1));

	// Defined for float and double in UnrealMath.cpp, as in the engine.
	template <>
	TRotator<float> TQuat<float>::Rotator() const;
	template <>
	TRotator<double> TQuat<double>::Rotator() const;

	template <typename T>
	TRotator<T>::TRotator(const TQuat<T>& Quat)
	{
		*this = Quat.Rotator();
	}
}
