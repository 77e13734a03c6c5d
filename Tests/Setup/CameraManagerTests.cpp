// Copyright Kelmora. All Rights Reserved.
#include "CineCameraComponent.h"
#include "GameFramework/GameModeBase.h"
#include "ISettingsEditorModule.h"
#include "LiveLinkPreset.h"
#include "Materials/Material.h"
#include "Setup/EditorSetupFixture.h"
#include "UObject/Package.h"

using namespace OrvaneSetupTest;

namespace
{
	class CameraManager : public FEditorSetupTest
	{
	protected:
		void SetUp() override
		{
			FEditorSetupTest::SetUp();
			Endpoint = FString::Printf(TEXT("127.0.0.1:%d"), OrvaneTest::FindFreeLoopbackPort());
		}

		static int32 RestartPrompts() { return FModuleManager::LoadModuleChecked<ISettingsEditorModule>(TEXT("SettingsEditor")).GetHostRestartPromptCount(); }

		static int32 BlendableCount(const AOrvaneVPCameraActor* Camera)
		{
			return Camera->GetCineCameraComponent()->PostProcessSettings.WeightedBlendables.Array.Num();
		}

		FString Endpoint;
	};
}

TEST_F(CameraManager, CompleteSetupMakesCameraSourceAndThenThePreset)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Stage_Preset"), false));
	ASSERT_EQ(Cameras().Num(), 1);
	AOrvaneVPCameraActor* Camera = Cameras()[0];
	EXPECT_EQ(FOrvaneCameraManager::GetLastCreatedCamera(), Camera);
	// The camera and the game mode are the plug-in's generated blueprints.
	EXPECT_EQ(Camera->GetClass()->GetPathName(), FString(OrvaneTestContent::VPCameraClassPath));
	EXPECT_EQ(Camera->GetClass()->ClassGeneratedBy, FindObject<UObject>(nullptr, TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera")));
	EXPECT_NE(StaticLoadClass(AGameModeBase::StaticClass(), nullptr, TEXT("/Orvane/Orvane_GM.Orvane_GM_C")), nullptr);
	EXPECT_EQ(Client->GetSources().Num(), 1);
	EXPECT_TRUE(ReadConfig(TEXT("DefaultEngine.ini")).Contains(TEXT("[/Script/EngineSettings.GameMapsSettings]\r\nGlobalDefaultGameMode=/Orvane/Orvane_GM.Orvane_GM_C")));
	ASSERT_EQ(GEditor->HostOnScreenMessages.Num(), 1);
	EXPECT_EQ(GEditor->HostOnScreenMessages[0].Message, TEXT("Orvane Complete Setup Successful!"));
	EXPECT_EQ(GEditor->HostOnScreenMessages[0].DisplayColor, FColor::Green);
	EXPECT_EQ(GEditor->HostOnScreenMessages[0].TimeToDisplay, 10.0f);

	// The preset follows one second later: saved, made the startup preset and applied to the camera.
	EXPECT_EQ(OrvaneTestContent::PresetVariable(Camera), nullptr);
	RunEditorFor(1.0f);
	EXPECT_EQ(Log.Count(TEXT("LiveLink preset created successfully")), 1);
	ULiveLinkPreset* Preset = LoadObject<ULiveLinkPreset>(nullptr, TEXT("/Game/Orvane/Stage_Preset.Stage_Preset"));
	ASSERT_NE(Preset, nullptr);
	EXPECT_EQ(OrvaneTestContent::PresetVariable(Camera), Preset);
	EXPECT_TRUE(OrvaneTestContent::PresetSwitch(Camera));
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), Preset);
	EXPECT_EQ(Log.Count(TEXT("LiveLink preset applied to camera successfully")), 1);
	EXPECT_TRUE(ReadConfig(TEXT("DefaultGame.ini")).Contains(TEXT("DefaultLiveLinkPreset=/Game/Orvane/Stage_Preset.Stage_Preset")));
	EXPECT_TRUE(FOrvaneCameraManager::HasDefaultPreset());
}

class FOrvaneCameraManagerTestAccess
{
public:
	static void RemoveExistingPreset(const FString& PresetName) { FOrvaneCameraManager::RemoveExistingPreset(PresetName); }
};

