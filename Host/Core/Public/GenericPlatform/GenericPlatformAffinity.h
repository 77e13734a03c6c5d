// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GenericPlatform/GenericPlatformAffinity.h.
#pragma once

#include "CoreTypes.h"

/** Thread priorities, in the engine's order. The host records a priority; it does not apply it. */
enum EThreadPriority
{
	TPri_Normal,
	TPri_AboveNormal,
	TPri_BelowNormal,
	TPri_Highest,
	TPri_Lowest,
	TPri_SlightlyBelowNormal,
	TPri_TimeCritical,
	TPri_Num,
};

/** Flags for FRunnableThread::Create. */
enum class EThreadCreateFlags : int8
{
	None = 0,
	SMTExclusive = (1 << 0),
};

/** Thread affinity masks; the host runs every thread on any core. */
class FGenericPlatformAffinity
{
public:
	/** The mask that lets a thread run on every core. */
	static constexpr uint64 GetNoAffinityMask() { return 0xFFFFFFFFFFFFFFFFull; }
};
