// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameMapsSettings.h (module EngineSettings): the project's maps and modes.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/SoftObjectPath.h"

#include "GameMapsSettings.generated.h"

/** The project's default maps and game modes (DefaultEngine.ini). */
UCLASS(config = Engine, defaultconfig)
class ENGINESETTINGS_API UGameMapsSettings : public UObject
{
	GENERATED_BODY()

public:
	/** The game mode used when a map names none, as a class path. */
	static FString GetGlobalDefaultGameMode();
	static void SetGlobalDefaultGameMode(const FString& NewGameMode);
	static UGameMapsSettings* GetGameMapsSettings();

private:
	/** The game mode used when a map names none. */
	UPROPERTY(config)
	FSoftClassPath GlobalDefaultGameMode;
};
