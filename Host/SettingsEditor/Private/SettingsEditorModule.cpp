// Copyright Kelmora. All Rights Reserved.
#include "ISettingsEditorModule.h"

#include "Engine/DeveloperSettings.h"
#include "ISettingsModule.h"
#include "Modules/ModuleManager.h"
#include "UObject/Class.h"
#include "UObject/UObjectIterator.h"

DEFINE_LOG_CATEGORY_STATIC(LogSettingsEditor, Log, All);

/** Host: the prompt is not drawn; it is logged and counted. */
class FSettingsEditorModule : public ISettingsEditorModule
{
public:
	virtual void ShutdownModule() override
	{
		if (ISettingsModule* SettingsModule = FModuleManager::GetModulePtr<ISettingsModule>("Settings"))
		{
			UnregisterAutoDiscoveredSettings(*SettingsModule);
		}
	}

	virtual void UpdateSettings(bool bForce) override
	{
		// The engine updates only while a viewer is open or when forced; the host never has a viewer open.
		if (!bForce)
		{
			return;
		}
		if (ISettingsModule* SettingsModule = FModuleManager::GetModulePtr<ISettingsModule>("Settings"))
		{
			UnregisterAutoDiscoveredSettings(*SettingsModule);
			RegisterAutoDiscoveredSettings(*SettingsModule);
		}
	}

	virtual void OnApplicationRestartRequired() override
	{
		++RestartPromptCount;
		UE_LOG(LogSettingsEditor, Display, TEXT("The editor must be restarted for the changed settings to take effect"));
	}

	virtual int32 GetHostRestartPromptCount() const override { return RestartPromptCount; }

private:
	struct FRegisteredSettings
	{
		FName ContainerName;
		FName CategoryName;
		FName SectionName;
	};

	/** As the engine: the default object of every concrete settings class that does not opt out gets a section. */
	void RegisterAutoDiscoveredSettings(ISettingsModule& SettingsModule)
	{
		// The engine walks the default objects, which exist for every loaded class; the host makes them on demand.
		for (TObjectIterator<UClass> ClassIt; ClassIt; ++ClassIt)
		{
			UClass* Class = *ClassIt;
			if (!Class->IsChildOf(UDeveloperSettings::StaticClass()) || Class->HasAnyClassFlags(CLASS_Deprecated | CLASS_Abstract))
			{
				continue;
			}
			UDeveloperSettings* Settings = Class->GetDefaultObject<UDeveloperSettings>();
			if (!Settings || !Settings->SupportsAutoRegistration())
			{
				continue;
			}
			FRegisteredSettings Registered{Settings->GetContainerName(), Settings->GetCategoryName(), Settings->GetSectionName()};
			SettingsModule.RegisterSettings(Registered.ContainerName, Registered.CategoryName, Registered.SectionName, Settings->GetSectionText(), Settings->GetSectionDescription(), Settings);
			AutoDiscoveredSettings.Add(Registered);
		}
	}

	void UnregisterAutoDiscoveredSettings(ISettingsModule& SettingsModule)
	{
		for (const FRegisteredSettings& Registered : AutoDiscoveredSettings)
		{
			SettingsModule.UnregisterSettings(Registered.ContainerName, Registered.CategoryName, Registered.SectionName);
		}
		AutoDiscoveredSettings.Reset();
	}

	TArray<FRegisteredSettings> AutoDiscoveredSettings;
	int32 RestartPromptCount = 0;
};

IMPLEMENT_MODULE(FSettingsEditorModule, SettingsEditor)
