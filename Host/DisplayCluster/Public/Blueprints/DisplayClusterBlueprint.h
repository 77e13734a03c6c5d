// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Blueprints/DisplayClusterBlueprint.h (nDisplay): the nDisplay configuration asset.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Blueprint.h"
#include "UObject/ObjectPtr.h"

#include "DisplayClusterBlueprint.generated.h"

class UDisplayClusterConfigurationData;

/** An nDisplay blueprint: an ADisplayClusterRootActor blueprint holding the cluster configuration. */
UCLASS()
class DISPLAYCLUSTER_API UDisplayClusterBlueprint : public UBlueprint
{
	GENERATED_BODY()

public:
	/** The configuration: the one the generated class's default actor uses once compiled. */
	UDisplayClusterConfigurationData* GetConfig() const;
	/** Same as GetConfig (the 5.1 name). */
	UDisplayClusterConfigurationData* GetOrLoadConfig() { return GetConfig(); }
	/** Sets the configuration; the next compile hands it to the default actor. */
	void SetConfigData(UDisplayClusterConfigurationData* InConfigData, bool bForceRecreate = false);
	/** Readies the configuration for export: records the asset path and keeps the exported text in ConfigExport. */
	void PrepareConfigForExport();

	/** The text of the last export preparation. */
	UPROPERTY()
	FString ConfigExport;

	virtual void HostPostCompile() override;

protected:
	UPROPERTY()
	TObjectPtr<UDisplayClusterConfigurationData> ConfigData;
};
