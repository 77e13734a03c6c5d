// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#if WITH_EDITOR
class UPackage;

namespace OrvanePackageSaving
{
	/** Saves a whole package with the settings every stage asset shares; clears its dirty flag on success. */
	bool SavePackageFile(UPackage* Package);
}
#endif
