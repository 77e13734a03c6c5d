// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Engine/StaticMesh.h"
#include "HAL/FileManager.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "OrvaneStageImporter.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"
#include "Stage/StageTestSupport.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <limits>
#include <string>
#include <vector>

namespace
{
	/** An expected document from the test data: kept with plain line feeds, compared with CR LF and no final line end. */
	std::string ExpectedDocument(const char* Name)
	{
		std::ifstream File(std::string(ORVANE_TEST_DATA_DIR) + "/NDisplay/" + Name, std::ios::binary);
		std::string Text((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());
		while (!Text.empty() && Text.back() == '\n')
		{
			Text.pop_back();
		}
		std::string WithCrLf;
		for (const char Char : Text)
		{
			if (Char == '\n')
			{
				WithCrLf += '\r';
			}
			WithCrLf += Char;
		}
		return WithCrLf;
	}

	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	FOrvaneWallData Wall(const TCHAR* Label, int32 Width, int32 Height, bool bMesh = false)
	{
		FOrvaneWallData Data;
		Data.UUID = Label;
		Data.Label = Label;
		Data.Resolution.X = Width;
		Data.Resolution.Y = Height;
		Data.bHasMeshData = bMesh;
		return Data;
	}

	TSharedPtr<FJsonObject> Parse(const FString& Text)
	{
		TSharedPtr<FJsonObject> Object;
		FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(Text), Object);
		return Object;
	}

	TSharedPtr<FJsonObject> Node(const TSharedPtr<FJsonObject>& Root)
	{
		return Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("cluster"))->GetObjectField(TEXT("nodes"))->GetObjectField(TEXT("Node_0"));
	}

	TSharedPtr<FJsonObject> Region(const TSharedPtr<FJsonObject>& Root, const TCHAR* Viewport)
	{
		return Node(Root)->GetObjectField(TEXT("viewports"))->GetObjectField(Viewport)->GetObjectField(TEXT("region"));
	}

	std::string RegionText(const TSharedPtr<FJsonObject>& Root, const TCHAR* Viewport)
	{
		const TSharedPtr<FJsonObject> R = Region(Root, Viewport);
		return std::to_string(static_cast<long long>(R->GetNumberField(TEXT("x")))) + "," + std::to_string(static_cast<long long>(R->GetNumberField(TEXT("y")))) + "," +
			   std::to_string(static_cast<long long>(R->GetNumberField(TEXT("w")))) + "," + std::to_string(static_cast<long long>(R->GetNumberField(TEXT("h"))));
	}
}

TEST(NDisplayConfig, WritesAnEmptyStageByteForByte)
{
	FOrvaneStageData Stage;
	Stage.StageName = TEXT("Empty");
	EXPECT_EQ(Utf8(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, false)), ExpectedDocument("empty_stage.ndisplay.txt"));
}

TEST(NDisplayConfig, WritesMeshAndScreenWallsWithTheCameraByteForByte)
{
	FOrvaneStageData Stage;
	Stage.StageName = TEXT("Main");
	Stage.Walls.Add(Wall(TEXT("Front"), 4000, 2000, true));
	FOrvaneWallData Side = Wall(TEXT("Side"), 1920, 1080);
	Side.Position.X = 1.0f;
	Side.Position.Y = 2.5f;
	Side.Position.Z = -3.0f;
	Side.Rotation.Y = 90.0f;
	Stage.Walls.Add(Side);
	Stage.Walls.Add(Wall(TEXT("Back"), 3000, 0));
	EXPECT_EQ(Utf8(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {TEXT("/Game/Orvane/Meshes/Front.Front")}, true)), ExpectedDocument("three_walls_icvfx.ndisplay.txt"));
}

