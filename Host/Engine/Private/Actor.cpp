// Copyright Kelmora. All Rights Reserved.
#include "GameFramework/Actor.h"
#include "Templates/Casts.h"

#include "Camera/CameraActor.h"
#include "Camera/CameraComponent.h"
#include "Components/ActorComponent.h"
#include "Components/BoxComponent.h"
#include "Components/PrimitiveComponent.h"
#include "Components/SceneComponent.h"
#include "Components/ShapeComponent.h"
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

void UActorComponent::RegisterComponent()
{
	// The engine ensures the owner is in a world and leaves the component unregistered otherwise.
	ensureMsgf(GetWorld() != nullptr, TEXT("RegisterComponent: %s has no owner in a world"), *GetName());
	bRegistered = GetWorld() != nullptr;
}

void UActorComponent::DestroyComponent(bool bPromoteChildren)
{
	if (!IsValid(this))
	{
		return;
	}
	bRegistered = false;
	if (AActor* Owner = GetOwner())
	{
		Owner->RemoveOwnedComponent(this);
		if (Owner->GetRootComponent() == this)
		{
			Owner->RootComponent = nullptr;
		}
	}
	OnComponentDestroyed(true);
	MarkAsGarbage();
}

USceneComponent::USceneComponent() = default;

void USceneComponent::OnComponentDestroyed(bool bDestroyingHierarchy)
{
	if (AttachParent)
	{
		AttachParent->AttachChildren.Remove(this);
		AttachParent = nullptr;
	}
}

void USceneComponent::SetWorldLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	SetWorldTransform(FTransform(NewRotation.Quaternion(), NewLocation, GetComponentScale()), bSweep, OutSweepHitResult, Teleport);
}

void USceneComponent::SetWorldTransform(const FTransform& NewTransform, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!AttachParent)
	{
		RelativeLocation = NewTransform.GetLocation();
		RelativeRotation = NewTransform.Rotator();
		RelativeScale3D = NewTransform.GetScale3D();
		return;
	}
	const FTransform Parent = AttachParent->GetComponentTransform();
	const FVector ParentScale = Parent.GetScale3D();
	auto Divide = [](double Value, double By)
	{ return By != 0.0 ? Value / By : 0.0; };
	const FVector Local = Parent.GetRotation().UnrotateVector(NewTransform.GetLocation() - Parent.GetLocation());
	RelativeLocation = FVector(Divide(Local.X, ParentScale.X), Divide(Local.Y, ParentScale.Y), Divide(Local.Z, ParentScale.Z));
	RelativeRotation = (Parent.GetRotation().Inverse() * NewTransform.GetRotation()).Rotator();
	const FVector Scale = NewTransform.GetScale3D();
	RelativeScale3D = FVector(Divide(Scale.X, ParentScale.X), Divide(Scale.Y, ParentScale.Y), Divide(Scale.Z, ParentScale.Z));
}

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

FTransform USceneComponent::GetComponentTransform() const
{
	const FTransform Relative(RelativeRotation.Quaternion(), RelativeLocation, RelativeScale3D);
	if (!AttachParent)
	{
		return Relative;
	}
	const FTransform Parent = AttachParent->GetComponentTransform();
	return FTransform(Parent.GetRotation() * Relative.GetRotation(), Parent.TransformPosition(RelativeLocation), Parent.GetScale3D() * RelativeScale3D);
}

UPrimitiveComponent::UPrimitiveComponent()
	: bRenderCustomDepth(false)
{
	SetCollisionResponseToAllChannels(ECR_Block);
}

void UPrimitiveComponent::SetRenderCustomDepth(bool bValue)
{
	bRenderCustomDepth = bValue;
}

void UPrimitiveComponent::SetCustomDepthStencilValue(int32 Value)
{
	CustomDepthStencilValue = FMath::Clamp(Value, 0, 255);
}

