// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Interfaces/IPluginManager.h: the plug-ins the editor found and where they are.
#pragma once

#include "CoreMinimal.h"
#include "Containers/StringView.h"

/** One plug-in. */
class IPlugin
{
public:
	virtual ~IPlugin() = default;
	/** The plug-in's name (its .uplugin file's base name). */
	virtual const FString& GetName() const = 0;
	/** The folder holding the plug-in's .uplugin file. */
	virtual FString GetBaseDir() const = 0;
};

/**
 * The plug-ins of the engine and project. Host: the plug-ins whose .uplugin file lies directly in one of
 * the folders of HOST_PLUGIN_DIRS (the source tree at build time) or ORVANE_PLUGIN_DIRS (';'-separated).
 */
class IPluginManager
{
public:
	virtual ~IPluginManager() = default;

	PROJECTS_API static IPluginManager& Get();

	/** The plug-in of that name (case-insensitive), or null. */
	virtual TSharedPtr<IPlugin> FindPlugin(const FStringView Name) = 0;
	// unconfirmed: 5.6 also has a const ANSICHAR* overload; the plug-in passes TCHAR text.
};
