// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GameFramework/Actor.h: objects placed in a level, made of components.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Engine/EngineTypes.h"
#include "Templates/Casts.h"
#include "Templates/SubclassOf.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "Actor.generated.h"

class UActorComponent;
class USceneComponent;
class UWorld;
struct FHitResult;

/** An object placed in a level; its components give it a transform and content. */
UCLASS()
class ENGINE_API AActor : public UObject
{
	GENERATED_BODY()

public:
	/** The world the actor's level belongs to; null for a default object or an actor outside a level. */
	UWorld* GetWorld() const;

	USceneComponent* GetRootComponent() const { return RootComponent; }
	/** Makes NewRootComponent the root; false if it is null or owned by another actor. */
	bool SetRootComponent(USceneComponent* NewRootComponent);

	/** The root component's world location, or zero without a root. */
	FVector GetActorLocation() const;
	FRotator GetActorRotation() const;
	/** Moves the root component to a world location; false without a root. */
	bool SetActorLocation(const FVector& NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	/** Moves the root component to a world location and rotation; false without a root. */
	bool SetActorLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	/** Takes the actor out of its world (UWorld::DestroyActor); false when it is in none. */
	bool Destroy(bool bNetForce = false, bool bShouldModifyLevel = true);

	/** The root component's world transform (location, rotation, scale), or identity without a root. */
	FTransform GetActorTransform() const;

	/**
	 * Attaches the root component to ParentActor's root; false if either has no root or the parent is this
	 * actor. Host: the relative transform is kept whatever the rules say.
	 */
	bool AttachToActor(AActor* ParentActor, const FAttachmentTransformRules& AttachmentRules, FName SocketName = NAME_None);
	/** The actor whose root component this actor's root is attached to; null if none. */
	AActor* GetAttachParentActor() const;

	/** Called when the actor is spawned and each time its construction scripts run again. */
	virtual void OnConstruction(const FTransform& Transform) {}
	/** Runs the actor's construction again, as the editor does after a property changes (host: OnConstruction). */
	virtual void RerunConstructionScripts();

	/**
	 * The box around the actor's primitive components with collision geometry (the colliding ones only when
	 * bOnlyCollidingComponents), as a centre and a half size; zero for both when there is none. Host: only
	 * components with a collision box have bounds, and there are no child actors to include.
	 */
	virtual void GetActorBounds(bool bOnlyCollidingComponents, FVector& Origin, FVector& BoxExtent, bool bIncludeFromChildActors = false) const;

#if WITH_EDITOR
	/**
	 * The label the editor shows; when there is none and bCreateIfNone, a default one is made and kept: the
	 * class name (without a blueprint class's "_C") followed by the number of the object's name, if it has one.
	 * Unconfirmed: the host reads the name's number from a trailing "_<digits>".
	 */
	const FString& GetActorLabel(bool bCreateIfNone = true) const;
	void SetActorLabel(const FString& NewActorLabel, bool bMarkDirty = true);
#endif

	/** Starts play: BeginPlay on the actor, which starts its components. Nothing happens when it has begun already. */
	void DispatchBeginPlay(bool bFromLevelStreaming = false);
	/** True once play has begun for the actor, until it ends. */
	bool HasActorBegunPlay() const { return bActorHasBegunPlay; }
	/** Ends play for the actor and its components if it has begun (EndPlay once). */
	void RouteEndPlay(const EEndPlayReason::Type EndPlayReason);
	/** Called when the actor stops playing; ends its components' play. Unconfirmed: public in the engine. */
	virtual void EndPlay(const EEndPlayReason::Type EndPlayReason);

	/** True once Destroy or the world's DestroyActor has begun taking the actor down. */
	bool IsActorBeingDestroyed() const { return bActorIsBeingDestroyed; }

	/** Every component the actor owns, in creation order. */
	void GetComponents(TArray<UActorComponent*>& OutComponents, bool bIncludeFromChildActors = false) const;
	/** The owned components that are T or derive from it, in creation order. */
	template <class T>
	void GetComponents(TArray<T*>& OutComponents, bool bIncludeFromChildActors = false) const
	{
		OutComponents.Reset();
		for (UActorComponent* Component : OwnedComponents)
		{
			if (Component && Component->IsA(T::StaticClass()))
			{
				OutComponents.Add(static_cast<T*>(Component));
			}
		}
	}
	/** The owned components of ComponentClass (every component for null). */
	TArray<UActorComponent*> K2_GetComponentsByClass(TSubclassOf<UActorComponent> ComponentClass) const;
	/** The first owned component that is T or derives from it; null if none. */
	template <class T>
	T* FindComponentByClass() const
	{
		TArray<T*> Found;
		GetComponents(Found);
		return Found.Num() > 0 ? Found[0] : nullptr;
	}

	/** Adds a component to the owned set (components made with the actor as outer add themselves). */
	void AddOwnedComponent(UActorComponent* Component);
	void RemoveOwnedComponent(UActorComponent* Component);

	/** The components made from the class's construction script when the actor was spawned. */
	UPROPERTY()
	TArray<TObjectPtr<UActorComponent>> BlueprintCreatedComponents;

protected:
	/** Called when play begins for the actor; starts its components. */
	virtual void BeginPlay();

	UPROPERTY()
	TObjectPtr<USceneComponent> RootComponent;

private:
	friend class UWorld;
	friend class UActorComponent;
	bool bActorIsBeingDestroyed = false;
	mutable FString ActorLabel;
	bool bActorHasBegunPlay = false;

	// Reflected so that garbage collection keeps the components with their actor.
	UPROPERTY(Transient)
	TArray<TObjectPtr<UActorComponent>> OwnedComponents;
};
