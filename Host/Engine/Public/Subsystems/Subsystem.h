// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Subsystems/Subsystem.h: objects the engine creates alongside an owner.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "Subsystem.generated.h"

/** An auto-instanced object that shares its owner's lifetime. */
UCLASS(Abstract)
class ENGINE_API USubsystem : public UObject
{
	GENERATED_BODY()

public:
	/** Called once the subsystem exists. */
	virtual void Initialize() {}
	/** Called before the owner goes. */
	virtual void Deinitialize() {}
};
