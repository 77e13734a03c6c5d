// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HAL/IConsoleManager.h"
#include "HAL/PlatformProcess.h"
#include "LiveLinkSourceSettings.h"
#include "LiveLinkSubjectSettings.h"
#include "LogCapture.h"
#include "Misc/OutputDeviceRedirector.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkSource.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "SourceTestSupport.h"
#include "Templates/Casts.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <climits>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <random>
#include <regex>
#include <thread>

namespace
{
	using namespace OrvaneTest;

	class LiveLinkSource : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			Client = &GetHeadlessClient();
			Client->RemoveAllSources();
			ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
			Client->HostClearRecords();
			Client->HostSetRecording(true);
			OrvaneProcessState::LastCaptureFrame.store(-1);
			OrvaneProcessState::LastPublishedFrame.store(-1);
			Port = FindFreeLoopbackPort();
			Sender = MakeUnique<FLoopbackSender>(Port);
		}

		void TearDown() override
		{
			Client->RemoveAllSources();
			ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
			Client->HostSetRecording(false);
			Client->HostClearRecords();
		}

		TSharedPtr<FOrvaneLiveLinkSource> AddSource()
		{
			Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), Port));
			SourceGuid = Client->AddSource(Source);
			return Source;
		}

		/** Sends one message and waits until the client has received Count more frames. */
		bool SendAndWait(const std::string& Message, int64 Count = 1)
		{
			const int64 Before = Client->HostGetFramePushCount();
			return Sender->Send(Message) && Client->HostWaitForFramePushes(Before + Count, 10.0);
		}

		/** Polls until the condition holds; false after ten seconds. */
		template <typename PredicateType>
		static bool WaitUntil(PredicateType Predicate)
		{
			for (int32 Poll = 0; Poll < 10000; ++Poll)
			{
				if (Predicate())
				{
					return true;
				}
				FPlatformProcess::Sleep(0.001f);
			}
			return false;
		}

		TArray<FLiveLinkHostPushRecord> Pushes(FLiveLinkHostPushRecord::EKind Kind) const
		{
			TArray<FLiveLinkHostPushRecord> Matching;
			for (const FLiveLinkHostPushRecord& Record : Client->HostGetRecords())
			{
				if (Record.Kind == Kind && Record.SubjectKey.SubjectName.Name == FOrvaneLiveLinkSource::SubjectName)
				{
					Matching.Add(Record);
				}
			}
			return Matching;
		}

		const FLiveLinkCameraFrameData& LastFrame() const
		{
			const TArray<FLiveLinkHostPushRecord> Frames = Pushes(FLiveLinkHostPushRecord::EKind::FrameData);
			check(Frames.Num() > 0);
			LastFrameRecord = Frames.Last();
			return *LastFrameRecord.FrameData->Cast<FLiveLinkCameraFrameData>();
		}

		FLiveLinkClient* Client = nullptr;
		uint16 Port = 0;
		TUniquePtr<FLoopbackSender> Sender;
		TSharedPtr<FOrvaneLiveLinkSource> Source;
		FGuid SourceGuid;
		FLogCapture Log;
		mutable FLiveLinkHostPushRecord LastFrameRecord;
	};

	const std::string FullCamera =
		"\"Version\":2,\"Setup\":[0,1,0,0,0,0,0,0],\"Location\":[100,-200,170],\"Rotation\":[0,0,0.7071067811865476,0.7071067811865476],"
		"\"Scale\":[1,2,3],\"Lens\":[35,500,1.5,54],\"Sensor\":[36,24],\"Timecode\":[100,25,1,77],\"State\":1";
}

