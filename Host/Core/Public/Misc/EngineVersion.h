// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/EngineVersion.h: the version of the running engine.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"

/** Major, minor and patch numbers of an engine build (engine: FEngineVersionBase holds them). */
class CORE_API FEngineVersionBase
{
public:
	FEngineVersionBase() = default;
	FEngineVersionBase(uint16 InMajor, uint16 InMinor, uint16 InPatch = 0, uint32 InChangelist = 0)
		: Major(InMajor)
		, Minor(InMinor)
		, Patch(InPatch)
		, Changelist(InChangelist)
	{
	}

	uint16 GetMajor() const { return Major; }
	uint16 GetMinor() const { return Minor; }
	uint16 GetPatch() const { return Patch; }
	uint32 GetChangelist() const { return Changelist; }

protected:
	uint16 Major = 0;
	uint16 Minor = 0;
	uint16 Patch = 0;
	uint32 Changelist = 0;
};

/** An engine version with its branch name. */
class CORE_API FEngineVersion : public FEngineVersionBase
{
public:
	using FEngineVersionBase::FEngineVersionBase;

	/** The version of the running engine. Host: the version the headers describe unless a test chose another. */
	static const FEngineVersion& Current();

	/** "Major.Minor.Patch". */
	FString ToString() const;
};

namespace UE::Core::Host
{
	/** Host only: makes Current() report another engine version, so tests can take the paths of older engines. */
	CORE_API void SetCurrentEngineVersion(const FEngineVersion& Version);
	/** Host only: Current() reports the version the headers describe again. */
	CORE_API void ResetCurrentEngineVersion();
}
