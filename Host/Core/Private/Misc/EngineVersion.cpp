// Copyright Kelmora. All Rights Reserved.
#include "Misc/EngineVersion.h"

#include "Runtime/Launch/Resources/Version.h"

namespace
{
	FEngineVersion& CurrentVersion()
	{
		static FEngineVersion Version(ENGINE_MAJOR_VERSION, ENGINE_MINOR_VERSION, ENGINE_PATCH_VERSION);
		return Version;
	}
}

const FEngineVersion& FEngineVersion::Current()
{
	return CurrentVersion();
}

FString FEngineVersion::ToString() const
{
	return FString::Printf(TEXT("%u.%u.%u"), unsigned(Major), unsigned(Minor), unsigned(Patch));
}

namespace UE::Core::Host
{
	void SetCurrentEngineVersion(const FEngineVersion& Version)
	{
		CurrentVersion() = Version;
	}

	void ResetCurrentEngineVersion()
	{
		CurrentVersion() = FEngineVersion(ENGINE_MAJOR_VERSION, ENGINE_MINOR_VERSION, ENGINE_PATCH_VERSION);
	}
}
