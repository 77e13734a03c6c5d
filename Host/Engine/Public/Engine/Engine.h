// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Engine.h: the engine object, its world contexts and GEngine.
#pragma once

#include "CoreMinimal.h"
#include "Containers/IndirectArray.h"
#include "Engine/World.h"
#include "Misc/OutputDevice.h"
#include "Templates/Function.h"
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

/** What GetWorldFromContextObject does when the object has no world. */
enum class EGetWorldErrorMode
{
	/** Return null quietly. */
	ReturnNull,
	/** Log a warning and return null. */
	LogAndReturnNull,
	/** Stop the process. */
	Assert
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

	/** Every world the engine runs (the editor world, play sessions, previews), in the order they were made. */
	const TIndirectArray<FWorldContext>& GetWorldContexts() const { return WorldList; }
	/** Adds a context of WorldType without a world; the reference stays valid while the context exists. */
	FWorldContext& CreateNewWorldContext(EWorldType::Type WorldType);
	/** Removes the context whose world is InWorld. */
	void DestroyWorldContext(UWorld* InWorld);

	/**
	 * The world Object lives in: the object itself for a world, else the world of its actor, component or
	 * outer chain. Without one: null, after a warning for LogAndReturnNull; the process stops for Assert.
	 */
	UWorld* GetWorldFromContextObject(const UObject* Object, EGetWorldErrorMode ErrorMode) const;

	/**
	 * Runs a console command line; true when a handler took it. Host: only the commands registered with
	 * HostRegisterExecCommand exist (the engine's FExec base and console manager are not mirrored); the
	 * command name is matched without regard to case and the rest of the line is ignored.
	 */
	virtual bool Exec(UWorld* InWorld, const TCHAR* Cmd, FOutputDevice& Ar = *GLog);

	/** Host only: makes Name a console command that runs Handler, as a module's console command does. */
	static void HostRegisterExecCommand(const TCHAR* Name, TFunction<void()> Handler);
	/** Host only: removes the command again, as the module does when it shuts down. */
	static void HostUnregisterExecCommand(const TCHAR* Name);

protected:
	TIndirectArray<FWorldContext> WorldList;
};

/** The running engine; null until an engine host sets it. */
extern ENGINE_API UEngine* GEngine;
