// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IDisplayClusterConfiguration.h (nDisplay): reading and writing configuration files.
#pragma once

#include "CoreMinimal.h"
#include "Modules/ModuleInterface.h"
#include "Modules/ModuleManager.h"

class UDisplayClusterConfigurationData;
class UObject;

/**
 * The DisplayClusterConfiguration module. Files are nDisplay JSON: {"nDisplay": {"description", "version",
 * "assetPath", "misc", "scene", "cluster"}}; the host adds "stageSettings" with the inner-frustum switches.
 */
class IDisplayClusterConfiguration : public IModuleInterface
{
public:
	static constexpr const TCHAR* ModuleName = TEXT("DisplayClusterConfiguration");

	/** The module, loaded if needed. */
	static IDisplayClusterConfiguration& Get() { return FModuleManager::LoadModuleChecked<IDisplayClusterConfiguration>(ModuleName); }
	static bool IsAvailable() { return FModuleManager::Get().IsModuleLoaded(ModuleName); }

	/**
	 * Reads a configuration file into a new configuration in Owner (the transient package when null).
	 * Null (logged) when the file is missing, too large, not JSON, nested too deeply or not of the shape above.
	 */
	virtual UDisplayClusterConfigurationData* LoadConfig(const FString& FilePath, UObject* Owner = nullptr) = 0;
	/** Writes the configuration as pretty JSON; false (logged) for a null configuration or a failed write. */
	virtual bool SaveConfig(const UDisplayClusterConfigurationData* Config, const FString& FilePath) = 0;
	/** The text SaveConfig would write; false for a null configuration. */
	virtual bool ConfigAsString(const UDisplayClusterConfigurationData* Config, FString& OutString) const = 0;
};
