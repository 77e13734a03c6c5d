// Copyright Kelmora. All Rights Reserved.
// Components that record their ticks, for the play session tests.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"

#include "PlayTickFixture.generated.h"

/** What the recording components saw, in order: the component's name, tick group and frame count. */
struct FPlayTickRecord
{
	FName Component;
	ETickingGroup Group;
	uint64 Frame;
	float DeltaTime;
	UWorld* CurrentWorld;
};

/** The shared record of every recording component's ticks. */
inline TArray<FPlayTickRecord>& PlayTickRecords()
{
	static TArray<FPlayTickRecord> Records;
	return Records;
}

/** Ticks after the frame's updates, as the frame component does. */
UCLASS()
class UPlayTickLateComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UPlayTickLateComponent()
	{
		PrimaryComponentTick.bCanEverTick = true;
		PrimaryComponentTick.TickGroup = TG_PostUpdateWork;
	}

	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override
	{
		PlayTickRecords().Add(FPlayTickRecord{GetFName(), ThisTickFunction->TickGroup.GetValue(), GFrameCounter, DeltaTime, GWorld});
	}
};

/** Ticks in the default group. */
UCLASS()
class UPlayTickEarlyComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UPlayTickEarlyComponent()
	{
		PrimaryComponentTick.bCanEverTick = true;
	}

	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override
	{
		PlayTickRecords().Add(FPlayTickRecord{GetFName(), ThisTickFunction->TickGroup.GetValue(), GFrameCounter, DeltaTime, GWorld});
	}
};

/** Could tick but starts disabled. */
UCLASS()
class UPlayTickDisabledComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	UPlayTickDisabledComponent()
	{
		PrimaryComponentTick.bCanEverTick = true;
		PrimaryComponentTick.bStartWithTickEnabled = false;
	}

	virtual void TickComponent(float DeltaTime, ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) override
	{
		PlayTickRecords().Add(FPlayTickRecord{GetFName(), ThisTickFunction->TickGroup.GetValue(), GFrameCounter, DeltaTime, GWorld});
	}
};
