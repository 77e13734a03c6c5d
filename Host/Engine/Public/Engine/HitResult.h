// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/HitResult.h: what a trace hit (reflected in the engine, not in the host).
#pragma once

#include "CoreMinimal.h"
#include "UObject/WeakObjectPtrTemplates.h"

class AActor;
class UPrimitiveComponent;

/**
 * The result of a trace: the first blocking hit (or none), where and what was hit. The defaults (Time 1,
 * FaceIndex and MyItem INDEX_NONE, the rest zero) are from working knowledge; unconfirmed.
 */
struct ENGINE_API FHitResult
{
	/** Index of the face hit for a complex trace; INDEX_NONE when unknown. */
	int32 FaceIndex = INDEX_NONE;
	/** How far along the trace the hit lies, 0 to 1; 1 without a hit. */
	float Time = 1.0f;
	/** The distance from TraceStart to Location; 0 when the trace started inside the object. */
	float Distance = 0.0f;
	/** Where the trace shape was when it hit (for a line trace, the same as ImpactPoint). */
	FVector Location = FVector::ZeroVector;
	/** The point on the object's surface that was hit. */
	FVector ImpactPoint = FVector::ZeroVector;
	FVector Normal = FVector::ZeroVector;
	FVector ImpactNormal = FVector::ZeroVector;
	FVector TraceStart = FVector::ZeroVector;
	FVector TraceEnd = FVector::ZeroVector;
	float PenetrationDepth = 0.0f;
	int32 MyItem = INDEX_NONE;
	int32 Item = 0;
	uint8 ElementIndex = 0;
	/** True when the hit blocked the trace. */
	uint8 bBlockingHit : 1;
	/** True when the trace started inside the object it hit. */
	uint8 bStartPenetrating : 1;
	/** The component hit. */
	TWeakObjectPtr<UPrimitiveComponent> Component;
	FName BoneName;
	FName MyBoneName;

	FHitResult()
		: bBlockingHit(false)
		, bStartPenetrating(false)
	{
	}
	FHitResult(const FVector& Start, const FVector& End)
		: TraceStart(Start)
		, TraceEnd(End)
		, bBlockingHit(false)
		, bStartPenetrating(false)
	{
	}

	/** Clears the hit; keeps TraceStart and TraceEnd when bPreserveTraceData. */
	void Reset(float InTime = 1.0f, bool bPreserveTraceData = true)
	{
		const FVector SavedStart = TraceStart;
		const FVector SavedEnd = TraceEnd;
		*this = FHitResult();
		Time = InTime;
		if (bPreserveTraceData)
		{
			TraceStart = SavedStart;
			TraceEnd = SavedEnd;
		}
	}

	/** The actor hit; null without a hit or once it is gone. */
	AActor* GetActor() const;
	UPrimitiveComponent* GetComponent() const;
	/** True for a blocking hit that did not come from starting inside the object. */
	bool IsValidBlockingHit() const { return bBlockingHit && !bStartPenetrating; }
	/** Host only: sets the actor GetActor returns (the engine keeps it in an actor-instance handle). */
	void HostSetActor(AActor* InActor);

private:
	TWeakObjectPtr<AActor> HitActor;
};