TEST_F(LiveLinkSource, PublishesADatagramAsACameraFrame)
{
	AddSource();
	EXPECT_EQ(Source->GetSourceStatus().ToString(), FString(TEXT("Receiving")));
	EXPECT_TRUE(Source->IsSourceStillValid());

	ASSERT_TRUE(SendAndWait(CameraMessage(FullCamera)));
	const FLiveLinkCameraFrameData& Frame = LastFrame();
	EXPECT_EQ(LastFrameRecord.SubjectKey.Source, SourceGuid);
	EXPECT_DOUBLE_EQ(Frame.Transform.GetTranslation().X, 100.0);
	EXPECT_DOUBLE_EQ(Frame.Transform.GetTranslation().Y, -200.0);
	EXPECT_DOUBLE_EQ(Frame.Transform.GetRotation().Z, 0.7071067811865476);
	EXPECT_DOUBLE_EQ(Frame.Transform.GetScale3D().Z, 3.0);
	EXPECT_FLOAT_EQ(Frame.FocalLength, 35.0f);
	EXPECT_FLOAT_EQ(Frame.FocusDistance, 500.0f);
	EXPECT_FLOAT_EQ(Frame.AspectRatio, 1.5f);
	EXPECT_FLOAT_EQ(Frame.FieldOfView, 54.0f);
	EXPECT_EQ(Frame.MetaData.SceneTime.Time.GetFrame().Value, 100);
	EXPECT_EQ(Frame.MetaData.SceneTime.Time.GetSubFrame(), 0.0f);
	EXPECT_EQ(Frame.MetaData.SceneTime.Rate, FFrameRate(25, 1));
	EXPECT_EQ(Source->GetLocalClockRate(), 25.0);

	// Static data went out when the client adopted the source, and again once the filmback arrived.
	const TArray<FLiveLinkHostPushRecord> Statics = Pushes(FLiveLinkHostPushRecord::EKind::StaticData);
	ASSERT_GE(Statics.Num(), 2);
	EXPECT_EQ(Statics[0].Role.Get(), ULiveLinkCameraRole::StaticClass());
	const FLiveLinkCameraStaticData& Static = *Statics.Last().StaticData->Cast<FLiveLinkCameraStaticData>();
	EXPECT_FLOAT_EQ(Static.FilmBackWidth, 36.0f);
	EXPECT_FLOAT_EQ(Static.FilmBackHeight, 24.0f);
	EXPECT_TRUE(Static.bIsLocationSupported && Static.bIsRotationSupported && Static.bIsFocusDistanceSupported);
	EXPECT_FALSE(Static.bIsScaleSupported || Static.bIsApertureSupported || Static.bIsProjectionModeSupported);

	// Once the client ticks, the subject exists with the camera role.
	Client->Tick();
	FLiveLinkSubjectFrameData Evaluated;
	EXPECT_TRUE(Client->EvaluateFrame_AnyThread(FOrvaneLiveLinkSource::SubjectName, ULiveLinkCameraRole::StaticClass(), Evaluated));
}

TEST_F(LiveLinkSource, PublishesTheIdentityForARotationWithoutLength)
{
	AddSource();
	// Short, missing, all-zero and overflowing quaternions; the record handed on keeps what was decoded.
	for (const char* Keys : {"\"Rotation\":[0,0,1]", "\"Location\":[1,2,3]", "\"Rotation\":[0,0,0,0]", "\"Rotation\":[1e200,0,0,1]", "\"Rotation\":[-0.0,0,0,0]", "\"Rotation\":[1e400,0,0,1]", "\"Rotation\":[0,-1e999,0,0]"})
	{
		SCOPED_TRACE(Keys);
		ASSERT_TRUE(SendAndWait(CameraMessage(Keys)));
		const FQuat Rotation = LastFrame().Transform.GetRotation();
		EXPECT_EQ(Rotation.X, 0.0);
		EXPECT_EQ(Rotation.Y, 0.0);
		EXPECT_EQ(Rotation.Z, 0.0);
		EXPECT_EQ(Rotation.W, 1.0);
	}
	FOrvaneFrameExchange::FPoseEntry Entry;
	ASSERT_TRUE(FOrvaneFrameExchange::Get()->GetLatestPose(Entry));
	EXPECT_EQ(Entry.Pose.Rotation[3], 0.0) << "the decoded record is not changed";

	// A rotation with any length is published as sent, not normalised.
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Rotation\":[0,0,0,2]")));
	EXPECT_EQ(LastFrame().Transform.GetRotation().W, 2.0);
}

TEST_F(LiveLinkSource, LeavesLensAndSceneTimeOutWhenNotSent)
{
	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0],\"Lens\":[35,500,1.5,54],\"Timecode\":[100,25,0]")));
	const FLiveLinkCameraFrameData Defaults;
	const FLiveLinkCameraFrameData& Frame = LastFrame();
	EXPECT_EQ(Frame.FocalLength, Defaults.FocalLength);
	EXPECT_EQ(Frame.FieldOfView, Defaults.FieldOfView);
	EXPECT_EQ(Frame.MetaData.SceneTime.Rate, Defaults.MetaData.SceneTime.Rate);
	EXPECT_EQ(OrvaneProcessState::LastPublishedFrame.load(), -1) << "a zero denominator publishes no frame number";
}

