// Copyright Kelmora. All Rights Reserved.
// Rotator and quaternion conversions, in the engine's formulas.

#include "Math/Quat.h"
#include "Math/Rotator.h"
#include "Math/Vector.h"

namespace UE::Math
{
	namespace
	{
		template <typename T>
		TQuat<T> RotatorToQuat(T Pitch, T Yaw, T Roll)
		{
			// Whole turns come off first so large angles keep their precision, as in the engine.
			const T HalfDegToRad = T(UE_DOUBLE_PI) / T(360);
			T SP, SY, SR, CP, CY, CR;
			FMath::SinCos(&SP, &CP, FMath::Fmod(Pitch, T(360)) * HalfDegToRad);
			FMath::SinCos(&SY, &CY, FMath::Fmod(Yaw, T(360)) * HalfDegToRad);
			FMath::SinCos(&SR, &CR, FMath::Fmod(Roll, T(360)) * HalfDegToRad);
			return TQuat<T>(
				CR * SP * SY - SR * CP * CY,
				-CR * SP * CY - SR * CP * SY,
				CR * CP * SY - SR * SP * CY,
				CR * CP * CY + SR * SP * SY);
		}

		template <typename T>
		TRotator<T> QuatToRotator(const TQuat<T>& Q)
		{
			const T SingularityTest = Q.Z * Q.X - Q.W * Q.Y;
			const T YawY = T(2) * (Q.W * Q.Z + Q.X * Q.Y);
			const T YawX = T(1) - T(2) * (FMath::Square(Q.Y) + FMath::Square(Q.Z));
			// The engine's threshold, found by experiment rather than taken from the textbook 0.499.
			const T SingularityThreshold = T(0.4999995f);
			// The engine's constant precision here is unconfirmed; the host uses the exact double ratio.
			const T RadToDeg = T(180) / T(UE_DOUBLE_PI);
			TRotator<T> Result;
			if (SingularityTest < -SingularityThreshold)
			{
				Result.Pitch = T(-90);
				Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				Result.Roll = TRotator<T>::NormalizeAxis(-Result.Yaw - (T(2) * FMath::Atan2(Q.X, Q.W) * RadToDeg));
			}
			else if (SingularityTest > SingularityThreshold)
			{
				Result.Pitch = T(90);
				Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				Result.Roll = TRotator<T>::NormalizeAxis(Result.Yaw - (T(2) * FMath::Atan2(Q.X, Q.W) * RadToDeg));
			}
			else
			{
				Result.Pitch = FMath::FastAsin(T(2) * SingularityTest) * RadToDeg;
				Result.Yaw = FMath::Atan2(YawY, YawX) * RadToDeg;
				Result.Roll = FMath::Atan2(T(-2) * (Q.W * Q.X + Q.Y * Q.Z), T(1) - T(2) * (FMath::Square(Q.X) + FMath::Square(Q.Y))) * RadToDeg;
			}
			return Result;
		}

		template <typename T>
		TVector<T> RotatorToVector(T Pitch, T Yaw)
		{
			T CP, SP, CY, SY;
			FMath::SinCos(&SP, &CP, FMath::DegreesToRadians(FMath::Fmod(Pitch, T(360))));
			FMath::SinCos(&SY, &CY, FMath::DegreesToRadians(FMath::Fmod(Yaw, T(360))));
			return TVector<T>(CP * CY, CP * SY, SP);
		}
	}

	template <>
	TQuat<float> TRotator<float>::Quaternion() const
	{
		return RotatorToQuat(Pitch, Yaw, Roll);
	}
	template <>
	TQuat<double> TRotator<double>::Quaternion() const
	{
		return RotatorToQuat(Pitch, Yaw, Roll);
	}
	template <>
	TVector<float> TRotator<float>::Vector() const
	{
		return RotatorToVector(Pitch, Yaw);
	}
	template <>
	TVector<double> TRotator<double>::Vector() const
	{
		return RotatorToVector(Pitch, Yaw);
	}
	template <>
	TRotator<float> TQuat<float>::Rotator() const
	{
		return QuatToRotator(*this);
	}
	template <>
	TRotator<double> TQuat<double>::Rotator() const
	{
		return QuatToRotator(*this);
	}
}
