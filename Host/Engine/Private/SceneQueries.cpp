// Copyright Kelmora. All Rights Reserved.
// The engine's current world and world contexts, players and their screens, and line traces against the
// collision boxes of primitive components.
#include "Camera/PlayerCameraManager.h"
#include "CollisionQueryParams.h"
#include "Components/ActorComponent.h"
#include "Components/PrimitiveComponent.h"
#include "Engine/Engine.h"
#include "Engine/GameInstance.h"
#include "Engine/GameViewportClient.h"
#include "Engine/HitResult.h"
#include "Engine/Level.h"
#include "Engine/LocalPlayer.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "GameFramework/Actor.h"
#include "GameFramework/PlayerController.h"
#include "Kismet/GameplayStatics.h"

DEFINE_LOG_CATEGORY_STATIC(LogWorldContext, Log, All);

UWorldProxy GWorld;

FCollisionQueryParams FCollisionQueryParams::DefaultQueryParam(FName(TEXT("DefaultQueryParam")), TStatId(), true);
FCollisionResponseParams FCollisionResponseParams::DefaultResponseParam;

namespace
{
	/** The engine's near clipping plane distance (GNearClippingPlane), in centimetres. */
	constexpr double NearClippingPlane = 10.0;

	bool IsFiniteVector(const FVector& V)
	{
		return FMath::IsFinite(V.X) && FMath::IsFinite(V.Y) && FMath::IsFinite(V.Z);
	}

	/** One hit of a line against an oriented box: the fraction of the line and the world normal of the face. */
	struct FBoxHit
	{
		double Time = 0.0;
		FVector Normal = FVector::ZeroVector;
		bool bStartInside = false;
	};

	/** Intersects the segment Start + t * Delta (t in 0..1) with the box of half size Extent placed by Transform. */
	bool IntersectBox(const FVector& Start, const FVector& Delta, const FTransform& Transform, const FVector& Extent, FBoxHit& OutHit)
	{
		const FQuat Rotation = Transform.GetRotation();
		const FVector Scale = Transform.GetScale3D();
		const FVector Half(FMath::Abs(Extent.X * Scale.X), FMath::Abs(Extent.Y * Scale.Y), FMath::Abs(Extent.Z * Scale.Z));
		const FVector Origin = Rotation.UnrotateVector(Start - Transform.GetLocation());
		const FVector Direction = Rotation.UnrotateVector(Delta);
		const double O[3] = {Origin.X, Origin.Y, Origin.Z};
		const double D[3] = {Direction.X, Direction.Y, Direction.Z};
		const double H[3] = {Half.X, Half.Y, Half.Z};

		if (FMath::Abs(O[0]) <= H[0] && FMath::Abs(O[1]) <= H[1] && FMath::Abs(O[2]) <= H[2])
		{
			OutHit.Time = 0.0;
			OutHit.Normal = -Delta.GetSafeNormal();
			OutHit.bStartInside = true;
			return true;
		}

		double Enter = 0.0;
		double Exit = 1.0;
		int32 EnterAxis = INDEX_NONE;
		double EnterSign = 0.0;
		for (int32 Axis = 0; Axis < 3; ++Axis)
		{
			if (FMath::Abs(D[Axis]) < 1e-12)
			{
				if (FMath::Abs(O[Axis]) > H[Axis])
				{
					return false;
				}
				continue;
			}
			double Near = (-H[Axis] - O[Axis]) / D[Axis];
			double Far = (H[Axis] - O[Axis]) / D[Axis];
			// The face entered first faces against the direction of travel.
			double Sign = -1.0;
			if (Near > Far)
			{
				Swap(Near, Far);
				Sign = 1.0;
			}
			if (Near > Enter)
			{
				Enter = Near;
				EnterAxis = Axis;
				EnterSign = Sign;
			}
			Exit = FMath::Min(Exit, Far);
			if (Enter > Exit)
			{
				return false;
			}
		}
		if (EnterAxis == INDEX_NONE)
		{
			return false;
		}
		FVector LocalNormal = FVector::ZeroVector;
		(EnterAxis == 0 ? LocalNormal.X : EnterAxis == 1 ? LocalNormal.Y
														 : LocalNormal.Z) = EnterSign;
		OutHit.Time = Enter;
		OutHit.Normal = Rotation.RotateVector(LocalNormal);
		OutHit.bStartInside = false;
		return true;
	}

