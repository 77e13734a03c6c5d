// Copyright Kelmora. All Rights Reserved.
#include "OrvaneLiveLinkSource.h"

#include "Async/Async.h"
#include "Common/UdpSocketBuilder.h"
#include "Components/SceneComponent.h"
#include "Engine/HitResult.h"
#include "GameFramework/Actor.h"
#include "HAL/PlatformProcess.h"
#include "HAL/PlatformTime.h"
#include "HAL/RunnableThread.h"
#include "ILiveLinkClient.h"
#include "LiveLinkSourceSettings.h"
#include "LiveLinkSubjectSettings.h"
#include "Misc/ScopeLock.h"
#include "OrvaneCaptureImage.h"
#include "OrvaneCaptureRequest.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkHelper.h"
#include "OrvaneLiveLinkLog.h"
#include "OrvaneLiveLinkRuntimeSettings.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneNumbers.h"
#include "OrvaneViewport.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "SocketSubsystem.h"
#include "Sockets.h"
#include "Templates/Casts.h"

#if WITH_EDITOR
#include "Recorder/TakeRecorderBlueprintLibrary.h"
#include "Recorder/TakeRecorderPanel.h"
#include "TakeMetaData.h"
#endif

#include <chrono>
#include <cmath>

#define LOCTEXT_NAMESPACE "OrvaneLiveLinkSource"

namespace OrvaneProcessState
{
	std::atomic<int32> LastPublishedFrame{-1};
	std::atomic<uint8> NewPoseFlag{0};
	std::atomic<int32> WaitPolls{0};
	std::atomic<int64> LastPoseMs{-1};
}

namespace
{
	/** Every datagram is received whole into a buffer of this size, above the largest UDP payload. */
	constexpr int32 ReceiveBufferSize = 1024 * 1024;
	constexpr uint32 ReceiverStackSize = 128 * 1024;
	constexpr int32 MaxWaitPolls = 10;
	constexpr float WaitPollSeconds = 0.004f;
	/** The game thread waits for the next pose only while the sender sent one this recently. */
	constexpr int64 PoseStreamGapMs = 100;

