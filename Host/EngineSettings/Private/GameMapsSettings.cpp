// Copyright Kelmora. All Rights Reserved.
#include "GameMapsSettings.h"

#include "Modules/ModuleManager.h"

FString UGameMapsSettings::GetGlobalDefaultGameMode()
{
	return GetDefault<UGameMapsSettings>()->GlobalDefaultGameMode.ToString();
}

void UGameMapsSettings::SetGlobalDefaultGameMode(const FString& NewGameMode)
{
	GetMutableDefault<UGameMapsSettings>()->GlobalDefaultGameMode = FSoftClassPath(NewGameMode);
}

UGameMapsSettings* UGameMapsSettings::GetGameMapsSettings()
{
	return GetMutableDefault<UGameMapsSettings>();
}

IMPLEMENT_MODULE(FDefaultModuleImpl, EngineSettings)
