// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/EngineVersionComparison.h.
#pragma once

#include "Runtime/Launch/Resources/Version.h"

#define UE_GREATER_SORT(Value, ValueToBeGreaterThan, TieBreaker) (((Value) > (ValueToBeGreaterThan)) || (((Value) == (ValueToBeGreaterThan)) && (TieBreaker)))

/** True when the engine is newer than the given version. */
#define UE_VERSION_NEWER_THAN(MajorVersion, MinorVersion, PatchVersion) \
	UE_GREATER_SORT(ENGINE_MAJOR_VERSION, MajorVersion, UE_GREATER_SORT(ENGINE_MINOR_VERSION, MinorVersion, UE_GREATER_SORT(ENGINE_PATCH_VERSION, PatchVersion, false)))

/** True when the engine is older than the given version. */
#define UE_VERSION_OLDER_THAN(MajorVersion, MinorVersion, PatchVersion) \
	UE_GREATER_SORT(MajorVersion, ENGINE_MAJOR_VERSION, UE_GREATER_SORT(MinorVersion, ENGINE_MINOR_VERSION, UE_GREATER_SORT(PatchVersion, ENGINE_PATCH_VERSION, false)))
