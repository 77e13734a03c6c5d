// Copyright Kelmora. All Rights Reserved.
#include "Engine/World.h"
#include "GameFramework/GameModeBase.h"
#include "GameFramework/Pawn.h"
#include "GameFramework/PlayerController.h"
#include "Templates/Casts.h"

#include "Components/SceneComponent.h"
#include "Engine/Blueprint.h"
#include "Engine/Level.h"
#include "GameFramework/Actor.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/Package.h"

DEFINE_LOG_CATEGORY_STATIC(LogSpawn, Log, All);

UWorld* UWorld::CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName, UPackage* InWorldPackage, bool bAddToRoot)
{
	UPackage* Package = InWorldPackage;
	if (!Package)
	{
		Package = CreatePackage(*MakeUniqueObjectName(nullptr, UPackage::StaticClass(), FName(TEXT("/Temp/Untitled"))).ToString());
		Package->SetFlags(RF_Transient);
	}
	UWorld* World = NewObject<UWorld>(Package, WorldName.IsNone() ? FName(TEXT("Untitled")) : WorldName, RF_Transactional);
	if (!World)
	{
		return nullptr;
	}
	World->WorldType = InWorldType;
	World->PersistentLevel = NewObject<ULevel>(World, FName(TEXT("PersistentLevel")), RF_Transactional);
	if (bAddToRoot)
	{
		World->AddToRoot();
	}
	return World;
}

AActor* UWorld::SpawnActor(UClass* Class, const FVector* Location, const FRotator* Rotation, const FActorSpawnParameters& SpawnParameters)
{
	if (!Class || !Class->IsChildOf(AActor::StaticClass()) || Class->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogSpawn, Warning, TEXT("SpawnActor failed because %s is not a concrete actor class"), Class ? *Class->GetName() : TEXT("no class"));
		return nullptr;
	}
	ULevel* Level = SpawnParameters.OverrideLevel ? SpawnParameters.OverrideLevel : PersistentLevel.Get();
	if (!Level)
	{
		UE_LOG(LogSpawn, Warning, TEXT("SpawnActor failed because the world has no level"));
		return nullptr;
	}
	if (!SpawnParameters.Name.IsNone() && StaticFindObjectFast(nullptr, Level, SpawnParameters.Name))
	{
		// The engine stops the process here; the host refuses instead.
		UE_LOG(LogSpawn, Error, TEXT("SpawnActor failed because an object named %s already exists in %s"), *SpawnParameters.Name.ToString(), *Level->GetPathName());
		return nullptr;
	}
	AActor* Actor = NewObject<AActor>(Level, Class, SpawnParameters.Name, SpawnParameters.ObjectFlags);
	if (!Actor)
	{
		return nullptr;
	}

	// The construction scripts of the blueprint classes in the chain, the most basic first.
	TArray<UBlueprint*> Blueprints;
	for (UClass* Chain = Class; Chain; Chain = Chain->GetSuperClass())
	{
		if (UBlueprint* Blueprint = Cast<UBlueprint>(Chain->ClassGeneratedBy))
		{
			Blueprints.Insert(Blueprint, 0);
		}
	}
	for (UBlueprint* Blueprint : Blueprints)
	{
		TArray<UActorComponent*> Created;
		for (int32 Index = 0; Index < Blueprint->HostCompiledTemplates.Num(); ++Index)
		{
			UActorComponent* Template = Blueprint->HostCompiledTemplates[Index];
			UActorComponent* Component = nullptr;
			if (Template)
			{
				FName Name = Blueprint->HostCompiledVariableNames[Index];
				if (Name.IsNone() || StaticFindObjectFast(nullptr, Actor, Name))
				{
					Name = MakeUniqueObjectName(Actor, Template->GetClass(), Name);
				}
				Component = NewObject<UActorComponent>(Actor, Template->GetClass(), Name, RF_Transactional, Template);
			}
			Created.Add(Component);
			if (!Component)
			{
				continue;
			}
			Actor->BlueprintCreatedComponents.Add(Component);
			if (USceneComponent* SceneComponent = Cast<USceneComponent>(Component))
			{
				const int32 ParentIndex = Blueprint->HostCompiledParents[Index];
				USceneComponent* Parent = ParentIndex != INDEX_NONE ? Cast<USceneComponent>(Created[ParentIndex]) : Actor->GetRootComponent();
				if (!Actor->GetRootComponent())
				{
					Actor->SetRootComponent(SceneComponent);
				}
				else if (Parent)
				{
					SceneComponent->AttachToComponent(Parent, FAttachmentTransformRules::KeepRelativeTransform);
				}
			}
		}
	}
	if (USceneComponent* Root = Actor->GetRootComponent())
	{
		if (Location)
		{
			Root->SetRelativeLocation(*Location);
		}
		if (Rotation)
		{
			Root->SetRelativeRotation(*Rotation);
		}
	}
	Level->Actors.Add(Actor);
	Actor->OnConstruction(Actor->GetActorTransform());
	if (bBegunPlay)
	{
		Actor->DispatchBeginPlay();
	}
	return Actor;
}

