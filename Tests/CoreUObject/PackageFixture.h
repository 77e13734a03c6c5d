// Copyright Kelmora. All Rights Reserved.
// Reflected types for the package and garbage collection tests.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"
#include "UObject/SoftObjectPtr.h"

#include "PackageFixture.generated.h"

UENUM()
enum class EPackageTestMood : uint8
{
	Calm,
	Busy = 4,
};

USTRUCT()
struct FPackageTestPoint
{
	GENERATED_BODY()

	UPROPERTY()
	int32 X = 0;

	UPROPERTY()
	FString Label;

	UPROPERTY()
	TArray<double> Samples;

	UPROPERTY()
	TObjectPtr<UObject> Anchor;
};

/** A small object owned by an asset, or a node in a garbage collection graph. */
UCLASS()
class UPackageTestPart : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY()
	FString Note;

	UPROPERTY()
	TObjectPtr<UObject> Next;

	UPROPERTY()
	TArray<TObjectPtr<UObject>> Others;

	UPROPERTY()
	TMap<FString, TObjectPtr<UObject>> ByName;

	UPROPERTY()
	FPackageTestPoint Holder;

	UObject* Unreflected = nullptr;

	virtual void BeginDestroy() override;
	virtual void FinishDestroy() override;

	static int32 BeginDestroyCount;
	static int32 FinishDestroyCount;
};

/** An asset with one property of every kind the host saves. */
UCLASS()
class UPackageTestAsset : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY()
	bool bEnabled = false;

	UPROPERTY()
	uint8 bBitA : 1;

	UPROPERTY()
	uint8 bBitB : 1;

	UPROPERTY()
	uint8 Small = 0;

	UPROPERTY()
	int32 Count = 0;

	UPROPERTY()
	uint32 Mask = 0;

	UPROPERTY()
	int64 Big = 0;

	UPROPERTY()
	float Ratio = 0.0f;

	UPROPERTY()
	double Precise = 0.0;

	UPROPERTY()
	FString Title;

	UPROPERTY()
	FName Tag;

	UPROPERTY()
	FText Caption;

	UPROPERTY()
	EPackageTestMood Mood = EPackageTestMood::Calm;

	UPROPERTY()
	FPackageTestPoint Point;

	UPROPERTY()
	TArray<FString> Names;

	UPROPERTY()
	TArray<FPackageTestPoint> Points;

	UPROPERTY()
	TMap<FString, int32> Scores;

	UPROPERTY()
	TMap<int32, FPackageTestPoint> PointsById;

	UPROPERTY()
	TSoftObjectPtr<UObject> SoftRef;

	UPROPERTY()
	TSubclassOf<UObject> PickedClass;

	UPROPERTY(Instanced)
	TObjectPtr<UPackageTestPart> Part;

	UPROPERTY()
	TArray<TObjectPtr<UPackageTestPart>> Parts;

	UPROPERTY()
	TObjectPtr<UObject> External;

	UPROPERTY()
	int32 Fixed[3] = {};

	UPROPERTY(Transient)
	int32 Scratch = 0;
};