TEST(NDisplayConfig, LaysViewportsOutInRowsOfAtMost8192Pixels)
{
	FOrvaneStageData Stage;
	for (const TCHAR* Label : {TEXT("A"), TEXT("B"), TEXT("C")})
	{
		Stage.Walls.Add(Wall(Label, 4000, 2000));
	}
	TSharedPtr<FJsonObject> Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, true));
	EXPECT_EQ(RegionText(Root, TEXT("VP_C")), "0,2000,4000,2000");
	EXPECT_EQ(Node(Root)->GetObjectField(TEXT("window"))->GetNumberField(TEXT("w")), 8000);
	EXPECT_EQ(Node(Root)->GetObjectField(TEXT("window"))->GetNumberField(TEXT("h")), 4000);
	EXPECT_EQ(RegionText(Root, TEXT("VP_ICVFX")), "4000,2000,1920,1080");

	// Two walls fill 8000 pixels: the camera's 1920 do not fit and it wraps below the window.
	Stage.Walls.SetNum(2);
	Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, true));
	EXPECT_EQ(Node(Root)->GetObjectField(TEXT("window"))->GetNumberField(TEXT("h")), 2000);
	EXPECT_EQ(RegionText(Root, TEXT("VP_ICVFX")), "0,2000,1920,1080");

	// Exactly 8192 does not wrap; a single wall wider than 8192 starts its own row and widens the canvas.
	FOrvaneStageData Edge;
	Edge.Walls.Add(Wall(TEXT("A"), 4096, 100));
	Edge.Walls.Add(Wall(TEXT("B"), 4096, 100));
	Edge.Walls.Add(Wall(TEXT("C"), 10000, 50));
	Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Edge, {}, false));
	EXPECT_EQ(RegionText(Root, TEXT("VP_B")), "4096,0,4096,100");
	EXPECT_EQ(RegionText(Root, TEXT("VP_C")), "0,100,10000,50");
	EXPECT_EQ(Node(Root)->GetObjectField(TEXT("window"))->GetNumberField(TEXT("w")), 10000);

	// Resolutions at the 32-bit limit add up without overflowing.
	FOrvaneStageData Huge;
	Huge.Walls.Add(Wall(TEXT("A"), 2147483647, 2147483647));
	Huge.Walls.Add(Wall(TEXT("B"), 2147483647, 2147483647));
	Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Huge, {}, false));
	EXPECT_EQ(Node(Root)->GetObjectField(TEXT("window"))->GetNumberField(TEXT("h")), 4294967294.0);
}

TEST(NDisplayConfig, GivesWallsWithoutResolutionDefaultSizes)
{
	FOrvaneStageData Stage;
	Stage.Walls.Add(Wall(TEXT("Zero"), 0, 0));
	TSharedPtr<FJsonObject> Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, false));
	EXPECT_EQ(RegionText(Root, TEXT("VP_Zero")), "0,0,1920,1080");
	const TSharedPtr<FJsonObject> Size = Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("scene"))->GetObjectField(TEXT("screens"))->GetObjectField(TEXT("Zero"))->GetObjectField(TEXT("size"));
	EXPECT_EQ(Size->GetNumberField(TEXT("width")), 2.0);
	EXPECT_EQ(Size->GetNumberField(TEXT("height")), 1.125);
}

TEST(NDisplayConfig, PairsMeshWallsWithPathsInOrderAndReplacesLabelsWithoutCase)
{
	FOrvaneStageData Stage;
	Stage.Walls.Add(Wall(TEXT("M1"), 100, 100, true));
	Stage.Walls.Add(Wall(TEXT("M2"), 100, 100, true));
	Stage.Walls.Add(Wall(TEXT("dup"), 100, 100));
	Stage.Walls.Add(Wall(TEXT("DUP"), 200, 100));
	TSharedPtr<FJsonObject> Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {TEXT("/Game/Orvane/Meshes/M1.M1")}, false));
	const TSharedPtr<FJsonObject> Scene = Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("scene"));
	EXPECT_EQ(Scene->GetObjectField(TEXT("meshComponents"))->Values.Num(), 1);
	EXPECT_TRUE(Scene->GetObjectField(TEXT("screens"))->HasField(TEXT("M2"))) << "more mesh walls than paths: the rest are screens";
	const TSharedPtr<FJsonObject> Screens = Scene->GetObjectField(TEXT("screens"));
	ASSERT_EQ(Screens->Values.Num(), 2);
	auto It = Screens->Values.begin();
	++It;
	EXPECT_EQ(It->Key, FString(TEXT("DUP"))) << "the second label replaces the first in place, with its own key text";
	const TSharedPtr<FJsonObject> Viewports = Node(Root)->GetObjectField(TEXT("viewports"));
	EXPECT_EQ(Viewports->Values.Num(), 3);
	EXPECT_EQ(RegionText(Root, TEXT("VP_DUP")), "300,0,200,100") << "the canvas still reserves a region for both";
	EXPECT_EQ(Viewports->GetObjectField(TEXT("VP_M2"))->GetObjectField(TEXT("projectionPolicy"))->GetStringField(TEXT("type")), FString(TEXT("simple")));
}

