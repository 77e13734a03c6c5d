// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's LiveLinkInterface/Public/LiveLinkPresetTypes.h.
#pragma once

#include "CoreMinimal.h"
#include "LiveLinkRole.h"
#include "LiveLinkSourceSettings.h"
#include "LiveLinkTypes.h"
#include "Templates/SubclassOf.h"
#include "UObject/ObjectPtr.h"

#include "LiveLinkPresetTypes.generated.h"

/** A source as saved in a preset. */
USTRUCT()
struct FLiveLinkSourcePreset
{
	GENERATED_BODY()

	// Host: not reflected (no reflection for core structs).
	FGuid Guid;

	/** A copy of the source's settings, owned by the preset. */
	UPROPERTY(VisibleAnywhere, Instanced, Category = "LiveLinkSourcePresets")
	TObjectPtr<ULiveLinkSourceSettings> Settings;

	/** The source's type when the preset was made. */
	UPROPERTY(VisibleAnywhere, Category = "LiveLinkSourcePresets")
	FText SourceType;
};

/** A subject as saved in a preset. */
USTRUCT()
struct FLiveLinkSubjectPreset
{
	GENERATED_BODY()

	UPROPERTY(VisibleAnywhere, Category = "LiveLinkSubjectPresets")
	FLiveLinkSubjectKey Key;

	UPROPERTY(VisibleAnywhere, Category = "LiveLinkSubjectPresets")
	TSubclassOf<ULiveLinkRole> Role;

	/** A copy of the subject's settings, owned by the preset. */
	UPROPERTY(VisibleAnywhere, Instanced, Category = "LiveLinkSubjectPresets")
	TObjectPtr<UObject> Settings;

	UPROPERTY(VisibleAnywhere, Category = "LiveLinkSubjectPresets")
	bool bEnabled = false;
};
