// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Math/Quat.h"
#include "Math/Rotator.h"
#include "Math/Transform.h"
#include "Math/Vector.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	constexpr double HalfSqrt2 = 0.70710678118654752;

	void ExpectQuatNear(const FQuat& Actual, double X, double Y, double Z, double W)
	{
		EXPECT_NEAR(Actual.X, X, 1e-12);
		EXPECT_NEAR(Actual.Y, Y, 1e-12);
		EXPECT_NEAR(Actual.Z, Z, 1e-12);
		EXPECT_NEAR(Actual.W, W, 1e-12);
	}
}

TEST(RotatorQuaternion, SingleAxisRotationsFollowTheEngineSigns)
{
	ExpectQuatNear(FRotator(0, 90, 0).Quaternion(), 0, 0, HalfSqrt2, HalfSqrt2);
	// Positive pitch (nose up) and positive roll come out as negative Y and X in the engine's left-handed frame.
	ExpectQuatNear(FRotator(90, 0, 0).Quaternion(), 0, -HalfSqrt2, 0, HalfSqrt2);
	ExpectQuatNear(FRotator(0, 0, 90).Quaternion(), -HalfSqrt2, 0, 0, HalfSqrt2);
	ExpectQuatNear(FQuat(FRotator::ZeroRotator), 0, 0, 0, 1);
}

TEST(RotatorQuaternion, WholeTurnsAreRemovedBeforeConverting)
{
	EXPECT_EQ(FRotator(0, 450, 0).Quaternion(), FRotator(0, 90, 0).Quaternion());
	EXPECT_EQ(FRotator(-720, 0, 0).Quaternion(), FRotator(0, 0, 0).Quaternion());
}

TEST(RotatorQuaternion, RoundTripsAwayFromGimbalLock)
{
	const FRotator Cases[] = {FRotator(30, -45, 60), FRotator(-80, 170, -10), FRotator(1, 2, 3), FRotator(45, -179, 179)};
	for (const FRotator& Original : Cases)
	{
		const FRotator Back = Original.Quaternion().Rotator();
		// The engine's fast arc sine is accurate to about 2e-8 radians.
		EXPECT_NEAR(Back.Pitch, Original.Pitch, 1e-5) << Utf8(Original.ToString());
		EXPECT_NEAR(Back.Yaw, Original.Yaw, 1e-5) << Utf8(Original.ToString());
		EXPECT_NEAR(Back.Roll, Original.Roll, 1e-5) << Utf8(Original.ToString());
	}
}

TEST(RotatorQuaternion, GimbalLockPinsPitchAndKeepsTheRotation)
{
	for (const double Pitch : {90.0, -90.0})
	{
		const FQuat Q = FRotator(Pitch, 30, 0).Quaternion();
		const FRotator R = Q.Rotator();
		EXPECT_EQ(R.Pitch, Pitch);
		EXPECT_TRUE(R.Quaternion().Equals(Q, 1e-9)) << Utf8(R.ToString());
	}
}

TEST(RotatorQuaternion, NegativeZeroAnglesComeOutPositiveLikeTheEngine)
{
	const FRotator Zero = FQuat::Identity.Rotator();
	EXPECT_FALSE(std::signbit(Zero.Pitch) || std::signbit(Zero.Yaw) || std::signbit(Zero.Roll));
	EXPECT_EQ(FMath::Atan2(-0.0, -1.0), UE_DOUBLE_PI);
	EXPECT_EQ(FMath::Atan2(0.0, 0.0), 0.0);
	EXPECT_EQ(FMath::Atan2(-1.0, 0.0), -UE_DOUBLE_HALF_PI);
}

TEST(RotatorQuaternion, EulerIsRollPitchYaw)
{
	const FRotator R(10, 20, 30);
	EXPECT_EQ(R.Euler(), FVector(30, 10, 20));
	EXPECT_EQ(FRotator::MakeFromEuler(R.Euler()), R);
	EXPECT_TRUE(FQuat::MakeFromEuler(R.Euler()).Equals(R.Quaternion(), 1e-12));
	EXPECT_TRUE(FVector(30, 10, 20).Equals(R.Quaternion().Euler(), 1e-5));
}

TEST(QuatRotation, RotatesAxesTheEngineWay)
{
	EXPECT_TRUE(FRotator(0, 90, 0).Quaternion().RotateVector(FVector::ForwardVector).Equals(FVector::RightVector, 1e-12));
	EXPECT_TRUE(FRotator(90, 0, 0).Quaternion().RotateVector(FVector::ForwardVector).Equals(FVector::UpVector, 1e-12));
	const FRotator Aim(20, 75, 40);
	EXPECT_TRUE(Aim.Quaternion().RotateVector(FVector::ForwardVector).Equals(Aim.Vector(), 1e-12));
}

TEST(QuatRotation, ProductAppliesRightOperandFirst)
{
	const FQuat A = FRotator(10, 20, 30).Quaternion();
	const FQuat B = FRotator(-40, 5, 60).Quaternion();
	const FVector V(1, 2, 3);
	EXPECT_TRUE((A * B).RotateVector(V).Equals(A.RotateVector(B.RotateVector(V)), 1e-12));
	EXPECT_TRUE((A * A.Inverse()).Equals(FQuat::Identity, 1e-12));
	EXPECT_TRUE(A.UnrotateVector(A.RotateVector(V)).Equals(V, 1e-12));
}