TEST(NDisplayConfig, PointsMeshProjectionsAtTheComponentNamedAfterTheMeshAsset)
{
	FOrvaneStageData Stage;
	Stage.Walls.Add(Wall(TEXT("Left Wall.v2"), 100, 100, true));
	Stage.Walls.Add(Wall(TEXT("2nd"), 100, 100, true));
	const TSharedPtr<FJsonObject> Root = Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {TEXT("/Game/Orvane/Meshes/Left_Wall_v2.Left_Wall_v2"), TEXT("/Game/Orvane/Meshes/Orvane_Wall_2nd.Orvane_Wall_2nd")}, false));
	const TSharedPtr<FJsonObject> Viewports = Node(Root)->GetObjectField(TEXT("viewports"));
	const TSharedPtr<FJsonObject> Left = Viewports->GetObjectField(TEXT("VP_Left Wall.v2"))->GetObjectField(TEXT("projectionPolicy"))->GetObjectField(TEXT("parameters"));
	EXPECT_EQ(Left->GetStringField(TEXT("mesh_component")), FString(TEXT("Left_Wall_v2")));
	EXPECT_EQ(Left->GetStringField(TEXT("mesh")), FString(TEXT("Left Wall.v2")));
	const TSharedPtr<FJsonObject> Second = Viewports->GetObjectField(TEXT("VP_2nd"))->GetObjectField(TEXT("projectionPolicy"))->GetObjectField(TEXT("parameters"));
	EXPECT_EQ(Second->GetStringField(TEXT("mesh_component")), FString(TEXT("Orvane_Wall_2nd")));
}

TEST(NDisplayConfig, WritesNothingForAScreenPlacedAtANonFiniteNumber)
{
	FOrvaneStageData Stage;
	Stage.Walls.Add(Wall(TEXT("Screen"), 100, 100));
	Stage.Walls[0].Rotation.Z = std::numeric_limits<float>::quiet_NaN();
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, false).IsEmpty());
	Stage.Walls[0].Rotation.Z = 0.0f;
	Stage.Walls[0].Position.Y = std::numeric_limits<float>::infinity();
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, false).IsEmpty());

	// A mesh wall's placement is in its mesh; the document does not write it.
	Stage.Walls[0].bHasMeshData = true;
	EXPECT_TRUE(Parse(UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {TEXT("/Game/Orvane/Meshes/Screen.Screen")}, false)).IsValid());
}

TEST(NDisplayConfig, KeepsHostileLabelsAsValidJson)
{
	FOrvaneStageData Stage;
	Stage.StageName = TEXT("Quote \" back \\ tab \t bell \x07 caf\u00E9 \U0001F3A5");
	Stage.Walls.Add(Wall(TEXT("Wall \"A\" \\ \n \u65E5"), 100, 100));
	const FString Text = UOrvaneNDisplayConfigImporter::GenerateNDisplayConfigFromORVS(Stage, {}, true);
	TSharedPtr<FJsonObject> Root = Parse(Text);
	ASSERT_TRUE(Root.IsValid());
	EXPECT_EQ(Root->GetObjectField(TEXT("nDisplay"))->GetStringField(TEXT("description")), FString(TEXT("Generated from Orvane Stage: ")) + Stage.StageName);
	EXPECT_TRUE(Node(Root)->GetObjectField(TEXT("viewports"))->HasField(FString(TEXT("VP_")) + Stage.Walls[0].Label));
}

namespace
{
	class NDisplayFromStage : public testing::Test
	{
	protected:
		FScopedHeadlessProject Project;
		FLogCapture Log;
	};
}

