// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/ActorComponent.h: the base of the components an actor owns.
#pragma once

#include "CoreMinimal.h"
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

private:
	bool bHasBegunPlay = false;
};
