// Copyright Kelmora. All Rights Reserved.
// Reflected structs of the engine's core value types, which have no generated code of their own.
#include "Math/Quat.h"
#include "Math/Rotator.h"
#include "Math/Vector.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "Misc/Guid.h"
#include "UObject/Class.h"
#include "UObject/GeneratedCppIncludes.h"
#include "UObject/SoftObjectPath.h"

#include <cstddef>

// Member offsets of the math templates are taken with offsetof, as the generated code does.
#pragma GCC diagnostic ignored "-Winvalid-offsetof"

namespace
{
	using UE::CoreUObject::Host::FStructBuilder;
	using UE::CoreUObject::Host::FStructRegistration;

	template <typename MemberType>
	void AddMember(FStructBuilder& Builder, const TCHAR* Name, SIZE_T Offset, const TCHAR* CppType)
	{
		Builder.AddProperty<MemberType>(Name, Offset, EPropertyFlags(CPF_None), {}, CppType);
	}
}

#define UE_HOST_DEFINE_BASE_STRUCTURE(Type, EngineName, BuildBody) \
	UScriptStruct* TBaseStructure<Type>::Get() \
	{ \
		static FStructRegistration Registration{TEXT(EngineName), TEXT("/Script/CoreUObject"), UE::CoreUObject::Host::MakeStructOps<Type>(), nullptr, [](FStructBuilder& Builder) { BuildBody }, {}}; \
		return UE::CoreUObject::Host::GetStaticStruct(Registration); \
	}

UE_HOST_DEFINE_BASE_STRUCTURE(FVector, "Vector",
	AddMember<double>(Builder, TEXT("X"), offsetof(FVector, X), TEXT("double"));
	AddMember<double>(Builder, TEXT("Y"), offsetof(FVector, Y), TEXT("double"));
	AddMember<double>(Builder, TEXT("Z"), offsetof(FVector, Z), TEXT("double"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FVector3f, "Vector3f",
	AddMember<float>(Builder, TEXT("X"), offsetof(FVector3f, X), TEXT("float"));
	AddMember<float>(Builder, TEXT("Y"), offsetof(FVector3f, Y), TEXT("float"));
	AddMember<float>(Builder, TEXT("Z"), offsetof(FVector3f, Z), TEXT("float"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FVector2D, "Vector2D",
	AddMember<double>(Builder, TEXT("X"), offsetof(FVector2D, X), TEXT("double"));
	AddMember<double>(Builder, TEXT("Y"), offsetof(FVector2D, Y), TEXT("double"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FVector2f, "Vector2f",
	AddMember<float>(Builder, TEXT("X"), offsetof(FVector2f, X), TEXT("float"));
	AddMember<float>(Builder, TEXT("Y"), offsetof(FVector2f, Y), TEXT("float"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FVector4, "Vector4",
	AddMember<double>(Builder, TEXT("X"), offsetof(FVector4, X), TEXT("double"));
	AddMember<double>(Builder, TEXT("Y"), offsetof(FVector4, Y), TEXT("double"));
	AddMember<double>(Builder, TEXT("Z"), offsetof(FVector4, Z), TEXT("double"));
	AddMember<double>(Builder, TEXT("W"), offsetof(FVector4, W), TEXT("double"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FRotator, "Rotator",
	AddMember<double>(Builder, TEXT("Pitch"), offsetof(FRotator, Pitch), TEXT("double"));
	AddMember<double>(Builder, TEXT("Yaw"), offsetof(FRotator, Yaw), TEXT("double"));
	AddMember<double>(Builder, TEXT("Roll"), offsetof(FRotator, Roll), TEXT("double"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FQuat, "Quat",
	AddMember<double>(Builder, TEXT("X"), offsetof(FQuat, X), TEXT("double"));
	AddMember<double>(Builder, TEXT("Y"), offsetof(FQuat, Y), TEXT("double"));
	AddMember<double>(Builder, TEXT("Z"), offsetof(FQuat, Z), TEXT("double"));
	AddMember<double>(Builder, TEXT("W"), offsetof(FQuat, W), TEXT("double"));)

// The engine's FGuid members are uint32 A, B, C, D; the host reflects them as such.
UE_HOST_DEFINE_BASE_STRUCTURE(FGuid, "Guid",
	AddMember<uint32>(Builder, TEXT("A"), offsetof(FGuid, A), TEXT("uint32"));
	AddMember<uint32>(Builder, TEXT("B"), offsetof(FGuid, B), TEXT("uint32"));
	AddMember<uint32>(Builder, TEXT("C"), offsetof(FGuid, C), TEXT("uint32"));
	AddMember<uint32>(Builder, TEXT("D"), offsetof(FGuid, D), TEXT("uint32"));)

// The host keeps a soft path as one string, its only member; config text writes it as the bare path.
static_assert(sizeof(FSoftObjectPath) == sizeof(FString) && sizeof(FSoftClassPath) == sizeof(FString));

UE_HOST_DEFINE_BASE_STRUCTURE(FSoftObjectPath, "SoftObjectPath",
	AddMember<FString>(Builder, TEXT("PathString"), 0, TEXT("FString"));)

UE_HOST_DEFINE_BASE_STRUCTURE(FSoftClassPath, "SoftClassPath",
	AddMember<FString>(Builder, TEXT("PathString"), 0, TEXT("FString"));)

#undef UE_HOST_DEFINE_BASE_STRUCTURE
