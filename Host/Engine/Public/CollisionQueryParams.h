// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's CollisionQueryParams.h: the parameters of a trace.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"
#include "Stats/Stats.h"

class AActor;

/** The trace tag and the statistic of a scene query, as two constructor arguments: SCENE_QUERY_STAT(Name). */
#define SCENE_QUERY_STAT_NAME_ONLY(QueryName) FName(TEXT(#QueryName))
#define SCENE_QUERY_STAT_ONLY(QueryName) TStatId(FName(TEXT("STAT_" #QueryName)), FName(TEXT("STATGROUP_CollisionTags")))
#define SCENE_QUERY_STAT(QueryName) SCENE_QUERY_STAT_NAME_ONLY(QueryName), SCENE_QUERY_STAT_ONLY(QueryName)

/** What a trace looks for and which actors it passes through. */
struct ENGINE_API FCollisionQueryParams
{
	/** A name for the trace, shown by the engine's trace debugging. */
	FName TraceTag;
	FName OwnerTag;
	/** Trace against complex (per-triangle) collision; the host's boxes are the same either way. */
	bool bTraceComplex = false;
	bool bFindInitialOverlaps = true;
	bool bReturnFaceIndex = false;
	bool bReturnPhysicalMaterial = false;
	bool bIgnoreBlocks = false;
	bool bIgnoreTouches = false;
	TStatId StatId;

	FCollisionQueryParams() = default;
	FCollisionQueryParams(FName InTraceTag, bool bInTraceComplex = false, const AActor* InIgnoreActor = nullptr)
		: FCollisionQueryParams(InTraceTag, TStatId(), bInTraceComplex, InIgnoreActor)
	{
	}
	FCollisionQueryParams(FName InTraceTag, const TStatId& InStatId, bool bInTraceComplex = false, const AActor* InIgnoreActor = nullptr)
		: TraceTag(InTraceTag)
		, bTraceComplex(bInTraceComplex)
		, StatId(InStatId)
	{
		AddIgnoredActor(InIgnoreActor);
	}

	/** Passes through InIgnoreActor's components; a null actor is skipped. */
	void AddIgnoredActor(const AActor* InIgnoreActor)
	{
		if (InIgnoreActor)
		{
			IgnoredActors.AddUnique(InIgnoreActor);
		}
	}
	void AddIgnoredActors(const TArray<AActor*>& InIgnoreActors)
	{
		for (const AActor* Actor : InIgnoreActors)
		{
			AddIgnoredActor(Actor);
		}
	}
	void AddIgnoredActors(const TArray<const AActor*>& InIgnoreActors)
	{
		for (const AActor* Actor : InIgnoreActors)
		{
			AddIgnoredActor(Actor);
		}
	}
	void ClearIgnoredActors() { IgnoredActors.Reset(); }

	/** Host only: whether the trace passes through Actor. */
	bool HostIgnoresActor(const AActor* Actor) const { return IgnoredActors.Contains(Actor); }

	static FCollisionQueryParams DefaultQueryParam;

private:
	TArray<const AActor*> IgnoredActors;
};

/** How the trace itself responds to each object channel; the default blocks on all of them. */
struct ENGINE_API FCollisionResponseParams
{
	explicit FCollisionResponseParams(ECollisionResponse DefaultResponse = ECR_Block)
		: DefaultResponse(DefaultResponse)
	{
	}

	/** Host only: the one response the host keeps for every channel. */
	ECollisionResponse DefaultResponse;

	static FCollisionResponseParams DefaultResponseParam;
};
