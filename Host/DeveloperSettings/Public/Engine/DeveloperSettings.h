// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/DeveloperSettings.h (DeveloperSettings module).
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "DeveloperSettings.generated.h"

/**
 * The base of settings classes shown in the editor's settings. As in the engine, the settings editor
 * registers the default object of each concrete subclass by itself unless SupportsAutoRegistration says no
 * (ISettingsEditorModule::UpdateSettings).
 */
UCLASS(Abstract)
class DEVELOPERSETTINGS_API UDeveloperSettings : public UObject
{
	GENERATED_BODY()

public:
	UDeveloperSettings();

	/** The settings container: "Project" unless a subclass says otherwise. */
	virtual FName GetContainerName() const;
	/** The category: CategoryName, "Game" by default. */
	virtual FName GetCategoryName() const;
	/** The section: SectionName, the class name by default. */
	virtual FName GetSectionName() const;
#if WITH_EDITOR
	/** The section's display text: the class's display name. */
	virtual FText GetSectionText() const;
	/** The section's description: the class's tool tip. */
	virtual FText GetSectionDescription() const;
	/** Whether the settings editor registers these settings by itself; false for settings registered by hand. */
	virtual bool SupportsAutoRegistration() const
	{
		return true;
	}
#endif

protected:
	/** The category the settings are shown under. */
	FName CategoryName;
	/** The section name; the class name when none. */
	FName SectionName;
};