	int64 SteadyClockMilliseconds()
	{
		return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	int64 SteadyClockNanoseconds()
	{
		return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count();
	}

	/** Every source alive in the process, for the console's health report. */
	struct FSourceRegistry
	{
		FCriticalSection Lock;
		TArray<FOrvaneLiveLinkSource*> Sources;
	};

	FSourceRegistry& GetSourceRegistry()
	{
		static FSourceRegistry Registry;
		return Registry;
	}

	int32 SaturateToInt32(int64 Value)
	{
		return static_cast<int32>(FMath::Clamp<int64>(Value, TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max()));
	}

	/**
	 * The rotation a frame carries: the quaternion as sent, not normalised, or the identity when it has no
	 * length (a short or missing "Rotation") or its length is not a finite number, which no rotation has.
	 */
	FQuat ToPublishedRotation(const double (&Rotation)[4])
	{
		const FQuat Quat(Rotation[0], Rotation[1], Rotation[2], Rotation[3]);
		const double SizeSquared = Quat.SizeSquared();
		return std::isfinite(SizeSquared) && SizeSquared > 0.0 ? Quat : FQuat::Identity;
	}
}

const FName FOrvaneLiveLinkSource::SubjectName(TEXT("Orvane - Camera"));

FOrvaneLiveLinkSource::FOrvaneLiveLinkSource(const FIPv4Endpoint& InEndpoint)
	: SourceType(LOCTEXT("OrvaneLiveLinkSourceType", "Kelmora Orvane LiveLink"))
	, SourceMachineName(LOCTEXT("OrvaneLiveLinkSourceMachineName", "localhost"))
	, SourceStatus(LOCTEXT("SourceStatus_DeviceNotFound", "Device Not Found"))
	, DeviceEndpoint(InEndpoint)
	, WaitTime(FTimespan::FromMilliseconds(10))
{
	// The clock starts before the receiver can read it.
	ClockStartMs = SteadyClockMilliseconds();
	{
		FSourceRegistry& Registry = GetSourceRegistry();
		FScopeLock Lock(&Registry.Lock);
		Registry.Sources.Add(this);
	}

	Socket = FUdpSocketBuilder(TEXT("ORV"))
				 .AsNonBlocking()
				 .AsReusable()
				 .BoundToEndpoint(DeviceEndpoint)
				 .WithReceiveBufferSize(ReceiveBufferSize)
				 .Build();
	RecvBuffer.SetNumUninitialized(ReceiveBufferSize);

	if (Socket)
	{
		// The platform's own subsystem, so that the socket is also destroyed through the one that made it.
		SocketSubsystem = ISocketSubsystem::Get(PLATFORM_SOCKETSUBSYSTEM);
		if (Socket->GetSocketType() == SOCKTYPE_Datagram)
		{
			Start();
			SourceStatus = LOCTEXT("SourceStatus_Receiving", "Receiving");
		}
	}
}

FOrvaneLiveLinkSource::~FOrvaneLiveLinkSource()
{
	{
		// First, so that no health report reads a source on its way out.
		FSourceRegistry& Registry = GetSourceRegistry();
		FScopeLock Lock(&Registry.Lock);
		Registry.Sources.RemoveSingle(this);
	}
	StopThread();
	FlushLogLimits();
	if (Socket)
	{
		Socket->Close();
		if (SocketSubsystem)
		{
			SocketSubsystem->DestroySocket(Socket);
		}
		Socket = nullptr;
	}
	if (bHoldsExchange.exchange(false))
	{
		FOrvaneFrameExchange::Release();
	}
}

void FOrvaneLiveLinkSource::Start()
{
	ThreadName = FString::Printf(TEXT("Kelmora Orvane Link%d"), FAsyncThreadIndex::GetNext());
	Thread = FRunnableThread::Create(this, *ThreadName, ReceiverStackSize, TPri_AboveNormal, FPlatformAffinity::GetNoAffinityMask(), EThreadCreateFlags::None);
}

void FOrvaneLiveLinkSource::Stop()
{
	Stopping.exchange(true);
}

void FOrvaneLiveLinkSource::StopThread()
{
	// Immediate after a shutdown the client saw through: the receiver has already left its loop.
	Stop();
	if (Thread)
	{
		Thread->WaitForCompletion();
		delete Thread;
		Thread = nullptr;
	}
}

bool FOrvaneLiveLinkSource::IsSourceStillValid() const
{
	return !Stopping.load() && Thread != nullptr && Socket != nullptr;
}

void FOrvaneLiveLinkSource::ReceiveClient(ILiveLinkClient* InClient, FGuid InSourceGuid)
{
	SourceGuid = InSourceGuid;
	Client.store(InClient, std::memory_order_release);
	if (InClient)
	{
		TickHandle = InClient->OnLiveLinkTicked().AddStatic(&FOrvaneLiveLinkSource::OnLiveLinkTick, this);
	}
	PickedActor.Reset();
	if (!bHoldsExchange.load())
	{
		bHoldsExchange.store(FOrvaneFrameExchange::Acquire() > 0);
	}
	PushStaticToLiveLinkClient();
}

bool FOrvaneLiveLinkSource::RequestSourceShutdown()
{
	// Never waits for the receiver: the client calls this while it may hold the lock the receiver's frame push
	// takes, and asks again on every tick until the answer is true.
	Stop();
	ILiveLinkClient* LiveLinkClient = Client.load();
	if (LiveLinkClient && TickHandle.IsValid())
	{
		LiveLinkClient->OnLiveLinkTicked().Remove(TickHandle);
		TickHandle.Reset();
	}
	PickedActor.Reset();
	if (Socket && !bSocketClosed)
	{
		// Wakes a receiver blocked on the socket, so it sees the stop flag at once.
		Socket->Close();
		bSocketClosed = true;
	}
	if (Thread && !bReceiverExited.load(std::memory_order_acquire))
	{
		return false;
	}
	// The receiver has left its loop, so it can no longer publish into the exchange.
	if (bHoldsExchange.exchange(false))
	{
		FOrvaneFrameExchange::Release();
	}
	return true;
}

uint32 FOrvaneLiveLinkSource::Run()
{
	TSharedRef<FInternetAddr> Sender = SocketSubsystem->CreateInternetAddr();
	while (!Stopping.load(std::memory_order_relaxed))
	{
		const bool bReadable = Socket->Wait(ESocketWaitConditions::WaitForRead, WaitTime);
		// Every wake, with or without datagrams: a second of held-back lines ends on time even after a flood.
		AdvanceLogLimits(SteadyClockMilliseconds());
		if (!bReadable)
		{
			continue;
		}
		bool bReceivedAny = false;
		uint32 PendingSize = 0;
		// The stop flag is also checked between datagrams, so a flood cannot hold the thread.
		while (!Stopping.load(std::memory_order_relaxed) && Socket->HasPendingData(PendingSize))
		{
			int32 BytesRead = 0;
			if (Socket->RecvFrom(RecvBuffer.GetData(), RecvBuffer.Num(), BytesRead, *Sender) && BytesRead > 0)
			{
				DecodeAndPublish(TConstArrayView<uint8>(RecvBuffer.GetData(), BytesRead));
			}
			bReceivedAny = true;
		}
		if (!bReceivedAny)
		{
			// A readable socket without pending bytes holds an empty datagram: take it, or every wait
			// would return at once and the thread would spin.
			int32 BytesRead = 0;
			Socket->RecvFrom(RecvBuffer.GetData(), RecvBuffer.Num(), BytesRead, *Sender);
		}
	}
	FlushLogLimits();
	bReceiverExited.store(true, std::memory_order_release);
	return 0;
}

void FOrvaneLiveLinkSource::AdvanceLogLimits(int64 NowMs)
{
	DecodeLog.Advance(NowMs);
	// The lock is taken only when publishing held lines back, at most once a second per kind.
	if (PublishLog.HasHeldLines())
	{
		FScopeLock Lock(&PublishLock);
		PublishLog.Advance(NowMs);
	}
}

void FOrvaneLiveLinkSource::FlushLogLimits()
{
	DecodeLog.FlushAll();
	FScopeLock Lock(&PublishLock);
	PublishLog.FlushAll();
}

FOrvaneLinkHealthSnapshot FOrvaneLiveLinkSource::GetLinkHealth() const
{
	return Health.Snapshot(SteadyClockNanoseconds());
}

void FOrvaneLiveLinkSource::ForEachSource(TFunctionRef<void(const FOrvaneLiveLinkSource&)> Visit)
{
	FSourceRegistry& Registry = GetSourceRegistry();
	FScopeLock Lock(&Registry.Lock);
	for (const FOrvaneLiveLinkSource* Source : Registry.Sources)
	{
		Visit(*Source);
	}
}

void FOrvaneLiveLinkSource::LogLinkHealthOfAllSources()
{
	int32 Count = 0;
	ForEachSource([&Count](const FOrvaneLiveLinkSource& Source)
		{
			++Count;
			UE_LOG(ModuleLog, Display, TEXT("%s"), *Source.GetLinkHealth().ToLogLine(Source.GetEndpoint().ToString())); });
	if (Count == 0)
	{
		UE_LOG(ModuleLog, Display, TEXT("Orvane Live Link: link health: no Orvane source is running"));
	}
}

bool FOrvaneLiveLinkSource::ProcessReceivedData(TSharedPtr<TArray<uint8>, ESPMode::ThreadSafe> ReceivedData)
{
	if (ReceivedData.IsValid())
	{
		DecodeAndPublish(TConstArrayView<uint8>(*ReceivedData));
	}
	return false;
}

void FOrvaneLiveLinkSource::HandleReceivedData(TSharedPtr<TArray<uint8>, ESPMode::ThreadSafe> ReceivedData)
{
}

void FOrvaneLiveLinkSource::DecodeAndPublish(TConstArrayView<uint8> Datagram)
{
	const int64 NowNs = SteadyClockNanoseconds();
	DecodeLog.Advance(NowNs / 1000000);
	const int32 Cameras = FOrvaneMessageDecoder::Decode(
		Datagram, State, [this](const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
		{
			// Frame numbers count only with the rate that makes them a timecode.
			if (Pose.RateNumerator > 0 && Pose.RateDenominator > 0)
			{
				Health.RecordFrameNumber(Pose.FrameNumber);
			}
			PublishDecoded(Setup, Pose, Action); },
		&DecodeLog);
	Health.RecordDatagram(NowNs, Cameras);
}

void FOrvaneLiveLinkSource::PublishDecoded(const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
{
	FOrvaneFrameExchange* Exchange = bHoldsExchange.load() ? FOrvaneFrameExchange::Get() : nullptr;
	if (Exchange)
	{
		Exchange->SetSetup(Setup);
		Exchange->PushPose(Pose);
		OrvaneProcessState::LastPoseMs.store(SteadyClockMilliseconds());
		OrvaneProcessState::NewPoseFlag.store(1);
		if (Action.Action != 0)
		{
			Exchange->SetAction(Action);
		}
	}
	if (!State.bGameThreadPublish.load())
	{
		if (State.bStaticDirty.load(std::memory_order_acquire))
		{
			PushStaticToLiveLinkClient();
		}
		PushPoseToLiveLinkClient(Pose, Setup);
	}
}

void FOrvaneLiveLinkSource::PushStaticToLiveLinkClient()
{
	FScopeLock Lock(&PublishLock);
	ILiveLinkClient* LiveLinkClient = Client.load(std::memory_order_acquire);
	if (!LiveLinkClient)
	{
		return;
	}
	// Cleared before the filmback is read: a change that lands meanwhile marks the data dirty again.
	State.bStaticDirty.store(false, std::memory_order_relaxed);
	FLiveLinkStaticDataStruct StaticData(FLiveLinkCameraStaticData::StaticStruct());
	FLiveLinkCameraStaticData& Camera = *StaticData.Cast<FLiveLinkCameraStaticData>();
	Camera.bIsLocationSupported = true;
	Camera.bIsRotationSupported = true;
	Camera.bIsScaleSupported = false;
	Camera.bIsFieldOfViewSupported = true;
	Camera.bIsAspectRatioSupported = true;
	Camera.bIsFocalLengthSupported = true;
	Camera.bIsProjectionModeSupported = false;
	Camera.FilmBackWidth = OrvaneNumbers::NarrowToFloat(State.FilmbackWidth.load(std::memory_order_acquire));
	Camera.FilmBackHeight = OrvaneNumbers::NarrowToFloat(State.FilmbackHeight.load(std::memory_order_acquire));
	Camera.bIsApertureSupported = false;
	Camera.bIsFocusDistanceSupported = true;
	LiveLinkClient->PushSubjectStaticData_AnyThread(FLiveLinkSubjectKey(SourceGuid, SubjectName), ULiveLinkCameraRole::StaticClass(), MoveTemp(StaticData));
}

void FOrvaneLiveLinkSource::PushPoseToLiveLinkClient(const ORVCameraPose& Pose, const ORVCameraSetup& Setup)
{
	FScopeLock Lock(&PublishLock);
	const int64 NowMs = SteadyClockMilliseconds();
	PublishLog.Advance(NowMs);

	int32 LocalFrame = 0;
	float Fraction = 0.0f;
	if (Setup.bLocalClock)
	{
		const double Seconds = static_cast<double>(NowMs - ClockStartMs) * 0.001;
		const float Frames = OrvaneNumbers::NarrowToFloat(Seconds * FrameRate);
		LocalFrame = SaturateToInt32(static_cast<int64>(FMath::Clamp(std::floor(static_cast<double>(Frames) + 0.5), -9.0e18, 9.0e18)));
		Fraction = Frames - std::floor(Frames);
	}

	FLiveLinkFrameDataStruct FrameData(FLiveLinkCameraFrameData::StaticStruct());
	FLiveLinkCameraFrameData& Camera = *FrameData.Cast<FLiveLinkCameraFrameData>();
	Camera.WorldTime = FLiveLinkWorldTime(FPlatformTime::Seconds(), 0.0);
	Camera.Transform = FTransform(
		ToPublishedRotation(Pose.Rotation),
		FVector(Pose.Location[0], Pose.Location[1], Pose.Location[2]),
		FVector(Pose.Scale[0], Pose.Scale[1], Pose.Scale[2]));

	// The engine divides by both parts of a frame rate when it converts frame times, so a rate that is not
	// positive gives no scene time at all rather than one that faults the editor later.
	if (Pose.RateNumerator > 0 && Pose.RateDenominator > 0)
	{
		// The exact rational rate keeps the local clock in step at 23.976, 29.97 and 59.94 fps.
		FrameRate = static_cast<double>(Pose.RateNumerator) / static_cast<double>(Pose.RateDenominator);

		int64 Frame = Pose.FrameNumber;
		if (Setup.bLocalClock)
		{
			if (TimecodeOffset < 0 || std::llabs(Frame - TimecodeOffset - LocalFrame) > 2)
			{
				TimecodeOffset = SaturateToInt32(Frame - LocalFrame);
				if (Setup.bReportSkips)
				{
					PublishLog.Write(EOrvaneLogLine::ResetTimecode, LocalFrame, TimecodeOffset);
				}
			}
			Frame = static_cast<int64>(TimecodeOffset) + LocalFrame;
		}
		else
		{
			Fraction = 0.0f;
		}

		const int32 PublishedFrame = SaturateToInt32(Frame);
		const int32 LastFrame = OrvaneProcessState::LastPublishedFrame.exchange(PublishedFrame);
		if (Setup.bReportSkips && LastFrame >= 0 && Setup.State == 1 && PublishedFrame > LastFrame && PublishedFrame - LastFrame != 1)
		{
			PublishLog.Write(EOrvaneLogLine::Skip, PublishedFrame, PublishedFrame - LastFrame - 1);
		}

		const float SubFrame = FMath::Clamp(Fraction, 0.0f, FFrameTime::MaxSubframe);
		Camera.MetaData.SceneTime = FQualifiedFrameTime(FFrameTime(FFrameNumber(PublishedFrame), SubFrame), FFrameRate(Pose.RateNumerator, Pose.RateDenominator));
	}

	if (Setup.bLensEnabled)
	{
		Camera.FocalLength = OrvaneNumbers::NarrowToFloat(Pose.Lens[0]);
		Camera.FocusDistance = OrvaneNumbers::NarrowToFloat(Pose.Lens[1]);
		Camera.AspectRatio = OrvaneNumbers::NarrowToFloat(Pose.Lens[2]);
		Camera.FieldOfView = OrvaneNumbers::NarrowToFloat(Pose.Lens[3]);
	}

	if (ILiveLinkClient* LiveLinkClient = Client.load(std::memory_order_acquire))
	{
		LiveLinkClient->PushSubjectFrameData_AnyThread(FLiveLinkSubjectKey(SourceGuid, SubjectName), MoveTemp(FrameData));
	}
}

void FOrvaneLiveLinkSource::OnLiveLinkTick(FOrvaneLiveLinkSource* Source)
{
	Source->LiveLinkTick();
}

bool FOrvaneLiveLinkSource::FindPoseToPublish(FOrvaneFrameExchange& Exchange, const ORVCameraSetup& Setup, ORVCameraPose& OutPose)
{
	FOrvaneFrameExchange::FPoseEntry Entry;
	bool bFound = false;
	if (Setup.State == 1)
	{
		// Live: publish every pose in order, waiting briefly for the next one while poses keep arriving.
		OrvaneProcessState::NewPoseFlag.store(0);
		bFound = Exchange.GetNextPose(Entry);
		// A sender that stopped while live must not hold every editor frame for the length of a wait.
		const int64 LastPoseMs = OrvaneProcessState::LastPoseMs.load();
		if (!bFound && LastPoseMs >= 0 && SteadyClockMilliseconds() - LastPoseMs < PoseStreamGapMs)
		{
			OrvaneProcessState::WaitPolls.store(0);
			FPlatformProcess::ConditionalSleep([]()
				{
					if (OrvaneProcessState::WaitPolls.load() >= MaxWaitPolls)
					{
						return true;
					}
					OrvaneProcessState::WaitPolls.fetch_add(1);
					return OrvaneProcessState::NewPoseFlag.load() != 0; },
				WaitPollSeconds);
			bFound = Exchange.GetNextPose(Entry);
		}
	}
	if (!bFound)
	{
		bFound = Exchange.GetLatestPose(Entry);
	}
	if (bFound)
	{
		OutPose = Entry.Pose;
	}
	return bFound;
}

bool FOrvaneLiveLinkSource::LiveLinkTick()
{
	if (FOrvaneFrameExchange* Exchange = FOrvaneFrameExchange::Get())
	{
		ORVActionParams Action;
		Exchange->TakeAction(Action);
		ExecuteUserActions(&Action);

		ORVCameraSetup Setup;
		Exchange->GetSetup(Setup);
		ExecuteRecording(&Setup);

		if (State.bGameThreadPublish.load())
		{
			ORVCameraPose Pose;
			if (FindPoseToPublish(*Exchange, Setup, Pose))
			{
				if (State.bStaticDirty.load(std::memory_order_acquire))
				{
					PushStaticToLiveLinkClient();
				}
				PushPoseToLiveLinkClient(Pose, Setup);
			}
		}

		if (!bStartedLogged)
		{
			UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link: Started (%s)"), TEXT("25.0"));
			bStartedLogged = true;
		}
	}

	if (State.InterpolationRequest.load() == 1)
	{
		ApplyInterpolationRequest();
	}
	if (State.OffsetRequest.load() == 1)
	{
		ApplyOffsetRequest();
	}
	return true;
}

void FOrvaneLiveLinkSource::ApplyInterpolationRequest()
{
	if (ILiveLinkClient* LiveLinkClient = Client.load())
	{
		for (const FLiveLinkSubjectKey& Key : LiveLinkClient->GetSubjects(false, false))
		{
			if (Key.Source != SourceGuid)
			{
				continue;
			}
			ULiveLinkSubjectSettings* Settings = Cast<ULiveLinkSubjectSettings>(LiveLinkClient->GetSubjectSettings(Key));
			if (Settings && Settings->InterpolationProcessor)
			{
				Settings->InterpolationProcessor = nullptr;
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link - Clear interpolation method"));
			}
		}
	}
	State.InterpolationRequest.store(2);
}

void FOrvaneLiveLinkSource::ApplyOffsetRequest()
{
	// Taken before the offset is read: an offset that arrives meanwhile re-arms the request.
	State.OffsetRequest.store(2);
	ILiveLinkClient* LiveLinkClient = Client.load();
	ULiveLinkSourceSettings* Settings = LiveLinkClient ? LiveLinkClient->GetSourceSettings(SourceGuid) : nullptr;
	if (!Settings)
	{
		return;
	}
	const double Offset = State.EvaluationOffset.load();
	if (Offset >= 0.0)
	{
		switch (Settings->Mode)
		{
		case ELiveLinkSourceMode::Timecode:
			Settings->BufferSettings.bValidTimecodeFrameEnabled = false;
			Settings->BufferSettings.TimecodeFrameOffset = OrvaneNumbers::NarrowToFloat(Offset);
			Settings->MarkPackageDirty();
			UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link - Set Timecode Offset (%.3f)"), Offset);
			break;
		case ELiveLinkSourceMode::EngineTime:
			Settings->BufferSettings.bValidEngineTimeEnabled = false;
			Settings->BufferSettings.EngineTimeOffset = OrvaneNumbers::NarrowToFloat(Offset);
			Settings->MarkPackageDirty();
			UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link - Set Engine Time Offset (%.3f)"), Offset);
			break;
		case ELiveLinkSourceMode::Latest:
		default:
			if (Offset > 0.0)
			{
				UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link - Evaluation mode is Latest - no offset"));
			}
			break;
		}
	}
	else if (Settings->Mode != ELiveLinkSourceMode::Latest)
	{
		// Negative (or NaN) offsets mean game-thread publishing, which evaluates the latest frame.
		Settings->Mode = ELiveLinkSourceMode::Latest;
		Settings->MarkPackageDirty();
		UE_LOG(ModuleLog, Warning, TEXT("Orvane Live Link - Set evaluation mode to Latest"));
	}
}

namespace
{
	/** Writes the still a capture action asks for, after checking where it would land. */
	void ExecuteCapture(const ORVActionParams& Action)
	{
		const FString Problem = OrvaneCaptureRequest::FindPathProblem(Action.Param, GetDefault<UOrvaneLiveLinkRuntimeSettings>()->CaptureFolder);
		if (!Problem.IsEmpty())
		{
			// The path comes from the network: nothing is written where the project did not allow it.
			UE_LOG(ModuleLog, Warning, TEXT("Orvane capture refused: %s"), *Problem);
			UE_LOG(ModuleLog, Error, TEXT("Orvane Failed rendering: '%s'"), *Action.Param);
			return;
		}
		EOrvaneCaptureFormat Format = EOrvaneCaptureFormat::EXR;
		bool bEnableHDR = true;
		OrvaneCaptureRequest::FormatFromFileName(Action.Param, Format, bEnableHDR);
		const bool bCaptured = Action.CaptureMode == 0
								   ? UOrvaneCaptureImg::Capture2DImageFromVPCamera(Action.Param, Format, Action.ImageWidth, Action.ImageHeight, bEnableHDR, Action.FovOverscan)
								   : UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Action.Param, Format, Action.ImageWidth, Action.ImageHeight, bEnableHDR, Action.IncludeRotation);
		if (!bCaptured)
		{
			UE_LOG(ModuleLog, Error, TEXT("Orvane Failed rendering: '%s'"), *Action.Param);
		}
	}

	/** Tells the application about an actor: label, render pass, bounds scaled by the root, root rotation. */
	void SendActorAnswers(AActor& Actor)
	{
		FOrvaneFrameExchange* Exchange = FOrvaneFrameExchange::Get();
		if (!Exchange)
		{
			return;
		}
		FVector Origin = FVector::ZeroVector;
		FVector Extent = FVector::ZeroVector;
		Actor.GetActorBounds(false, Origin, Extent, false);
		FVector Scale = FVector::OneVector;
		FRotator Rotation = FRotator::ZeroRotator;
		if (const USceneComponent* Root = Actor.GetRootComponent())
		{
			Scale = Root->GetComponentScale();
			Rotation = Root->GetComponentRotation();
		}
#if WITH_EDITOR
		const FString& Label = Actor.GetActorLabel();
#else
		const FString Label = Actor.GetName();
#endif
		TMap<FString, FString> Answers;
		Answers.Add(TEXT("AName"), Label);
		Answers.Add(TEXT("ACrp"), UOrvaneLiveLinkHelper::GetActorCustomRenderPass(&Actor) ? TEXT("Y") : TEXT("N"));
		Answers.Add(TEXT("AOrg"), FString::Printf(TEXT("%f, %f, %f"), Origin.X * Scale.X, Origin.Y * Scale.Y, Origin.Z * Scale.Z));
		Answers.Add(TEXT("ABox"), FString::Printf(TEXT("%f, %f, %f"), Extent.X * Scale.X, Extent.Y * Scale.Y, Extent.Z * Scale.Z));
		Answers.Add(TEXT("ARot"), FString::Printf(TEXT("%f, %f, %f"), Rotation.Yaw, Rotation.Pitch, Rotation.Roll));
		Exchange->AddAnswers(Answers);
	}

	/** The take number in a take string as the C library reads it (blanks, sign, digits), saturated to int32. */
	int32 ParseTakeNumber(const FString& Take)
	{
		const int64 Number = FCString::Strtoi64(*Take, nullptr, 10);
		return static_cast<int32>(FMath::Clamp<int64>(Number, TNumericLimits<int32>::Min(), TNumericLimits<int32>::Max()));
	}
}

void FOrvaneLiveLinkSource::ExecuteUserActions(const ORVActionParams* Action)
{
	if (!Action)
	{
		return;
	}
	switch (Action->Action)
	{
#if WITH_EDITOR
	case 1:
		UOrvaneViewport::EditorBeginPlayFullscreen();
		break;
	case 2:
		UOrvaneViewport::EditorEndPlay();
		break;
#endif
	case 4:
		ExecuteCapture(*Action);
		break;
	case 5:
	{
		// The sender counts Y from the top of the picture, the screen query from the bottom.
		const FVector2D ScreenPoint(Action->ScreenX, 1.0 - Action->ScreenY);
		FHitResult Hit;
		PickedActor = UOrvaneLiveLinkHelper::GetActorUnderNormalizedScreenCoord(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), ScreenPoint, 100000.0f, ECC_Visibility, TArray<AActor*>(), Hit);
		if (AActor* Picked = PickedActor.Get())
		{
			SendActorAnswers(*Picked);
		}
		break;
	}
	case 6:
		if (AActor* Picked = PickedActor.Get())
		{
			if (Action->Param.Equals(TEXT("crp_on"), ESearchCase::IgnoreCase))
			{
				UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Picked, true);
			}
			else if (Action->Param.Equals(TEXT("crp_off"), ESearchCase::IgnoreCase))
			{
				UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Picked, false);
			}
			SendActorAnswers(*Picked);
		}
		break;
	default:
		break;
	}
}

