// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/ActorComponent.h: the base of the components an actor owns.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "UObject/Object.h"

#include "ActorComponent.generated.h"

class AActor;
class UWorld;

/** A reusable part of an actor. The host keeps no ticking or registration with a scene. */
UCLASS(Abstract)
class ENGINE_API UActorComponent : public UObject
{
	GENERATED_BODY()

public:
	/** The actor this component belongs to (its nearest actor outer); null for a template. */
	AActor* GetOwner() const;
	/** The owner's world; null for a template. */
	UWorld* GetWorld() const;

	virtual void PostInitProperties() override;

	/** Called when the owner begins play (once per component). */
	virtual void BeginPlay();
	/** Called when the owner stops playing. */
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason);
	/** True between BeginPlay and EndPlay. */
	bool HasBegunPlay() const { return bHasBegunPlay; }

	/**
	 * Called every frame while the component plays and its tick is enabled, in the order of the tick groups.
	 * Host: only play worlds tick, from the editor's tick.
	 */
	virtual void TickComponent(float DeltaTime, enum ELevelTick TickType, FActorComponentTickFunction* ThisTickFunction) {}
	/** Enables or disables the component's tick (only for components that can ever tick). */
	void SetComponentTickEnabled(bool bEnabled);
	/** True when the component's tick is enabled. */
	bool IsComponentTickEnabled() const { return PrimaryComponentTick.IsTickFunctionEnabled(); }

	/** The component's tick settings; set in the constructor. */
	FActorComponentTickFunction PrimaryComponentTick;

private:
	bool bHasBegunPlay = false;
};