TEST_F(LiveLinkSource, ReportsSkippedFramesWhileLive)
{
	AddSource();
	const std::string Setup = "\"Setup\":[0,0,0,0,0,1],\"State\":1,";
	for (const int32 Frame : {10, 11, 14, 12})
	{
		ASSERT_TRUE(SendAndWait(CameraMessage(Setup + "\"Timecode\":[" + std::to_string(Frame) + ",25,1]")));
	}
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: skip 14 / 2")), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: skip")), 1) << "frames going backwards give no line";
	// The receive side counts the gap of 3 between 11 and 14.
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Capture skip 14 / 3")), 1);

	// Not live: no publish-side skip line.
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,1],\"State\":2,\"Timecode\":[20,25,1]")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: skip")), 1);
}

TEST_F(LiveLinkSource, ResynchronisesTheLocalClockOnlyOnJumps)
{
	AddSource();
	// A one-frame-per-second clock keeps the local frame count still for the length of the test.
	const std::string Setup = "\"Setup\":[0,0,0,1,0,1],";
	// The local frame count of a datagram is taken at the rate of the one before, so a first datagram without
	// reports sets the rate; otherwise a slow start would count at the default rate and look like a jump.
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,1,0,0],\"Timecode\":[500,1,1]")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Reset timecode")), 0);
	ASSERT_TRUE(SendAndWait(CameraMessage(Setup + "\"Timecode\":[1000,1,1]")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Reset timecode")), 1);
	ASSERT_TRUE(SendAndWait(CameraMessage(Setup + "\"Timecode\":[1001,1,1]")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Reset timecode")), 1);
	ASSERT_TRUE(SendAndWait(CameraMessage(Setup + "\"Timecode\":[1010,1,1]")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Reset timecode")), 2);
	EXPECT_EQ(LastFrame().MetaData.SceneTime.Time.GetFrame().Value, 1010);
}

TEST_F(LiveLinkSource, CountsTheLocalClockAtTheExactRationalRate)
{
	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Timecode\":[100,30000,1001]")));
	EXPECT_DOUBLE_EQ(Source->GetLocalClockRate(), 30000.0 / 1001.0);
	EXPECT_EQ(LastFrame().MetaData.SceneTime.Rate, FFrameRate(30000, 1001));
}

TEST_F(LiveLinkSource, PublishesNoSceneTimeForARateThatIsNotPositive)
{
	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Timecode\":[100,25,1]")));
	const FLiveLinkCameraFrameData Defaults;
	// A zero or negative part would make the engine divide by zero or count frames backwards.
	for (const char* Rate : {"0,1", "-25,1", "25,-1", "-30000,-1001", "-2147483648,-1", "0,0", "25,0"})
	{
		SCOPED_TRACE(Rate);
		ASSERT_TRUE(SendAndWait(CameraMessage(std::string("\"Setup\":[0,0,0,1,0],\"Timecode\":[7,") + Rate + "]")));
		EXPECT_EQ(LastFrame().MetaData.SceneTime.Rate, Defaults.MetaData.SceneTime.Rate);
		EXPECT_EQ(LastFrame().MetaData.SceneTime.Time.GetFrame().Value, Defaults.MetaData.SceneTime.Time.GetFrame().Value);
		EXPECT_EQ(OrvaneProcessState::LastPublishedFrame.load(), 100) << "the last published frame stays";
		EXPECT_EQ(Source->GetLocalClockRate(), 25.0) << "the local clock keeps its rate";
	}
}

TEST_F(LiveLinkSource, AppliesTheSendersEvaluationSettingsOnTheNextTick)
{
	AddSource();
	ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(SourceGuid);
	ASSERT_NE(Settings, nullptr);
	Settings->Mode = ELiveLinkSourceMode::EngineTime;

	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,0,0,1.25]")));
	Client->Tick();
	EXPECT_FLOAT_EQ(Settings->BufferSettings.EngineTimeOffset, 1.25f);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link - Set Engine Time Offset (1.250)")), 1);
	Client->Tick();
	EXPECT_EQ(Log.CountContaining(TEXT("Offset (")), 1) << "applied once per change";

	Settings->Mode = ELiveLinkSourceMode::Timecode;
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,0,0,2]")));
	Client->Tick();
	EXPECT_FLOAT_EQ(Settings->BufferSettings.TimecodeFrameOffset, 2.0f);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link - Set Timecode Offset (2.000)")), 1);

	// A negative offset switches to game-thread publishing, so the receiver publishes nothing itself.
	Sender->Send(CameraMessage("\"Setup\":[0,0,0,0,0,0,0,-1]"));
	ASSERT_TRUE(WaitUntil([this]
		{ return Source->GetPublishState().bGameThreadPublish.load(); }));
	Client->Tick();
	EXPECT_EQ(Settings->Mode, ELiveLinkSourceMode::Latest);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link - Set evaluation mode to Latest")), 1);

	Sender->Send(CameraMessage("\"Setup\":[0,0,0,0,0,0,0,0.5]"));
	for (int32 Tick = 0; Tick < 200 && Log.CountContaining(TEXT("no offset")) == 0; ++Tick)
	{
		FPlatformProcess::Sleep(0.005f);
		Client->Tick();
	}
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link - Evaluation mode is Latest - no offset")), 1);
}

