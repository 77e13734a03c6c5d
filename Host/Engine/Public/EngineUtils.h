// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's EngineUtils.h: iterating the actors of a world.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Templates/SubclassOf.h"

/** Which actors TActorIterator visits. */
enum class EActorIteratorFlags
{
	AllActors = 0x00000000,
	OnlyActiveLevels = 0x00000001,
	OnlySelectedActors = 0x00000002,
	SkipPendingKill = 0x00000004,
};

/** Visits the valid actors of a world that are T (or InClass) or derive from it, in spawn order; a snapshot. */
template <class T>
class TActorIterator
{
public:
	explicit TActorIterator(const UWorld* InWorld, TSubclassOf<T> InClass = T::StaticClass(), EActorIteratorFlags InFlags = EActorIteratorFlags(int32(EActorIteratorFlags::OnlyActiveLevels) | int32(EActorIteratorFlags::SkipPendingKill)))
	{
		UClass* Class = InClass.Get();
		if (InWorld && InWorld->PersistentLevel && Class)
		{
			for (AActor* Actor : InWorld->PersistentLevel->Actors)
			{
				if (IsValid(Actor) && Actor->IsA(Class))
				{
					Actors.Add(static_cast<T*>(Actor));
				}
			}
		}
	}

	explicit operator bool() const { return Index < Actors.Num(); }
	TActorIterator& operator++()
	{
		++Index;
		return *this;
	}
	T* operator*() const { return Actors[Index]; }
	T* operator->() const { return Actors[Index]; }

private:
	TArray<T*> Actors;
	int32 Index = 0;
};
