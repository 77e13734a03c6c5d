// Copyright Kelmora. All Rights Reserved.
#include "Camera/PlayerCameraManager.h"
#include "Capture/CaptureTestSupport.h"
#include "Components/BoxComponent.h"
#include "Content/PluginContentSupport.h"
#include "EditorKit.h"
#include "Engine/Engine.h"
#include "Engine/GameViewportClient.h"
#include "Engine/LocalPlayer.h"
#include "Engine/World.h"
#include "GameFramework/PlayerController.h"
#include "HAL/PlatformProcess.h"
#include "LiveLink/SourceTestSupport.h"
#include "LogCapture.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCaptureRequest.h"
#include "OrvaneFrameExchange.h"
#include "OrvaneLiveLinkRuntimeSettings.h"
#include "OrvaneLiveLinkSource.h"
#include "Recorder/TakeRecorderBlueprintLibrary.h"
#include "Recorder/TakeRecorderPanel.h"
#include "TakeMetaData.h"
#include "UObject/Package.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace OrvaneCaptureTest;

namespace
{
	/**
	 * A play world as the compositing application drives it: the virtual-production camera, player 0 looking
	 * down +X through a 200 x 100 viewport with a 90 degree field of view, an exchange and a source.
	 */
	class UserActions : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			UClass* CameraClass = OrvaneTestContent::LoadVPCameraClass();
			TestEngine = MakeUnique<FScopedTestEngine>();
			World = TestEngine->AddWorld(EWorldType::PIE, TEXT("ActionWorld"));

			ASSERT_NE(CameraClass, nullptr);
			VPCamera = World->SpawnActor(CameraClass, FVector::ZeroVector, FRotator::ZeroRotator);
			APlayerController* Controller = static_cast<APlayerController*>(World->SpawnActor(APlayerController::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
			APlayerCameraManager* View = static_cast<APlayerCameraManager*>(World->SpawnActor(APlayerCameraManager::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
			View->HostSetCameraView(FVector::ZeroVector, FRotator::ZeroRotator, 90.0f);
			Controller->PlayerCameraManager = View;
			Player = NewObject<ULocalPlayer>(GetTransientPackage());
			Player->AddToRoot();
			Player->PlayerController = Controller;
			UGameViewportClient* Viewport = NewObject<UGameViewportClient>(Player);
			Viewport->HostViewportSize = FVector2D(200.0, 100.0);
			Player->ViewportClient = Viewport;
			Controller->Player = Player;

			ASSERT_GT(FOrvaneFrameExchange::Acquire(), 0);
			Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), OrvaneTest::FindFreeLoopbackPort()));
			UE::TakeRecorder::Host::ResetTakeRecorder();
			GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>()->CaptureFolder.Reset();
		}

		void TearDown() override
		{
			while (!Source->RequestSourceShutdown())
			{
				FPlatformProcess::Sleep(0.001f);
			}
			Source.Reset();
			TMap<FString, FString> Left;
			FOrvaneFrameExchange::Get()->TakeAnswers(Left);
			FOrvaneFrameExchange::Release();
			UE::TakeRecorder::Host::ResetTakeRecorder();
			GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>()->CaptureFolder.Reset();
			Player->RemoveFromRoot();
			TestEngine = nullptr;
		}

		/** A box actor centred at Location with a root scale, labelled for the answers. */
		AActor* SpawnBox(const FVector& Location, const FVector& Extent, const FVector& Scale = FVector::OneVector, const FRotator& Rotation = FRotator::ZeroRotator)
		{
			AActor* Actor = World->SpawnActor(AActor::StaticClass(), Location, FRotator::ZeroRotator);
			UBoxComponent* Box = NewObject<UBoxComponent>(Actor);
			Box->SetBoxExtent(Extent);
			Box->SetCollisionEnabled(ECollisionEnabled::QueryAndPhysics);
			Box->SetCollisionResponseToAllChannels(ECR_Block);
			Actor->SetRootComponent(Box);
			Box->SetRelativeScale3D(Scale);
			Box->SetWorldLocationAndRotation(Location, Rotation);
			return Actor;
		}

		void Act(int32 Number, const FString& Param = FString(), double ScreenX = 0.5, double ScreenY = 0.5)
		{
			ORVActionParams Action;
			Action.Action = Number;
			Action.Param = Param;
			Action.ScreenX = ScreenX;
			Action.ScreenY = ScreenY;
			Source->ExecuteUserActions(&Action);
		}

