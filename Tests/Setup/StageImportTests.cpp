// Copyright Kelmora. All Rights Reserved.
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "OrvaneStageImport.h"
#include "Setup/EditorSetupFixture.h"
#include "Stage/StageTestSupport.h"

using namespace OrvaneSetupTest;
using namespace OrvaneStageTest;

namespace
{
	class StageImport : public FEditorSetupTest
	{
	protected:
		FString WriteStage(const TCHAR* Name, const std::string& Walls, const std::string& Meshes) const
		{
			return WriteFile(Project.GetProjectDir(), Name, StageDocument("<label>Studio</label><walls>" + Walls + "</walls>", Meshes));
		}

		static TArray<ADisplayClusterRootActor*> RootActors() { return ActorsOf<ADisplayClusterRootActor>(); }

		static UDisplayClusterICVFXCameraComponent* ICVFXCamera(AActor* Root)
		{
			TArray<UDisplayClusterICVFXCameraComponent*> Components;
			Root->GetComponents(Components);
			return Components.Num() == 1 ? Components[0] : nullptr;
		}

		bool AssetSaved(const TCHAR* PackageName) const { return FPaths::FileExists(FPackageName::LongPackageNameToFilename(PackageName, FPackageName::GetAssetPackageExtension())); }

		const std::string TwoWalls = "<wall uuid=\"a\"><label>Front</label><model>sq.obj</model><resolution x=\"1920\" y=\"1080\"/></wall><wall uuid=\"b\"><label>Side</label></wall>";
	};
}

TEST_F(StageImport, PutsTheClusterInTheLevelDrivenByANewCamera)
{
	const FString Stage = WriteStage(TEXT("Main Stage-2.orvs"), TwoWalls, SquareMesh("sq.obj"));
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(Stage, true, false), EOrvaneStageImportResult::Succeeded);

	// Without a startup preset the camera came with a complete setup: a source now, the preset a second later.
	ASSERT_EQ(Cameras().Num(), 1);
	AOrvaneVPCameraActor* Camera = Cameras()[0];
	EXPECT_EQ(Client->GetSources().Num(), 1);
	ASSERT_EQ(RootActors().Num(), 1);
	ADisplayClusterRootActor* Root = RootActors()[0];
	EXPECT_EQ(Camera->GetAttachParentActor(), Root);
	UDisplayClusterICVFXCameraComponent* ICVFX = ICVFXCamera(Root);
	ASSERT_NE(ICVFX, nullptr);
	EXPECT_EQ(ICVFX->GetCameraSettingsICVFX().ExternalCameraActor.Get(), Camera);
	EXPECT_FALSE(Root->GetConfigData()->StageSettings.bEnableInnerFrustums);
	TArray<UStaticMeshComponent*> Meshes;
	Root->GetComponents(Meshes);
	EXPECT_EQ(Meshes.Num(), 1);

	EXPECT_TRUE(FPaths::FileExists(Project.GetProjectDir() + TEXT("Main_Stage_2.ndisplay")));
	EXPECT_TRUE(AssetSaved(TEXT("/Game/Orvane/Ndisplay/Main_Stage_2")));
	EXPECT_TRUE(AssetSaved(TEXT("/Game/Orvane/Meshes/Front")));

	RunEditorFor(1.0f);
	EXPECT_TRUE(AssetSaved(TEXT("/Game/Orvane/Orvane_LiveLink_Preset")));
	ASSERT_NE(Camera->GetAppliedLiveLinkPreset(), nullptr);
	EXPECT_EQ(Camera->GetAppliedLiveLinkPreset()->GetName(), TEXT("Orvane_LiveLink_Preset"));
}

