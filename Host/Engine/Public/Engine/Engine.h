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

/** The engine: owns the worlds it runs. */
UCLASS(Abstract)
class ENGINE_API UEngine : public UObject
{
	GENERATED_BODY()
};

/** The running engine; null until an engine host sets it. */
extern ENGINE_API UEngine* GEngine;
