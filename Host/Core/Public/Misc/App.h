// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/App.h: the application's project name.
#pragma once

#include "CoreTypes.h"

/** Facts about the running application. */
class CORE_API FApp
{
public:
	/**
	 * The name of the loaded project. Host: the name set with SetProjectName, else the project folder's
	 * name; the engine uses "None" when no project is loaded.
	 */
	static const TCHAR* GetProjectName();
	/** Sets the project name. */
	static void SetProjectName(const TCHAR* InProjectName);
};
