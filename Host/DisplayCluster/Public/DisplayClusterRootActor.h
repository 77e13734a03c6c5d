// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's DisplayClusterRootActor.h (nDisplay): the actor an nDisplay setup is placed as.
#pragma once

#include "CoreMinimal.h"
#include "GameFramework/Actor.h"
#include "UObject/ObjectPtr.h"

#include "DisplayClusterRootActor.generated.h"

class UDisplayClusterConfigurationData;
class USceneComponent;

/** The nDisplay root actor: a scene root plus the configuration it renders with. */
UCLASS()
class DISPLAYCLUSTER_API ADisplayClusterRootActor : public AActor
{
	GENERATED_BODY()

public:
	ADisplayClusterRootActor();

	/** The configuration the actor uses; an actor spawned from an nDisplay blueprint starts with its own copy. */
	UDisplayClusterConfigurationData* GetConfigData() const { return CurrentConfigData; }

	/** Copies ConfigDataTemplate into the actor's own configuration (made anew when bForceRecreate). Null is ignored. */
	void UpdateConfigDataInstance(UDisplayClusterConfigurationData* ConfigDataTemplate, bool bForceRecreate = false);
	/** Unconfirmed after 5.1 (5.3 has UpdateConfigDataInstance): same as UpdateConfigDataInstance(Config, true). */
	void InitializeFromConfig(UDisplayClusterConfigurationData* ConfigData);
	/** Same as UpdateConfigDataInstance(Config, false). */
	void OverrideFromConfig(UDisplayClusterConfigurationData* ConfigData);

	virtual void PostInitProperties() override;

	/** Host only: points the actor at Config itself rather than a copy (a blueprint's default actor shares its blueprint's). */
	void HostSetConfigData(UDisplayClusterConfigurationData* Config) { CurrentConfigData = Config; }

protected:
	UPROPERTY()
	TObjectPtr<USceneComponent> DefaultSceneRoot;

	UPROPERTY()
	TObjectPtr<UDisplayClusterConfigurationData> CurrentConfigData;
};