TEST_F(NDisplayFromStage, WritesTheConfigurationBesideTheStageFile)
{
	const std::string Body = "<label>Studio</label><walls><wall uuid=\"a\"><label>12 A-b.c</label><model>sq.obj</model><resolution x=\"1920\" y=\"1080\"/></wall><wall uuid=\"b\"><label>Side</label></wall></walls>";
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("My Stage-01.v2.orvs"), OrvaneStageTest::StageDocument(Body, OrvaneStageTest::SquareMesh("sq.obj")));
	TArray<FString> MeshPaths{TEXT("stale")};
	const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, true, MeshPaths);
	EXPECT_EQ(Output, Project.GetProjectDir() / TEXT("My_Stage_01.v2.ndisplay"));
	ASSERT_EQ(MeshPaths.Num(), 1);
	EXPECT_EQ(MeshPaths[0], FString(TEXT("/Game/Orvane/Meshes/Orvane_Wall_12_A_b_c.Orvane_Wall_12_A_b_c")));
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("CreateNDisplayFromORVS: Successfully created nDisplay config: %s"), *Output)), 1);

	// 7-bit text is written as 8-bit text, without a byte order mark.
	TArray<uint8> Bytes;
	ASSERT_TRUE(FFileHelper::LoadFileToArray(Bytes, *Output));
	ASSERT_GT(Bytes.Num(), 2);
	EXPECT_EQ(Bytes[0], '{');
	FString Written;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Written, *Output));
	EXPECT_TRUE(Written.Contains(TEXT("\"assetPath\": \"/Game/Orvane/Meshes/Orvane_Wall_12_A_b_c.Orvane_Wall_12_A_b_c\"")));
	EXPECT_TRUE(Written.Contains(TEXT("\"VP_ICVFX\":")));
}

TEST_F(NDisplayFromStage, AWallWhoseMeshFailsBecomesAScreenAndTheOthersKeepTheirMeshes)
{
	const std::string Body = "<walls>"
							 "<wall uuid=\"a\"><label>First</label><model>sq.obj</model></wall>"
							 "<wall uuid=\"b\"><label>Broken</label><model>sq.obj</model><scale>1e39</scale></wall>"
							 "<wall uuid=\"c\"><label>Last</label><model>sq.obj</model></wall>"
							 "</walls>";
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("broken.orvs"), OrvaneStageTest::StageDocument(Body, OrvaneStageTest::SquareMesh("sq.obj")));
	TArray<FString> MeshPaths;
	const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, false, MeshPaths);
	ASSERT_FALSE(Output.IsEmpty());
	EXPECT_EQ(MeshPaths, (TArray<FString>{TEXT("/Game/Orvane/Meshes/First.First"), TEXT("/Game/Orvane/Meshes/Last.Last")}));
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *Output));
	const TSharedPtr<FJsonObject> Root = Parse(Text);
	ASSERT_TRUE(Root.IsValid());
	const TSharedPtr<FJsonObject> Scene = Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("scene"));
	const TSharedPtr<FJsonObject> Meshes = Scene->GetObjectField(TEXT("meshComponents"));
	EXPECT_EQ(Meshes->GetObjectField(TEXT("First"))->GetStringField(TEXT("assetPath")), FString(TEXT("/Game/Orvane/Meshes/First.First")));
	EXPECT_EQ(Meshes->GetObjectField(TEXT("Last"))->GetStringField(TEXT("assetPath")), FString(TEXT("/Game/Orvane/Meshes/Last.Last")));
	EXPECT_FALSE(Meshes->HasField(TEXT("Broken")));
	EXPECT_TRUE(Scene->GetObjectField(TEXT("screens"))->HasField(TEXT("Broken")));
	const TSharedPtr<FJsonObject> Viewports = Node(Root)->GetObjectField(TEXT("viewports"));
	EXPECT_EQ(Viewports->GetObjectField(TEXT("VP_Broken"))->GetObjectField(TEXT("projectionPolicy"))->GetStringField(TEXT("type")), FString(TEXT("simple")));
	EXPECT_EQ(Viewports->GetObjectField(TEXT("VP_Last"))->GetObjectField(TEXT("projectionPolicy"))->GetStringField(TEXT("type")), FString(TEXT("mesh")));
}

