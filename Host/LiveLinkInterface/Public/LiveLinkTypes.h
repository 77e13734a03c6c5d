// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkTypes.h.
#pragma once

#include "CoreMinimal.h"
#include "HAL/PlatformTime.h"
#include "Math/UnrealMathUtility.h"
#include "Misc/QualifiedFrameTime.h"
#include "Templates/SubclassOf.h"
#include "UObject/Class.h"
#include "UObject/ObjectMacros.h"

#include <new>

#include "LiveLinkTypes.generated.h"

class ULiveLinkRole;

/** The name of a Live Link subject. */
USTRUCT(BlueprintType)
struct FLiveLinkSubjectName
{
	GENERATED_BODY()

	FLiveLinkSubjectName() = default;
	FLiveLinkSubjectName(FName InName)
		: Name(InName)
	{
	}

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	FName Name;

	FString ToString() const { return Name.ToString(); }
	bool IsNone() const { return Name.IsNone(); }
	operator FName() const { return Name; }

	bool operator==(const FLiveLinkSubjectName& Other) const { return Name == Other.Name; }
	bool operator!=(const FLiveLinkSubjectName& Other) const { return Name != Other.Name; }
	friend uint32 GetTypeHash(const FLiveLinkSubjectName& Value) { return GetTypeHash(Value.Name); }
};

/** A subject as a controller sees it: its name and the role its data is read in. */
USTRUCT(BlueprintType)
struct FLiveLinkSubjectRepresentation
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	FLiveLinkSubjectName Subject;

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	TSubclassOf<ULiveLinkRole> Role;
};

/** A subject of one source: the source's guid and the subject's name. */
USTRUCT(BlueprintType)
struct FLiveLinkSubjectKey
{
	GENERATED_BODY()

	FLiveLinkSubjectKey() = default;
	FLiveLinkSubjectKey(FGuid InSource, FName InSubjectName)
		: Source(InSource)
		, SubjectName(InSubjectName)
	{
	}

	// Host: not reflected, the host has no reflection for core structs such as FGuid.
	/** The guid of the subject's source. */
	FGuid Source;

	/** The subject's name. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	FLiveLinkSubjectName SubjectName;

	bool operator==(const FLiveLinkSubjectKey& Other) const { return Source == Other.Source && SubjectName == Other.SubjectName; }
	bool operator!=(const FLiveLinkSubjectKey& Other) const { return !(*this == Other); }
	friend uint32 GetTypeHash(const FLiveLinkSubjectKey& Key) { return GetTypeHash(Key.Source) ^ (GetTypeHash(Key.SubjectName) * 0x9E3779B1u); }
};

/** When a frame was produced: the source's time and the offset that brings it to the engine clock. */
USTRUCT(BlueprintType)
struct FLiveLinkWorldTime
{
	GENERATED_BODY()

public:
	/** Now on the engine clock, with no offset. */
	FLiveLinkWorldTime()
		: Offset(0.0)
	{
		Time = FPlatformTime::Seconds();
	}
	/** A source time; the offset makes the offsetted time the engine clock at construction. */
	FLiveLinkWorldTime(const double InTime)
		: Time(InTime)
	{
		Offset = FPlatformTime::Seconds() - InTime;
	}
	explicit FLiveLinkWorldTime(const double InTime, const double InOffset)
		: Time(InTime)
		, Offset(InOffset)
	{
	}

	/** The raw time received from the sender. */
	double GetSourceTime() const { return Time; }
	/** The offset between the source time and the engine time. */
	double GetOffset() const { return Offset; }
	/** The source time plus the offset: the time on the engine clock. */
	double GetOffsettedTime() const { return Time + Offset; }
	/** Replaces the offset with a better estimate of the difference between the two clocks. */
	void SetClockOffset(double ClockOffset) { Offset = ClockOffset; }

private:
	UPROPERTY()
	double Time;

	UPROPERTY()
	double Offset;
};

/** Metadata carried by a frame. */
USTRUCT(BlueprintType)
struct FLiveLinkMetaData
{
	GENERATED_BODY()

	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	TMap<FName, FString> StringMetaData;

	// Host: not reflected (no reflection for core structs).
	/** The frame's scene time (timecode). */
	FQualifiedFrameTime SceneTime;
};

/** The base of every role's static data. */
USTRUCT(BlueprintType)
struct FLiveLinkBaseStaticData
{
	GENERATED_BODY()

	/** The names of the values in each frame's PropertyValues. */
	UPROPERTY(EditAnywhere, BlueprintReadWrite, Category = "LiveLink")
	TArray<FName> PropertyNames;
};

/** The base of every role's frame data. */
USTRUCT(BlueprintType)
struct FLiveLinkBaseFrameData
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, Category = "LiveLink")
	FLiveLinkWorldTime WorldTime;

	UPROPERTY(VisibleAnywhere, Category = "LiveLink")
	FLiveLinkMetaData MetaData;

	/** One value per name in the static data's PropertyNames. */
	UPROPERTY(VisibleAnywhere, Category = "LiveLink")
	TArray<float> PropertyValues;
};

