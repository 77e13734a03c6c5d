// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Engine.h: the engine object, its world contexts and GEngine.
#pragma once

#include "CoreMinimal.h"
#include "Engine/World.h"
#include "UObject/Object.h"

#include "Engine.generated.h"

/** One world the engine runs, with what it is for. */
struct FWorldContext
{
	EWorldType::Type WorldType = EWorldType::None;

	UWorld* World() const { return ThisCurrentWorld; }
	void SetCurrentWorld(UWorld* World) { ThisCurrentWorld = World; }

private:
	UWorld* ThisCurrentWorld = nullptr;
};

/** Host only: one message put on screen with AddOnScreenDebugMessage. */
struct FHostOnScreenMessage
{
	int64 Key = -1;
	float TimeToDisplay = 0.0f;
	FColor DisplayColor;
	FString Message;
	bool bNewerOnTop = true;
	FVector2D TextScale;
};

/** The engine: owns the worlds it runs. */
UCLASS(Abstract)
class ENGINE_API UEngine : public UObject
{
	GENERATED_BODY()

public:
	/** Shows a message over the viewport for TimeToDisplay seconds; key -1 adds a new line, others replace theirs. */
	void AddOnScreenDebugMessage(uint64 Key, float TimeToDisplay, FColor DisplayColor, const FString& DebugMessage, bool bNewerOnTop = true, const FVector2D& TextScale = FVector2D::UnitVector);
	void AddOnScreenDebugMessage(int32 Key, float TimeToDisplay, FColor DisplayColor, const FString& DebugMessage, bool bNewerOnTop = true, const FVector2D& TextScale = FVector2D::UnitVector);

	/** Host only: every message put on screen, oldest first (nothing is drawn). */
	TArray<FHostOnScreenMessage> HostOnScreenMessages;
};

/** The running engine; null until an engine host sets it. */
extern ENGINE_API UEngine* GEngine;
