// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "HAL/CriticalSection.h"
#include "HAL/Runnable.h"
#include "ILiveLinkSource.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "Misc/ScopeLock.h"
#include "Misc/Timespan.h"
#include "OrvaneCameraMessage.h"
#include "OrvaneLinkHealth.h"
#include "OrvaneLogLimiter.h"
#include "OrvaneSourceState.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <atomic>

class AActor;
class FRunnableThread;
class FSocket;
class ILiveLinkClient;
class ISocketSubsystem;

/**
 * The Live Link source of the compositing application's camera: listens for camera messages on one
 * UDP endpoint, decodes them on its own thread and publishes the "Orvane - Camera" subject.
 */
class FOrvaneLiveLinkSource : public ILiveLinkSource, public FRunnable, public TSharedFromThis<FOrvaneLiveLinkSource>
{
public:
	/** Opens the socket on the endpoint and starts the receiver thread when that succeeds. */
	explicit FOrvaneLiveLinkSource(const FIPv4Endpoint& InEndpoint);
	virtual ~FOrvaneLiveLinkSource() override;

	// ILiveLinkSource interface
	virtual void ReceiveClient(ILiveLinkClient* InClient, FGuid InSourceGuid) override;
	virtual bool IsSourceStillValid() const override;
	virtual bool RequestSourceShutdown() override;
	virtual FText GetSourceType() const override { return SourceType; }
	virtual FText GetSourceMachineName() const override { return SourceMachineName; }
	virtual FText GetSourceStatus() const override { return SourceStatus; }
	// End ILiveLinkSource interface

	// FRunnable interface
	virtual bool Init() override { return true; }
	virtual uint32 Run() override;
	virtual void Stop() override;
	virtual void Exit() override {}
	// End FRunnable interface

	/** Creates the receiver thread. */
	void Start();

	/**
	 * Decodes one received datagram and publishes what it holds; always returns false. The receiver thread
	 * calls it for every datagram; a caller of its own must not call it while that thread runs.
	 */
	bool ProcessReceivedData(TSharedPtr<TArray<uint8>, ESPMode::ThreadSafe> ReceivedData);
	/** A second entry point for received data; it ignores its argument. */
	void HandleReceivedData(TSharedPtr<TArray<uint8>, ESPMode::ThreadSafe> ReceivedData);

	/** Pushes the subject's static data to the client. */
	void PushStaticToLiveLinkClient();
	/** Pushes one camera frame to the client, stamped by the timecode rules. */
	void PushPoseToLiveLinkClient(const ORVCameraPose& Pose, const ORVCameraSetup& Setup);
	/** The game thread's per-tick work: commands, recording, game-thread publishing, evaluation settings. */
	bool LiveLinkTick();

	/** Carries out a command taken from the exchange. */
	void ExecuteUserActions(const ORVActionParams* Action);
	/** Applies take metadata and record state from the latest setup. */
	void ExecuteRecording(const ORVCameraSetup* Setup);

	/** The decode and publishing state, for inspection. */
	const FOrvaneSourceState& GetPublishState() const { return State; }
	/** The name the receiver thread was given. */
	const FString& GetThreadName() const { return ThreadName; }
	/** The frame rate the local clock counts in, taken from the last timecode received. */
	double GetLocalClockRate() const
	{
		FScopeLock Lock(&PublishLock);
		return FrameRate;
	}
	/** The endpoint the source listens on. */
	const FIPv4Endpoint& GetEndpoint() const { return DeviceEndpoint; }

	/** The link health figures as of now; safe from any thread. */
	FOrvaneLinkHealthSnapshot GetLinkHealth() const;
	/** Calls Visit for every source of the process that is alive, under a lock that holds off their destruction. */
	static void ForEachSource(TFunctionRef<void(const FOrvaneLiveLinkSource&)> Visit);
	/** Writes the link health of every source of the process to the log (the console command's work). */
	static void LogLinkHealthOfAllSources();

	/** The subject every source publishes. */
	static const FName SubjectName;

private:
	static void OnLiveLinkTick(FOrvaneLiveLinkSource* Source);

	/** Decodes a datagram in place and publishes each camera it holds. */
	void DecodeAndPublish(TConstArrayView<uint8> Datagram);
	/** Hands one decoded camera to the exchange and, unless the game thread publishes, to the client. */
	void PublishDecoded(const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action);
	/** Finds the pose the game thread publishes this tick. */
	bool FindPoseToPublish(class FOrvaneFrameExchange& Exchange, const ORVCameraSetup& Setup, ORVCameraPose& OutPose);
	void ApplyInterpolationRequest();
	void ApplyOffsetRequest();
	/** Stops the receiver thread and waits for it (the destructor's part of a shutdown). */
	void StopThread();
	/** Ends the log limiters' seconds that are over, so a held-back count is written even when the flood stops. */
	void AdvanceLogLimits(int64 NowMs);
	/** Writes every count the log limiters still hold (the source stops receiving). */
	void FlushLogLimits();

	// Set on the game thread before the receiver may read it (released through Client).
	std::atomic<ILiveLinkClient*> Client{nullptr};
	FDelegateHandle TickHandle;
	TWeakObjectPtr<AActor> PickedActor;
	FGuid SourceGuid;

	// Take metadata and record state last applied to the take recorder (game thread only).
	FString LastAppliedLabel;
	FString LastAppliedSlate;
	FString LastAppliedTake;
	int32 LastRecordState = 0;

	FText SourceType;
	FText SourceMachineName;
	FText SourceStatus;

	FIPv4Endpoint DeviceEndpoint;
	FSocket* Socket = nullptr;
	ISocketSubsystem* SocketSubsystem = nullptr;

	std::atomic<bool> Stopping{false};
	// Set by the receiver as it leaves its loop; everything it did before is visible to the reader (acquire).
	std::atomic<bool> bReceiverExited{false};
	// Game thread only.
	bool bSocketClosed = false;
	FRunnableThread* Thread = nullptr;
	FString ThreadName;
	FTimespan WaitTime;
	TArray<uint8> RecvBuffer;

	FOrvaneSourceState State;
	// Publishing runs on the receiver thread or, in game-thread mode, on the game thread; the sender may
	// switch modes at any time, so the two never publish at once.
	mutable FCriticalSection PublishLock;
	double FrameRate = 25.0;
	int64 ClockStartMs = 0;
	int32 TimecodeOffset = -1;
	bool bStartedLogged = false;
	// Publishing's log lines; used under PublishLock, like everything publishing writes.
	FOrvaneLogLimiter PublishLog;
	// Decoding's log lines; receiver thread only.
	FOrvaneLogLimiter DecodeLog;
	// Written by the receiver thread without a lock, read by anyone through GetLinkHealth.
	FOrvaneLinkHealth Health;
	// The receiver uses the exchange only while this source holds a reference to it.
	std::atomic<bool> bHoldsExchange{false};

	FString LastMetaLabel;
	FString LastMetaSlate;
	FString LastMetaTake;
};
