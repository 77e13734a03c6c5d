// Copyright Kelmora. All Rights Reserved.
#include "InterpolationProcessor/LiveLinkBasicFrameInterpolateProcessor.h"
#include "LiveLinkClient.h"
#include "LiveLinkSubjectSettings.h"
#include "LiveLinkTestFixture.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Templates/Casts.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

namespace
{
	const FName CameraName(TEXT("Camera"));

	FLiveLinkStaticDataStruct MakeCameraStatic()
	{
		return FLiveLinkStaticDataStruct(FLiveLinkCameraStaticData::StaticStruct());
	}

	FLiveLinkFrameDataStruct MakeCameraFrame(float FocalLength, double WorldTime = 0.0)
	{
		FLiveLinkFrameDataStruct Frame(FLiveLinkCameraFrameData::StaticStruct());
		FLiveLinkCameraFrameData* Camera = Frame.Cast<FLiveLinkCameraFrameData>();
		Camera->FocalLength = FocalLength;
		Camera->WorldTime = FLiveLinkWorldTime(WorldTime, 0.0);
		return Frame;
	}

	/** The focal length the client evaluates for a camera subject; -1 when it evaluates nothing. */
	float EvaluatedFocalLength(FLiveLinkClient& Client, FName Name)
	{
		FLiveLinkSubjectFrameData Data;
		if (!Client.EvaluateFrame_AnyThread(Name, ULiveLinkCameraRole::StaticClass(), Data))
		{
			return -1.f;
		}
		return Data.FrameData.Cast<FLiveLinkCameraFrameData>()->FocalLength;
	}

	struct FClientWithSource
	{
		FLiveLinkClient Client;
		std::atomic<int32> Destroyed{0};
		TSharedPtr<FLiveLinkTestSource> Source = MakeShared<FLiveLinkTestSource>(TEXT("a"), &Destroyed);
		FGuid Guid = Client.AddSource(Source);
		FLiveLinkSubjectKey Key{Guid, CameraName};

		void PushStatic() { Client.PushSubjectStaticData_AnyThread(Key, ULiveLinkCameraRole::StaticClass(), MakeCameraStatic()); }
	};
}

TEST(LiveLinkClientSources, AddSourceGivesGuidThenSettings)
{
	FClientWithSource Fixture;
	ASSERT_TRUE(Fixture.Guid.IsValid());
	EXPECT_EQ(Fixture.Source->Client, &Fixture.Client);
	EXPECT_EQ(Fixture.Source->Guid, Fixture.Guid);
	EXPECT_EQ(Fixture.Source->ReceiveClientCalls, 1);
	// The engine documents InitializeSettings as called after ReceiveClient.
	EXPECT_EQ(Fixture.Source->ReceiveClientCallsBeforeSettings, 1);
	ASSERT_NE(Fixture.Source->Settings, nullptr);
	EXPECT_EQ(Fixture.Client.GetSourceSettings(Fixture.Guid), Fixture.Source->Settings);
	EXPECT_EQ(Fixture.Source->Settings->Mode, ELiveLinkSourceMode::EngineTime);
	EXPECT_EQ(Fixture.Source->Settings->BufferSettings.MaxNumberOfFrameToBuffered, 10);

	EXPECT_FALSE(Fixture.Client.AddSource(Fixture.Source).IsValid()) << "the same source is added once";
	EXPECT_FALSE(Fixture.Client.AddSource(nullptr).IsValid());
	EXPECT_EQ(Fixture.Client.GetSources().Num(), 1);
}