void UPrimitiveComponent::SetCollisionEnabled(ECollisionEnabled::Type NewType)
{
	CollisionEnabled = NewType;
}

void UPrimitiveComponent::SetCollisionResponseToChannel(ECollisionChannel Channel, ECollisionResponse NewResponse)
{
	if (int32(Channel) >= 0 && int32(Channel) < ECC_MAX && int32(NewResponse) >= 0 && int32(NewResponse) < ECR_MAX)
	{
		CollisionResponses[Channel] = uint8(NewResponse);
	}
}

void UPrimitiveComponent::SetCollisionResponseToAllChannels(ECollisionResponse NewResponse)
{
	for (int32 Channel = 0; Channel < ECC_MAX; ++Channel)
	{
		SetCollisionResponseToChannel(ECollisionChannel(Channel), NewResponse);
	}
}

ECollisionResponse UPrimitiveComponent::GetCollisionResponseToChannel(ECollisionChannel Channel) const
{
	return int32(Channel) >= 0 && int32(Channel) < ECC_MAX ? ECollisionResponse(CollisionResponses[Channel]) : ECR_Ignore;
}

UShapeComponent::UShapeComponent()
{
	// The engine's "OverlapAllDynamic" profile: shapes are triggers unless told to block.
	SetCollisionEnabled(ECollisionEnabled::QueryOnly);
	SetCollisionResponseToAllChannels(ECR_Overlap);
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
	return RootComponent ? RootComponent->GetComponentLocation() : FVector::ZeroVector;
}

FRotator AActor::GetActorRotation() const
{
	return RootComponent ? RootComponent->GetComponentRotation() : FRotator::ZeroRotator;
}

bool AActor::SetActorLocation(const FVector& NewLocation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	FVector Relative = NewLocation;
	if (const USceneComponent* Parent = RootComponent->GetAttachParent())
	{
		const FTransform ParentTransform = Parent->GetComponentTransform();
		const FVector Scale = ParentTransform.GetScale3D();
		const FVector Local = ParentTransform.GetRotation().UnrotateVector(NewLocation - ParentTransform.GetLocation());
		Relative = FVector(Scale.X != 0.0 ? Local.X / Scale.X : 0.0, Scale.Y != 0.0 ? Local.Y / Scale.Y : 0.0, Scale.Z != 0.0 ? Local.Z / Scale.Z : 0.0);
	}
	RootComponent->SetRelativeLocation(Relative);
	return true;
}

bool AActor::SetActorLocationAndRotation(FVector NewLocation, FRotator NewRotation, bool bSweep, FHitResult* OutSweepHitResult, ETeleportType Teleport)
{
	if (!RootComponent)
	{
		return false;
	}
	RootComponent->SetWorldLocationAndRotation(NewLocation, NewRotation, bSweep, OutSweepHitResult, Teleport);
	return true;
}

const FString& AActor::GetActorLabel(bool bCreateIfNone) const
{
	if (ActorLabel.IsEmpty() && bCreateIfNone)
	{
		FString Label = GetClass()->GetName();
		if (GetClass()->HasAnyClassFlags(CLASS_CompiledFromBlueprint))
		{
			Label.RemoveFromEnd(TEXT("_C"), ESearchCase::CaseSensitive);
		}
		const FString Name = GetName();
		int32 Underscore = INDEX_NONE;
		if (Name.FindLastChar(TEXT('_'), Underscore) && Underscore + 1 < Name.Len())
		{
			const FString Digits = Name.Mid(Underscore + 1);
			bool bNumber = Digits.Len() <= 9 && (Digits == TEXT("0") || Digits[0] != TEXT('0'));
			for (int32 Index = 0; bNumber && Index < Digits.Len(); ++Index)
			{
				bNumber = Digits[Index] >= TEXT('0') && Digits[Index] <= TEXT('9');
			}
			if (bNumber)
			{
				Label += Digits;
			}
		}
		ActorLabel = Label;
	}
	return ActorLabel;
}

