// Copyright Kelmora. All Rights Reserved.
// The headless editor `orvane listen --scene` runs the source in: a level read from a JSON scene, the level editor
// window, play sessions, the take recorder, and the lines that report what the editor does.
#pragma once

#include "CoreMinimal.h"
#include "Templates/Function.h"

#include <memory>
#include <string>
#include <vector>

class AActor;
class ULocalPlayer;
class FScopedLevelEditorWindow;

/** One box actor of a scene file. */
struct FListenSceneActor
{
	FString Label;
	FVector Location = FVector::ZeroVector;
	FRotator Rotation = FRotator::ZeroRotator;
	FVector Scale = FVector::OneVector;
	FVector BoxExtent = FVector(50.0);
	bool bCustomDepth = false;
	bool bBlocksVisibility = true;
};

/** A scene file: the virtual-production camera, the play viewport and the actors. */
struct FListenScene
{
	FVector CameraLocation = FVector::ZeroVector;
	FRotator CameraRotation = FRotator::ZeroRotator;
	double FieldOfView = 90.0;
	int32 ViewportWidth = 1920;
	int32 ViewportHeight = 1080;
	std::vector<FListenSceneActor> Actors;
};

/** Reads a scene file; false with a message saying what is wrong (the file is never trusted). */
bool LoadListenScene(const std::string& Path, FListenScene& OutScene, std::string& OutError);

/**
 * The editor of a listen session. Start builds the level, opens the level editor window and, unless told not
 * to, the take recorder; Tick runs one editor frame and reports what changed through the line printer.
 */
class FListenEditor
{
public:
	/** Lines go to PrintLine, as JSON objects or readable text. */
	FListenEditor(bool bInJsonLines, TFunction<void(const FString&)> InPrintLine);
	~FListenEditor();
	FListenEditor(const FListenEditor&) = delete;
	FListenEditor& operator=(const FListenEditor&) = delete;

	/** Builds the editor level from Scene; false with a message when the editor or the camera is missing. */
	bool Start(const FListenScene& Scene, bool bOpenTakeRecorder, std::string& OutError);
	/** Asks for a play session, which starts on the next tick. */
	void RequestPlay();
	/** One editor frame, then the lines for what it changed. */
	void Tick(float DeltaSeconds);
	/** Ends a running play session and closes the window. */
	void Stop();

private:
	void OnPlayStarted(bool bIsSimulating);
	/** Gives an actor of the scene its label and collision, in the editor level or a play world's copy. */
	static void ApplyActorState(AActor& Actor, const FListenSceneActor& Entry);
	void ReportChanges();

	bool bJsonLines;
	TFunction<void(const FString&)> PrintLine;
	FListenScene Scene;
	/** The level name of each scene actor, to find its copy in a play world. */
	TMap<FName, int32> ActorIndices;
	std::unique_ptr<FScopedLevelEditorWindow> Window;
	ULocalPlayer* Player = nullptr;
	FDelegateHandle PlayStartedHandle;
	bool bEditorReported = false;
	bool bPlaying = false;
	int32 WindowMode = 0;
	bool bImmersive = false;
	bool bTakeReported = false;
	bool bRecording = false;
	FString Slate;
	int32 TakeNumber = 0;
};
