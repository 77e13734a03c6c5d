// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/SceneComponent.h: components with a transform and attachment.
#pragma once

#include "CoreMinimal.h"
#include "Components/ActorComponent.h"
#include "Engine/EngineTypes.h"
#include "UObject/ObjectPtr.h"

#include "SceneComponent.generated.h"

struct FHitResult;

/** A component with a transform relative to its attach parent. The host does no physics or rendering. */
UCLASS()
class ENGINE_API USceneComponent : public UActorComponent
{
	GENERATED_BODY()

public:
	USceneComponent();

	void SetRelativeLocation(FVector NewLocation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetRelativeRotation(FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	void SetRelativeScale3D(FVector NewScale3D);
	FVector GetRelativeLocation() const { return RelativeLocation; }
	FRotator GetRelativeRotation() const { return RelativeRotation; }
	FVector GetRelativeScale3D() const { return RelativeScale3D; }

	/** Moves the component so that its world location and rotation are these (scale unchanged). */
	void SetWorldLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);
	/** Moves the component so that its world transform is this one. */
	void SetWorldTransform(const FTransform& NewTransform, bool bSweep = false, FHitResult* OutSweepHitResult = nullptr, ETeleportType Teleport = ETeleportType::None);

	/** The world transform: the relative transform composed with the attach parents' world transforms. */
	FTransform GetComponentTransform() const;
	FVector GetComponentLocation() const { return GetComponentTransform().GetLocation(); }
	FRotator GetComponentRotation() const { return GetComponentTransform().Rotator(); }
	FQuat GetComponentQuat() const { return GetComponentTransform().GetRotation(); }
	FVector GetComponentScale() const { return GetComponentTransform().GetScale3D(); }
	/** The world X, Y and Z axes of the component, unit length. */
	FVector GetForwardVector() const { return GetComponentQuat().RotateVector(FVector(1.0, 0.0, 0.0)); }
	FVector GetRightVector() const { return GetComponentQuat().RotateVector(FVector(0.0, 1.0, 0.0)); }
	FVector GetUpVector() const { return GetComponentQuat().RotateVector(FVector(0.0, 0.0, 1.0)); }

	/**
	 * Attaches this component to Parent (host: the relative transform is kept whatever the rules say).
	 * False when Parent is null, this component, or attached below this component.
	 */
	bool AttachToComponent(USceneComponent* Parent, const FAttachmentTransformRules& AttachmentRules, FName SocketName = NAME_None);
	USceneComponent* GetAttachParent() const { return AttachParent; }
	const TArray<TObjectPtr<USceneComponent>>& GetAttachChildren() const { return AttachChildren; }

protected:
	/** Leaves the attach parent. */
	void OnComponentDestroyed(bool bDestroyingHierarchy) override;

private:
	UPROPERTY()
	FVector RelativeLocation = FVector::ZeroVector;

	UPROPERTY()
	FRotator RelativeRotation = FRotator::ZeroRotator;

	UPROPERTY()
	FVector RelativeScale3D = FVector::OneVector;

	UPROPERTY()
	TObjectPtr<USceneComponent> AttachParent;

	UPROPERTY(Transient)
	TArray<TObjectPtr<USceneComponent>> AttachChildren;
};
