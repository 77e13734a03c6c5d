// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ISettingsCategory.h (Settings module, editor only).
#pragma once

#include "CoreMinimal.h"
#include "ISettingsSection.h"

/** A group of settings sections in a container. */
class ISettingsCategory
{
public:
	virtual ~ISettingsCategory() = default;

	virtual FText GetDescription() const = 0;
	virtual FText GetDisplayName() const = 0;
	virtual FName GetName() const = 0;
	/** The section with this name; null if none. */
	virtual ISettingsSectionPtr GetSection(const FName& SectionName, bool bIgnoreVisibility = false) const = 0;
	/** The category's sections in registration order; returns their number. */
	virtual int32 GetSections(TArray<ISettingsSectionPtr>& OutSections, bool bIgnoreVisibility = false) const = 0;
};

/** A shared pointer to a settings category. */
typedef TSharedPtr<ISettingsCategory> ISettingsCategoryPtr;
