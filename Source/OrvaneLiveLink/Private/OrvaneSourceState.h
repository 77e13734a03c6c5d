// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

#include <atomic>

/**
 * The publishing state of one Live Link source that decoding writes on the receiver thread and the
 * source's tick reads on the game thread. Every member is atomic so the two threads never race; the
 * filmback size is published before the dirty flag (release) and read after it (acquire).
 */
struct FOrvaneSourceState
{
	/** 0 undecided, 1 clear the subjects' interpolation at the next tick, 2 leave it. */
	std::atomic<int32> InterpolationRequest{0};
	/** 0 no offset received yet, 1 apply EvaluationOffset at the next tick, 2 applied. */
	std::atomic<int32> OffsetRequest{0};
	std::atomic<double> EvaluationOffset{-1.0};
	/** True while the sender asks for frames to be published from the game thread. */
	std::atomic<bool> bGameThreadPublish{false};
	std::atomic<double> FilmbackWidth{0.0};
	std::atomic<double> FilmbackHeight{0.0};
	/** True when the static data must be pushed again. */
	std::atomic<bool> bStaticDirty{true};
};

/** Values shared by every source of the process. */
namespace OrvaneProcessState
{
	/** The last frame number received, -1 before the first. */
	extern std::atomic<int32> LastCaptureFrame;
	/** The last frame number published, -1 before the first. */
	extern std::atomic<int32> LastPublishedFrame;
	/** Set when a pose reached the exchange; cleared by the game thread before it waits for the next. */
	extern std::atomic<uint8> NewPoseFlag;
	/** Counts the polls of one game-thread wait for a pose. */
	extern std::atomic<int32> WaitPolls;
	/** When the last pose reached the exchange, steady clock in milliseconds; -1 before the first. */
	extern std::atomic<int64> LastPoseMs;
}
