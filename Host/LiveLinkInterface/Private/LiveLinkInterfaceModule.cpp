// Copyright Kelmora. All Rights Reserved.
#include "ILiveLinkClient.h"
#include "LiveLinkFrameInterpolationProcessor.h"
#include "LiveLinkPresetTypes.h"
#include "LiveLinkRole.h"
#include "LiveLinkRoleTrait.h"
#include "LiveLinkSourceFactory.h"
#include "LiveLinkSourceSettings.h"
#include "Modules/ModuleManager.h"
#include "Roles/LiveLinkBasicRole.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Roles/LiveLinkTransformRole.h"
#include "Roles/LiveLinkTransformTypes.h"
#include "UObject/UObjectIterator.h"

#define LOCTEXT_NAMESPACE "LiveLinkRole"

FName ILiveLinkClient::ModularFeatureName(TEXT("LiveLinkClient"));

bool ULiveLinkRole::IsStaticDataValid(const FLiveLinkStaticDataStruct& InStaticData, bool& bOutShouldLogWarning) const
{
	bOutShouldLogWarning = true;
	const UScriptStruct* Expected = GetStaticDataStruct();
	return Expected && InStaticData.GetStruct() && InStaticData.GetStruct()->IsChildOf(Expected);
}

bool ULiveLinkRole::IsFrameDataValid(const FLiveLinkStaticDataStruct& InStaticData, const FLiveLinkFrameDataStruct& InFrameData, bool& bOutShouldLogWarning) const
{
	bOutShouldLogWarning = true;
	const UScriptStruct* Expected = GetFrameDataStruct();
	return Expected && InFrameData.GetStruct() && InFrameData.GetStruct()->IsChildOf(Expected);
}

UScriptStruct* ULiveLinkBasicRole::GetStaticDataStruct() const
{
	return FLiveLinkBaseStaticData::StaticStruct();
}

UScriptStruct* ULiveLinkBasicRole::GetFrameDataStruct() const
{
	return FLiveLinkBaseFrameData::StaticStruct();
}

UScriptStruct* ULiveLinkBasicRole::GetBlueprintDataStruct() const
{
	return FLiveLinkBaseBlueprintData::StaticStruct();
}

FText ULiveLinkBasicRole::GetDisplayName() const
{
	return LOCTEXT("BasicRole", "Basic");
}

UScriptStruct* ULiveLinkTransformRole::GetStaticDataStruct() const
{
	return FLiveLinkTransformStaticData::StaticStruct();
}

UScriptStruct* ULiveLinkTransformRole::GetFrameDataStruct() const
{
	return FLiveLinkTransformFrameData::StaticStruct();
}

UScriptStruct* ULiveLinkTransformRole::GetBlueprintDataStruct() const
{
	return FLiveLinkTransformBlueprintData::StaticStruct();
}

FText ULiveLinkTransformRole::GetDisplayName() const
{
	return LOCTEXT("TransformRole", "Transform");
}

UScriptStruct* ULiveLinkCameraRole::GetStaticDataStruct() const
{
	return FLiveLinkCameraStaticData::StaticStruct();
}

UScriptStruct* ULiveLinkCameraRole::GetFrameDataStruct() const
{
	return FLiveLinkCameraFrameData::StaticStruct();
}

UScriptStruct* ULiveLinkCameraRole::GetBlueprintDataStruct() const
{
	return FLiveLinkCameraBlueprintData::StaticStruct();
}

FText ULiveLinkCameraRole::GetDisplayName() const
{
	return LOCTEXT("CameraRole", "Camera");
}

TArray<TSubclassOf<ULiveLinkRole>> FLiveLinkRoleTrait::GetRoles()
{
	TArray<TSubclassOf<ULiveLinkRole>> Roles;
	for (TObjectIterator<UClass> It; It; ++It)
	{
		if (It->IsChildOf(ULiveLinkRole::StaticClass()) && !It->HasAnyClassFlags(CLASS_Abstract))
		{
			Roles.Add(*It);
		}
	}
	return Roles;
}

TArray<TSubclassOf<ULiveLinkFrameInterpolationProcessor>> FLiveLinkRoleTrait::GetFrameInterpolationProcessorClasses(TSubclassOf<ULiveLinkRole> Role)
{
	TArray<TSubclassOf<ULiveLinkFrameInterpolationProcessor>> Classes;
	UClass* RoleClass = Role.Get();
	if (!RoleClass)
	{
		return Classes;
	}
	for (TObjectIterator<UClass> It; It; ++It)
	{
		if (!It->IsChildOf(ULiveLinkFrameInterpolationProcessor::StaticClass()) || It->HasAnyClassFlags(CLASS_Abstract))
		{
			continue;
		}
		UClass* ProcessorRole = It->GetDefaultObject<ULiveLinkFrameInterpolationProcessor>()->GetRole().Get();
		if (ProcessorRole && RoleClass->IsChildOf(ProcessorRole))
		{
			Classes.Add(*It);
		}
	}
	return Classes;
}

#undef LOCTEXT_NAMESPACE

TSharedPtr<ILiveLinkSource> ULiveLinkSourceFactory::CreateSource(const FLiveLinkSourcePreset& SourcePreset)
{
	// Host: unconfirmed what the engine's base does; the connection string is what every factory understands.
	const ULiveLinkSourceSettings* Settings = SourcePreset.Settings.Get();
	return Settings ? CreateSource(Settings->ConnectionString) : TSharedPtr<ILiveLinkSource>();
}

IMPLEMENT_MODULE(FDefaultModuleImpl, LiveLinkInterface)
