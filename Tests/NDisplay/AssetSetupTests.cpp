// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Blueprints/DisplayClusterBlueprint.h"
#include "CineCameraActor.h"
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterConfigurationTypes.h"
#include "DisplayClusterRootActor.h"
#include "Dom/JsonObject.h"
#include "Editor.h"
#include "Editor/EditorEngine.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "Engine/StaticMesh.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Stage/StageTestSupport.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

using namespace OrvaneStageTest;

namespace
{
	class NDisplayAssetSetup : public testing::Test
	{
	protected:
		void SetUp() override
		{
			for (const TCHAR* Module : {TEXT("AssetTools"), TEXT("AssetRegistry"), TEXT("DisplayClusterConfiguration"), TEXT("DisplayCluster"), TEXT("UnrealEd")})
			{
				FModuleManager::Get().LoadModule(Module);
			}
		}

		/** Converts a two-wall stage (one with a mesh) and imports the configuration as a blueprint. */
		UDisplayClusterBlueprint* ImportStage(const TCHAR* StageName)
		{
			const std::string Body = "<label>Studio</label><walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model><resolution x=\"1920\" y=\"1080\"/></wall><wall uuid=\"b\"><label>Side</label></wall></walls>";
			StagePath = WriteFile(Project.GetProjectDir(), FString(StageName) + TEXT(".orvs"), StageDocument(Body, SquareMesh("sq.obj")));
			ConfigPath = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, true, MeshPaths);
			EXPECT_FALSE(ConfigPath.IsEmpty());
			return Cast<UDisplayClusterBlueprint>(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(ConfigPath, StageName));
		}

		static int32 CountNodes(const UBlueprint* Blueprint, const TCHAR* ClassFragment)
		{
			int32 Count = 0;
			for (const USCS_Node* Node : Blueprint->SimpleConstructionScript->GetAllNodes())
			{
				Count += Node && Node->ComponentTemplate && Node->ComponentTemplate->GetClass()->GetName().Contains(ClassFragment) ? 1 : 0;
			}
			return Count;
		}

		FScopedHeadlessProject Project;
		FLogCapture Log;
		FString StagePath;
		FString ConfigPath;
		TArray<FString> MeshPaths;
	};
}

TEST_F(NDisplayAssetSetup, MeshProjectionNamesTheComponentTheBlueprintGets)
{
	const std::string Body = "<walls><wall uuid=\"a\"><label>Left Wall-1.b</label><model>sq.obj</model></wall></walls>";
	StagePath = WriteFile(Project.GetProjectDir(), TEXT("Named.orvs"), StageDocument(Body, SquareMesh("sq.obj")));
	ConfigPath = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, false, MeshPaths);
	ASSERT_FALSE(ConfigPath.IsEmpty());
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *ConfigPath));
	TSharedPtr<FJsonObject> Root;
	ASSERT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(Text), Root));
	const FString Component = Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("cluster"))->GetObjectField(TEXT("nodes"))->GetObjectField(TEXT("Node_0"))->GetObjectField(TEXT("viewports"))->GetObjectField(TEXT("VP_Left Wall-1.b"))->GetObjectField(TEXT("projectionPolicy"))->GetObjectField(TEXT("parameters"))->GetStringField(TEXT("mesh_component"));
	EXPECT_EQ(Component, FString(TEXT("Left_Wall_1_b")));

	UDisplayClusterBlueprint* Blueprint = Cast<UDisplayClusterBlueprint>(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(ConfigPath, TEXT("Named")));
	ASSERT_NE(Blueprint, nullptr);
	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(Blueprint, MeshPaths));
	int32 Matching = 0;
	for (const USCS_Node* Node : Blueprint->SimpleConstructionScript->GetAllNodes())
	{
		Matching += Node && Node->ComponentTemplate && Node->ComponentTemplate->IsA(UStaticMeshComponent::StaticClass()) && Node->GetVariableName() == FName(*Component) ? 1 : 0;
	}
	EXPECT_EQ(Matching, 1) << "the projection points at a component the blueprint has";
}

