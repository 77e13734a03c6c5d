// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "OrvaneFrameExchange.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

namespace
{
	class FrameExchange : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			ASSERT_EQ(FOrvaneFrameExchange::Acquire(), 1);
			Exchange = FOrvaneFrameExchange::Get();
			ASSERT_NE(Exchange, nullptr);
		}

		void TearDown() override
		{
			while (FOrvaneFrameExchange::Release() > 0)
			{
			}
		}

		static ORVCameraPose PoseAt(int32 Frame)
		{
			ORVCameraPose Pose;
			Pose.FrameNumber = Frame;
			Pose.Location[0] = Frame * 10.0;
			return Pose;
		}

		FOrvaneFrameExchange* Exchange = nullptr;
	};
}

TEST_F(FrameExchange, LatestPoseAfterALappedRingThenWaitsForTheNextPush)
{
	FOrvaneFrameExchange::FPoseEntry Entry;
	EXPECT_FALSE(Exchange->GetLatestPose(Entry));
	EXPECT_FALSE(Exchange->GetNextPose(Entry));
	for (int32 Frame = 1; Frame <= 9; ++Frame)
	{
		Exchange->PushPose(PoseAt(Frame));
	}
	ASSERT_TRUE(Exchange->GetLatestPose(Entry));
	EXPECT_EQ(Entry.Pose.FrameNumber, 9);
	EXPECT_EQ(Entry.Sequence, 9u);
	EXPECT_FALSE(Exchange->GetNextPose(Entry));
	Exchange->PushPose(PoseAt(10));
	ASSERT_TRUE(Exchange->GetNextPose(Entry));
	EXPECT_EQ(Entry.Pose.FrameNumber, 10);
	EXPECT_EQ(Entry.Sequence, 10u);
	EXPECT_FALSE(Exchange->GetNextPose(Entry));
}

TEST_F(FrameExchange, NextPoseYieldsPushOrderUntilTheWriterLapsTheReader)
{
	FOrvaneFrameExchange::FPoseEntry Entry;
	for (int32 Frame = 1; Frame <= 3; ++Frame)
	{
		Exchange->PushPose(PoseAt(Frame));
	}
	for (int32 Frame = 1; Frame <= 3; ++Frame)
	{
		ASSERT_TRUE(Exchange->GetNextPose(Entry));
		EXPECT_EQ(Entry.Pose.FrameNumber, Frame);
	}
	EXPECT_FALSE(Exchange->GetNextPose(Entry));

	// Eight pushes bring the writer round to the reader again: the ring counts as read.
	for (int32 Frame = 4; Frame <= 11; ++Frame)
	{
		Exchange->PushPose(PoseAt(Frame));
	}
	EXPECT_FALSE(Exchange->GetNextPose(Entry));
}

TEST_F(FrameExchange, TakesACommandOnceAndKeepsItsParameters)
{
	ORVActionParams Action;
	Action.Action = 4;
	Action.Param = TEXT("/tmp/still.png");
	Action.ImageWidth = 640;
	Exchange->SetAction(Action);

	ORVActionParams Taken;
	Exchange->TakeAction(Taken);
	EXPECT_EQ(Taken.Action, 4);
	Exchange->TakeAction(Taken);
	EXPECT_EQ(Taken.Action, 0);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Taken.Param)), "/tmp/still.png");
	EXPECT_EQ(Taken.ImageWidth, 640);
}

TEST_F(FrameExchange, CopiesTheSetupWhole)
{
	ORVCameraSetup Setup;
	Setup.bLocalClock = true;
	Setup.MetaTake = TEXT("12");
	Setup.State = 2;
	Exchange->SetSetup(Setup);
	ORVCameraSetup Out;
	Exchange->GetSetup(Out);
	EXPECT_TRUE(Out.bLocalClock);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Out.MetaTake)), "12");
	EXPECT_EQ(Out.State, 2);
}