		TMap<FString, FString> TakeAnswers()
		{
			TMap<FString, FString> Answers;
			FOrvaneFrameExchange::Get()->TakeAnswers(Answers);
			return Answers;
		}

		TUniquePtr<FScopedTestEngine> TestEngine;
		UWorld* World = nullptr;
		AActor* VPCamera = nullptr;
		ULocalPlayer* Player = nullptr;
		TSharedPtr<FOrvaneLiveLinkSource> Source;
		FScratchDir Scratch;
		FLogCapture Log;
	};

	TArray<double> Numbers(const FString& Text)
	{
		TArray<FString> Parts;
		Text.ParseIntoArray(Parts, TEXT(","), true);
		TArray<double> Values;
		for (const FString& Part : Parts)
		{
			Values.Add(FCString::Atod(*Part.TrimStartAndEnd()));
		}
		return Values;
	}

	ORVCameraSetup RecordingSetup(int32 State, const TCHAR* Slate = TEXT("A"), const TCHAR* Take = TEXT("1"))
	{
		ORVCameraSetup Setup;
		Setup.bTakeMetadata = true;
		Setup.bRecordControl = true;
		Setup.State = State;
		Setup.MetaSlate = Slate;
		Setup.MetaTake = Take;
		Setup.MetaLabel = TEXT("Label");
		return Setup;
	}
}

TEST_F(UserActions, CapturesTakeTheirFormatFromTheExtensionAndTheModeFromTheRequest)
{
	ORVActionParams Action;
	Action.Action = 4;
	Action.Param = Scratch.File("SHOT.PNG");
	Action.ImageWidth = 16;
	Action.ImageHeight = 8;
	Source->ExecuteUserActions(&Action);
	FDecoded Png;
	ASSERT_TRUE(ReadPng(Scratch.Path("SHOT.PNG"), Png)) << "capitals still mean PNG";
	EXPECT_EQ(Png.BitDepth, 8) << "HDR off";
	EXPECT_EQ(Png.Width, 16);

	Action.Param = Scratch.File("pano.exr");
	Action.CaptureMode = 1;
	Action.IncludeRotation = true;
	Source->ExecuteUserActions(&Action);
	FDecoded Exr;
	ASSERT_TRUE(ReadExr(Scratch.Path("pano.exr"), Exr));
	EXPECT_EQ(Exr.Width, 64) << "the panorama is four times the requested width";
	EXPECT_EQ(Exr.Height, 32);

	// A failed capture says which file.
	Action.CaptureMode = 0;
	Action.ImageWidth = 0;
	Action.Param = Scratch.File("zero.png");
	Source->ExecuteUserActions(&Action);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("Orvane Failed rendering: '%s'"), *Action.Param)), 1);
}

TEST_F(UserActions, NetworkCapturePathsAreCheckedBeforeAnythingIsWritten)
{
	const FString Folder = Scratch.File("allowed");
	for (const FString& Refused : {FString(TEXT("shot.png")), FString(TEXT("")), Scratch.File("a/../b.png"), Scratch.File("b.txt"), Scratch.File("b"), Scratch.File("b.png.sh"), FString(TEXT("..\\..\\b.png"))})
	{
		EXPECT_FALSE(OrvaneCaptureRequest::FindPathProblem(Refused, FString()).IsEmpty()) << TCHAR_TO_UTF8(*Refused);
	}
	for (const FString& Allowed : {Scratch.File("b.png"), Scratch.File("b.JPG"), Scratch.File("b.jpeg"), Scratch.File("b.Exr"), Scratch.File("b.hdr")})
	{
		EXPECT_TRUE(OrvaneCaptureRequest::FindPathProblem(Allowed, FString()).IsEmpty()) << TCHAR_TO_UTF8(*Allowed);
	}
	EXPECT_TRUE(OrvaneCaptureRequest::FindPathProblem(Folder + TEXT("/day1/b.png"), Folder).IsEmpty());
	EXPECT_TRUE(OrvaneCaptureRequest::FindPathProblem(Folder + TEXT("//b.png"), Folder + TEXT("/")).IsEmpty());
	EXPECT_FALSE(OrvaneCaptureRequest::FindPathProblem(Scratch.File("b.png"), Folder).IsEmpty());
	EXPECT_FALSE(OrvaneCaptureRequest::FindPathProblem(Folder + TEXT("-other/b.png"), Folder).IsEmpty()) << "a sibling whose name starts alike";
	EXPECT_FALSE(OrvaneCaptureRequest::FindPathProblem(Folder + TEXT("/../b.png"), Folder).IsEmpty());

	// Through the action: a warning with the reason, the failure line, no file.
	GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>()->CaptureFolder = Folder;
	ORVActionParams Action;
	Action.Action = 4;
	Action.ImageWidth = 8;
	Action.ImageHeight = 8;
	Action.Param = Scratch.File("outside.png");
	Source->ExecuteUserActions(&Action);
	EXPECT_FALSE(std::filesystem::exists(Scratch.Path("outside.png")));
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane capture refused: the path is outside the capture folder")), 1);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("Orvane Failed rendering: '%s'"), *Action.Param)), 1);
	Action.Param = Folder + TEXT("/inside.png");
	Source->ExecuteUserActions(&Action);
	EXPECT_TRUE(std::filesystem::exists(Scratch.Path("allowed/inside.png")));
}

