// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "OrvaneCameraMessage.h"

#include <atomic>

/**
 * The process-wide hand-over between a source's receiver thread and the game thread: a ring of the
 * latest poses, the last setup, the pending command and the answers commands produce. Each part has
 * its own lock, held only for one whole-record copy. Users acquire and release it; the last release
 * destroys it.
 */
class FOrvaneFrameExchange
{
public:
	/** A pose with its push sequence number, counted from 1. */
	struct FPoseEntry
	{
		ORVCameraPose Pose;
		uint64 Sequence = 0;
	};

	/** Creates the process lock; called at module start-up. */
	static void CreateProcessLock();
	/** Destroys the process lock; called at module shut-down. An exchange still in use stays until its last release. */
	static void DestroyProcessLock();

	/** Counts one more user, creating the exchange for the first; returns the user count, 0 when it could not be created. */
	static int32 Acquire();
	/** Counts one user fewer, destroying the exchange with the last; returns the users left. */
	static int32 Release();
	/** The current exchange, or null. */
	static FOrvaneFrameExchange* Get();

	void PushPose(const ORVCameraPose& Pose);
	/** The newest pose; the next GetNextPose then waits for a newer one. */
	bool GetLatestPose(FPoseEntry& Out);
	/** The next unread pose in push order. */
	bool GetNextPose(FPoseEntry& Out);

	void SetSetup(const ORVCameraSetup& InSetup);
	void GetSetup(ORVCameraSetup& Out);

	void SetAction(const ORVActionParams& InAction);
	/** Copies the pending command out and clears its command number (its parameters stay). */
	void TakeAction(ORVActionParams& Out);

	/** Adds the answers, replacing the values of keys already present. */
	void AddAnswers(const TMap<FString, FString>& InAnswers);
	/** Moves every answer into the caller's map and returns how many were moved. */
	int32 TakeAnswers(TMap<FString, FString>& Out);

	int32 GetUserCount() const { return UserCount; }

	static constexpr int32 Capacity = 8;

private:
	FOrvaneFrameExchange();
	/** Counts one user fewer, destroying the exchange with the last; the caller holds the process lock if there is one. */
	static int32 ReleaseUser();

	int32 UserCount = 0;
	FCriticalSection PoseLock;
	FCriticalSection SetupLock;
	FCriticalSection ActionLock;
	FCriticalSection AnswerLock;
	TArray<FPoseEntry> Ring;
	int32 WriteIndex = 0;
	int32 ReadIndex = 0;
	int32 Count = 0;
	uint64 NextSequence = 0;
	ORVCameraSetup Setup;
	ORVActionParams Action;
	TMap<FString, FString> Answers;

	static std::atomic<FOrvaneFrameExchange*> Current;
	static std::atomic<FCriticalSection*> ProcessLock;
};
