// Copyright Kelmora. All Rights Reserved.
#include "ISettingsEditorModule.h"

#include "Modules/ModuleManager.h"

DEFINE_LOG_CATEGORY_STATIC(LogSettingsEditor, Log, All);

/** Host: the prompt is not drawn; it is logged and counted. */
class FSettingsEditorModule : public ISettingsEditorModule
{
public:
	virtual void OnApplicationRestartRequired() override
	{
		++RestartPromptCount;
		UE_LOG(LogSettingsEditor, Display, TEXT("The editor must be restarted for the changed settings to take effect"));
	}

	virtual int32 GetHostRestartPromptCount() const override { return RestartPromptCount; }

private:
	int32 RestartPromptCount = 0;
};

IMPLEMENT_MODULE(FSettingsEditorModule, SettingsEditor)