TEST_F(NDisplayAssetSetup, RunsTheWholeStageRoadIntoTheLevel)
{
	UDisplayClusterBlueprint* Blueprint = ImportStage(TEXT("StageRoad"));
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_TRUE(Blueprint->GetPathName().StartsWith(TEXT("/Game/Orvane/Ndisplay/")));
	EXPECT_EQ(Log.CountContaining(TEXT("ImportNDisplayToProject: Successfully imported nDisplay blueprint: ")), 1);

	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(Blueprint, MeshPaths));
	EXPECT_EQ(Log.Count(TEXT("AddMeshesToDisplayClusterBlueprint: Successfully added 1 meshes")), 1);
	EXPECT_EQ(CountNodes(Blueprint, TEXT("StaticMeshComponent")), 1);
	EXPECT_EQ(CountNodes(Blueprint, TEXT("DisplayClusterXform")), 0) << "the import's xform node is removed";

	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::DisableInnerFrustumsOnRootActor(Blueprint));
	ADisplayClusterRootActor* Default = Cast<ADisplayClusterRootActor>(Blueprint->GeneratedClass->GetDefaultObject());
	ASSERT_NE(Default, nullptr);
	EXPECT_FALSE(Default->GetConfigData()->StageSettings.bEnableInnerFrustums);

	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(Blueprint));
	EXPECT_EQ(Log.Count(TEXT("AddICVFXCameraComponent: Created new ICVFX camera component")), 1);
	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(Blueprint));
	EXPECT_EQ(Log.Count(TEXT("AddICVFXCameraComponent: Found existing ICVFX camera component")), 1);
	EXPECT_EQ(CountNodes(Blueprint, TEXT("ICVFXCamera")), 1) << "a second call reuses the camera";

	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::ExportNDisplayConfigToFile(Blueprint, ConfigPath));
	FString Exported;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Exported, *ConfigPath));
	EXPECT_TRUE(Exported.Contains(TEXT("nDisplay")));

	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets(MeshPaths, Blueprint));
	EXPECT_EQ(Log.Count(TEXT("SaveDisplayClusterAssets: Saved 2/2 packages")), 1);
	EXPECT_TRUE(FPaths::FileExists(FPackageName::LongPackageNameToFilename(Blueprint->GetPackage()->GetName(), FPackageName::GetAssetPackageExtension())));

	AActor* First = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Blueprint);
	AActor* Second = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Blueprint);
	ASSERT_NE(First, nullptr);
	ASSERT_NE(Second, nullptr);
	EXPECT_TRUE(First->GetName().StartsWith(TEXT("Orvane_nDisplay")));
	EXPECT_NE(First->GetName(), Second->GetName());

	UWorld* World = GEditor->GetEditorWorldContext().World();
	ACineCameraActor* Camera = Cast<ACineCameraActor>(World->SpawnActor(ACineCameraActor::StaticClass()));
	ASSERT_NE(Camera, nullptr);
	UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(First, Camera);
	EXPECT_EQ(Log.Count(TEXT("LinkVPCameraToICVFXInstance: Successfully linked VP camera to ICVFX instance")), 1);
	TArray<UActorComponent*> Components;
	First->GetComponents(Components);
	UDisplayClusterICVFXCameraComponent* ICVFX = nullptr;
	for (UActorComponent* Component : Components)
	{
		ICVFX = ICVFX ? ICVFX : Cast<UDisplayClusterICVFXCameraComponent>(Component);
	}
	ASSERT_NE(ICVFX, nullptr);
	EXPECT_EQ(ICVFX->GetCameraSettingsICVFX().ExternalCameraActor.Get(), Camera);
	EXPECT_FALSE(ICVFX->GetCameraSettingsICVFX().CustomFrustum.bEnable);
	EXPECT_GT(ICVFX->GetHostPostEditChangeCount(), 0);

	// A root actor of another class spawned beside them takes a name no actor in the level holds.
	AActor* FromFile = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorFromFile(ConfigPath);
	ASSERT_NE(FromFile, nullptr);
	EXPECT_NE(FromFile->GetName(), First->GetName());
	EXPECT_NE(FromFile->GetName(), Second->GetName());
}