TEST_F(StageImport, ReplacesTheCameraAndUsesTheStartupPresetOnceThereIsOne)
{
	const FString Stage = WriteStage(TEXT("Stage.orvs"), TwoWalls, SquareMesh("sq.obj"));
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(Stage, true, false), EOrvaneStageImportResult::Succeeded);
	RunEditorFor(1.0f);
	AOrvaneVPCameraActor* First = Cameras()[0];
	const int32 SourcesBefore = Client->GetSources().Num();

	// An asset of the same name is not replaced by an import, so the second stage has a name of its own.
	const FString SecondStage = WriteStage(TEXT("Stage Two.orvs"), TwoWalls, SquareMesh("sq.obj"));
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(SecondStage, true, false), EOrvaneStageImportResult::Succeeded);
	EXPECT_EQ(Log.Count(TEXT("Found default LiveLink preset: Orvane_LiveLink_Preset")), 1);
	EXPECT_EQ(Client->GetSources().Num(), SourcesBefore) << "the camera-only road makes no source";
	ASSERT_EQ(Cameras().Num(), 1);
	AOrvaneVPCameraActor* Second = Cameras()[0];
	EXPECT_NE(Second, First);
	EXPECT_EQ(RootActors().Num(), 2);
	EXPECT_EQ(Second->GetAttachParentActor(), RootActors().Last());
	RunEditorFor(1.0f);
	EXPECT_NE(Second->GetAppliedLiveLinkPreset(), nullptr);
}

TEST_F(StageImport, WithoutICVFXMakesNoCameraAndLinksNothing)
{
	const FString Stage = WriteStage(TEXT("Plain.orvs"), TwoWalls, SquareMesh("sq.obj"));
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(Stage, false, false), EOrvaneStageImportResult::Succeeded);
	EXPECT_EQ(Cameras().Num(), 0);
	EXPECT_EQ(Client->GetSources().Num(), 0);
	ASSERT_EQ(RootActors().Num(), 1);
	EXPECT_EQ(ICVFXCamera(RootActors()[0]), nullptr);
	EXPECT_TRUE(RootActors()[0]->GetConfigData()->StageSettings.bEnableInnerFrustums);
}

TEST_F(StageImport, StageWithoutMeshesIsStillPlacedAndLinked)
{
	const FString Stage = WriteStage(TEXT("Screens.orvs"), "<wall uuid=\"a\"><label>Left</label></wall><wall uuid=\"b\"><label>Right</label></wall>", std::string());
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(Stage, true, false), EOrvaneStageImportResult::Succeeded);
	EXPECT_EQ(Log.CountContaining(TEXT("AddMeshesToDisplayClusterBlueprint")), 0);
	EXPECT_EQ(Log.CountContaining(TEXT("ExportNDisplayConfigToFile: Successfully exported")), 1);
	ASSERT_EQ(RootActors().Num(), 1);
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_EQ(ICVFXCamera(RootActors()[0])->GetCameraSettingsICVFX().ExternalCameraActor.Get(), Cameras()[0]);
	EXPECT_EQ(Cameras()[0]->GetAttachParentActor(), RootActors()[0]);
}

TEST_F(StageImport, StageThatCannotBeReadEndsBeforeTheImport)
{
	const FString Broken = WriteFile(Project.GetProjectDir(), TEXT("Broken.orvs"), "<orvane><stages><stage><walls><wall");
	EXPECT_EQ(FOrvaneStageImport::ImportStageToLevel(Broken, true, false), EOrvaneStageImportResult::ConfigFailed);
	EXPECT_EQ(FString(FOrvaneStageImport::GetResultText(EOrvaneStageImportResult::ConfigFailed)), TEXT("Failed to create nDisplay config"));
	EXPECT_EQ(RootActors().Num(), 0);
	EXPECT_FALSE(FPaths::DirectoryExists(Project.GetContentDir() + TEXT("Orvane/Ndisplay")));
	// The camera comes first, as in the dialog: it is in the level even though the stage failed.
	EXPECT_EQ(Cameras().Num(), 1);

	EXPECT_EQ(FOrvaneStageImport::ImportStageToLevel(Project.GetProjectDir() + TEXT("Missing.orvs"), false, false), EOrvaneStageImportResult::ConfigFailed);
}