TEST_F(CameraManager, OwnPresetCleanUpLeavesObjectsInUseToGarbageCollection)
{
	auto MakePreset = [](const TCHAR* Name)
	{
		UPackage* Package = CreatePackage(*FString::Printf(TEXT("/Game/Orvane/%s"), Name));
		return NewObject<ULiveLinkPreset>(Package, FName(Name), RF_Public | RF_Standalone);
	};

	// A preset nothing holds goes with the collection that follows.
	const TWeakObjectPtr<ULiveLinkPreset> Unused = MakePreset(TEXT("Unused_Preset"));
	ASSERT_TRUE(Unused.IsValid());
	FOrvaneCameraManagerTestAccess::RemoveExistingPreset(TEXT("Unused_Preset"));
	EXPECT_FALSE(Unused.IsValid());

	// One the collector must keep (here: rooted, as an object in use) is never destroyed under its user.
	ULiveLinkPreset* Held = MakePreset(TEXT("Held_Preset"));
	ASSERT_NE(Held, nullptr);
	UPackage* HeldPackage = Held->GetPackage();
	HeldPackage->AddToRoot();
	Held->AddToRoot();
	FOrvaneCameraManagerTestAccess::RemoveExistingPreset(TEXT("Held_Preset"));
	EXPECT_FALSE(Held->HasAnyFlags(RF_BeginDestroyed));
	EXPECT_FALSE(HeldPackage->HasAnyFlags(RF_BeginDestroyed));
	EXPECT_FALSE(Held->HasAnyFlags(RF_Standalone | RF_Public)) << "it is no asset any more";
	Held->RemoveFromRoot();
	HeldPackage->RemoveFromRoot();
	Held->MarkAsGarbage();
	HeldPackage->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST_F(CameraManager, CompleteSetupWithoutASourceStopsBeforeTheCamera)
{
	EXPECT_FALSE(FOrvaneCameraManager::CreateCompleteSetup(TEXT("not an endpoint"), TEXT("Stage_Preset"), true));
	EXPECT_EQ(Cameras().Num(), 0);
	EXPECT_EQ(Log.Count(TEXT("Failed to create LiveLink source")), 1);
	ASSERT_EQ(GEditor->HostOnScreenMessages.Num(), 1);
	EXPECT_EQ(GEditor->HostOnScreenMessages[0].Message, TEXT("Orvane Setup Failed - check console"));
	EXPECT_EQ(GEditor->HostOnScreenMessages[0].DisplayColor, FColor::Red);
	// The game mode is set before the source, and a failed setup leaves the renderer alone.
	EXPECT_EQ(UGameMapsSettings::GetGlobalDefaultGameMode(), TEXT("/Orvane/Orvane_GM.Orvane_GM_C"));
	EXPECT_FALSE(GetDefault<URendererSettings>()->bEnableAlphaChannelInPostProcessing);
	RunEditorFor(2.0f);
	EXPECT_EQ(Log.Count(TEXT("Delayed Preset creation")), 0);
}

TEST_F(CameraManager, SecondSetupReplacesTheFirstCamera)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Stage_Preset"), false));
	AOrvaneVPCameraActor* First = Cameras()[0];
	const FString FirstName = First->GetName();
	RunEditorFor(1.0f);
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Stage_Preset"), false));
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_NE(Cameras()[0], First);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("Removing existing Orvane camera: %s"), *FirstName)), 1);
	EXPECT_EQ(Log.Count(TEXT("Removed 1 existing Orvane cameras")), 1);
	// The old source was replaced, not added to.
	EXPECT_EQ(Client->GetSources().Num(), 1);
	RunEditorFor(1.0f);
	EXPECT_NE(Cameras()[0]->GetAppliedLiveLinkPreset(), nullptr);
}

TEST_F(CameraManager, AlphaSetupChangesTheRendererOnceAndAddsTheMask)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Alpha_Preset"), true));
	const URendererSettings* Renderer = GetDefault<URendererSettings>();
	EXPECT_TRUE(Renderer->bEnableAlphaChannelInPostProcessing);
	EXPECT_EQ(Renderer->DefaultBackBufferPixelFormat, EDefaultBackBufferPixelFormat::DBBPF_A2B10G10R10);
	const FString EngineIni = ReadConfig(TEXT("DefaultEngine.ini"));
	EXPECT_TRUE(EngineIni.Contains(TEXT("[/Script/Engine.RendererSettings]\r\nbEnableAlphaChannelInPostProcessing=True\r\nDefaultBackBufferPixelFormat=4")));
	const int32 PromptsAfterFirst = RestartPrompts();
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_EQ(BlendableCount(Cameras()[0]), 1);
	EXPECT_EQ(Cameras()[0]->GetCineCameraComponent()->PostProcessSettings.WeightedBlendables.Array[0].Weight, 1.0f);

	// With the settings in place a second setup changes no config and asks for no restart.
	RunEditorFor(1.0f);
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Alpha_Preset"), true));
	EXPECT_EQ(RestartPrompts(), PromptsAfterFirst);
	EXPECT_EQ(ReadConfig(TEXT("DefaultEngine.ini")), EngineIni);

	// Camera only keeps alpha when the renderer is set up for it, and adds the mask again a second later.
	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	EXPECT_EQ(BlendableCount(Cameras()[0]), 1);
	RunEditorFor(1.0f);
	EXPECT_EQ(BlendableCount(Cameras()[0]), 2);
}

