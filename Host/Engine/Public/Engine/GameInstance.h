// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/GameInstance.h: the object that runs one game (or play session) and its world.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "GameInstance.generated.h"

struct FWorldContext;
class UWorld;

/** Runs one game or play-in-editor session; its world context holds the session's world. */
UCLASS()
class ENGINE_API UGameInstance : public UObject
{
	GENERATED_BODY()

public:
	/** The session's world; null without a world context. */
	UWorld* GetWorld() const;
	FWorldContext* GetWorldContext() const { return WorldContext; }

	/** Host only: the context the engine gives the instance when it starts a session. */
	void HostSetWorldContext(FWorldContext* InWorldContext) { WorldContext = InWorldContext; }

protected:
	FWorldContext* WorldContext = nullptr;
};
