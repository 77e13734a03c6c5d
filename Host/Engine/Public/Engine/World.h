// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/World.h: worlds, their type, spawning actors, line traces and GWorld.
#pragma once

#include "CoreMinimal.h"
#include "Templates/SubclassOf.h"
#include "CollisionQueryParams.h"
#include "Containers/EnumAsByte.h"
#include "Engine/EngineBaseTypes.h"
#include "Engine/EngineTypes.h"
#include "Engine/HitResult.h"
#include "GameFramework/Actor.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "World.generated.h"

class AActor;
class UGameInstance;
class ULevel;
class UWorldSubsystem;

/** What a world is for. */
namespace EWorldType
{
	enum Type
	{
		None,
		Game,
		Editor,
		PIE,
		EditorPreview,
		GamePreview,
		GameRPC,
		Inactive
	};
}

/** What SpawnActor does when the actor would overlap something (the host has no collision, so it always spawns). */
enum class ESpawnActorCollisionHandlingMethod : uint8
{
	Undefined,
	AlwaysSpawn,
	AdjustIfPossibleButAlwaysSpawn,
	AdjustIfPossibleButDontSpawnIfColliding,
	DontSpawnIfColliding
};

/** Options for UWorld::SpawnActor. */
struct FActorSpawnParameters
{
	/** The actor's name; NAME_None makes a unique one from the class name. */
	FName Name;
	AActor* Template = nullptr;
	AActor* Owner = nullptr;
	/** The level to spawn into; null for the world's persistent level. */
	ULevel* OverrideLevel = nullptr;
	ESpawnActorCollisionHandlingMethod SpawnCollisionHandlingOverride = ESpawnActorCollisionHandlingMethod::Undefined;
	EObjectFlags ObjectFlags = RF_Transactional;
};

/** A world: the persistent level with its actors. */
UCLASS()
class ENGINE_API UWorld : public UObject
{
	GENERATED_BODY()

public:
	/**
	 * Makes a world with its persistent level in InWorldPackage (a new transient package when null),
	 * added to the root set unless bAddToRoot is false. Unconfirmed: the engine's further parameters.
	 */
	static UWorld* CreateWorld(const EWorldType::Type InWorldType, bool bInformEngineOfWorld, FName WorldName = NAME_None, UPackage* InWorldPackage = nullptr, bool bAddToRoot = true);

	/**
	 * Spawns an actor of Class (an AActor class that is not abstract) in the persistent level, runs its
	 * class's construction script (one component per script node, copied from the node's template) and
	 * places it at Location and Rotation. Null (logged) for a bad class or a name already taken.
	 */
	AActor* SpawnActor(UClass* Class, const FVector* Location = nullptr, const FRotator* Rotation = nullptr, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters());
	AActor* SpawnActor(UClass* Class, const FVector& Location, const FRotator& Rotation, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return SpawnActor(Class, &Location, &Rotation, SpawnParameters);
	}
	template <class T>
	T* SpawnActor(const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		return static_cast<T*>(SpawnActor(T::StaticClass(), nullptr, nullptr, SpawnParameters));
	}
	template <class T>
	T* SpawnActor(UClass* Class, const FVector& Location, const FRotator& Rotation, const FActorSpawnParameters& SpawnParameters = FActorSpawnParameters())
	{
		AActor* Actor = SpawnActor(Class, &Location, &Rotation, SpawnParameters);
		return Actor && Actor->IsA(T::StaticClass()) ? static_cast<T*>(Actor) : nullptr;
	}

	/** Takes the actor out of its level and marks it and its components as garbage; false if it is not in this world. */
	bool DestroyActor(AActor* Actor, bool bNetForce = false, bool bShouldModifyLevel = true);

	/**
	 * Traces a line from Start to End against the primitive components that block TraceChannel and returns
	 * the first blocking hit in OutHit. Host: only components with a collision box can be hit; a trace whose
	 * ends are not finite or that has no length hits nothing; the response parameters are not consulted.
	 */
	bool LineTraceSingleByChannel(FHitResult& OutHit, const FVector& Start, const FVector& End, ECollisionChannel TraceChannel, const FCollisionQueryParams& Params = FCollisionQueryParams::DefaultQueryParam, const FCollisionResponseParams& ResponseParam = FCollisionResponseParams::DefaultResponseParam) const;

	/**
	 * The world's subsystem of the class, or null for a class that is not a concrete world subsystem. Host:
	 * made (and initialised) when first asked for, with the world as outer. Unconfirmed: the engine makes
	 * every world subsystem when the world is initialised.
	 */
	UWorldSubsystem* GetSubsystemBase(TSubclassOf<UWorldSubsystem> SubsystemClass) const;
	template <typename TSubsystemClass>
	TSubsystemClass* GetSubsystem() const
	{
		return static_cast<TSubsystemClass*>(GetSubsystemBase(TSubsystemClass::StaticClass()));
	}

	/** The game instance that runs this world; null for an editor world. */
	UGameInstance* GetGameInstance() const { return OwningGameInstance; }
	void SetGameInstance(UGameInstance* NewGI) { OwningGameInstance = NewGI; }

	/** Host only: the trace tag, statistics name and complex switch of the last line trace, for tests. */
	mutable FName HostLastTraceTag;
	mutable FName HostLastTraceStatName;
	mutable bool bHostLastTraceComplex = false;

	/**
	 * One frame of the world: the playing components whose tick can run and is enabled tick, group by group
	 * (TG_PrePhysics first), in level order within a group. Host: only components tick (actors do not), and
	 * only once play has begun; a component spawned during the frame first ticks in the next one.
	 */
	void Tick(ELevelTick TickType, float DeltaSeconds);

	/** True once play has begun in the world (actors spawned from then on begin play at once). */
	bool HasBegunPlay() const { return bBegunPlay; }
	/** Host: set by whoever starts play in the world (the play session), as the engine's BeginPlay does. */
	bool bBegunPlay = false;

	bool IsGameWorld() const { return WorldType == EWorldType::Game || WorldType == EWorldType::PIE || WorldType == EWorldType::GamePreview || WorldType == EWorldType::GameRPC; }

	UPROPERTY(Transient)
	TObjectPtr<ULevel> PersistentLevel;

	/** What the world is for, stored in one byte as in the engine (declaration from working knowledge; unconfirmed). */
	TEnumAsByte<EWorldType::Type> WorldType = EWorldType::None;

	/** The subsystems made so far (reflected so that they live as long as the world). */
	UPROPERTY(Transient)
	mutable TArray<TObjectPtr<UWorldSubsystem>> HostSubsystems;

	/** The game instance that runs this world (host: not reflected; whoever makes the instance keeps it). */
	UGameInstance* OwningGameInstance = nullptr;
};

/** The engine's current world; checks (and so stops the process) when dereferenced while empty. */
class UWorldProxy
{
public:
	UWorldProxy() = default;

	UWorld* operator->()
	{
		check(World);
		return World;
	}
	const UWorld* operator->() const
	{
		check(World);
		return World;
	}
	UWorld& operator*()
	{
		check(World);
		return *World;
	}
	UWorldProxy& operator=(UWorld* InWorld)
	{
		World = InWorld;
		return *this;
	}
	bool operator==(const UWorldProxy& Other) const { return World == Other.World; }
	operator UWorld*() const { return World; }
	UWorld* GetReference() { return World; }

private:
	UWorld* World = nullptr;
};

/** The world the engine is ticking now: the editor world, or the play session's world while it ticks. */
extern ENGINE_API UWorldProxy GWorld;