TEST_F(NDisplayFromStage, RefusesAStageWithAScreenAtANonFiniteNumber)
{
	for (const char* Placement : {"<position x=\"1e39\" y=\"0\" z=\"0\"/>", "<rotation x=\"0\" y=\"nan\" z=\"0\"/>"})
	{
		const std::string Body = std::string("<walls><wall uuid=\"a\"><label>Fine</label></wall><wall uuid=\"b\"><label>Far Away</label>") + Placement + "</wall></walls>";
		const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("far.orvs"), OrvaneStageTest::StageDocument(Body));
		TArray<FString> MeshPaths{TEXT("untouched")};
		EXPECT_TRUE(UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, true, MeshPaths).IsEmpty()) << Placement;
		EXPECT_EQ(MeshPaths, TArray<FString>{TEXT("untouched")});
		EXPECT_FALSE(FPaths::FileExists(Project.GetProjectDir() / TEXT("far.ndisplay")));
	}
	EXPECT_EQ(Log.Count(TEXT("CreateNDisplayFromORVS: Wall 'Far Away' has a position or rotation that is not a finite number")), 2);
	EXPECT_EQ(Log.CountContaining(TEXT("Successfully created")), 0);
}

TEST_F(NDisplayFromStage, GivesEveryHostileLabelAUniqueSaveableMeshOrAClearError)
{
	const std::string Long(1100, 'L');
	const std::vector<std::string> Labels = {"/Lead", "a//b", "a/ /b", "None", "none", "Tab\tWall", "A.B", "A B", "A-B", "", "", "..", Long, "C\xC3\xA9 #1"};
	std::string Body = "<walls>";
	for (size_t Index = 0; Index < Labels.size(); ++Index)
	{
		Body += "<wall uuid=\"w" + std::to_string(Index) + "\"><label>" + Labels[Index] + "</label><model>sq.obj</model></wall>";
	}
	Body += "</walls>";
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("hostile.orvs"), OrvaneStageTest::StageDocument(Body, OrvaneStageTest::SquareMesh("sq.obj")));
	TArray<FString> MeshPaths;
	const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, true, MeshPaths);
	ASSERT_FALSE(Output.IsEmpty());

	// Every wall but the one whose name is too long has a mesh of its own, saved under a valid package name.
	ASSERT_EQ(MeshPaths.Num(), static_cast<int32>(Labels.size()) - 1);
	TArray<FString> Packages;
	for (const FString& MeshPath : MeshPaths)
	{
		const FString Package = FPackageName::ObjectPathToPackageName(MeshPath);
		EXPECT_TRUE(FPackageName::IsValidLongPackageName(Package)) << TCHAR_TO_UTF8(*Package);
		EXPECT_TRUE(Package.StartsWith(TEXT("/Game/Orvane/Meshes/"), ESearchCase::CaseSensitive)) << TCHAR_TO_UTF8(*Package);
		EXPECT_FALSE(FPackageName::GetShortName(Package).Equals(TEXT("None"), ESearchCase::IgnoreCase));
		EXPECT_FALSE(Packages.ContainsByPredicate([&Package](const FString& Other)
			{ return Other.Equals(Package, ESearchCase::IgnoreCase); }))
			<< "two walls share " << TCHAR_TO_UTF8(*Package);
		Packages.Add(Package);
		EXPECT_TRUE(FPaths::FileExists(FPackageName::LongPackageNameToFilename(Package, FPackageName::GetAssetPackageExtension()))) << TCHAR_TO_UTF8(*Package);
	}
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("CreateStaticMeshFromWallData: Wall '%s' cannot use the mesh name '%s' (it is too long for an asset file); no mesh created"), UTF8_TO_TCHAR(Long.c_str()), UTF8_TO_TCHAR(Long.c_str()))), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData: Failed")), 0);
	EXPECT_EQ(MeshPaths[3], FString(TEXT("/Game/Orvane/Meshes/Orvane_Wall_None.Orvane_Wall_None")));
	EXPECT_EQ(MeshPaths[4], FString(TEXT("/Game/Orvane/Meshes/Orvane_Wall_none_2.Orvane_Wall_none_2")));
	EXPECT_EQ(MeshPaths[7], FString(TEXT("/Game/Orvane/Meshes/A_B_2.A_B_2")));
	EXPECT_EQ(MeshPaths[8], FString(TEXT("/Game/Orvane/Meshes/A_B_3.A_B_3")));

	// The wall without a mesh is a screen; the document is JSON.
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *Output));
	const TSharedPtr<FJsonObject> Root = Parse(Text);
	ASSERT_TRUE(Root.IsValid());
	EXPECT_TRUE(Root->GetObjectField(TEXT("nDisplay"))->GetObjectField(TEXT("scene"))->GetObjectField(TEXT("screens"))->HasField(UTF8_TO_TCHAR(Long.c_str())));
}

