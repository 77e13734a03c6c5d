// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's DisplayClusterConfigurationTypes.h (nDisplay): an nDisplay configuration.
#pragma once

#include "CoreMinimal.h"
#include "DisplayClusterConfigurationTypes_ICVFX.h"
#include "UObject/Object.h"

#include "DisplayClusterConfigurationTypes.generated.h"

/** Where a configuration came from. */
USTRUCT()
struct DISPLAYCLUSTERCONFIGURATION_API FDisplayClusterConfigurationDataMetadata
{
	GENERATED_BODY()

	/** The file the configuration was imported from; empty when made in the editor. */
	UPROPERTY()
	FString ImportFilePath;
};

/** The general fields of a configuration file. */
USTRUCT()
struct DISPLAYCLUSTERCONFIGURATION_API FDisplayClusterConfigurationInfo
{
	GENERATED_BODY()

	UPROPERTY()
	FString Version;

	UPROPERTY()
	FString Description;

	UPROPERTY()
	FString AssetPath;
};

/**
 * A whole nDisplay configuration. Host: the cluster, scene and misc sections are kept as the JSON text they
 * were read from (the engine turns them into objects), so exporting writes back what was imported.
 */
UCLASS()
class DISPLAYCLUSTERCONFIGURATION_API UDisplayClusterConfigurationData : public UObject
{
	GENERATED_BODY()

public:
	/** Makes an empty configuration in Owner (the transient package when null). */
	static UDisplayClusterConfigurationData* CreateNewConfigData(UObject* Owner = nullptr, EObjectFlags ObjectFlags = RF_NoFlags);

	UPROPERTY()
	FDisplayClusterConfigurationDataMetadata Meta;

	UPROPERTY()
	FDisplayClusterConfigurationInfo Info;

	/** The stage-wide ICVFX settings, inner-frustum switches included. */
	UPROPERTY()
	FDisplayClusterConfigurationICVFX_StageSettings StageSettings;

	/** Host only: the "scene" section as compact JSON ("{}" when empty). */
	UPROPERTY()
	FString HostSceneJson = TEXT("{}");

	/** Host only: the "cluster" section as compact JSON. */
	UPROPERTY()
	FString HostClusterJson = TEXT("{}");

	/** Host only: the "misc" section as compact JSON. */
	UPROPERTY()
	FString HostMiscJson = TEXT("{}");
};