TEST_F(UserActions, PickCountsTheScreenFromTheTopAndAnswersAboutTheActor)
{
	// The sender's Y is flipped before the screen query, which counts from the top: the sender's (0.5, 0.25)
	// traces (0.5, 0.75), below the centre.
	AActor* Below = SpawnBox(FVector(1000.0, 0.0, -250.0), FVector(20.0), FVector(2.0, 3.0, 4.0), FRotator(0.0, 90.0, 0.0));
	AActor* Above = SpawnBox(FVector(1000.0, 0.0, 250.0), FVector(20.0));
	Below->SetActorLabel(TEXT("Chair"));
	Act(5, FString(), 0.5, 0.25);
	TMap<FString, FString> Answers = TakeAnswers();
	ASSERT_EQ(Answers.Num(), 5);
	EXPECT_EQ(Answers[TEXT("AName")], TEXT("Chair"));
	EXPECT_EQ(Answers[TEXT("ACrp")], TEXT("N"));
	const TArray<double> Origin = Numbers(Answers[TEXT("AOrg")]);
	const TArray<double> Box = Numbers(Answers[TEXT("ABox")]);
	const TArray<double> Rotation = Numbers(Answers[TEXT("ARot")]);
	ASSERT_EQ(Origin.Num(), 3);
	// Bounds times the root's scale, as the application expects them.
	EXPECT_NEAR(Origin[0], 2000.0, 1e-3);
	EXPECT_NEAR(Origin[2], -1000.0, 1e-3);
	EXPECT_NEAR(Box[0], 60.0 * 2.0, 1e-3) << "the turned box is 60 deep along X";
	EXPECT_NEAR(Box[1], 40.0 * 3.0, 1e-3);
	EXPECT_NEAR(Rotation[0], 90.0, 1e-3) << "yaw first";
	EXPECT_NEAR(Rotation[1], 0.0, 1e-3);
	EXPECT_EQ(Answers[TEXT("AOrg")].Len() - Answers[TEXT("AOrg")].Replace(TEXT("."), TEXT("")).Len(), 3) << "six decimals each";

	Act(5, FString(), 0.5, 0.75);
	TakeAnswers();
	Act(6, TEXT("CRP_ON"));
	Answers = TakeAnswers();
	EXPECT_EQ(Answers[TEXT("ACrp")], TEXT("Y"));
	EXPECT_EQ(Answers[TEXT("AName")], Above->GetActorLabel());
	Act(6, TEXT("crp_maybe"));
	EXPECT_EQ(TakeAnswers()[TEXT("ACrp")], TEXT("Y")) << "other text changes nothing but still answers";

	// Nothing under the point: no pick, no answers, and the render pass switch has no actor to work on.
	Act(5, FString(), 0.05, 0.05);
	EXPECT_EQ(TakeAnswers().Num(), 0);
	Act(6, TEXT("crp_off"));
	EXPECT_EQ(TakeAnswers().Num(), 0);
}

