// Copyright Kelmora. All Rights Reserved.
#include "Engine/DeveloperSettings.h"

#include "Modules/ModuleManager.h"
#include "UObject/Class.h"

UDeveloperSettings::UDeveloperSettings()
{
	CategoryName = FName(TEXT("Game"));
}

FName UDeveloperSettings::GetContainerName() const
{
	return FName(TEXT("Project"));
}

FName UDeveloperSettings::GetCategoryName() const
{
	return CategoryName;
}

FName UDeveloperSettings::GetSectionName() const
{
	return SectionName.IsNone() ? GetClass()->GetFName() : SectionName;
}

#if WITH_EDITOR
FText UDeveloperSettings::GetSectionText() const
{
	return GetClass()->GetDisplayNameText();
}

FText UDeveloperSettings::GetSectionDescription() const
{
	return GetClass()->GetToolTipText();
}
#endif

IMPLEMENT_MODULE(FDefaultModuleImpl, DeveloperSettings)
