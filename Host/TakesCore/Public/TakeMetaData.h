// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's TakeMetaData.h (module TakesCore): the slate and take number of a take.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "TakeMetaData.generated.h"

/** Slate, take number and description of a take; the take recorder panel holds the one of the next take. */
UCLASS()
class TAKESCORE_API UTakeMetaData : public UObject
{
	GENERATED_BODY()

public:
	/** Sets the slate unless locked. With bEmitChanged the take number restarts for that slate, as the panel does. */
	void SetSlate(FString InSlate, bool bEmitChanged = true);
	/** Sets the take number unless locked; numbers below 1 become 1. */
	void SetTakeNumber(int32 InTakeNumber, bool bEmitChanged = true);

	FString GetSlate() const { return Slate; }
	int32 GetTakeNumber() const { return TakeNumber; }

	/** A recorded take's metadata is locked; changes are ignored. */
	bool IsLocked() const { return bIsLocked; }
	void Lock() { bIsLocked = true; }
	void Unlock() { bIsLocked = false; }

	/** Host only: how many SetSlate and SetTakeNumber calls changed something with bEmitChanged set. */
	int32 HostChangeNotifications = 0;

private:
	UPROPERTY()
	FString Slate;

	UPROPERTY()
	int32 TakeNumber = 1;

	UPROPERTY()
	bool bIsLocked = false;
};
