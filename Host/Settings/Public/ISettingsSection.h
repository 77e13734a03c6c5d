// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ISettingsSection.h (Settings module, editor only).
#pragma once

#include "CoreMinimal.h"
#include "Delegates/Delegate.h"
#include "Delegates/DelegateCombinations.h"
#include "UObject/WeakObjectPtrTemplates.h"

class ISettingsCategory;

/** One page of settings in a category, showing one settings object. */
class ISettingsSection
{
public:
	virtual ~ISettingsSection() = default;

	/** Called when the section's settings were changed in the editor; returns whether they were handled (engine: bool()). */
	DECLARE_DELEGATE_RetVal(bool, FOnModified);

	/** The delegate run when the settings were modified; unconfirmed in the engine listing (returns the member by reference). */
	virtual FOnModified& OnModified() = 0;

	virtual FText GetDescription() const = 0;
	virtual FText GetDisplayName() const = 0;
	virtual FName GetName() const = 0;
	/** The object the section edits; null once the object is gone. */
	virtual TWeakObjectPtr<UObject> GetSettingsObject() const = 0;
	virtual TWeakPtr<ISettingsCategory> GetCategory() = 0;
	/** Host: runs OnModified as the editor does after a change; false when nothing is bound. */
	virtual bool NotifyModified() = 0;
};

/** A shared pointer to a settings section. */
typedef TSharedPtr<ISettingsSection> ISettingsSectionPtr;
/** A shared reference to a settings section. */
typedef TSharedRef<ISettingsSection> ISettingsSectionRef;
