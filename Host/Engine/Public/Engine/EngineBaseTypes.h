// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/EngineBaseTypes.h: tick groups and tick functions.
#pragma once

#include "CoreMinimal.h"
#include "Containers/EnumAsByte.h"

/** What a world tick updates. */
enum ELevelTick
{
	/** Only time. */
	LEVELTICK_TimeOnly = 0,
	/** Only viewports. */
	LEVELTICK_ViewportsOnly = 1,
	/** Everything. */
	LEVELTICK_All = 2,
	/** Paused: only what ticks even when paused. */
	LEVELTICK_PauseTick = 3,
};

/** The phases of a frame, in the order they run. */
enum ETickingGroup : int
{
	TG_PrePhysics,
	TG_StartPhysics,
	TG_DuringPhysics,
	TG_EndPhysics,
	TG_PostPhysics,
	TG_PostUpdateWork,
	TG_LastDemotable,
	TG_NewlySpawned,
	TG_MAX,
};

/**
 * When and whether something ticks. Host: the tick interval is not honoured (every frame ticks), and the
 * settings are not reflected, so a play session's copies take them from their class's constructor.
 */
struct FTickFunction
{
	/** The group the function runs in (TG_PrePhysics by default). */
	TEnumAsByte<ETickingGroup> TickGroup = TG_PrePhysics;
	/** False means the function is never registered and never ticks. */
	uint8 bCanEverTick : 1;
	/** Whether the function starts enabled once registered. */
	uint8 bStartWithTickEnabled : 1;
	/** Whether it ticks while the game is paused. */
	uint8 bTickEvenWhenPaused : 1;
	/** Seconds between ticks; zero ticks every frame (unconfirmed: the host ticks every frame regardless). */
	float TickInterval = 0.0f;

	FTickFunction()
		: bCanEverTick(false)
		, bStartWithTickEnabled(true)
		, bTickEvenWhenPaused(false)
	{
	}
	virtual ~FTickFunction() = default;

	/** Enables or disables the function. */
	void SetTickFunctionEnable(bool bInEnabled)
	{
		bEnabled = bInEnabled;
		bEnableChosen = true;
	}
	/** True when the function is enabled. */
	bool IsTickFunctionEnabled() const { return bEnabled; }

	/**
	 * Host only: what registering the function with its level does to its state: it starts enabled when
	 * bStartWithTickEnabled says so or when it was enabled on purpose before, else disabled.
	 */
	void HostRegister() { bEnabled = bStartWithTickEnabled || (bEnableChosen && bEnabled); }

private:
	bool bEnabled = true;
	bool bEnableChosen = false;
};

/** The tick function of an actor component. */
struct FActorComponentTickFunction : public FTickFunction
{
};
