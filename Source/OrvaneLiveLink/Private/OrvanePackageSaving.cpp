// Copyright Kelmora. All Rights Reserved.
#include "OrvanePackageSaving.h"

#if WITH_EDITOR
#include "Misc/PackageName.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"

bool OrvanePackageSaving::SavePackageFile(UPackage* Package)
{
	Package->FullyLoad();
	Package->MarkPackageDirty();
	const FString FileName = FPackageName::LongPackageNameToFilename(Package->GetName(), FPackageName::GetAssetPackageExtension());
	FSavePackageArgs SaveArgs;
	SaveArgs.TopLevelFlags = RF_Public | RF_Standalone;
	SaveArgs.SaveFlags = SAVE_NoError;
	SaveArgs.bForceByteSwapping = false;
	SaveArgs.bWarnOfLongFilename = true;
	SaveArgs.bSlowTask = true;
	SaveArgs.Error = GError;
	const bool bSaved = UPackage::SavePackage(Package, nullptr, *FileName, SaveArgs);
	if (bSaved)
	{
		Package->SetDirtyFlag(false);
	}
	return bSaved;
}
#endif
