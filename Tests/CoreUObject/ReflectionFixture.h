// Copyright Kelmora. All Rights Reserved.
// Reflected types for the reflection tests: a class hierarchy, a struct and two enums.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"
#include "UObject/SoftObjectPtr.h"

#include "ReflectionFixture.generated.h"

class UReflectionTestPeer;

UENUM(BlueprintType)
enum class EReflectionTestMode : uint8
{
	Off,
	Slow UMETA(DisplayName = "Slow Speed"),
	Fast = 5,
};

UENUM()
enum EReflectionLegacyKind : int
{
	RLK_First,
	RLK_Second,
};

USTRUCT()
struct FReflectionTestPoint
{
	GENERATED_BODY()

	UPROPERTY()
	int32 X = 0;

	UPROPERTY()
	FString Label;
};

/** A config class with a private property and a function. */
UCLASS(Config = Game, meta = (DisplayName = "Reflection Base"))
class UReflectionTestBase : public UObject
{
	GENERATED_BODY()

public:
	UReflectionTestBase();

	UPROPERTY(Config, EditAnywhere, meta = (DisplayName = "Base Count"))
	int32 BaseCount = 3;

	UFUNCTION(BlueprintCallable, Category = "Test")
	void ResetCount() { BaseCount = 0; }

	const FString& GetSecret() const { return Secret; }

private:
	UPROPERTY()
	FString Secret = TEXT("hidden");
};

UCLASS()
class UReflectionTestDerived : public UReflectionTestBase
{
	GENERATED_BODY()

public:
	UReflectionTestDerived();

	UPROPERTY(EditAnywhere)
	uint8 bFirstFlag : 1;

	UPROPERTY(EditAnywhere)
	uint8 bSecondFlag : 1;

	UPROPERTY()
	bool bPlainFlag = true;

	UPROPERTY()
	int64 BigNumber = -5;

	UPROPERTY()
	float Ratio = 0.5f;

	UPROPERTY()
	double Precise = 2.25;

	UPROPERTY()
	uint8 Small = 7;

	UPROPERTY()
	FName Tag = FName(TEXT("Alpha"));

	UPROPERTY()
	FText Caption;

	UPROPERTY()
	TArray<FString> Names = {TEXT("a"), TEXT("b")};

	UPROPERTY()
	TMap<FString, FString> Pairs;

	UPROPERTY()
	TObjectPtr<UObject> Target;

	UPROPERTY()
	TObjectPtr<UReflectionTestPeer> Peer;

	UPROPERTY()
	TSoftObjectPtr<UObject> SoftTarget;

	UPROPERTY()
	TSubclassOf<UReflectionTestBase> PickedClass;

	UPROPERTY()
	EReflectionTestMode Mode = EReflectionTestMode::Slow;

	UPROPERTY()
	FReflectionTestPoint Point;

	UPROPERTY()
	int32 Fixed[3] = {};

	UFUNCTION()
	void Touch() {}
};

UCLASS()
class UReflectionTestPeer : public UObject
{
	GENERATED_BODY()
};

/** Only the object-naming tests make these, so their numbering starts at zero. */
UCLASS()
class UReflectionTestNamed : public UObject
{
	GENERATED_BODY()
};

UCLASS(Abstract)
class UReflectionTestAbstract : public UObject
{
	GENERATED_BODY()
};

/** Constructed through the FObjectInitializer constructor the legacy body declares. */
UCLASS()
class UReflectionTestLegacy : public UObject
{
	GENERATED_UCLASS_BODY()

	UPROPERTY()
	int32 Value = 0;
};
