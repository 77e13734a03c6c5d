// Copyright Kelmora. All Rights Reserved.
#include "Content/PluginContentSupport.h"
#include "EditorKit.h"
#include "Engine/Engine.h"
#include "Engine/GameInstance.h"
#include "Modules/ModuleManager.h"
#include "OrvaneLiveLinkHelper.h"
#include "SceneQueryFixture.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

namespace
{
	const TCHAR* const CameraClassPath = TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C");

	/** An engine of its own for each test, with GWorld saved and restored, so worlds of other tests do not count. */
	class VPCameraLookup : public testing::Test
	{
	protected:
		void SetUp() override
		{
			CameraClass = OrvaneTestContent::LoadVPCameraClass();
			ASSERT_NE(CameraClass, nullptr);
			TestEngine = MakeUnique<FScopedTestEngine>();
		}

		void TearDown() override { TestEngine = nullptr; }

		/** A world in a new context of the test engine. */
		UWorld* AddWorld(EWorldType::Type Type, const TCHAR* Name) { return TestEngine->AddWorld(Type, Name); }

		AActor* Spawn(UWorld* World, UClass* Class, const TCHAR* Name)
		{
			FActorSpawnParameters Parameters;
			Parameters.Name = FName(Name);
			return World->SpawnActor(Class, FVector::ZeroVector, FRotator::ZeroRotator, Parameters);
		}

		UClass* CameraClass = nullptr;
		TUniquePtr<FScopedTestEngine> TestEngine;
		FLogCapture Log;
	};
}

TEST_F(VPCameraLookup, FindsTheCameraByItsClassBeforeAnyNameMatch)
{
	UWorld* Editor = AddWorld(EWorldType::Editor, TEXT("CameraEditorWorld"));
	Spawn(Editor, AActor::StaticClass(), TEXT("Orvane_VP_Camera_Old"));
	AActor* Camera = Spawn(Editor, CameraClass, TEXT("StageCamera"));
	ASSERT_NE(Camera, nullptr);

	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), Camera);
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(VPCameraLookup, FindsACameraOfAnotherClassByItsNameInAnyLetterCase)
{
	UWorld* Editor = AddWorld(EWorldType::Editor, TEXT("CameraEditorWorld"));
	Spawn(Editor, AActor::StaticClass(), TEXT("Floor"));
	AActor* Named = Spawn(Editor, AActor::StaticClass(), TEXT("copy_of_orvane_vp_camera_2"));

	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), Named);
}

TEST_F(VPCameraLookup, SkipsCamerasThatAreBeingDestroyedAndWarnsWhenNoneIsLeft)
{
	UWorld* Editor = AddWorld(EWorldType::Editor, TEXT("CameraEditorWorld"));
	AActor* Camera = Spawn(Editor, CameraClass, TEXT("Orvane_VP_Camera_C_0"));
	ASSERT_TRUE(Editor->DestroyActor(Camera));
	Spawn(Editor, AActor::StaticClass(), TEXT("Floor"));

	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), nullptr);
	EXPECT_EQ(Log.Count(TEXT("OrvaneCaptureImg: No Orvane VP Camera found in world")), 1);
}

TEST_F(VPCameraLookup, LooksInThePlayedWorldFirst)
{
	UWorld* Editor = AddWorld(EWorldType::Editor, TEXT("CameraEditorWorld"));
	AActor* EditorCamera = Spawn(Editor, CameraClass, TEXT("EditorCamera"));
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), EditorCamera) << "without a game, the editor world";

	// A play session: the first game world context wins over the editor world before it.
	UWorld* Play = AddWorld(EWorldType::PIE, TEXT("CameraPlayWorld"));
	AActor* PlayCamera = Spawn(Play, CameraClass, TEXT("PlayCamera"));
	UWorld* Second = AddWorld(EWorldType::Game, TEXT("CameraSecondGameWorld"));
	AActor* SecondCamera = Spawn(Second, CameraClass, TEXT("SecondCamera"));
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), PlayCamera);

	// The game instance of the current world names its own world, whatever the context order.
	UGameInstance* GameInstance = NewObject<UGameInstance>(GetTransientPackage());
	GameInstance->AddToRoot();
	FWorldContext Context;
	Context.SetCurrentWorld(Second);
	GameInstance->HostSetWorldContext(&Context);
	Play->SetGameInstance(GameInstance);
	GWorld = Play;
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), SecondCamera);

	// A game instance whose world is going away does not count; nor does a game world going away.
	Second->RemoveFromRoot();
	Second->MarkAsGarbage();
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), PlayCamera);
	Play->RemoveFromRoot();
	Play->MarkAsGarbage();
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), EditorCamera);

	Play->SetGameInstance(nullptr);
	GameInstance->RemoveFromRoot();
}

TEST_F(VPCameraLookup, ReportsAMissingWorld)
{
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), nullptr) << "an engine without worlds";
	GEngine = nullptr;
	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), nullptr) << "no engine at all";
	EXPECT_EQ(Log.Count(TEXT("OrvaneCaptureImg: Not world reference")), 2);
	EXPECT_EQ(Log.CountContaining(TEXT("No Orvane VP Camera")), 0);
}

TEST_F(VPCameraLookup, ReportsAMissingCameraClassWithoutSearchingByName)
{
	UWorld* Editor = AddWorld(EWorldType::Editor, TEXT("CameraEditorWorld"));
	Spawn(Editor, AActor::StaticClass(), TEXT("Orvane_VP_Camera_Placed"));
	UPackage* ContentPackage = CameraClass->GetPackage();
	// The plug-in's content without the camera blueprint.
	ASSERT_TRUE(CameraClass->Rename(TEXT("Orvane_VP_Camera_Removed_C"), GetTransientPackage(), REN_DontCreateRedirectors));

	EXPECT_EQ(UOrvaneLiveLinkHelper::GetOrvaneVPCamera(), nullptr);
	EXPECT_EQ(Log.Count(TEXT("OrvaneCaptureImg: Could not load Orvane VP Camera class from /Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C")), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("No Orvane VP Camera")), 0);

	ASSERT_TRUE(CameraClass->Rename(TEXT("Orvane_VP_Camera_C"), ContentPackage, REN_DontCreateRedirectors));
	EXPECT_EQ(StaticLoadClass(AActor::StaticClass(), nullptr, CameraClassPath), CameraClass);
}
