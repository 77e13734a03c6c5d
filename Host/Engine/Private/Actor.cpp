// Copyright Kelmora. All Rights Reserved.
#include "GameFramework/Actor.h"
#include "Templates/Casts.h"

#include "Camera/CameraActor.h"
#include "Camera/CameraComponent.h"
#include "Components/ActorComponent.h"
#include "Components/SceneComponent.h"
#include "Components/StaticMeshComponent.h"
#include "Engine/Engine.h"
#include "Engine/Level.h"
#include "Engine/World.h"

UEngine* GEngine = nullptr;

FAttachmentTransformRules FAttachmentTransformRules::KeepRelativeTransform(EAttachmentRule::KeepRelative, false);
FAttachmentTransformRules FAttachmentTransformRules::KeepWorldTransform(EAttachmentRule::KeepWorld, false);
FAttachmentTransformRules FAttachmentTransformRules::SnapToTargetNotIncludingScale(EAttachmentRule::SnapToTarget, false);
FAttachmentTransformRules FAttachmentTransformRules::SnapToTargetIncludingScale(EAttachmentRule::SnapToTarget, false);

AActor* UActorComponent::GetOwner() const
{
	for (UObject* Outer = GetOuter(); Outer; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(AActor::StaticClass()))
		{
			return static_cast<AActor*>(Outer);
		}
	}
	return nullptr;
}

UWorld* UActorComponent::GetWorld() const
{
	const AActor* Owner = GetOwner();
	return Owner ? Owner->GetWorld() : nullptr;
}

void UActorComponent::PostInitProperties()
{
	Super::PostInitProperties();
	if (AActor* Owner = GetOuter() && GetOuter()->IsA(AActor::StaticClass()) ? static_cast<AActor*>(GetOuter()) : nullptr)
	{
		Owner->AddOwnedComponent(this);
	}
}

USceneComponent::USceneComponent() = default;

void USceneComponent::SetRelativeLocation(FVector NewLocation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	RelativeLocation = NewLocation;
}

void USceneComponent::SetRelativeRotation(FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	RelativeRotation = NewRotation;
}

void USceneComponent::SetRelativeScale3D(FVector NewScale3D)
{
	RelativeScale3D = NewScale3D;
}

bool USceneComponent::AttachToComponent(USceneComponent* Parent, const FAttachmentTransformRules& AttachmentRules, FName SocketName)
{
	for (const USceneComponent* Ancestor = Parent; Ancestor; Ancestor = Ancestor->AttachParent)
	{
		if (Ancestor == this)
		{
			return false;
		}
	}
	if (!Parent)
	{
		return false;
	}
	if (AttachParent)
	{
		AttachParent->AttachChildren.Remove(this);
	}
	AttachParent = Parent;
	Parent->AttachChildren.AddUnique(this);
	return true;
}

bool UStaticMeshComponent::SetStaticMesh(UStaticMesh* NewMesh)
{
	if (StaticMesh == NewMesh)
	{
		return false;
	}
	StaticMesh = NewMesh;
	return true;
}

ACameraActor::ACameraActor()
	: ACameraActor(UCameraComponent::StaticClass())
{
}

ACameraActor::ACameraActor(UClass* CameraComponentClass)
{
	const EObjectFlags SubobjectFlags = RF_DefaultSubObject | (HasAnyFlags(RF_ClassDefaultObject | RF_ArchetypeObject) ? RF_ArchetypeObject : RF_NoFlags);
	CameraComponent = NewObject<UCameraComponent>(this, CameraComponentClass, TEXT("CameraComponent"), SubobjectFlags);
	RootComponent = CameraComponent;
}

UWorld* AActor::GetWorld() const
{
	const UObject* Level = GetOuter();
	UObject* World = Level && Level->IsA(ULevel::StaticClass()) ? Level->GetOuter() : nullptr;
	return World && World->IsA(UWorld::StaticClass()) ? static_cast<UWorld*>(World) : nullptr;
}

bool AActor::SetRootComponent(USceneComponent* NewRootComponent)
{
	if (!NewRootComponent || NewRootComponent->GetOwner() != this)
	{
		return false;
	}
	RootComponent = NewRootComponent;
	return true;
}

FVector AActor::GetActorLocation() const
{
	return RootComponent ? RootComponent->GetRelativeLocation() : FVector::ZeroVector;
}

FRotator AActor::GetActorRotation() const
{
	return RootComponent ? RootComponent->GetRelativeRotation() : FRotator::ZeroRotator;
}

bool AActor::SetActorLocation(const FVector& NewLocation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	RootComponent->SetRelativeLocation(NewLocation);
	return true;
}

void AActor::GetComponents(TArray<UActorComponent*>& OutComponents, bool bIncludeFromChildActors) const
{
	GetComponents<UActorComponent>(OutComponents, bIncludeFromChildActors);
}

TArray<UActorComponent*> AActor::K2_GetComponentsByClass(TSubclassOf<UActorComponent> ComponentClass) const
{
	TArray<UActorComponent*> Components;
	UClass* Class = ComponentClass.Get();
	for (UActorComponent* Component : OwnedComponents)
	{
		if (Component && (!Class || Component->IsA(Class)))
		{
			Components.Add(Component);
		}
	}
	return Components;
}

void AActor::AddOwnedComponent(UActorComponent* Component)
{
	if (Component && !OwnedComponents.Contains(Component))
	{
		OwnedComponents.Add(Component);
	}
}

void AActor::RemoveOwnedComponent(UActorComponent* Component)
{
	OwnedComponents.Remove(Component);
}

void UEngine::AddOnScreenDebugMessage(uint64 Key, float TimeToDisplay, FColor DisplayColor, const FString& DebugMessage, bool bNewerOnTop, const FVector2D& TextScale)
{
	HostOnScreenMessages.Add(FHostOnScreenMessage{int64(Key), TimeToDisplay, DisplayColor, DebugMessage, bNewerOnTop, TextScale});
}

void UEngine::AddOnScreenDebugMessage(int32 Key, float TimeToDisplay, FColor DisplayColor, const FString& DebugMessage, bool bNewerOnTop, const FVector2D& TextScale)
{
	HostOnScreenMessages.Add(FHostOnScreenMessage{int64(Key), TimeToDisplay, DisplayColor, DebugMessage, bNewerOnTop, TextScale});
}

FTransform AActor::GetActorTransform() const
{
	if (!RootComponent)
	{
		return FTransform();
	}
	return FTransform(RootComponent->GetRelativeRotation().Quaternion(), RootComponent->GetRelativeLocation(), RootComponent->GetRelativeScale3D());
}

bool AActor::AttachToActor(AActor* ParentActor, const FAttachmentTransformRules& AttachmentRules, FName SocketName)
{
	if (!ParentActor || ParentActor == this || !RootComponent || !ParentActor->GetRootComponent())
	{
		return false;
	}
	return RootComponent->AttachToComponent(ParentActor->GetRootComponent(), AttachmentRules, SocketName);
}

AActor* AActor::GetAttachParentActor() const
{
	const USceneComponent* Parent = RootComponent ? RootComponent->GetAttachParent() : nullptr;
	return Parent ? Parent->GetOwner() : nullptr;
}

void AActor::RerunConstructionScripts()
{
	OnConstruction(GetActorTransform());
}
