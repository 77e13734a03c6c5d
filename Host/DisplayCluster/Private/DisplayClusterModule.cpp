// Copyright Kelmora. All Rights Reserved.
#include "Blueprints/DisplayClusterBlueprint.h"
#include "Components/SceneComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "IDisplayClusterConfiguration.h"
#include "Modules/ModuleManager.h"
#include "Templates/Casts.h"
#include "UObject/UnrealType.h"

ADisplayClusterRootActor::ADisplayClusterRootActor()
{
	DefaultSceneRoot = CreateDefaultSubobject<USceneComponent>(TEXT("DefaultSceneRoot"));
	RootComponent = DefaultSceneRoot;
}

void ADisplayClusterRootActor::PostInitProperties()
{
	Super::PostInitProperties();
	if (HasAnyFlags(RF_ClassDefaultObject))
	{
		return;
	}
	// An actor starts with its own copy of its class's configuration, as the engine instances it from the default.
	const ADisplayClusterRootActor* Default = static_cast<const ADisplayClusterRootActor*>(GetClass()->GetDefaultObject());
	if (Default && Default != this && Default->CurrentConfigData)
	{
		UpdateConfigDataInstance(Default->CurrentConfigData, true);
	}
}

void ADisplayClusterRootActor::UpdateConfigDataInstance(UDisplayClusterConfigurationData* ConfigDataTemplate, bool bForceRecreate)
{
	if (!ConfigDataTemplate || ConfigDataTemplate == CurrentConfigData)
	{
		return;
	}
	if (bForceRecreate || !CurrentConfigData || CurrentConfigData->GetOuter() != this)
	{
		CurrentConfigData = NewObject<UDisplayClusterConfigurationData>(this, UDisplayClusterConfigurationData::StaticClass(), MakeUniqueObjectName(this, UDisplayClusterConfigurationData::StaticClass(), FName(TEXT("ConfigData"))), RF_Transactional, ConfigDataTemplate);
		return;
	}
	for (TFieldIterator<FProperty> It(UDisplayClusterConfigurationData::StaticClass()); It; ++It)
	{
		It->CopyCompleteValue_InContainer(CurrentConfigData.Get(), ConfigDataTemplate);
	}
}

void ADisplayClusterRootActor::InitializeFromConfig(UDisplayClusterConfigurationData* ConfigData)
{
	UpdateConfigDataInstance(ConfigData, true);
}

void ADisplayClusterRootActor::OverrideFromConfig(UDisplayClusterConfigurationData* ConfigData)
{
	UpdateConfigDataInstance(ConfigData, false);
}

UDisplayClusterConfigurationData* UDisplayClusterBlueprint::GetConfig() const
{
	UClass* Class = GeneratedClass.Get();
	const ADisplayClusterRootActor* Default = Class ? Cast<ADisplayClusterRootActor>(Class->GetDefaultObject(false)) : nullptr;
	return Default && Default->GetConfigData() ? Default->GetConfigData() : ConfigData.Get();
}

void UDisplayClusterBlueprint::SetConfigData(UDisplayClusterConfigurationData* InConfigData, bool bForceRecreate)
{
	ConfigData = InConfigData;
	HostPostCompile();
}

void UDisplayClusterBlueprint::PrepareConfigForExport()
{
	if (UDisplayClusterConfigurationData* Config = GetConfig())
	{
		Config->Info.AssetPath = GetPathName();
		IDisplayClusterConfiguration::Get().ConfigAsString(Config, ConfigExport);
	}
}

void UDisplayClusterBlueprint::HostPostCompile()
{
	// The default actor shares the blueprint's configuration, so edits through either reach the same data.
	UClass* Class = GeneratedClass.Get();
	if (ADisplayClusterRootActor* Default = Class ? Cast<ADisplayClusterRootActor>(Class->GetDefaultObject()) : nullptr)
	{
		Default->HostSetConfigData(ConfigData);
	}
}

IMPLEMENT_MODULE(FDefaultModuleImpl, DisplayCluster)