	bool TakesPartInQueries(ECollisionEnabled::Type Enabled)
	{
		return Enabled == ECollisionEnabled::QueryOnly || Enabled == ECollisionEnabled::QueryAndPhysics || Enabled == ECollisionEnabled::QueryAndProbe;
	}
}

FWorldContext& UEngine::CreateNewWorldContext(EWorldType::Type WorldType)
{
	FWorldContext* Context = new FWorldContext();
	Context->WorldType = WorldType;
	WorldList.Add(Context);
	return *Context;
}

void UEngine::DestroyWorldContext(UWorld* InWorld)
{
	for (int32 Index = 0; Index < WorldList.Num(); ++Index)
	{
		if (WorldList[Index].World() == InWorld)
		{
			WorldList.RemoveAt(Index);
			return;
		}
	}
}

UWorld* UEngine::GetWorldFromContextObject(const UObject* Object, EGetWorldErrorMode ErrorMode) const
{
	UWorld* World = nullptr;
	for (const UObject* Outer = Object; Outer && !World; Outer = Outer->GetOuter())
	{
		if (Outer->IsA(UWorld::StaticClass()))
		{
			World = const_cast<UWorld*>(static_cast<const UWorld*>(Outer));
		}
		else if (Outer->IsA(AActor::StaticClass()))
		{
			World = static_cast<const AActor*>(Outer)->GetWorld();
		}
		else if (Outer->IsA(UActorComponent::StaticClass()))
		{
			World = static_cast<const UActorComponent*>(Outer)->GetWorld();
		}
		else if (Outer->IsA(UGameInstance::StaticClass()))
		{
			World = static_cast<const UGameInstance*>(Outer)->GetWorld();
		}
	}
	if (!World)
	{
		if (ErrorMode == EGetWorldErrorMode::Assert)
		{
			check(World);
		}
		else if (ErrorMode == EGetWorldErrorMode::LogAndReturnNull)
		{
			UE_LOG(LogWorldContext, Warning, TEXT("UEngine::GetWorldFromContextObject() passed a context object without a world: %s"), Object ? *Object->GetPathName() : TEXT("None"));
		}
	}
	return World;
}

UWorld* UGameInstance::GetWorld() const
{
	return WorldContext ? WorldContext->World() : nullptr;
}

AActor* FHitResult::GetActor() const
{
	return HitActor.Get();
}

UPrimitiveComponent* FHitResult::GetComponent() const
{
	return Component.Get();
}

void FHitResult::HostSetActor(AActor* InActor)
{
	HitActor = InActor;
}

bool UWorld::LineTraceSingleByChannel(FHitResult& OutHit, const FVector& Start, const FVector& End, ECollisionChannel TraceChannel, const FCollisionQueryParams& Params, const FCollisionResponseParams& ResponseParam) const
{
	HostLastTraceTag = Params.TraceTag;
	HostLastTraceStatName = Params.StatId.GetName();
	bHostLastTraceComplex = Params.bTraceComplex;

	OutHit = FHitResult(Start, End);
	const FVector Delta = End - Start;
	const double Length = Delta.Size();
	if (!IsFiniteVector(Start) || !IsFiniteVector(End) || !FMath::IsFinite(Length) || Length <= UE_SMALL_NUMBER || Params.bIgnoreBlocks || !PersistentLevel)
	{
		return false;
	}

	bool bFound = false;
	FBoxHit Best;
	UPrimitiveComponent* BestComponent = nullptr;
	AActor* BestActor = nullptr;
	for (AActor* Actor : PersistentLevel->Actors)
	{
		if (!IsValid(Actor) || Actor->IsActorBeingDestroyed() || Params.HostIgnoresActor(Actor))
		{
			continue;
		}
		TArray<UPrimitiveComponent*> Primitives;
		Actor->GetComponents(Primitives);
		for (UPrimitiveComponent* Primitive : Primitives)
		{
			FVector Extent;
			if (!IsValid(Primitive) || !TakesPartInQueries(Primitive->GetCollisionEnabled()) || !Primitive->HostGetCollisionBox(Extent))
			{
				continue;
			}
			// A hit blocks only when the component and the trace both block each other.
			const ECollisionResponse Response = FMath::Min(Primitive->GetCollisionResponseToChannel(TraceChannel), ResponseParam.DefaultResponse);
			FBoxHit Hit;
			if (Response != ECR_Block || !IntersectBox(Start, Delta, Primitive->GetComponentTransform(), Extent, Hit))
			{
				continue;
			}
			if (!bFound || Hit.Time < Best.Time)
			{
				bFound = true;
				Best = Hit;
				BestComponent = Primitive;
				BestActor = Actor;
			}
		}
	}
	if (!bFound)
	{
		return false;
	}
	const FVector Point = Start + Delta * Best.Time;
	OutHit.bBlockingHit = true;
	OutHit.bStartPenetrating = Best.bStartInside;
	OutHit.Time = float(Best.Time);
	OutHit.Distance = float(Length * Best.Time);
	OutHit.Location = Point;
	OutHit.ImpactPoint = Point;
	OutHit.Normal = Best.Normal;
	OutHit.ImpactNormal = Best.Normal;
	OutHit.Component = BestComponent;
	OutHit.HostSetActor(BestActor);
	return true;
}