TEST_F(NDisplayFromStage, ASecondImportOfTheStageRebuildsTheMeshesItMadeBefore)
{
	const std::string Body = "<walls><wall uuid=\"a\"><label>Repeat</label><model>sq.obj</model></wall><wall uuid=\"b\"><label>repeat</label><model>sq.obj</model></wall></walls>";
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("again.orvs"), OrvaneStageTest::StageDocument(Body, OrvaneStageTest::SquareMesh("sq.obj")));
	TArray<FString> First;
	ASSERT_FALSE(UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, false, First).IsEmpty());
	ASSERT_EQ(First.Num(), 2);
	TArray<UStaticMesh*> Meshes;
	TArray<int32> Builds;
	for (const FString& Path : First)
	{
		Meshes.Add(FindObject<UStaticMesh>(nullptr, *Path));
		ASSERT_NE(Meshes.Last(), nullptr);
		Builds.Add(Meshes.Last()->GetHostBuildCount());
	}
	TArray<FString> Second;
	ASSERT_FALSE(UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, false, Second).IsEmpty());
	EXPECT_EQ(Second, First);
	for (int32 Index = 0; Index < Meshes.Num(); ++Index)
	{
		EXPECT_EQ(FindObject<UStaticMesh>(nullptr, *Second[Index]), Meshes[Index]) << "the live mesh object stays";
		EXPECT_EQ(Meshes[Index]->GetHostBuildCount(), Builds[Index] + 1);
	}
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData:")), 0);
}

TEST_F(NDisplayFromStage, WritesUtf16WhenALabelIsNotSevenBit)
{
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("caf.orvs"), OrvaneStageTest::StageDocument("<label>Caf\xC3\xA9</label>"));
	TArray<FString> MeshPaths;
	const FString Output = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, false, MeshPaths);
	ASSERT_FALSE(Output.IsEmpty());
	TArray<uint8> Bytes;
	ASSERT_TRUE(FFileHelper::LoadFileToArray(Bytes, *Output));
	ASSERT_GT(Bytes.Num(), 2);
	EXPECT_EQ(Bytes[0], 0xFF);
	EXPECT_EQ(Bytes[1], 0xFE);
	FString Written;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Written, *Output));
	EXPECT_TRUE(Written.Contains(TEXT("Generated from Orvane Stage: Caf\u00E9")));
}

TEST_F(NDisplayFromStage, ReportsEachFailure)
{
	TArray<FString> MeshPaths{TEXT("untouched")};
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(Project.GetProjectDir() / TEXT("none.orvs"), true, MeshPaths).IsEmpty());
	EXPECT_EQ(Log.CountContaining(TEXT("CreateNDisplayFromORVS: Failed to parse ORVS: File does not exist: ")), 1);
	EXPECT_EQ(MeshPaths[0], FString(TEXT("untouched")));

	// An output that cannot be written: a folder stands where the file would go.
	const FString StagePath = OrvaneStageTest::WriteFile(Project.GetProjectDir(), TEXT("blocked.orvs"), OrvaneStageTest::StageDocument("<label>B</label>"));
	IFileManager::Get().MakeDirectory(*(Project.GetProjectDir() / TEXT("blocked.ndisplay")), true);
	EXPECT_TRUE(UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StagePath, true, MeshPaths).IsEmpty());
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("CreateNDisplayFromORVS: Failed to save .ndisplay file to: %s"), *(Project.GetProjectDir() / TEXT("blocked.ndisplay")))), 1);
	EXPECT_EQ(MeshPaths.Num(), 0) << "the list is already replaced when the write fails";
}