TEST_F(LiveLinkSource, NarrowsNumbersBeyondTheFloatRangeToInfinities)
{
	AddSource();
	ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(SourceGuid);
	ASSERT_NE(Settings, nullptr);
	Settings->Mode = ELiveLinkSourceMode::EngineTime;
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,1,0,0,0,0,0,1e300],\"Lens\":[1e300,-1e300,3.4028235e38,1e-300],\"Sensor\":[1e300,-1e300]")));
	const FLiveLinkCameraFrameData& Frame = LastFrame();
	EXPECT_EQ(Frame.FocalLength, std::numeric_limits<float>::infinity());
	EXPECT_EQ(Frame.FocusDistance, -std::numeric_limits<float>::infinity());
	EXPECT_EQ(Frame.AspectRatio, std::numeric_limits<float>::max());
	EXPECT_EQ(Frame.FieldOfView, 0.0f);
	const FLiveLinkCameraStaticData& Static = *Pushes(FLiveLinkHostPushRecord::EKind::StaticData).Last().StaticData->Cast<FLiveLinkCameraStaticData>();
	EXPECT_EQ(Static.FilmBackWidth, std::numeric_limits<float>::infinity());
	EXPECT_EQ(Static.FilmBackHeight, -std::numeric_limits<float>::infinity());

	Client->Tick();
	EXPECT_EQ(Settings->BufferSettings.EngineTimeOffset, std::numeric_limits<float>::infinity());
	Settings->Mode = ELiveLinkSourceMode::Timecode;
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,0,0,3e300]")));
	Client->Tick();
	EXPECT_EQ(Settings->BufferSettings.TimecodeFrameOffset, std::numeric_limits<float>::infinity());
}

TEST_F(LiveLinkSource, ClearsTheSubjectsInterpolationOnceWhenAsked)
{
	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,0,1],\"Timecode\":[1,25,1]")));
	Client->Tick();
	const FLiveLinkSubjectKey Key(SourceGuid, FOrvaneLiveLinkSource::SubjectName);
	ULiveLinkSubjectSettings* Settings = Cast<ULiveLinkSubjectSettings>(Client->GetSubjectSettings(Key));
	ASSERT_NE(Settings, nullptr);
	if (Settings->InterpolationProcessor)
	{
		Client->Tick();
	}
	EXPECT_EQ(Settings->InterpolationProcessor, nullptr);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link - Clear interpolation method")), 1);
	EXPECT_EQ(Source->GetPublishState().InterpolationRequest.load(), 2);
}

TEST_F(LiveLinkSource, PublishesFromTheGameThreadInArrivalOrderWhenAsked)
{
	AddSource();
	// A negative offset asks for game-thread publishing: the receiver only feeds the exchange.
	const std::string Setup = "\"Setup\":[0,0,0,0,0,0,0,-1],\"State\":1,";
	Sender->Send(CameraMessage(Setup + "\"Timecode\":[1,25,1]"));
	FOrvaneFrameExchange* Exchange = FOrvaneFrameExchange::Get();
	ASSERT_NE(Exchange, nullptr);
	ASSERT_TRUE(WaitUntil([this]
		{ return Source->GetPublishState().bGameThreadPublish.load(); }));
	Client->Tick();
	const int64 Before = Client->HostGetFramePushCount();
	for (int32 Frame = 2; Frame <= 6; ++Frame)
	{
		Sender->Send(CameraMessage(Setup + "\"Timecode\":[" + std::to_string(Frame) + ",25,1]"));
	}
	FPlatformProcess::Sleep(0.2f);
	EXPECT_EQ(Client->HostGetFramePushCount(), Before) << "nothing is published off the game thread";

	TArray<int32> Published;
	for (int32 Tick = 0; Tick < 5; ++Tick)
	{
		Client->Tick();
	}
	const TArray<FLiveLinkHostPushRecord> Frames = Pushes(FLiveLinkHostPushRecord::EKind::FrameData);
	for (const FLiveLinkHostPushRecord& Record : Frames)
	{
		Published.Add(Record.FrameData->Cast<FLiveLinkCameraFrameData>()->MetaData.SceneTime.Time.GetFrame().Value);
	}
	ASSERT_GE(Published.Num(), 5);
	const TArray<int32> LastFive(Published.GetData() + Published.Num() - 5, 5);
	EXPECT_EQ(LastFive, (TArray<int32>{2, 3, 4, 5, 6}));
}