void AActor::SetActorLabel(const FString& NewActorLabel, bool bMarkDirty)
{
	ActorLabel = NewActorLabel;
}

bool AActor::Destroy(bool bNetForce, bool bShouldModifyLevel)
{
	if (bActorIsBeingDestroyed)
	{
		return true;
	}
	UWorld* World = GetWorld();
	return World && World->DestroyActor(this, bNetForce, bShouldModifyLevel);
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
	return RootComponent ? RootComponent->GetComponentTransform() : FTransform();
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

void UActorComponent::BeginPlay()
{
	// Host: beginning play stands for registering the tick function, which starts enabled as the settings say.
	if (PrimaryComponentTick.bCanEverTick)
	{
		PrimaryComponentTick.HostRegister();
	}
	bHasBegunPlay = true;
}

void UActorComponent::SetComponentTickEnabled(bool bEnabled)
{
	if (PrimaryComponentTick.bCanEverTick && !IsTemplate())
	{
		PrimaryComponentTick.SetTickFunctionEnable(bEnabled);
	}
}

void UActorComponent::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	bHasBegunPlay = false;
}

void AActor::DispatchBeginPlay(bool bFromLevelStreaming)
{
	if (!bActorHasBegunPlay && GetWorld())
	{
		bActorHasBegunPlay = true;
		BeginPlay();
	}
}

void AActor::BeginPlay()
{
	// A component's BeginPlay may add components: walk the list as it is now.
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (IsValid(Component) && !Component->HasBegunPlay())
		{
			Component->BeginPlay();
		}
	}
}

void AActor::RouteEndPlay(const EEndPlayReason::Type EndPlayReason)
{
	if (bActorHasBegunPlay)
	{
		EndPlay(EndPlayReason);
		bActorHasBegunPlay = false;
	}
}

void AActor::EndPlay(const EEndPlayReason::Type EndPlayReason)
{
	TArray<UActorComponent*> Components;
	GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (IsValid(Component) && Component->HasBegunPlay())
		{
			Component->EndPlay(EndPlayReason);
		}
	}
}

void AActor::RerunConstructionScripts()
{
	OnConstruction(GetActorTransform());
}

void AActor::GetActorBounds(bool bOnlyCollidingComponents, FVector& Origin, FVector& BoxExtent, bool bIncludeFromChildActors) const
{
	bool bAny = false;
	FVector Min;
	FVector Max;
	TArray<UPrimitiveComponent*> Primitives;
	GetComponents(Primitives);
	for (const UPrimitiveComponent* Primitive : Primitives)
	{
		FVector Extent;
		if (!IsValid(Primitive) || !Primitive->HostGetCollisionBox(Extent))
		{
			continue;
		}
		if (bOnlyCollidingComponents && Primitive->GetCollisionEnabled() == ECollisionEnabled::NoCollision)
		{
			continue;
		}
		// The axis-aligned box around the component's oriented, scaled box.
		const FTransform Transform = Primitive->GetComponentTransform();
		for (int32 Corner = 0; Corner < 8; ++Corner)
		{
			const FVector Local((Corner & 1) ? Extent.X : -Extent.X, (Corner & 2) ? Extent.Y : -Extent.Y, (Corner & 4) ? Extent.Z : -Extent.Z);
			const FVector World = Transform.TransformPosition(Local);
			Min = bAny ? FVector(FMath::Min(Min.X, World.X), FMath::Min(Min.Y, World.Y), FMath::Min(Min.Z, World.Z)) : World;
			Max = bAny ? FVector(FMath::Max(Max.X, World.X), FMath::Max(Max.Y, World.Y), FMath::Max(Max.Z, World.Z)) : World;
			bAny = true;
		}
	}
	Origin = bAny ? (Min + Max) * 0.5 : FVector::ZeroVector;
	BoxExtent = bAny ? (Max - Min) * 0.5 : FVector::ZeroVector;
}