bool UWorld::DestroyActor(AActor* Actor, bool bNetForce, bool bShouldModifyLevel)
{
	if (!Actor || !PersistentLevel || !PersistentLevel->Actors.Contains(Actor))
	{
		return false;
	}
	Actor->bActorIsBeingDestroyed = true;
	Actor->RouteEndPlay(EEndPlayReason::Destroyed);
	PersistentLevel->Actors.Remove(Actor);
	TArray<UActorComponent*> Components;
	Actor->GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		Component->MarkAsGarbage();
	}
	Actor->MarkAsGarbage();
	return true;
}

UWorld* UWorldSubsystem::GetWorld() const
{
	return Cast<UWorld>(GetOuter());
}

UWorldSubsystem* UWorld::GetSubsystemBase(TSubclassOf<UWorldSubsystem> SubsystemClass) const
{
	UClass* Class = SubsystemClass.Get();
	if (!Class || Class->HasAnyClassFlags(CLASS_Abstract) || !Class->IsChildOf(UWorldSubsystem::StaticClass()))
	{
		return nullptr;
	}
	for (UWorldSubsystem* Existing : HostSubsystems)
	{
		if (Existing && Existing->GetClass() == Class)
		{
			return Existing;
		}
	}
	UWorldSubsystem* Made = static_cast<UWorldSubsystem*>(NewObject<UObject>(const_cast<UWorld*>(this), Class));
	HostSubsystems.Add(Made);
	Made->Initialize();
	return Made;
}

void UWorld::Tick(ELevelTick TickType, float DeltaSeconds)
{
	if (!bBegunPlay || !PersistentLevel)
	{
		return;
	}
	// The components that tick this frame, gathered first: a tick may spawn or destroy actors.
	TArray<UActorComponent*> Ticking;
	for (AActor* Actor : PersistentLevel->Actors)
	{
		if (!IsValid(Actor) || !Actor->HasActorBegunPlay())
		{
			continue;
		}
		TArray<UActorComponent*> Components;
		Actor->GetComponents(Components);
		for (UActorComponent* Component : Components)
		{
			if (IsValid(Component) && Component->HasBegunPlay() && Component->PrimaryComponentTick.bCanEverTick)
			{
				Ticking.Add(Component);
			}
		}
	}
	for (int32 Group = TG_PrePhysics; Group < TG_MAX; ++Group)
	{
		for (UActorComponent* Component : Ticking)
		{
			FActorComponentTickFunction& TickFunction = Component->PrimaryComponentTick;
			if (TickFunction.TickGroup == Group && IsValid(Component) && Component->HasBegunPlay() && TickFunction.IsTickFunctionEnabled())
			{
				Component->TickComponent(DeltaSeconds, TickType, &TickFunction);
			}
		}
	}
}

AGameModeBase::AGameModeBase()
{
	DefaultPawnClass = APawn::StaticClass();
	PlayerControllerClass = APlayerController::StaticClass();
}