TEST(QuatRotation, NormalizeScalesToUnitOrFallsBackToIdentity)
{
	const FQuat Long(0, 0, 2, 2);
	EXPECT_FALSE(Long.IsNormalized());
	EXPECT_TRUE(Long.GetNormalized().IsNormalized());
	ExpectQuatNear(Long.GetNormalized(), 0, 0, HalfSqrt2, HalfSqrt2);
	FQuat Zero(0, 0, 0, 0);
	Zero.Normalize();
	EXPECT_EQ(Zero, FQuat::Identity);
	// Q and -Q are one rotation.
	EXPECT_TRUE(FQuat(0, 0, HalfSqrt2, HalfSqrt2).Equals(FQuat(0, 0, -HalfSqrt2, -HalfSqrt2)));
}

TEST(VectorMath, ProductsAndLengths)
{
	EXPECT_EQ(FVector::ForwardVector ^ FVector::RightVector, FVector::UpVector);
	EXPECT_EQ(FVector(1, 2, 3) | FVector(4, -5, 6), 12.0);
	EXPECT_EQ(FVector(3, 4, 12).Size(), 13.0);
	EXPECT_EQ(FVector(3, 4, 12).SizeSquared(), 169.0);
	EXPECT_EQ(2.0 * FVector(1, 2, 3) - FVector(1) / 2.0, FVector(1.5, 3.5, 5.5));
	EXPECT_TRUE(FVector(1, 1, 1).Equals(FVector(1.00005, 1, 0.99995)));
	EXPECT_FALSE(FVector(1, 1, 1).Equals(FVector(1.001, 1, 1)));
}

TEST(VectorMath, SafeNormalOfTinyVectorIsZero)
{
	EXPECT_EQ(FVector(0, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	EXPECT_EQ(FVector(1e-5, 0, 0).GetSafeNormal(), FVector::ZeroVector);
	EXPECT_TRUE(FVector(0, 3, 4).GetSafeNormal().Equals(FVector(0, 0.6, 0.8), 1e-15));
}

TEST(VectorMath, ConvertsBetweenPrecisions)
{
	const FVector3f Narrow(FVector(1.5, -2.25, 3));
	EXPECT_EQ(FVector(Narrow), FVector(1.5, -2.25, 3));
	EXPECT_EQ(FVector2D(FVector2f(0.5f, 2.f)) + FVector2D(1, 1), FVector2D(1.5, 3));
	EXPECT_EQ(FVector4(FVector(1, 2, 3)).W, 1.0);
}

TEST(VectorMath, ToStringUsesTheEngineFormats)
{
	EXPECT_EQ(Utf8(FVector(1, 2.5, -3).ToString()), "X=1.000 Y=2.500 Z=-3.000");
	EXPECT_EQ(Utf8(FVector2D(1, 2).ToString()), "X=1.000 Y=2.000");
	EXPECT_EQ(Utf8(FVector4(1, 2, 3, 4).ToString()), "X=1.000 Y=2.000 Z=3.000 W=4.000");
	EXPECT_EQ(Utf8(FRotator(1, 2, 3).ToString()), "P=1.000000 Y=2.000000 R=3.000000");
}

TEST(TransformMath, ScalesThenRotatesThenTranslates)
{
	const FTransform Transform(FRotator(0, 90, 0).Quaternion(), FVector(10, 0, 0), FVector(2, 2, 2));
	EXPECT_TRUE(Transform.TransformPosition(FVector(1, 0, 0)).Equals(FVector(10, 2, 0), 1e-12));
	EXPECT_EQ(Transform.GetLocation(), FVector(10, 0, 0));
	EXPECT_EQ(Transform.GetScale3D(), FVector(2, 2, 2));

	FTransform Moved;
	EXPECT_TRUE(Moved.Equals(FTransform::Identity));
	Moved.SetTranslation(FVector(1, 2, 3));
	Moved.SetRotation(FRotator(0, 90, 0).Quaternion());
	Moved.SetScale3D(FVector(1, 1, 2));
	EXPECT_TRUE(Moved.TransformPosition(FVector(0, 0, 1)).Equals(FVector(1, 2, 5), 1e-12));
	EXPECT_EQ(Utf8(FTransform(FVector(1, 2, 3)).ToString()), "1.000000,2.000000,3.000000|0.000000,0.000000,0.000000|1.000000,1.000000,1.000000");
}

TEST(MathUtility, IntegerConversionsRoundHalfUpAndSaturate)
{
	EXPECT_EQ(FMath::RoundToInt(2.5), 3);
	EXPECT_EQ(FMath::RoundToInt(-2.5), -2);
	EXPECT_EQ(FMath::FloorToInt(-0.5), -1);
	EXPECT_EQ(FMath::TruncToInt(-0.5), 0);
	EXPECT_EQ(FMath::FloorToInt32(1e300), std::numeric_limits<int32>::max());
	EXPECT_EQ(FMath::FloorToInt32(-1e300), std::numeric_limits<int32>::lowest());
	EXPECT_EQ(FMath::FloorToInt64(std::nan("")), 0);
}

TEST(MathUtility, FmodByNearZeroIsZeroAndFastAsinTracksAsin)
{
	EXPECT_EQ(FMath::Fmod(5.0, 0.0), 0.0);
	EXPECT_EQ(FMath::Fmod(-370.0, 360.0), -10.0);
	for (double X = -1.0; X <= 1.0; X += 0.0625)
	{
		EXPECT_NEAR(FMath::FastAsin(X), std::asin(X), 1e-7) << X;
	}
	EXPECT_NEAR(FMath::RadiansToDegrees(FMath::DegreesToRadians(33.0)), 33.0, 1e-12);
}