TEST_F(FrameExchange, MergesAnswersAndDrainsThemOnce)
{
	Exchange->AddAnswers({{TEXT("PickedActor"), TEXT("First")}, {TEXT("CRP"), TEXT("on")}});
	Exchange->AddAnswers({{TEXT("pickedactor"), TEXT("Second")}});
	TMap<FString, FString> Out;
	Out.Add(TEXT("Existing"), TEXT("kept"));
	EXPECT_EQ(Exchange->TakeAnswers(Out), 2);
	EXPECT_EQ(Out.Num(), 3);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Out.FindRef(TEXT("PICKEDACTOR")))), "Second");
	TMap<FString, FString> Again;
	EXPECT_EQ(Exchange->TakeAnswers(Again), 0);
	EXPECT_EQ(Again.Num(), 0);
}

TEST_F(FrameExchange, LivesAsLongAsItHasUsersAndStartsFreshAfterwards)
{
	Exchange->PushPose(PoseAt(5));
	EXPECT_EQ(FOrvaneFrameExchange::Acquire(), 2);
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 1);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), Exchange);
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 0);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr);
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 0) << "releasing without users changes nothing";

	ASSERT_EQ(FOrvaneFrameExchange::Acquire(), 1);
	FOrvaneFrameExchange::FPoseEntry Entry;
	EXPECT_FALSE(FOrvaneFrameExchange::Get()->GetLatestPose(Entry));
	ORVActionParams Action;
	FOrvaneFrameExchange::Get()->TakeAction(Action);
	EXPECT_EQ(Action.Action, 0);
	EXPECT_EQ(Action.ImageHeight, 1080);
}

TEST_F(FrameExchange, AcquireFailsCleanlyWithoutTheModule)
{
	FOrvaneFrameExchange::Release();
	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	EXPECT_EQ(FOrvaneFrameExchange::Acquire(), 0);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr);
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
	EXPECT_EQ(FOrvaneFrameExchange::Acquire(), 1);
}

TEST_F(FrameExchange, OutlivesTheModuleUntilItsLastUserReleasesIt)
{
	ASSERT_EQ(FOrvaneFrameExchange::Acquire(), 2);
	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	ASSERT_EQ(FOrvaneFrameExchange::Get(), Exchange) << "its users still hold it";
	Exchange->PushPose(PoseAt(3));
	FOrvaneFrameExchange::FPoseEntry Entry;
	ASSERT_TRUE(Exchange->GetLatestPose(Entry));
	EXPECT_EQ(Entry.Pose.FrameNumber, 3);
	EXPECT_EQ(FOrvaneFrameExchange::Acquire(), 0) << "no user is added without the module";
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 1);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), Exchange);
	EXPECT_EQ(FOrvaneFrameExchange::Release(), 0);
	EXPECT_EQ(FOrvaneFrameExchange::Get(), nullptr) << "the last release destroys it";
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
}

TEST_F(FrameExchange, ReadersNeverSeeAHalfWrittenPose)
{
	std::atomic<bool> bDone{false};
	std::thread Writer([this, &bDone]
		{
			for (int32 Frame = 1; Frame <= 20000; ++Frame)
			{
				ORVCameraPose Pose = PoseAt(Frame);
				for (double& Value : Pose.Rotation)
				{
					Value = Frame;
				}
				Exchange->PushPose(Pose);
			}
			bDone.store(true); });
	uint64 LastSequence = 0;
	while (!bDone.load())
	{
		FOrvaneFrameExchange::FPoseEntry Entry;
		if (Exchange->GetNextPose(Entry) || Exchange->GetLatestPose(Entry))
		{
			EXPECT_EQ(Entry.Pose.Location[0], Entry.Pose.FrameNumber * 10.0);
			EXPECT_EQ(Entry.Pose.Rotation[3], static_cast<double>(Entry.Pose.FrameNumber));
			EXPECT_EQ(Entry.Sequence, static_cast<uint64>(Entry.Pose.FrameNumber));
			EXPECT_GE(Entry.Sequence, LastSequence);
			LastSequence = Entry.Sequence;
		}
	}
	Writer.join();
}