TEST(LiveLinkClientSources, RemoveSourceShutsDownOnceAndReleases)
{
	FClientWithSource Fixture;
	Fixture.PushStatic();
	Fixture.Client.Tick();
	TSharedPtr<FLiveLinkTestSource> Source = MoveTemp(Fixture.Source);
	FLiveLinkTestSource* Raw = Source.Get();
	Source.Reset();
	ASSERT_EQ(Fixture.Destroyed.load(), 0) << "the client keeps the source alive";

	EXPECT_EQ(Raw->ShutdownRequests.load(), 0);
	Fixture.Client.RemoveSource(Fixture.Guid);
	EXPECT_EQ(Fixture.Destroyed.load(), 1);
	EXPECT_TRUE(Fixture.Client.GetSources(true).IsEmpty());
	EXPECT_TRUE(Fixture.Client.GetSubjects(true, true).IsEmpty()) << "a source's subjects go with it";
	EXPECT_EQ(Fixture.Client.GetSourceSettings(Fixture.Guid), nullptr);

	Fixture.PushStatic();
	Fixture.Client.Tick();
	EXPECT_TRUE(Fixture.Client.GetSubjects(true, true).IsEmpty()) << "pushes for a removed source are dropped";
}

TEST(LiveLinkClientSources, RemoveSourceRetriesUntilShutdownAgrees)
{
	FClientWithSource Fixture;
	Fixture.Source->bAgreeToShutdown = false;
	FLiveLinkTestSource* Raw = Fixture.Source.Get();
	Fixture.Source.Reset();

	Fixture.Client.RemoveSource(Fixture.Guid);
	EXPECT_EQ(Raw->ShutdownRequests.load(), 1);
	EXPECT_TRUE(Fixture.Client.GetSources(false).IsEmpty());
	EXPECT_EQ(Fixture.Client.GetSources(true).Num(), 1);
	EXPECT_EQ(Fixture.Client.HostGetPendingRemovalCount(), 1);
	EXPECT_EQ(Fixture.Client.GetSourceSettings(Fixture.Guid), nullptr);

	Fixture.Client.Tick();
	EXPECT_EQ(Raw->ShutdownRequests.load(), 2);
	EXPECT_EQ(Raw->UpdateCalls, 0) << "a source being removed is not updated";
	Raw->bAgreeToShutdown = true;
	Fixture.Client.Tick();
	EXPECT_EQ(Fixture.Destroyed.load(), 1);
	EXPECT_TRUE(Fixture.Client.GetSources(true).IsEmpty());
}

TEST(LiveLinkClientPushes, StaticThenFramesFromFourThreads)
{
	FLiveLinkClient Client;
	TSharedPtr<FLiveLinkTestSource> Source = MakeShared<FLiveLinkTestSource>();
	const FGuid Guid = Client.AddSource(Source);
	Client.GetSourceSettings(Guid)->Mode = ELiveLinkSourceMode::Latest;
	constexpr int32 ThreadCount = 4;
	constexpr int32 FramesPerThread = 250;

	std::vector<std::thread> Threads;
	for (int32 ThreadIndex = 0; ThreadIndex < ThreadCount; ++ThreadIndex)
	{
		Threads.emplace_back([&Client, Guid, ThreadIndex]()
			{
				const FLiveLinkSubjectKey Key(Guid, FName(*FString::Printf(TEXT("Subject%d"), ThreadIndex)));
				Client.PushSubjectStaticData_AnyThread(Key, ULiveLinkCameraRole::StaticClass(), MakeCameraStatic());
				for (int32 Frame = 1; Frame <= FramesPerThread; ++Frame)
				{
					Client.PushSubjectFrameData_AnyThread(Key, MakeCameraFrame(float(Frame)));
				} });
	}
	// Ticks race the pushes on purpose: queued data must be applied whole, in each thread's order.
	for (int32 Tick = 0; Tick < 20; ++Tick)
	{
		Client.Tick();
	}
	EXPECT_TRUE(Client.HostWaitForFramePushes(ThreadCount * FramesPerThread, 30.0));
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	Client.Tick();

	EXPECT_EQ(Client.HostGetFramePushCount(), ThreadCount * FramesPerThread);
	EXPECT_EQ(Client.GetSubjects(false, false).Num(), ThreadCount);
	for (int32 ThreadIndex = 0; ThreadIndex < ThreadCount; ++ThreadIndex)
	{
		EXPECT_EQ(EvaluatedFocalLength(Client, FName(*FString::Printf(TEXT("Subject%d"), ThreadIndex))), float(FramesPerThread));
	}
}

