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

	/** Registers the component with its owner's world; the owner must be in a world (ensured by the engine). */
	void RegisterComponent();
	/** True between RegisterComponent and the component's destruction. */
	bool IsRegistered() const { return bRegistered; }
	/** Unregisters the component, takes it from its owner (and from its attach parent) and marks it for destruction. Unconfirmed: the engine also detaches children, which the host does not. */
	virtual void DestroyComponent(bool bPromoteChildren = false);

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

protected:
	/** Called by DestroyComponent once the component has left its owner. */
	virtual void OnComponentDestroyed(bool bDestroyingHierarchy) {}

private:
	bool bRegistered = false;
	bool bHasBegunPlay = false;
};