/** The base of every role's blueprint data. */
USTRUCT(BlueprintType)
struct FLiveLinkBaseBlueprintData
{
	GENERATED_BODY()
};

/**
 * Owns one struct value whose type (a UScriptStruct deriving from BaseType) is chosen at run time.
 * Move-only; copy explicitly with InitializeWith.
 */
template <typename BaseType>
struct FLiveLinkBaseDataStruct
{
public:
	FLiveLinkBaseDataStruct() = default;
	explicit FLiveLinkBaseDataStruct(const UScriptStruct* InScriptStruct) { InitializeWith(InScriptStruct, nullptr); }
	FLiveLinkBaseDataStruct(const UScriptStruct* InScriptStruct, const BaseType* InData) { InitializeWith(InScriptStruct, InData); }
	FLiveLinkBaseDataStruct(const FLiveLinkBaseDataStruct&) = delete;
	FLiveLinkBaseDataStruct& operator=(const FLiveLinkBaseDataStruct&) = delete;
	FLiveLinkBaseDataStruct(FLiveLinkBaseDataStruct&& Other) noexcept
		: ScriptStruct(Other.ScriptStruct)
		, Memory(Other.Memory)
	{
		Other.ScriptStruct = nullptr;
		Other.Memory = nullptr;
	}
	FLiveLinkBaseDataStruct& operator=(FLiveLinkBaseDataStruct&& Other) noexcept
	{
		if (this != &Other)
		{
			Reset();
			ScriptStruct = Other.ScriptStruct;
			Memory = Other.Memory;
			Other.ScriptStruct = nullptr;
			Other.Memory = nullptr;
		}
		return *this;
	}
	~FLiveLinkBaseDataStruct() { Reset(); }

	/**
	 * Makes a value of InScriptStruct, a copy of InData when given. A struct that does not derive from
	 * BaseType leaves this empty.
	 */
	void InitializeWith(const UScriptStruct* InScriptStruct, const BaseType* InData = nullptr)
	{
		Reset();
		if (!InScriptStruct || !InScriptStruct->IsChildOf(BaseType::StaticStruct()))
		{
			return;
		}
		void* NewMemory = ::operator new(size_t(InScriptStruct->GetStructureSize()), std::align_val_t(size_t(FMath::Max(InScriptStruct->GetMinAlignment(), 1))));
		InScriptStruct->InitializeStruct(NewMemory);
		if (InData)
		{
			InScriptStruct->CopyScriptStruct(NewMemory, InData);
		}
		ScriptStruct = InScriptStruct;
		Memory = NewMemory;
	}

	/** Makes this a copy of Other (same struct type, same values). */
	void InitializeWith(const FLiveLinkBaseDataStruct& Other)
	{
		if (this != &Other)
		{
			InitializeWith(Other.ScriptStruct, Other.GetBaseData());
		}
	}

	/** The value as Type when its struct is Type or derives from it; otherwise null. */
	template <typename Type>
	Type* Cast()
	{
		return ScriptStruct && ScriptStruct->IsChildOf(Type::StaticStruct()) ? static_cast<Type*>(Memory) : nullptr;
	}
	template <typename Type>
	const Type* Cast() const
	{
		return ScriptStruct && ScriptStruct->IsChildOf(Type::StaticStruct()) ? static_cast<const Type*>(Memory) : nullptr;
	}

	/** The struct type of the value; null when empty. */
	const UScriptStruct* GetStruct() const { return ScriptStruct; }
	BaseType* GetBaseData() { return static_cast<BaseType*>(Memory); }
	const BaseType* GetBaseData() const { return static_cast<const BaseType*>(Memory); }
	bool IsValid() const { return Memory != nullptr; }

	/** Destroys the value and leaves this empty. */
	void Reset()
	{
		if (Memory)
		{
			ScriptStruct->DestroyStruct(Memory);
			::operator delete(Memory, std::align_val_t(size_t(FMath::Max(ScriptStruct->GetMinAlignment(), 1))));
		}
		ScriptStruct = nullptr;
		Memory = nullptr;
	}

private:
	const UScriptStruct* ScriptStruct = nullptr;
	void* Memory = nullptr;
};

// Aliases, as in the engine: they cannot be forward-declared as structs.
/** Static data of any role. */
using FLiveLinkStaticDataStruct = FLiveLinkBaseDataStruct<FLiveLinkBaseStaticData>;
/** Frame data of any role. */
using FLiveLinkFrameDataStruct = FLiveLinkBaseDataStruct<FLiveLinkBaseFrameData>;
/** Blueprint data of any role. */
using FLiveLinkBlueprintDataStruct = FLiveLinkBaseDataStruct<FLiveLinkBaseBlueprintData>;

/** An evaluated subject: its static data and one frame. */
struct FLiveLinkSubjectFrameData
{
	FLiveLinkStaticDataStruct StaticData;
	FLiveLinkFrameDataStruct FrameData;
};
