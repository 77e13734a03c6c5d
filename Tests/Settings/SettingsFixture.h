// Copyright Kelmora. All Rights Reserved.
// Reflected types for the settings tests.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DeveloperSettings.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "SettingsFixture.generated.h"

UCLASS(Config = Game, DefaultConfig, meta = (DisplayName = "Fixture Settings"))
class USettingsTestSettings : public UDeveloperSettings
{
	GENERATED_BODY()

public:
	UPROPERTY(Config, EditAnywhere)
	int32 Port = 9001;
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