TEST_F(LiveLinkSource, StopsWaitingForPosesOnceTheSenderFallsSilent)
{
	AddSource();
	const std::string Setup = "\"Setup\":[0,0,0,0,0,0,0,-1],\"State\":1,";
	OrvaneProcessState::LastPoseMs.store(-1);
	Sender->Send(CameraMessage(Setup + "\"Timecode\":[1,25,1]"));
	ASSERT_TRUE(WaitUntil([]
		{ return OrvaneProcessState::LastPoseMs.load() >= 0; }));
	ASSERT_TRUE(Source->GetPublishState().bGameThreadPublish.load());
	// The stream stays quiet for longer than a live sender ever leaves between two poses.
	FPlatformProcess::Sleep(0.15f);
	Client->Tick();
	OrvaneProcessState::WaitPolls.store(-1);
	const int64 Before = Client->HostGetFramePushCount();
	Client->Tick();
	EXPECT_EQ(OrvaneProcessState::WaitPolls.load(), -1) << "no wait for a pose once the sender has stopped";
	EXPECT_EQ(Client->HostGetFramePushCount(), Before + 1) << "the latest pose is still published";
}

TEST_F(LiveLinkSource, HandsDecodedRecordsToTheExchange)
{
	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Version\":2,\"Setup\":[0,0,1,0,0],\"Metadata\":[\"L\",\"S\",\"4\"],\"State\":2,\"Timecode\":[42,25,1],\"Action\":5,\"Param\":[0.5,0.25]")));
	FOrvaneFrameExchange* Exchange = FOrvaneFrameExchange::Get();
	ASSERT_NE(Exchange, nullptr);
	ORVCameraSetup Setup;
	Exchange->GetSetup(Setup);
	EXPECT_EQ(Setup.State, 2);
	EXPECT_EQ(Setup.MetaTake, FString(TEXT("4")));
	FOrvaneFrameExchange::FPoseEntry Pose;
	ASSERT_TRUE(Exchange->GetLatestPose(Pose));
	EXPECT_EQ(Pose.Pose.FrameNumber, 42);
	ORVActionParams Action;
	Exchange->TakeAction(Action);
	EXPECT_EQ(Action.Action, 5);
	EXPECT_EQ(Action.ScreenY, 0.25);
}

TEST_F(LiveLinkSource, NamesEachReceiverThreadAndSharesAReusablePort)
{
	TSharedPtr<FOrvaneLiveLinkSource> First = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), Port));
	TSharedPtr<FOrvaneLiveLinkSource> Second = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), Port));
	EXPECT_TRUE(First->IsSourceStillValid());
	EXPECT_TRUE(Second->IsSourceStillValid()) << "the address is reusable";
	EXPECT_TRUE(First->GetThreadName().StartsWith(TEXT("Kelmora Orvane Link"), ESearchCase::CaseSensitive));
	EXPECT_NE(First->GetThreadName(), Second->GetThreadName());
	EXPECT_EQ(First->GetSourceType().ToString(), FString(TEXT("Kelmora Orvane LiveLink")));
	EXPECT_EQ(First->GetSourceMachineName().ToString(), FString(TEXT("localhost")));
	EXPECT_TRUE(WaitUntil([&First]
		{ return First->RequestSourceShutdown(); }));
	EXPECT_FALSE(First->IsSourceStillValid());
}

TEST_F(LiveLinkSource, ReportsDeviceNotFoundForAnAddressItCannotBind)
{
	// 203.0.113.0/24 is reserved for documentation and belongs to no local interface.
	FOrvaneLiveLinkSource Unbound(FIPv4Endpoint(FIPv4Address(203, 0, 113, 7), Port));
	EXPECT_EQ(Unbound.GetSourceStatus().ToString(), FString(TEXT("Device Not Found")));
	EXPECT_FALSE(Unbound.IsSourceStillValid());
	EXPECT_TRUE(Unbound.GetThreadName().IsEmpty());
	EXPECT_TRUE(Unbound.RequestSourceShutdown());
}