TEST(LiveLinkClientPushes, FrameBeforeStaticDataIsDropped)
{
	FClientWithSource Fixture;
	Fixture.Client.GetSourceSettings(Fixture.Guid)->Mode = ELiveLinkSourceMode::Latest;
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(1.f));
	Fixture.Client.Tick();
	EXPECT_TRUE(Fixture.Client.GetSubjects(true, true).IsEmpty());

	Fixture.PushStatic();
	Fixture.Client.Tick();
	EXPECT_EQ(Fixture.Client.GetSubjects(true, true).Num(), 1);
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), -1.f) << "the early frame must not have been kept";

	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(2.f));
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 2.f);
}

TEST(LiveLinkClientPushes, DataOfAnotherRoleIsRefused)
{
	FClientWithSource Fixture;
	Fixture.Client.HostSetRecording(true);
	Fixture.Client.PushSubjectStaticData_AnyThread(Fixture.Key, ULiveLinkCameraRole::StaticClass(), FLiveLinkStaticDataStruct(FLiveLinkTransformStaticData::StaticStruct()));
	Fixture.Client.PushSubjectStaticData_AnyThread(Fixture.Key, nullptr, MakeCameraStatic());
	Fixture.Client.PushSubjectStaticData_AnyThread(Fixture.Key, ULiveLinkCameraRole::StaticClass(), FLiveLinkStaticDataStruct());
	Fixture.Client.Tick();
	EXPECT_TRUE(Fixture.Client.GetSubjects(true, true).IsEmpty());
	const TArray<FLiveLinkHostPushRecord> Records = Fixture.Client.HostGetRecords();
	ASSERT_EQ(Records.Num(), 3);
	for (const FLiveLinkHostPushRecord& Record : Records)
	{
		EXPECT_FALSE(Record.bQueued);
	}

	Fixture.PushStatic();
	Fixture.Client.GetSourceSettings(Fixture.Guid)->Mode = ELiveLinkSourceMode::Latest;
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, FLiveLinkFrameDataStruct(FLiveLinkBaseFrameData::StaticStruct()));
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), -1.f) << "a basic frame is not a camera frame";
}

TEST(LiveLinkClientEvaluation, LatestKeepsTheBufferSizeAndHonoursTheOffset)
{
	FClientWithSource Fixture;
	ULiveLinkSourceSettings* Settings = Fixture.Client.GetSourceSettings(Fixture.Guid);
	Settings->Mode = ELiveLinkSourceMode::Latest;
	Settings->BufferSettings.MaxNumberOfFrameToBuffered = 3;
	Fixture.PushStatic();
	for (int32 Frame = 1; Frame <= 5; ++Frame)
	{
		Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(float(Frame)));
	}
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 5.f);

	Settings->BufferSettings.LatestOffset = 1;
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 4.f);
	Settings->BufferSettings.LatestOffset = 50;
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 3.f) << "only the last 3 frames are kept";
}

TEST(LiveLinkClientEvaluation, EngineTimeTakesTheNewestFrameNotAfterNowLessTheOffset)
{
	FClientWithSource Fixture;
	Fixture.PushStatic();
	const double Now = FPlatformTime::Seconds();
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(1.f, Now - 10.0));
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(2.f, Now - 5.0));
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(3.f, Now + 100.0));
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 2.f);

	Fixture.Client.GetSourceSettings(Fixture.Guid)->BufferSettings.EngineTimeOffset = 7.f;
	Fixture.Client.Tick();
	EXPECT_EQ(EvaluatedFocalLength(Fixture.Client, CameraName), 1.f);
}

