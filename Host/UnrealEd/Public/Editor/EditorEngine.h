// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Editor/EditorEngine.h: the editor's engine object, its editor world, play sessions
// and subsystems.
#pragma once

#include "CoreMinimal.h"
#include "EditorSubsystem.h"
#include "Engine/Engine.h"
#include "Misc/Optional.h"
#include "PlayInEditorDataTypes.h"
#include "Templates/Casts.h"
#include "TimerManager.h"
#include "UObject/ObjectPtr.h"

#include "EditorEngine.generated.h"

/** The engine of the editor. Host: its world list holds the editor world, made when the editor starts. */
UCLASS()
class UNREALED_API UEditorEngine : public UEngine
{
	GENERATED_BODY()

public:
	/** The context of the level being edited (type EWorldType::Editor); host: made with its world on first call. */
	FWorldContext& GetEditorWorldContext(bool bEnsureIsGWorld = false);

	/** The editor's own timers, which run while no game is playing; the editor's tick advances them. */
	TSharedRef<FTimerManager> GetTimerManager() { return TimerManager; }

	/**
	 * Asks for a play session, which starts at the beginning of the next editor tick (a second request before
	 * then replaces the first). Host: a request made while a session runs is dropped at that tick with a warning.
	 */
	void RequestPlaySession(const FRequestPlaySessionParams& InParams);
	/** True while a play session request waits for the next tick. */
	bool IsPlaySessionRequestQueued() const { return PlaySessionRequest.IsSet(); }
	/** Asks for the running play session to end on the next editor tick; nothing happens when none runs. */
	void RequestEndPlayMap();
	/** True while a play session runs. */
	bool IsPlaySessionInProgress() const { return PlayWorld != nullptr; }

	/**
	 * One frame of the editor's main loop. Host: ends a session whose end was requested, starts a queued
	 * session, ticks the play world, fires the editor timers that are due (the engine's order of these steps
	 * is unconfirmed) and counts the frame in GFrameCounter.
	 */
	virtual void Tick(float DeltaSeconds, bool bIdleMode);

	/** The editor's subsystem of class TSubsystemClass; null while the editor's subsystems are not running. */
	template <typename TSubsystemClass>
	TSubsystemClass* GetEditorSubsystem() const
	{
		return Cast<TSubsystemClass>(HostGetEditorSubsystem(TSubsystemClass::StaticClass()));
	}

	/** The world of the running play session; null when none runs. */
	TObjectPtr<UWorld> PlayWorld;

	/**
	 * Host only: false makes GetEditorSubsystem return null, as while the editor starts up or shuts its
	 * subsystems down; true again brings them back.
	 */
	void HostSetEditorSubsystemsAvailable(bool bAvailable) { bHostSubsystemsAvailable = bAvailable; }
	/** Host only: the viewport the running session plays in; null for a new window or no session. */
	TSharedPtr<IAssetViewport> GetHostPlayViewport() const { return HostPlayViewport.Pin(); }
	/** Host only: how many sessions have started and ended since the editor started, for tests. */
	int32 GetHostStartedSessionCount() const { return HostStartedSessions; }
	int32 GetHostEndedSessionCount() const { return HostEndedSessions; }

private:
	UEditorSubsystem* HostGetEditorSubsystem(UClass* SubsystemClass) const;
	void StartQueuedPlaySessionRequest();
	void EndPlayMap();

	TSharedRef<FTimerManager> TimerManager = MakeShared<FTimerManager>();
	TOptional<FRequestPlaySessionParams> PlaySessionRequest;
	bool bRequestEndPlayMapQueued = false;
	TWeakPtr<IAssetViewport> HostPlayViewport;
	int32 HostStartedSessions = 0;
	int32 HostEndedSessions = 0;
	bool bHostSubsystemsAvailable = true;
	mutable TArray<UEditorSubsystem*> HostSubsystems;
};