TEST_F(LiveLinkSource, ReleasesTheExchangeOncePerShutdownAndKeepsItForOtherUsers)
{
	ASSERT_EQ(FOrvaneFrameExchange::Acquire(), 1);
	AddSource();
	EXPECT_EQ(FOrvaneFrameExchange::Get()->GetUserCount(), 2);
	Client->RemoveSource(SourceGuid);
	ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
	ASSERT_NE(FOrvaneFrameExchange::Get(), nullptr);
	EXPECT_EQ(FOrvaneFrameExchange::Get()->GetUserCount(), 1);
	EXPECT_TRUE(Source->RequestSourceShutdown());
	EXPECT_EQ(FOrvaneFrameExchange::Get()->GetUserCount(), 1) << "a second shutdown releases nothing more";
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 0);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr);
}

TEST_F(LiveLinkSource, ShutsDownWhileDatagramsKeepArriving)
{
	AddSource();
	std::atomic<bool> bSending{true};
	std::thread Flood([this, &bSending]
		{
			FLoopbackSender FloodSender(Port);
			for (int32 Index = 0; bSending.load() && Index < 200000; ++Index)
			{
				FloodSender.Send(CameraMessage("\"Timecode\":[" + std::to_string(Index) + ",25,1]"));
			} });
	ASSERT_TRUE(Client->HostWaitForFramePushes(50, 10.0));
	// The client holds its pending-frames lock while it asks, as the engine's does; a shutdown that waited
	// for the receiver there would wait for ever on a receiver that is waiting to push.
	Client->RemoveSource(SourceGuid);
	ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
	EXPECT_FALSE(Source->IsSourceStillValid());
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr) << "the exchange goes with its last user";
	bSending.store(false);
	Flood.join();
	const int64 AfterShutdown = Client->HostGetFramePushCount();
	FPlatformProcess::Sleep(0.05f);
	EXPECT_EQ(Client->HostGetFramePushCount(), AfterShutdown) << "the receiver stopped with the shutdown";
}

TEST_F(LiveLinkSource, ShutdownNeverWaitsForAReceiverInsideAFramePush)
{
	AddSource();
	std::mutex GateMutex;
	std::condition_variable Gate;
	bool bGateOpen = false;
	std::atomic<bool> bInPush{false};
	std::atomic<bool> bGateTimedOut{false};
	const int32 Observer = Client->HostAddPushObserver([&](const FLiveLinkHostPushRecord& Record)
		{
			if (Record.Kind != FLiveLinkHostPushRecord::EKind::FrameData)
			{
				return;
			}
			std::unique_lock<std::mutex> Lock(GateMutex);
			bInPush.store(true);
			// Bounded, so that a shutdown which does wait for the receiver fails the test instead of hanging it.
			if (!Gate.wait_for(Lock, std::chrono::seconds(10), [&bGateOpen]
					{ return bGateOpen; }))
			{
				bGateTimedOut.store(true);
			}
			bInPush.store(false); });

	Sender->Send(CameraMessage("\"Timecode\":[1,25,1]"));
	ASSERT_TRUE(WaitUntil([&bInPush]
		{ return bInPush.load(); }));
	Client->RemoveSource(SourceGuid);
	EXPECT_TRUE(bInPush.load()) << "the shutdown request returned while the receiver was still pushing";
	EXPECT_EQ(Client->HostGetPendingRemovalCount(), 1) << "the source says no until its receiver has stopped";
	EXPECT_NE(FOrvaneFrameExchange::Get(), nullptr) << "the exchange stays while the receiver may still use it";
	Client->Tick();
	EXPECT_EQ(Client->HostGetPendingRemovalCount(), 1);
	EXPECT_FALSE(Source->IsSourceStillValid());

	{
		std::lock_guard<std::mutex> Lock(GateMutex);
		bGateOpen = true;
	}
	Gate.notify_all();
	EXPECT_TRUE(TickUntilSourcesShutDown(*Client));
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr) << "released once the receiver had stopped";
	EXPECT_FALSE(bGateTimedOut.load());
	Client->HostRemovePushObserver(Observer);
	EXPECT_TRUE(Source->RequestSourceShutdown()) << "asking again after the shutdown is harmless";
	Source.Reset();
}

