// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Math/Transform.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Math/MathFwd.h"
#include "Math/Quat.h"
#include "Math/Rotator.h"
#include "Math/Vector.h"

namespace UE::Math
{
	/** Scale, then rotation, then translation. Default-constructed as Identity, as in the engine. */
	template <typename T>
	struct alignas(16) TTransform
	{
	protected:
		/** Rotation of this transformation, as a quaternion. */
		TQuat<T> Rotation;
		/** Translation of this transformation, as a vector. */
		TVector<T> Translation;
		/** 3D scale (always applied in local space) as a vector. */
		TVector<T> Scale3D;

	public:
		/** The identity transformation. */
		static const TTransform<T> Identity;

		/** Identity. */
		constexpr TTransform()
			: Rotation(T(0), T(0), T(0), T(1))
			, Translation(T(0))
			, Scale3D(T(1))
		{
		}
		/** Translation only. */
		constexpr explicit TTransform(const TVector<T>& InTranslation)
			: Rotation(T(0), T(0), T(0), T(1))
			, Translation(InTranslation)
			, Scale3D(T(1))
		{
		}
		/** Rotation only. */
		constexpr explicit TTransform(const TQuat<T>& InRotation)
			: Rotation(InRotation)
			, Translation(T(0))
			, Scale3D(T(1))
		{
		}
		/** Rotation only, from a rotator. */
		explicit TTransform(const TRotator<T>& InRotation)
			: Rotation(InRotation.Quaternion())
			, Translation(T(0))
			, Scale3D(T(1))
		{
		}
		/** Rotation, translation and scale. */
		constexpr TTransform(const TQuat<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(T(1)))
			: Rotation(InRotation)
			, Translation(InTranslation)
			, Scale3D(InScale3D)
		{
		}
		/** Rotation from a rotator, translation and scale. */
		TTransform(const TRotator<T>& InRotation, const TVector<T>& InTranslation, const TVector<T>& InScale3D = TVector<T>(T(1)))
			: Rotation(InRotation.Quaternion())
			, Translation(InTranslation)
			, Scale3D(InScale3D)
		{
		}

		TQuat<T> GetRotation() const { return Rotation; }
		TVector<T> GetTranslation() const { return Translation; }
		TVector<T> GetScale3D() const { return Scale3D; }
		/** Same as GetTranslation. */
		TVector<T> GetLocation() const { return Translation; }
		/** The rotation as a rotator. */
		TRotator<T> Rotator() const { return Rotation.Rotator(); }

		void SetRotation(const TQuat<T>& NewRotation) { Rotation = NewRotation; }
		void SetTranslation(const TVector<T>& NewTranslation) { Translation = NewTranslation; }
		void SetScale3D(const TVector<T>& NewScale3D) { Scale3D = NewScale3D; }
		/** Same as SetTranslation. */
		void SetLocation(const TVector<T>& Origin) { Translation = Origin; }
		void SetIdentity() { *this = TTransform(); }

		/** Scale, rotate and translate a point. */
		TVector<T> TransformPosition(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V) + Translation; }
		/** Scale and rotate a direction (no translation). */
		TVector<T> TransformVector(const TVector<T>& V) const { return Rotation.RotateVector(Scale3D * V); }

		/** True when rotation (either sign), translation and scale each match within Tolerance. */
		bool Equals(const TTransform& Other, T Tolerance = UE_KINDA_SMALL_NUMBER) const
		{
			return Rotation.Equals(Other.Rotation, Tolerance) && Translation.Equals(Other.Translation, Tolerance) && Scale3D.Equals(Other.Scale3D, Tolerance);
		}

		/** "TX,TY,TZ|Pitch,Yaw,Roll|SX,SY,SZ" with %f fields (format from working knowledge, unconfirmed). */
		FString ToString() const
		{
			const TRotator<T> R(Rotator());
			return FString::Printf(TEXT("%f,%f,%f|%f,%f,%f|%f,%f,%f"), double(Translation.X), double(Translation.Y), double(Translation.Z), double(R.Pitch), double(R.Yaw), double(R.Roll), double(Scale3D.X), double(Scale3D.Y), double(Scale3D.Z));
		}
	};

	template <typename T>
	const TTransform<T> TTransform<T>::Identity;
}
