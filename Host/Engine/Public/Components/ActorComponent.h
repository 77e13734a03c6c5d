// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/ActorComponent.h: the base of the components an actor owns.
#pragma once

#include "CoreMinimal.h"
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

protected:
	/** Called by DestroyComponent once the component has left its owner. */
	virtual void OnComponentDestroyed(bool bDestroyingHierarchy) {}

private:
	bool bRegistered = false;
};
