// Copyright Kelmora. All Rights Reserved.
#include "TakeMetaData.h"

#include "Modules/ModuleManager.h"

void UTakeMetaData::SetSlate(FString InSlate, bool bEmitChanged)
{
	if (bIsLocked)
	{
		return;
	}
	Slate = MoveTemp(InSlate);
	if (bEmitChanged)
	{
		// Unconfirmed: the panel answers a changed slate with the next free take number of that slate; the
		// host has no take history, so a new slate starts at take 1.
		TakeNumber = 1;
		++HostChangeNotifications;
	}
}

void UTakeMetaData::SetTakeNumber(int32 InTakeNumber, bool bEmitChanged)
{
	if (bIsLocked)
	{
		return;
	}
	TakeNumber = FMath::Max(InTakeNumber, 1);
	if (bEmitChanged)
	{
		++HostChangeNotifications;
	}
}

IMPLEMENT_MODULE(FDefaultModuleImpl, TakesCore)
