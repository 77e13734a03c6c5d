// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Rotator.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/UnrealMathUtility.h"
#include "Math/Vector.h"

namespace UE::Math
{
	/** Orientation in degrees: Pitch about Y, Yaw about Z, Roll about X. Zeroed by default in the host. */
	template <typename T>
	struct TRotator
	{
		static_assert(std::is_floating_point_v<T>, "TRotator only supports float and double types.");

		/** Rotation around the right axis (around Y axis), looking up and down (0=straight ahead, +up, -down). */
		T Pitch;
		/** Rotation around the up axis (around Z axis), turning around (0=forward, +right, -left). */
		T Yaw;
		/** Rotation around the forward axis (around X axis), tilting the head (0=straight, +clockwise, -CCW). */
		T Roll;

		/** (0,0,0) */
		static const TRotator<T> ZeroRotator;

		constexpr TRotator()
			: Pitch(0)
			, Yaw(0)
			, Roll(0)
		{
		}
		/** Sets all components to one value. */
		constexpr explicit TRotator(T InF)
			: Pitch(InF)
			, Yaw(InF)
			, Roll(InF)
		{
		}
		/** Pitch, yaw and roll in degrees. */
		constexpr TRotator(T InPitch, T InYaw, T InRoll)
			: Pitch(InPitch)
			, Yaw(InYaw)
			, Roll(InRoll)
		{
		}
		/** The rotator equivalent to a quaternion (FQuat::Rotator). */
		explicit TRotator(const TQuat<T>& Quat);

		TRotator operator+(const TRotator& R) const { return TRotator(Pitch + R.Pitch, Yaw + R.Yaw, Roll + R.Roll); }
		TRotator operator-(const TRotator& R) const { return TRotator(Pitch - R.Pitch, Yaw - R.Yaw, Roll - R.Roll); }
		TRotator operator*(T Scale) const { return TRotator(Pitch * Scale, Yaw * Scale, Roll * Scale); }
		/** Exact comparison; see Equals for a tolerance that also ignores whole turns. */
		bool operator==(const TRotator& R) const { return Pitch == R.Pitch && Yaw == R.Yaw && Roll == R.Roll; }
		bool operator!=(const TRotator& R) const { return !(*this == R); }

		/** True when each axis differs from R's by at most Tolerance degrees, whole turns ignored. */
		bool Equals(const TRotator& R, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return FMath::Abs(NormalizeAxis(Pitch - R.Pitch)) <= Tolerance && FMath::Abs(NormalizeAxis(Yaw - R.Yaw)) <= Tolerance && FMath::Abs(NormalizeAxis(Roll - R.Roll)) <= Tolerance;
		}

		/** The rotation as a quaternion, by the engine's half-angle formula after removing whole turns. */
		TQuat<T> Quaternion() const;
		/** The unit direction this rotation faces (roll ignored). */
		TVector<T> Vector() const;
		/** (Roll, Pitch, Yaw) in degrees. */
		TVector<T> Euler() const { return TVector<T>(Roll, Pitch, Yaw); }
		/** From (Roll, Pitch, Yaw) in degrees. */
		static TRotator MakeFromEuler(const TVector<T>& Euler) { return TRotator(Euler.Y, Euler.Z, Euler.X); }

		/** Copy with every axis in (-180, 180]. */
		TRotator GetNormalized() const { return TRotator(NormalizeAxis(Pitch), NormalizeAxis(Yaw), NormalizeAxis(Roll)); }
		/** Puts every axis in (-180, 180]. */
		void Normalize() { *this = GetNormalized(); }

		/** Angle in [0, 360). */
		static T ClampAxis(T Angle)
		{
			Angle = FMath::Fmod(Angle, T(360));
			if (Angle < T(0))
			{
				Angle += T(360);
			}
			return Angle;
		}
		/** Angle in (-180, 180]. */
		static T NormalizeAxis(T Angle)
		{
			Angle = ClampAxis(Angle);
			if (Angle > T(180))
			{
				Angle -= T(360);
			}
			return Angle;
		}

		/** "P=%f Y=%f R=%f" */
		FString ToString() const { return FString::Printf(TEXT("P=%f Y=%f R=%f"), double(Pitch), double(Yaw), double(Roll)); }
	};

	template <typename T>
	const TRotator<T> TRotator<T>::ZeroRotator(T(0), T(0), T(0));

	// Defined for float and double in UnrealMath.cpp, as in the engine.
	template <>
	TQuat<float> TRotator<float>::Quaternion() const;
	template <>
	TQuat<double> TRotator<double>::Quaternion() const;
	template <>
	TVector<float> TRotator<float>::Vector() const;
	template <>
	TVector<double> TRotator<double>::Vector() const;
}