TEST_F(UserActions, RenderPassBeforeAnyPickAndNullCommandsDoNothing)
{
	Act(6, TEXT("crp_on"));
	EXPECT_EQ(TakeAnswers().Num(), 0);
	Source->ExecuteUserActions(nullptr);
	Source->ExecuteRecording(nullptr);
	for (const int32 Unknown : {0, 3, 7, -1, TNumericLimits<int32>::Max()})
	{
		Act(Unknown, TEXT("/etc/passwd"));
	}
	EXPECT_EQ(TakeAnswers().Num(), 0);
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(UserActions, RecordingStartsAndStopsOnceAndKeepsARunningTake)
{
	UTakeRecorderPanel* Panel = UTakeRecorderBlueprintLibrary::OpenTakeRecorderPanel();
	for (const int32 State : {0, 2, 2, 0, 0})
	{
		const ORVCameraSetup Setup = RecordingSetup(State);
		Source->ExecuteRecording(&Setup);
	}
	const TArray<UE::TakeRecorder::Host::FRecordedTake>& Takes = UE::TakeRecorder::Host::GetRecordedTakes();
	ASSERT_EQ(Takes.Num(), 1);
	EXPECT_TRUE(Takes[0].bFinished);
	EXPECT_EQ(Takes[0].Slate, TEXT("A"));

	// A new slate while recording is requested and running: applied, and the take goes on.
	ORVCameraSetup Setup = RecordingSetup(2, TEXT("B"), TEXT("12b"));
	Source->ExecuteRecording(&Setup);
	Setup = RecordingSetup(2, TEXT("C"), TEXT("  7"));
	Source->ExecuteRecording(&Setup);
	EXPECT_EQ(Takes.Num(), 2);
	EXPECT_TRUE(UTakeRecorderBlueprintLibrary::IsRecording());
	EXPECT_EQ(Takes[1].TakeNumber, 12) << "take \"12b\" is take 12";
	EXPECT_EQ(Panel->GetTakeMetaData()->GetSlate(), TEXT("C"));
	EXPECT_EQ(Panel->GetTakeMetaData()->GetTakeNumber(), 7);

	Setup = RecordingSetup(2, TEXT("C"), TEXT("99999999999999999999"));
	Source->ExecuteRecording(&Setup);
	EXPECT_EQ(Panel->GetTakeMetaData()->GetTakeNumber(), TNumericLimits<int32>::Max()) << "saturated, not wrapped";
	Setup = RecordingSetup(2, TEXT("C"), TEXT("-3"));
	Source->ExecuteRecording(&Setup);
	EXPECT_EQ(Panel->GetTakeMetaData()->GetTakeNumber(), 1);
}

TEST_F(UserActions, RecordingWaitsForThePanelAndSkipsMissingMetadata)
{
	const ORVCameraSetup Setup = RecordingSetup(2, TEXT("S"), TEXT("4"));
	Source->ExecuteRecording(&Setup);
	EXPECT_FALSE(UTakeRecorderBlueprintLibrary::IsRecording()) << "no panel yet";

	UTakeRecorderPanel* Panel = UTakeRecorderBlueprintLibrary::OpenTakeRecorderPanel();
	Source->ExecuteRecording(&Setup);
	EXPECT_TRUE(UTakeRecorderBlueprintLibrary::IsRecording()) << "tried again once the panel is open";
	EXPECT_EQ(Panel->GetTakeMetaData()->GetTakeNumber(), 4);
	const int32 Notifications = Panel->GetTakeMetaData()->HostChangeNotifications;
	Source->ExecuteRecording(&Setup);
	EXPECT_EQ(Panel->GetTakeMetaData()->HostChangeNotifications, Notifications) << "an unchanged setup applies nothing";

	// Without metadata on the panel the record switch still works and the strings are not remembered.
	UTakeMetaData* MetaData = Panel->GetTakeMetaData();
	Panel->TakeMetaData = nullptr;
	const ORVCameraSetup Stop = RecordingSetup(0, TEXT("T"), TEXT("5"));
	Source->ExecuteRecording(&Stop);
	EXPECT_FALSE(UTakeRecorderBlueprintLibrary::IsRecording());
	Panel->TakeMetaData = MetaData;
	Source->ExecuteRecording(&Stop);
	EXPECT_EQ(MetaData->GetSlate(), TEXT("T"));

	// Neither switch set: nothing at all.
	ORVCameraSetup Off = RecordingSetup(2, TEXT("U"), TEXT("9"));
	Off.bTakeMetadata = false;
	Off.bRecordControl = false;
	Source->ExecuteRecording(&Off);
	EXPECT_FALSE(UTakeRecorderBlueprintLibrary::IsRecording());
	EXPECT_EQ(MetaData->GetSlate(), TEXT("T"));
}