TEST(LiveLinkClientEvaluation, EvaluatesOnlyForTheSubjectRoleOrItsSuperRoles)
{
	FClientWithSource Fixture;
	Fixture.Client.GetSourceSettings(Fixture.Guid)->Mode = ELiveLinkSourceMode::Latest;
	Fixture.PushStatic();
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(7.f));
	FLiveLinkSubjectFrameData Data;
	EXPECT_FALSE(Fixture.Client.EvaluateFrame_AnyThread(CameraName, ULiveLinkCameraRole::StaticClass(), Data)) << "nothing is evaluated before a tick";
	Fixture.Client.Tick();

	ASSERT_TRUE(Fixture.Client.EvaluateFrame_AnyThread(CameraName, ULiveLinkTransformRole::StaticClass(), Data));
	EXPECT_NE(Data.StaticData.Cast<FLiveLinkCameraStaticData>(), nullptr);
	EXPECT_EQ(Data.FrameData.Cast<FLiveLinkCameraFrameData>()->FocalLength, 7.f);
	EXPECT_FALSE(Fixture.Client.EvaluateFrame_AnyThread(FName(TEXT("Nobody")), ULiveLinkCameraRole::StaticClass(), Data));
	EXPECT_FALSE(Fixture.Client.EvaluateFrame_AnyThread(CameraName, nullptr, Data));

	const FLiveLinkSubjectKey TransformKey(Fixture.Guid, FName(TEXT("Tracker")));
	Fixture.Client.PushSubjectStaticData_AnyThread(TransformKey, ULiveLinkTransformRole::StaticClass(), FLiveLinkStaticDataStruct(FLiveLinkTransformStaticData::StaticStruct()));
	Fixture.Client.PushSubjectFrameData_AnyThread(TransformKey, FLiveLinkFrameDataStruct(FLiveLinkTransformFrameData::StaticStruct()));
	Fixture.Client.Tick();
	EXPECT_TRUE(Fixture.Client.EvaluateFrame_AnyThread(TransformKey.SubjectName, ULiveLinkTransformRole::StaticClass(), Data));
	EXPECT_FALSE(Fixture.Client.EvaluateFrame_AnyThread(TransformKey.SubjectName, ULiveLinkCameraRole::StaticClass(), Data));
}

TEST(LiveLinkClientTick, TickedDelegateFiresAfterEvaluationAndHonoursRemoval)
{
	FClientWithSource Fixture;
	Fixture.Client.GetSourceSettings(Fixture.Guid)->Mode = ELiveLinkSourceMode::Latest;
	int32 FirstCalls = 0;
	int32 SecondCalls = 0;
	float SeenInFirst = 0.f;
	FDelegateHandle SecondHandle;
	FLiveLinkClient& Client = Fixture.Client;
	Client.OnLiveLinkTicked().AddLambda([&]()
		{
			++FirstCalls;
			SeenInFirst = EvaluatedFocalLength(Client, CameraName);
			Client.OnLiveLinkTicked().Remove(SecondHandle); });
	SecondHandle = Client.OnLiveLinkTicked().AddLambda([&]()
		{ ++SecondCalls; });

	Fixture.PushStatic();
	Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(3.f));
	Client.Tick();
	Client.Tick();
	Client.Tick();
	EXPECT_EQ(FirstCalls, 3);
	EXPECT_EQ(SeenInFirst, 3.f) << "listeners see the frame pushed before the tick";
	EXPECT_LE(SecondCalls, 1) << "a binding removed during a broadcast is not called again";
	EXPECT_EQ(Fixture.Source->UpdateCalls, 3);
}