TEST_F(NDisplayAssetSetup, RefusesWhatWouldReachBeyondTheProjectOrTheCameraClass)
{
	UDisplayClusterBlueprint* Blueprint = ImportStage(TEXT("Guarded"));
	ASSERT_NE(Blueprint, nullptr);

	// Asset names that leave the nDisplay folder, or name a folder the engine cannot, import nothing.
	for (const TCHAR* Name : {TEXT("../../Engine/Escape"), TEXT("Sub/../../Up"), TEXT("..\\Back"), TEXT("a//b"), TEXT("Bad Dir/Name")})
	{
		EXPECT_EQ(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(ConfigPath, Name), nullptr) << TCHAR_TO_UTF8(Name);
		EXPECT_EQ(Log.Count(*FString::Printf(TEXT("ImportNDisplayToProject: Invalid asset name: %s"), Name)), 1) << TCHAR_TO_UTF8(Name);
	}
	EXPECT_NE(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(ConfigPath, TEXT("Sub/Name")), nullptr);

	// Only the project's own packages are saved.
	UPackage* EnginePackage = CreatePackage(TEXT("/Engine/Orvane/Foreign"));
	ASSERT_NE(NewObject<UStaticMesh>(EnginePackage, FName(TEXT("Foreign")), RF_Public | RF_Standalone), nullptr);
	TArray<FString> Paths = MeshPaths;
	Paths.Add(TEXT("/Engine/Orvane/Foreign.Foreign"));
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets(Paths, Blueprint));
	EXPECT_EQ(Log.Count(TEXT("SaveDisplayClusterAssets: Skipped package outside /Game/: /Engine/Orvane/Foreign")), 1);
	EXPECT_EQ(Log.Count(TEXT("SaveDisplayClusterAssets: Saved 2/2 packages")), 1);

	// An actor that is not of the camera reference's class is not written into it.
	AActor* Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Blueprint);
	ASSERT_NE(Root, nullptr);
	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(Blueprint));
	Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Blueprint);
	ASSERT_NE(Root, nullptr);
	UWorld* World = GEditor->GetEditorWorldContext().World();
	AActor* NotACamera = World->SpawnActor(AActor::StaticClass());
	ASSERT_NE(NotACamera, nullptr);
	UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(Root, NotACamera);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("LinkVPCameraToICVFXInstance: %s is not a CineCameraActor; the camera is not linked"), *NotACamera->GetName())), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("Successfully linked")), 0);
	TArray<UActorComponent*> Components;
	Root->GetComponents(Components);
	for (UActorComponent* Component : Components)
	{
		if (UDisplayClusterICVFXCameraComponent* ICVFX = Cast<UDisplayClusterICVFXCameraComponent>(Component))
		{
			EXPECT_TRUE(ICVFX->GetCameraSettingsICVFX().ExternalCameraActor.IsNull());
		}
	}
}

TEST_F(NDisplayAssetSetup, AddsNothingAndSavesNothingWhenNoMeshLoads)
{
	UDisplayClusterBlueprint* Blueprint = ImportStage(TEXT("NoMeshes"));
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(Blueprint, {TEXT("/Game/Nowhere/A.A"), TEXT("/Game/Nowhere/B.B")}));
	EXPECT_EQ(Log.Count(TEXT("AddStaticMeshComponents: Added 0 mesh components")), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("LoadStaticMeshFromPath: Failed to load mesh: /Game/Nowhere/")), 2);
	EXPECT_EQ(CountNodes(Blueprint, TEXT("DisplayClusterXform")), 0) << "the clean-up pass still ran";
	EXPECT_EQ(Log.CountContaining(TEXT("SaveBlueprintAsset:")), 0);

	// A second run with real paths adds components again; the first run's are not cleaned up.
	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddStaticMeshComponents(Blueprint, MeshPaths));
	ASSERT_TRUE(UOrvaneNDisplayConfigImporter::AddStaticMeshComponents(Blueprint, MeshPaths));
	EXPECT_EQ(CountNodes(Blueprint, TEXT("StaticMeshComponent")), 2);
}

TEST_F(NDisplayAssetSetup, SavesAPackageSharedByTwoPathsOnce)
{
	ImportStage(TEXT("SharedPackage"));
	ASSERT_EQ(MeshPaths.Num(), 1);
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets({MeshPaths[0], MeshPaths[0]}, nullptr));
	EXPECT_EQ(Log.Count(TEXT("SaveDisplayClusterAssets: Saved 1/1 packages")), 1);
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets({}, nullptr));
	EXPECT_EQ(Log.Count(TEXT("SaveDisplayClusterAssets: Saved 0/0 packages")), 1);
}

