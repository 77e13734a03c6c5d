// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Subsystems/WorldSubsystem.h: subsystems that live with a world.
#pragma once

#include "CoreMinimal.h"
#include "Subsystems/Subsystem.h"

#include "WorldSubsystem.generated.h"

class UWorld;

/** A subsystem of one world (its outer). */
UCLASS(Abstract)
class ENGINE_API UWorldSubsystem : public USubsystem
{
	GENERATED_BODY()

public:
	/** The world the subsystem belongs to. */
	UWorld* GetWorld() const;
};

/** A world subsystem that ticks with its world (host: not ticked). */
UCLASS(Abstract)
class ENGINE_API UTickableWorldSubsystem : public UWorldSubsystem
{
	GENERATED_BODY()
};
