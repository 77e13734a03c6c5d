// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ISettingsModule.h (Settings module, editor only). The host keeps what is
// registered so it can be inspected through the containers; there is no settings viewer.
#pragma once

#include "CoreMinimal.h"
#include "ISettingsContainer.h"
#include "ISettingsSection.h"
#include "Modules/ModuleInterface.h"
#include "UObject/WeakObjectPtrTemplates.h"

/** The registry of settings shown in the editor's Project and Editor settings. */
class ISettingsModule : public IModuleInterface
{
public:
	/** The names of all containers ("Editor" and "Project" exist from the start). */
	virtual void GetContainerNames(TArray<FName>& OutNames) const = 0;
	/** The container with this name; null if none. */
	virtual ISettingsContainerPtr GetContainer(const FName& ContainerName) = 0;

	/**
	 * Registers a section for a settings object, making the container and category when needed. A
	 * section of the same name in that category is replaced. Returns the new section.
	 */
	virtual ISettingsSectionPtr RegisterSettings(const FName& ContainerName, const FName& CategoryName, const FName& SectionName, const FText& DisplayName, const FText& Description, const TWeakObjectPtr<UObject>& SettingsObject) = 0;
	/** Removes a section; nothing happens when it does not exist. */
	virtual void UnregisterSettings(const FName& ContainerName, const FName& CategoryName, const FName& SectionName) = 0;
	/** Would open the settings viewer at a section; the host records nothing else. */
	virtual void ShowViewer(const FName& ContainerName, const FName& CategoryName, const FName& SectionName) = 0;
};
