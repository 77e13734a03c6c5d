// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ISettingsContainer.h (Settings module, editor only).
#pragma once

#include "CoreMinimal.h"
#include "ISettingsCategory.h"

/** A set of settings categories, such as "Project" or "Editor". */
class ISettingsContainer
{
public:
	virtual ~ISettingsContainer() = default;

	/** Sets a category's display name and description, making the category if it does not exist. */
	virtual void DescribeCategory(const FName& CategoryName, const FText& DisplayName, const FText& Description) = 0;

	virtual FName GetName() const = 0;
	/** The category with this name; null if none. */
	virtual ISettingsCategoryPtr GetCategory(const FName& CategoryName) const = 0;
	/** The container's categories in creation order; returns their number. */
	virtual int32 GetCategories(TArray<ISettingsCategoryPtr>& OutCategories) const = 0;
};

/** A shared pointer to a settings container. */
typedef TSharedPtr<ISettingsContainer> ISettingsContainerPtr;