TEST(LiveLinkClientSubjects, GetSubjectsLeavesOutDisabledSubjects)
{
	FClientWithSource Fixture;
	TSharedPtr<FLiveLinkTestSource> Other = MakeShared<FLiveLinkTestSource>();
	const FGuid OtherGuid = Fixture.Client.AddSource(Other);
	const FLiveLinkSubjectKey OtherKey(OtherGuid, CameraName);
	Fixture.PushStatic();
	Fixture.Client.PushSubjectStaticData_AnyThread(OtherKey, ULiveLinkCameraRole::StaticClass(), MakeCameraStatic());
	Fixture.Client.Tick();

	EXPECT_EQ(Fixture.Client.GetSubjects(true, false).Num(), 2);
	const TArray<FLiveLinkSubjectKey> Enabled = Fixture.Client.GetSubjects(false, false);
	ASSERT_EQ(Enabled.Num(), 1) << "only one subject of a name is enabled";
	EXPECT_EQ(Enabled[0], Fixture.Key);

	Fixture.Client.SetSubjectEnabled(OtherKey, true);
	EXPECT_FALSE(Fixture.Client.IsSubjectEnabled(Fixture.Key, false));
	ASSERT_EQ(Fixture.Client.GetSubjects(false, false).Num(), 1);
	EXPECT_EQ(Fixture.Client.GetSubjects(false, false)[0], OtherKey);
}

TEST(LiveLinkClientSubjects, CameraSubjectSettingsHaveTheBasicInterpolation)
{
	FClientWithSource Fixture;
	EXPECT_EQ(Fixture.Client.GetSubjectSettings(Fixture.Key), nullptr);
	Fixture.PushStatic();
	Fixture.Client.Tick();
	ULiveLinkSubjectSettings* Settings = Cast<ULiveLinkSubjectSettings>(Fixture.Client.GetSubjectSettings(Fixture.Key));
	ASSERT_NE(Settings, nullptr);
	EXPECT_EQ(Settings->Role.Get(), ULiveLinkCameraRole::StaticClass());
	ASSERT_NE(Settings->InterpolationProcessor.Get(), nullptr);
	EXPECT_EQ(Settings->InterpolationProcessor->GetClass(), ULiveLinkBasicFrameInterpolationProcessor::StaticClass());

	// The camera source clears the processor; new static data must not bring it back.
	Settings->InterpolationProcessor = nullptr;
	Fixture.PushStatic();
	Fixture.Client.Tick();
	EXPECT_EQ(Cast<ULiveLinkSubjectSettings>(Fixture.Client.GetSubjectSettings(Fixture.Key)), Settings);
	EXPECT_EQ(Settings->InterpolationProcessor.Get(), nullptr);
}

TEST(LiveLinkDataStruct, CastsOnlyToTheStructOrItsBases)
{
	FLiveLinkStaticDataStruct Static = MakeCameraStatic();
	ASSERT_TRUE(Static.IsValid());
	EXPECT_EQ(Static.GetStruct(), FLiveLinkCameraStaticData::StaticStruct());
	EXPECT_NE(Static.Cast<FLiveLinkCameraStaticData>(), nullptr);
	EXPECT_NE(Static.Cast<FLiveLinkTransformStaticData>(), nullptr);
	EXPECT_EQ(static_cast<void*>(Static.Cast<FLiveLinkBaseStaticData>()), static_cast<void*>(Static.GetBaseData()));

	FLiveLinkFrameDataStruct Transform(FLiveLinkTransformFrameData::StaticStruct());
	EXPECT_EQ(Transform.Cast<FLiveLinkCameraFrameData>(), nullptr);

	FLiveLinkStaticDataStruct WrongBase(FLiveLinkCameraFrameData::StaticStruct());
	EXPECT_FALSE(WrongBase.IsValid()) << "a frame struct is not static data";
}