TEST_F(NDisplayAssetSetup, ImportsIntoASubfolderNamedByTheAssetName)
{
	const std::string Body = "<label>Sub</label>";
	const FString Stage = WriteFile(Project.GetProjectDir(), TEXT("sub.orvs"), StageDocument(Body));
	TArray<FString> Paths;
	const FString Written = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(Stage, false, Paths);
	UObject* Imported = UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(Written, TEXT("Sub/Name"));
	ASSERT_NE(Imported, nullptr);
	EXPECT_TRUE(Imported->GetPathName().StartsWith(TEXT("/Game/Orvane/Ndisplay/Sub/"))) << TCHAR_TO_UTF8(*Imported->GetPathName());
}

TEST_F(NDisplayAssetSetup, ReportsBadInputWithItsMessage)
{
	EXPECT_EQ(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(Project.GetProjectDir() / TEXT("none.ndisplay"), TEXT("x")), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("ImportNDisplayToProject: File does not exist: ")), 1);
	const FString Garbage = WriteFile(Project.GetProjectDir(), TEXT("garbage.ndisplay"), "{\"nDisplay\": [1, 2");
	EXPECT_EQ(UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(Garbage, TEXT("x")), nullptr);
	EXPECT_EQ(Log.Count(TEXT("ImportNDisplayToProject: Import failed")), 1);

	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(nullptr, {TEXT("a")}));
	EXPECT_EQ(Log.Count(TEXT("AddMeshesToDisplayClusterBlueprint: Invalid input parameters")), 1);
	UStaticMesh* NotABlueprint = NewObject<UStaticMesh>(static_cast<UObject*>(GetTransientPackage()));
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(NotABlueprint, {TEXT("a")}));
	EXPECT_EQ(Log.Count(TEXT("AddMeshesToDisplayClusterBlueprint: Failed to get blueprint")), 1);
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::AddStaticMeshComponents(nullptr, {}));
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::DisableInnerFrustumsOnRootActor(NotABlueprint));
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(nullptr));
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::ExportNDisplayConfigToFile(nullptr, TEXT("x")));
	EXPECT_FALSE(UOrvaneNDisplayConfigImporter::SaveBlueprintAsset(nullptr));
	EXPECT_EQ(UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(NotABlueprint), nullptr);
	EXPECT_EQ(UOrvaneNDisplayConfigImporter::GetBlueprintFromDisplayCluster(NotABlueprint), nullptr);
	UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(nullptr, nullptr);
	for (const TCHAR* Message : {TEXT("AddStaticMeshComponents: Invalid Blueprint or SimpleConstructionScript"), TEXT("DisableInnerFrustumsOnRootActor: Invalid DisplayClusterBP"),
			 TEXT("AddICVFXCameraComponent: BlueprintObj is not a valid UBlueprint"), TEXT("ExportNDisplayConfigToFile: Invalid DisplayCluster Blueprint"), TEXT("SaveBlueprintAsset: Blueprint is null"),
			 TEXT("SpawnNDisplayActorInLevel: Invalid nDisplay config object"), TEXT("LinkVPCameraToICVFXInstance: NDisplayActor or VPCamera is null")})
	{
		EXPECT_EQ(Log.Count(Message), 1) << TCHAR_TO_UTF8(Message);
	}

	// An actor without an ICVFX camera, and a file-based spawn.
	const FString AnyFile = WriteFile(Project.GetProjectDir(), TEXT("any.ndisplay"), "not read");
	AActor* Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorFromFile(AnyFile);
	ASSERT_NE(Root, nullptr);
	EXPECT_EQ(Log.Count(TEXT("SpawnNDisplayActorFromFile: Successfully spawned and initialized nDisplay actor")), 1);
	UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(Root, Root);
	EXPECT_EQ(Log.Count(TEXT("LinkVPCameraToICVFXInstance: No ICVFX camera component found")), 1);
	EXPECT_EQ(UOrvaneNDisplayConfigImporter::SpawnNDisplayActorFromFile(Project.GetProjectDir() / TEXT("none.ndisplay")), nullptr);
}