TEST_F(LiveLinkSource, KeepsPublishingBetweenHostileDatagrams)
{
	AddSource();
	std::mt19937 Random(7);
	int32 ValidSent = 0;
	const int64 Before = Client->HostGetFramePushCount();
	for (int32 Round = 0; Round < 600; ++Round)
	{
		std::string Noise(Random() % 1500, '\0');
		for (char& Byte : Noise)
		{
			Byte = static_cast<char>(Random());
		}
		switch (Round % 6)
		{
		case 0:
			Sender->Send(Noise);
			break;
		case 1:
			Sender->Send(CameraMessage(FullCamera).substr(0, Random() % 200));
			break;
		case 2:
			Sender->Send("{\"ORVCamera\":[{\"Setup\":\"x\",\"Location\":{},\"Timecode\":[\"a\",null,[]],\"Action\":\"4\"}]}");
			break;
		case 3:
			Sender->Send("{\"ORVCamera\":[{\"Metadata\":[\"" + std::string(60000, 'x') + "\"]}]}");
			break;
		case 4:
			Sender->Send(std::string());
			break;
		default:
			Sender->Send(CameraMessage("\"Timecode\":[" + std::to_string(Round) + ",25,1]"));
			++ValidSent;
			break;
		}
	}
	// Every valid datagram is published; the hostile ones may publish camera records of their own.
	EXPECT_TRUE(Client->HostWaitForFramePushes(Before + ValidSent, 10.0));
	EXPECT_TRUE(Source->IsSourceStillValid());
}

namespace
{
	/** The lines that start with Text, as written plus those a count line says were held back. */
	int32 CountWithHeldBack(const FLogCapture& Log, const FString& Text)
	{
		const std::regex HeldBack(R"(\((\d+) more in the last second\)$)");
		int32 Total = 0;
		for (const FCapturedLogLine& Line : Log.Lines())
		{
			if (!Line.Message.StartsWith(Text, ESearchCase::CaseSensitive))
			{
				continue;
			}
			const std::string Message(TCHAR_TO_UTF8(*Line.Message));
			std::smatch Match;
			Total += std::regex_search(Message, Match, HeldBack) ? std::stoi(Match[1].str()) : 1;
		}
		return Total;
	}
}

TEST_F(LiveLinkSource, CountsLinkHealthFromWhatArrives)
{
	AddSource();
	const FOrvaneLinkHealthSnapshot Before = Source->GetLinkHealth();
	EXPECT_EQ(Before.Received, 0);
	EXPECT_LT(Before.LastPacketAgeMs, 0.0) << "nothing arrived yet";

	// An empty datagram is no datagram; frames 1, 2, 3, 5, 5, 9 miss four and repeat one; a camera without a rate
	// is decoded but is no timecode; an unparsable document and one of strangers only are refused.
	const std::vector<std::string> Datagrams = {
		"",
		CameraMessage("\"Timecode\":[1,25,1]"),
		CameraMessage("\"Timecode\":[2,25,1]"),
		"{\"ORVCamera\":[{\"Timecode\":[3,25,1]}]",
		CameraMessage("\"Timecode\":[3,25,1]"),
		CameraMessage("\"Timecode\":[5,25,1]"),
		"{\"Other\":[1]}",
		CameraMessage("\"Timecode\":[5,25,1]"),
		CameraMessage("\"Timecode\":[700,25,0]"),
		CameraMessage("\"Timecode\":[9,25,1]"),
	};
	for (const std::string& Datagram : Datagrams)
	{
		ASSERT_TRUE(Sender->Send(Datagram));
	}
	ASSERT_TRUE(WaitUntil([this]()
		{ return Source->GetLinkHealth().Received >= 9; }));
	const FOrvaneLinkHealthSnapshot Health = Source->GetLinkHealth();
	EXPECT_EQ(Health.Received, 9);
	EXPECT_EQ(Health.Decoded, 7);
	EXPECT_EQ(Health.Refused, 2);
	EXPECT_EQ(Health.Gaps, 4);
	EXPECT_EQ(Health.Repeats, 1);
	EXPECT_GE(Health.LastPacketAgeMs, 0.0);
	EXPECT_GE(Health.RateHz, 0.0);
}