TEST(LiveLinkDataStruct, CopiesAreDeepAndMovesEmptyTheSource)
{
	FLiveLinkFrameDataStruct Original = MakeCameraFrame(35.f);
	Original.GetBaseData()->MetaData.StringMetaData.Add(FName(TEXT("Take")), TEXT("12"));
	FLiveLinkFrameDataStruct Copy;
	Copy.InitializeWith(Original);
	Original.Cast<FLiveLinkCameraFrameData>()->FocalLength = 50.f;
	Original.GetBaseData()->MetaData.StringMetaData.Reset();
	ASSERT_NE(Copy.Cast<FLiveLinkCameraFrameData>(), nullptr);
	EXPECT_EQ(Copy.Cast<FLiveLinkCameraFrameData>()->FocalLength, 35.f);
	EXPECT_EQ(Copy.GetBaseData()->MetaData.StringMetaData.Num(), 1);

	FLiveLinkFrameDataStruct Moved(MoveTemp(Copy));
	EXPECT_FALSE(Copy.IsValid());
	EXPECT_EQ(Moved.Cast<FLiveLinkCameraFrameData>()->FocalLength, 35.f);
}

TEST(LiveLinkClientHostControls, RecordsAndObservesEveryPush)
{
	FClientWithSource Fixture;
	std::vector<FLiveLinkHostPushRecord::EKind> Observed;
	const int32 Handle = Fixture.Client.HostAddPushObserver([&Observed](const FLiveLinkHostPushRecord& Record)
		{ Observed.push_back(Record.Kind); });
	Fixture.Client.HostSetRecording(true);

	Fixture.PushStatic();
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(24.f));
	Fixture.Client.HostRemovePushObserver(Handle);
	Fixture.Client.PushSubjectFrameData_AnyThread(Fixture.Key, MakeCameraFrame(25.f));

	ASSERT_EQ(Observed.size(), 2u);
	EXPECT_EQ(Observed[0], FLiveLinkHostPushRecord::EKind::StaticData);
	const TArray<FLiveLinkHostPushRecord> Records = Fixture.Client.HostGetRecords();
	ASSERT_EQ(Records.Num(), 3);
	EXPECT_EQ(Records[0].Role.Get(), ULiveLinkCameraRole::StaticClass());
	ASSERT_TRUE(Records[0].StaticData.IsValid());
	EXPECT_NE(Records[0].StaticData->Cast<FLiveLinkCameraStaticData>(), nullptr);
	EXPECT_EQ(Records[1].SubjectKey, Fixture.Key);
	ASSERT_TRUE(Records[1].FrameData.IsValid());
	EXPECT_EQ(Records[1].FrameData->Cast<FLiveLinkCameraFrameData>()->FocalLength, 24.f);
	EXPECT_TRUE(Records[1].bQueued);
	EXPECT_LE(Records[0].ArrivalNanoseconds, Records[1].ArrivalNanoseconds);
	EXPECT_LE(Records[1].ArrivalNanoseconds, Records[2].ArrivalNanoseconds);

	EXPECT_TRUE(Fixture.Client.HostWaitForFramePushes(2, 0.0));
	EXPECT_FALSE(Fixture.Client.HostWaitForFramePushes(3, 0.01));
	Fixture.Client.HostClearRecords();
	EXPECT_TRUE(Fixture.Client.HostGetRecords().IsEmpty());
}

TEST(LiveLinkClientSubjects, SettingsSurviveGarbageCollection)
{
	FClientWithSource Fixture;
	Fixture.PushStatic();
	Fixture.Client.Tick();
	Fixture.Client.GetSourceSettings(Fixture.Guid)->ConnectionString = TEXT("kept");
	CollectGarbage(RF_NoFlags, true);

	// The client is the only owner of both objects; reading them after a collection must be safe.
	ULiveLinkSourceSettings* SourceSettings = Fixture.Client.GetSourceSettings(Fixture.Guid);
	ASSERT_NE(SourceSettings, nullptr);
	EXPECT_EQ(SourceSettings->ConnectionString, TEXT("kept"));
	ULiveLinkSubjectSettings* SubjectSettings = Cast<ULiveLinkSubjectSettings>(Fixture.Client.GetSubjectSettings(Fixture.Key));
	ASSERT_NE(SubjectSettings, nullptr);
	EXPECT_NE(SubjectSettings->InterpolationProcessor.Get(), nullptr);
}
