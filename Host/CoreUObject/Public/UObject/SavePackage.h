// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UObject/SavePackage.h: the arguments of UPackage::SavePackage.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectMacros.h"

class ITargetPlatform;
class FArchiveCookData;
class FOutputDevice;
class FSavePackageContext;

/** Date and time of a save; the host does not stamp files, so it is only carried. */
struct FSavePackageTimeStamp
{
	int64 Ticks = 0;
};

/**
 * How a package is saved. Default-construct it and set the fields, as the engine advises. The host
 * writes its own asset format, so TargetPlatform, ArchiveCookData, bForceByteSwapping, bSlowTask,
 * FinalTimeStamp and SavePackageContext are carried but change nothing.
 */
struct FSavePackageArgs
{
	const ITargetPlatform* TargetPlatform = nullptr;
	FArchiveCookData* ArchiveCookData = nullptr;
	/** Objects in the package with any of these flags are saved (the asset itself always is). */
	EObjectFlags TopLevelFlags = RF_Standalone;
	/** ESaveFlags. */
	uint32 SaveFlags = 0;
	bool bForceByteSwapping = false;
	bool bWarnOfLongFilename = true;
	bool bSlowTask = true;
	/** Host: the engine's FDateTime; unused. */
	FSavePackageTimeStamp FinalTimeStamp;
	/** Where save errors go, unless SaveFlags has SAVE_NoError. */
	FOutputDevice* Error = nullptr;
	FSavePackageContext* SavePackageContext = nullptr;
};