TEST_F(CameraManager, DelayedStageReportsAnEmptyPresetNameAndAMissingCamera)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT(""), false));
	RunEditorFor(1.0f);
	EXPECT_EQ(Log.Count(TEXT("Invalid preset name provided")), 1);
	EXPECT_EQ(Log.Count(TEXT("LiveLink preset creation failed")), 1);

	// A camera deleted before the preset stage: the preset is still saved and made the startup preset.
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Orphan_Preset"), false));
	EditorWorld()->DestroyActor(Cameras()[0]);
	EXPECT_EQ(FOrvaneCameraManager::GetLastCreatedCamera(), nullptr);
	RunEditorFor(1.0f);
	EXPECT_EQ(Log.Count(TEXT("Camera is null")), 1);
	EXPECT_EQ(Log.Count(TEXT("LiveLink startup preset configured")), 1);
	EXPECT_EQ(GetDefault<ULiveLinkSettings>()->DefaultLiveLinkPreset.ToString(), TEXT("/Game/Orvane/Orphan_Preset.Orphan_Preset"));
}

TEST_F(CameraManager, CameraOnlyAppliesTheStartupPresetIfThereIsOne)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	EXPECT_EQ(Cameras().Num(), 1);
	EXPECT_EQ(Log.Count(TEXT("No default LiveLink preset is set")), 1);
	EXPECT_EQ(Log.Count(TEXT("No default LiveLink preset found, created camera without preset")), 1);
	EXPECT_EQ(Client->GetSources().Num(), 0);
	EXPECT_FALSE(FOrvaneCameraManager::HasDefaultPreset());

	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Studio_Preset"), false));
	RunEditorFor(1.0f);
	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	EXPECT_EQ(Log.Count(TEXT("Found default LiveLink preset: Studio_Preset")), 1);
	EXPECT_EQ(Log.Count(TEXT("Applied default LiveLink preset: Studio_Preset")), 1);
	AOrvaneVPCameraActor* Camera = Cameras()[0];
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), nullptr);
	RunEditorFor(1.0f);
	EXPECT_NE(Camera->GetAppliedLiveLinkPreset(), nullptr);
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset()->GetName(), TEXT("Studio_Preset"));
}

TEST_F(CameraManager, ObjectOfAnotherClassIsNotWrittenIntoThePresetVariable)
{
	// The startup preset lives outside the preset folder; in the folder, under its name, sits a material.
	UPackage* PresetPackage = CreatePackage(TEXT("/Game/Elsewhere/Shared"));
	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>(PresetPackage, FName(TEXT("Shared")), RF_Public | RF_Standalone);
	GetMutableDefault<ULiveLinkSettings>()->DefaultLiveLinkPreset = Preset;
	UPackage* Impostor = CreatePackage(TEXT("/Game/Orvane/Shared"));
	NewObject<UMaterial>(Impostor, FName(TEXT("Shared")), RF_Public | RF_Standalone);

	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	RunEditorFor(1.0f);
	EXPECT_EQ(Log.Count(TEXT("Could not load preset: /Game/Orvane/Shared")), 1);
	EXPECT_EQ(OrvaneTestContent::PresetVariable(Cameras()[0]), nullptr);
	EXPECT_FALSE(OrvaneTestContent::PresetSwitch(Cameras()[0]));
}

TEST_F(CameraManager, ShuttingTheModuleDownCancelsTheDelayedSteps)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Late_Preset"), false));
	RunEditorFor(1.0f);
	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Late_Preset2"), false));
	AOrvaneVPCameraActor* Camera = Cameras()[0];
	Log.Clear();

	// What the module's shut-down does: nothing that was still pending may run the module's code afterwards.
	IModuleInterface* Module = FModuleManager::Get().LoadModule(TEXT("Orvaneui"));
	ASSERT_NE(Module, nullptr);
	Module->ShutdownModule();
	RunEditorFor(2.0f);
	EXPECT_EQ(Log.Count(TEXT("Delayed Preset creation")), 0);
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset(), nullptr);
	Module->StartupModule();

	// After a restart the steps work again.
	ASSERT_TRUE(FOrvaneCameraManager::CreateCompleteSetup(Endpoint, TEXT("Late_Preset3"), false));
	RunEditorFor(1.0f);
	EXPECT_EQ(Log.Count(TEXT("Delayed Preset creation")), 1);
}