void FOrvaneLiveLinkSource::ExecuteRecording(const ORVCameraSetup* Setup)
{
	if (!Setup || (!Setup->bTakeMetadata && !Setup->bRecordControl))
	{
		return;
	}
	const int32 RequestedRecordState = Setup->State == 2 ? 1 : 0;
	if (Setup->MetaSlate.Equals(LastAppliedSlate, ESearchCase::CaseSensitive) && Setup->MetaTake.Equals(LastAppliedTake, ESearchCase::CaseSensitive) && Setup->MetaLabel.Equals(LastAppliedLabel, ESearchCase::CaseSensitive) && LastRecordState == RequestedRecordState)
	{
		return;
	}
#if WITH_EDITOR
	UTakeRecorderPanel* Panel = UTakeRecorderBlueprintLibrary::GetTakeRecorderPanel();
	if (!Panel)
	{
		// The take recorder is not open: the same change is tried again on the next tick.
		return;
	}
	if (Setup->bTakeMetadata)
	{
		if (UTakeMetaData* MetaData = Panel->GetTakeMetaData())
		{
			MetaData->SetSlate(Setup->MetaSlate, true);
			MetaData->SetTakeNumber(ParseTakeNumber(Setup->MetaTake), true);
			LastAppliedLabel = Setup->MetaLabel;
			LastAppliedSlate = Setup->MetaSlate;
			LastAppliedTake = Setup->MetaTake;
		}
	}
	if (Setup->bRecordControl)
	{
		// A metadata change while recording is requested and running leaves the running take alone.
		const bool bRecording = UTakeRecorderBlueprintLibrary::IsRecording();
		if (RequestedRecordState == 1 && !bRecording)
		{
			Panel->StartRecording();
		}
		else if (RequestedRecordState == 0 && bRecording)
		{
			Panel->StopRecording();
		}
	}
	LastRecordState = RequestedRecordState;
#endif
}

#undef LOCTEXT_NAMESPACE