TEST_F(LiveLinkSource, PublishesOneFrameForACameraArrayOfTwoThousandElements)
{
	AddSource();
	std::string Elements = "{\"ORVCamera\":[";
	for (int32 Index = 0; Index < 2000; ++Index)
	{
		Elements += (Index ? ",{\"Timecode\":[" : "{\"Timecode\":[") + std::to_string(Index + 1) + ",25,1]}";
	}
	Elements += "]}";
	const int64 Before = Client->HostGetFramePushCount();
	ASSERT_TRUE(Sender->Send(Elements));
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Timecode\":[5000,25,1]")));
	ASSERT_TRUE(WaitUntil([this]()
		{ return Source->GetLinkHealth().Received >= 2; }));
	EXPECT_EQ(Client->HostGetFramePushCount(), Before + 2);
	EXPECT_EQ(Pushes(FLiveLinkHostPushRecord::EKind::FrameData)[0].FrameData->Cast<FLiveLinkCameraFrameData>()->MetaData.SceneTime.Time.GetFrame().Value, 1);
}

TEST_F(LiveLinkSource, AFloodOfStrangersLogsTenLinesASecondAndTheCountWithoutAnotherDatagram)
{
	AddSource();
	for (int32 Index = 0; Index < 60; ++Index)
	{
		ASSERT_TRUE(Sender->Send("{\"Other\":1,\"More\":2,\"Still\":3}"));
	}
	ASSERT_TRUE(WaitUntil([this]()
		{ return Source->GetLinkHealth().Received >= 60; }));
	// Nothing else arrives: the receiver ends the second on its own.
	ASSERT_TRUE(WaitUntil([this]()
		{ return Log.CountContaining(TEXT("more in the last second)")) > 0; }));
	EXPECT_EQ(CountWithHeldBack(Log, TEXT("Orvane Live Link: Unknow data received")), 60) << "every line is written or counted";
	EXPECT_LT(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 60);
	EXPECT_GE(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 10);
}

TEST_F(LiveLinkSource, LimitsSkipWarningsPerKindAndWritesTheCountOnShutdown)
{
	AddSource();
	// Every frame skips two: each datagram causes one capture skip and one skip line.
	for (int32 Index = 0; Index < 30; ++Index)
	{
		ASSERT_TRUE(SendAndWait(CameraMessage("\"Setup\":[0,0,0,0,0,1],\"State\":1,\"Timecode\":[" + std::to_string(Index * 3) + ",25,1]")));
	}
	// The source goes away before the second can end: the count is written at once.
	Client->RemoveAllSources();
	ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
	Source.Reset();
	EXPECT_EQ(CountWithHeldBack(Log, TEXT("Orvane Live Link: Capture skip ")), 29);
	EXPECT_EQ(CountWithHeldBack(Log, TEXT("Orvane Live Link: skip ")), 29);
	EXPECT_GE(Log.CountContaining(TEXT("more in the last second)")), 1);
}

TEST_F(LiveLinkSource, TheLinkHealthConsoleCommandLogsEverySource)
{
	IConsoleObject* Command = IConsoleManager::Get().FindConsoleObject(TEXT("orvane.linkhealth"));
	ASSERT_NE(Command, nullptr) << "the module registers the command";
	EXPECT_NE(FString(Command->GetHelp()), FString());

	AddSource();
	ASSERT_TRUE(SendAndWait(CameraMessage("\"Timecode\":[1,25,1]")));
	// The datagram is counted once its decode has returned, just after the frame was pushed.
	ASSERT_TRUE(WaitUntil([this]()
		{ return Source->GetLinkHealth().Received >= 1; }));
	Log.Clear();
	ASSERT_TRUE(IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Orvane.LinkHealth"), *GLog, nullptr));
	const FString Expected = FString::Printf(TEXT("Orvane Live Link: link health of 127.0.0.1:%d: received 1, decoded 1, refused 0, rate "), Port);
	int32 Matching = 0;
	for (const FCapturedLogLine& Line : Log.Lines())
	{
		if (Line.Message.StartsWith(Expected, ESearchCase::CaseSensitive))
		{
			++Matching;
			EXPECT_EQ(Line.Verbosity, ELogVerbosity::Display);
			EXPECT_TRUE(Line.Message.Contains(TEXT(", gaps 0, repeats 0, last datagram "))) << TCHAR_TO_UTF8(*Line.Message);
		}
	}
	EXPECT_EQ(Matching, 1);

	// A source that is gone is not reported.
	Client->RemoveAllSources();
	ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
	Source.Reset();
	Log.Clear();
	ASSERT_TRUE(IConsoleManager::Get().ProcessUserConsoleInput(TEXT("Orvane.LinkHealth"), *GLog, nullptr));
	EXPECT_EQ(Log.CountContaining(*Expected), 0);
	EXPECT_GE(Log.Num(), 1);
}
