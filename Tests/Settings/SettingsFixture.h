// Copyright Kelmora. All Rights Reserved.
// Reflected types for the settings tests.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DeveloperSettings.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/SoftObjectPtr.h"

#include "SettingsFixture.generated.h"

UCLASS(Config = Game, DefaultConfig, meta = (DisplayName = "Fixture Settings"))
class USettingsTestSettings : public UDeveloperSettings
{
	GENERATED_BODY()

public:
	UPROPERTY(Config, EditAnywhere)
	int32 Port = 9001;
};

namespace ESettingsTestMode
{
	enum Type : int
	{
		Off,
		On,
		Auto,
	};
}

/** Config properties of every kind the project's .ini files carry; its default object is made by one test only. */
UCLASS(Config = Engine, DefaultConfig)
class USettingsTestConfigKinds : public UObject
{
	GENERATED_BODY()

public:
	UPROPERTY(Config)
	bool bEnabled = false;

	UPROPERTY(Config)
	int32 Count = 1;

	UPROPERTY(Config)
	FString Label;

	UPROPERTY(Config)
	TSoftObjectPtr<UObject> Asset;

	UPROPERTY(Config)
	FSoftClassPath ClassPath;

	UPROPERTY(Config)
	TEnumAsByte<ESettingsTestMode::Type> Mode = ESettingsTestMode::Off;

	/** Not a config property: never read from or written to the files. */
	UPROPERTY()
	int32 NotConfig = 5;

	/** A blueprint variable's name, with blanks. */
	UPROPERTY(meta = (HostPropertyName = "Set Something"))
	bool bSetSomething = false;
};

UCLASS()
class USettingsTestCustomSection : public UDeveloperSettings
{
	GENERATED_BODY()

public:
	USettingsTestCustomSection()
	{
		CategoryName = FName(TEXT("Plugins"));
		SectionName = FName(TEXT("Custom"));
	}
};

UCLASS()
class USettingsTestLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()
};