ULocalPlayer* APlayerController::GetLocalPlayer() const
{
	UPlayer* Owner = Player;
	return Owner && Owner->IsA(ULocalPlayer::StaticClass()) ? static_cast<ULocalPlayer*>(Owner) : nullptr;
}

void APlayerController::GetViewportSize(int32& SizeX, int32& SizeY) const
{
	SizeX = 0;
	SizeY = 0;
	const ULocalPlayer* LocalPlayer = GetLocalPlayer();
	if (LocalPlayer && LocalPlayer->ViewportClient)
	{
		FVector2D Size;
		LocalPlayer->ViewportClient->GetViewportSize(Size);
		SizeX = int32(Size.X);
		SizeY = int32(Size.Y);
	}
}

bool APlayerController::DeprojectScreenPositionToWorld(float ScreenX, float ScreenY, FVector& WorldLocation, FVector& WorldDirection) const
{
	return UGameplayStatics::DeprojectScreenToWorld(this, FVector2D(ScreenX, ScreenY), WorldLocation, WorldDirection);
}

APlayerController* UGameplayStatics::GetPlayerController(const UObject* WorldContextObject, int32 PlayerIndex)
{
	UWorld* World = GEngine ? GEngine->GetWorldFromContextObject(WorldContextObject, EGetWorldErrorMode::LogAndReturnNull) : nullptr;
	if (!World)
	{
		return nullptr;
	}
	int32 Index = 0;
	for (TActorIterator<APlayerController> It(World); It; ++It)
	{
		if (Index == PlayerIndex)
		{
			return *It;
		}
		++Index;
	}
	return nullptr;
}

bool UGameplayStatics::DeprojectScreenToWorld(APlayerController const* Player, const FVector2D& ScreenPosition, FVector& WorldPosition, FVector& WorldDirection)
{
	WorldPosition = FVector::ZeroVector;
	WorldDirection = FVector::ZeroVector;
	const ULocalPlayer* LocalPlayer = Player ? Player->GetLocalPlayer() : nullptr;
	if (!LocalPlayer || !LocalPlayer->ViewportClient)
	{
		return false;
	}
	FVector2D Size;
	LocalPlayer->ViewportClient->GetViewportSize(Size);
	if (!(Size.X > 0.0) || !(Size.Y > 0.0))
	{
		return false;
	}

	const APlayerCameraManager* Camera = Player->PlayerCameraManager;
	const FVector ViewLocation = Camera ? Camera->GetCameraLocation() : Player->GetActorLocation();
	const FRotator ViewRotation = Camera ? Camera->GetCameraRotation() : Player->GetActorRotation();
	const double FOV = Camera ? Camera->GetFOVAngle() : 90.0;

	// The horizontal angle is the field of view; the vertical one follows from the viewport's aspect ratio.
	const double TanHalf = FMath::Tan(FMath::Max(0.001, FOV) * UE_DOUBLE_PI / 360.0);
	const double ScreenSpaceX = (ScreenPosition.X / Size.X - 0.5) * 2.0;
	const double ScreenSpaceY = ((1.0 - ScreenPosition.Y / Size.Y) - 0.5) * 2.0;
	const FVector Ray = ViewRotation.Quaternion().RotateVector(FVector(1.0, ScreenSpaceX * TanHalf, ScreenSpaceY * TanHalf * Size.Y / Size.X));
	WorldPosition = ViewLocation + Ray * NearClippingPlane;
	WorldDirection = Ray.GetSafeNormal();
	return true;
}
