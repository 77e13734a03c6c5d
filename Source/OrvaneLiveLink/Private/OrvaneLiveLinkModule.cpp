// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkModule.h"

#include "HAL/IConsoleManager.h"
#include "Modules/ModuleManager.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkLog.h"
#include "OrvaneLiveLinkRuntimeSettings.h"
#include "OrvaneLiveLinkSource.h"

#if WITH_EDITOR
#include "ISettingsContainer.h"
#include "ISettingsModule.h"
#include "ISettingsSection.h"
#endif

#define LOCTEXT_NAMESPACE "FOrvaneLiveLinkModule"

DEFINE_LOG_CATEGORY(ModuleLog);

void FOrvaneLiveLinkModule::StartupModule()
{
	FOrvaneFrameExchange::CreateProcessLock();
	RegisterSettings();
	LinkHealthCommand = IConsoleManager::Get().RegisterConsoleCommand(TEXT("Orvane.LinkHealth"),
		TEXT("Writes the link health of every Orvane Live Link source to the log: datagrams received, decoded and refused, arrival rate and jitter over the last second, frame gaps and repeats, and the age of the last datagram."),
		FConsoleCommandDelegate::CreateStatic(&FOrvaneLiveLinkSource::LogLinkHealthOfAllSources),
		ECVF_Default);
}

void FOrvaneLiveLinkModule::ShutdownModule()
{
	if (LinkHealthCommand)
	{
		IConsoleManager::Get().UnregisterConsoleObject(LinkHealthCommand);
		LinkHealthCommand = nullptr;
	}
	UnregisterSettings();
	FOrvaneFrameExchange::DestroyProcessLock();
}

void FOrvaneLiveLinkModule::RegisterSettings()
{
#if WITH_EDITOR
	ISettingsModule* SettingsModule = FModuleManager::GetModulePtr<ISettingsModule>("Settings");
	if (!SettingsModule)
	{
		return;
	}
	if (ISettingsContainerPtr SettingsContainer = SettingsModule->GetContainer("Project"))
	{
		SettingsContainer->DescribeCategory("Plugins",
			LOCTEXT("RuntimeWDCategoryName", "Plugins"),
			LOCTEXT("RuntimeWDCategoryDescription", "Configuration for the Kelmora Orvane - Live Link Plugin"));
	}
	ISettingsSectionPtr SettingsSection = SettingsModule->RegisterSettings("Project", "Plugins", "Orvane",
		LOCTEXT("RuntimeGeneralSettingsName", "Orvane"),
		LOCTEXT("RuntimeGeneralSettingsDescription", "Default configuration for the Kelmora Orvane - Live Link Plugin"),
		GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>());
	if (SettingsSection.IsValid())
	{
		SettingsSection->OnModified().BindRaw(this, &FOrvaneLiveLinkModule::HandleSettingsSaved);
	}
#endif
}

void FOrvaneLiveLinkModule::UnregisterSettings()
{
#if WITH_EDITOR
	if (ISettingsModule* SettingsModule = FModuleManager::GetModulePtr<ISettingsModule>("Settings"))
	{
		SettingsModule->UnregisterSettings("Project", "Plugins", "Orvane");
	}
#endif
}

bool FOrvaneLiveLinkModule::HandleSettingsSaved()
{
	// The settings are read when a creation panel is built; nothing needs saving again here.
	GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>();
	return true;
}

#undef LOCTEXT_NAMESPACE

IMPLEMENT_MODULE(FOrvaneLiveLinkModule, OrvaneLiveLink)
