// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "Components/StaticMeshComponent.h"
#include "Engine/StaticMesh.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "MeshDescription.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "OrvaneStageImporter.h"
#include "Stage/StageTestSupport.h"
#include "StaticMeshAttributes.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace OrvaneStageTest;

namespace
{
	FOrvaneWallData WallWithMesh(const TCHAR* Obj)
	{
		FOrvaneWallData Wall;
		Wall.UUID = TEXT("W");
		Wall.Label = TEXT("Test Wall");
		Wall.bHasMeshData = UOrvaneStageImporter::ParseOBJContent(FString(Obj), Wall.MeshData);
		return Wall;
	}

	class WallMeshBuilder : public testing::Test
	{
	protected:
		void SetUp() override { UE::AssetRegistry::Host::ResetCreatedAssets(); }

		FScopedHeadlessProject Project;
		FLogCapture Log;
	};
}

TEST(WallTransform, MovesRotatesAndMapsToEngineAxes)
{
	FOrvanePosition Position;
	Position.X = 1.0f;
	Position.Y = 2.0f;
	Position.Z = 3.0f;
	const FVector Moved = UOrvaneStageImporter::ApplyWallTransform(FVector(0, 0, 0), Position, FOrvaneRotation(), 1.0f);
	const FVector3f Engine = UOrvaneStageImporter::TransformVertexForUnreal(Moved, 100.0f);
	EXPECT_EQ(Engine, FVector3f(-300.0f, 100.0f, 200.0f));

	FOrvaneRotation Rotation;
	Rotation.Z = 90.0f;
	const FVector Turned = UOrvaneStageImporter::ApplyWallTransform(FVector(1, 0, 0), FOrvanePosition(), Rotation, 1.0f);
	EXPECT_NEAR(Turned.X, 0.0, 1e-6);
	EXPECT_NEAR(Turned.Y, 1.0, 1e-6);
	// The components a rotation changes are rounded to float.
	EXPECT_EQ(Turned.X, static_cast<double>(static_cast<float>(Turned.X)));
	const FVector3f TurnedEngine = UOrvaneStageImporter::TransformVertexForUnreal(Turned, 100.0f);
	EXPECT_NEAR(TurnedEngine.Z, 100.0f, 1e-4f);

	// X, then Y, then Z; scale before rotation.
	Rotation.X = 90.0f;
	Rotation.Y = 90.0f;
	Rotation.Z = 0.0f;
	const FVector Both = UOrvaneStageImporter::ApplyWallTransform(FVector(0, 1, 0), FOrvanePosition(), Rotation, 2.0f);
	EXPECT_NEAR(Both.X, 2.0, 1e-5);
	EXPECT_NEAR(Both.Y, 0.0, 1e-5);
	EXPECT_NEAR(Both.Z, 0.0, 1e-5);
}

TEST(WallMeshNames, FollowTheLabelRules)
{
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("")), FString(TEXT("Orvane_Wall_")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("2nd wall.v1")), FString(TEXT("Orvane_Wall_2nd_wall_v1")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("Left-Wall")), FString(TEXT("Left_Wall")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("12 A-b.c")), FString(TEXT("Orvane_Wall_12_A_b_c")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("Front")), FString(TEXT("Front")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("Caf\u00E9 \u65E5")), FString(TEXT("Caf\u00E9_\u65E5"))) << "letters beyond 7 bits stay";
}

TEST(WallMeshNames, ReplaceEveryCharacterPackageAndObjectNamesCannotHold)
{
	const FString Refused = TEXT(" \t\r\n`\\:*?\"<>|',.&!~@#/(){}[]=;^%$-");
	const FString Name = UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("A") + Refused + TEXT("Z"));
	EXPECT_EQ(Name, TEXT("A") + FString::ChrN(Refused.Len(), '_') + TEXT("Z"));
	for (TCHAR Control = 1; Control < 0x20; ++Control)
	{
		FString Label(TEXT("AxB"));
		Label[1] = Control;
		EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(Label), FString(TEXT("A_B"))) << "control character " << static_cast<int32>(Control);
	}
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("A\x7F")), FString(TEXT("A_")));
	FString WithNull(TEXT("AB"));
	WithNull[1] = 0;
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(WithNull), FString(TEXT("A_"))) << "an embedded null too";
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("/Game")), FString(TEXT("_Game")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("a//b")), FString(TEXT("a__b")));

	// The engine reads None in any letter case as no name.
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("None")), FString(TEXT("Orvane_Wall_None")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("nONE")), FString(TEXT("Orvane_Wall_nONE")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("Nonesuch")), FString(TEXT("Nonesuch")));
	EXPECT_EQ(UOrvaneStageImporter::MakeMeshNameFromLabel(TEXT("No ne")), FString(TEXT("No_ne")));
}

TEST(WallMeshNames, AreUniqueAmongTheWallsWithMeshDataWithoutRegardToCase)
{
	FOrvaneStageData Stage;
	const TPair<const TCHAR*, bool> Walls[] = {{TEXT("A B"), true}, {TEXT("A.B"), true}, {TEXT("a_b"), true}, {TEXT("A B"), false}, {TEXT("A_B_2"), true}, {TEXT("A-B"), true}, {TEXT("Other"), true}, {TEXT("none"), true}, {TEXT("NONE"), true}};
	for (const TPair<const TCHAR*, bool>& Entry : Walls)
	{
		FOrvaneWallData Wall;
		Wall.Label = Entry.Key;
		Wall.bHasMeshData = Entry.Value;
		Stage.Walls.Add(Wall);
	}
	const TArray<FString> Names = UOrvaneStageImporter::MakeWallMeshNames(Stage);
	const TCHAR* const Expected[] = {TEXT("A_B"), TEXT("A_B_2"), TEXT("a_b_3"), TEXT(""), TEXT("A_B_2_2"), TEXT("A_B_4"), TEXT("Other"), TEXT("Orvane_Wall_none"), TEXT("Orvane_Wall_NONE_2")};
	ASSERT_EQ(Names.Num(), static_cast<int32>(UE_ARRAY_COUNT(Expected)));
	for (int32 Index = 0; Index < Names.Num(); ++Index)
	{
		EXPECT_TRUE(Names[Index].Equals(Expected[Index], ESearchCase::CaseSensitive)) << Index << ": " << TCHAR_TO_UTF8(*Names[Index]);
	}
}

TEST_F(WallMeshBuilder, BuildsSavesAndAnnouncesTheWallMesh)
{
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0.25 0.25\nf 1/1 2/1 3/1 4/1\n"));
	ASSERT_TRUE(Wall.bHasMeshData);
	UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT(""));
	ASSERT_NE(Mesh, nullptr);
	EXPECT_EQ(Mesh->GetPathName(), FString(TEXT("/Game/Orvane/Meshes/Orvane_Mesh.Orvane_Mesh")));
	EXPECT_TRUE(FPaths::FileExists(Project.GetContentDir() + TEXT("Orvane/Meshes/Orvane_Mesh.uasset")));
	EXPECT_TRUE(UE::AssetRegistry::Host::WasAssetCreated(TEXT("/Game/Orvane/Meshes/Orvane_Mesh.Orvane_Mesh")));
	EXPECT_EQ(Mesh->GetStaticMaterials().Num(), 1);
	EXPECT_TRUE(Mesh->GetSourceModel(0).BuildSettings.bUseFullPrecisionUVs);

	FMeshDescription* Description = Mesh->GetMeshDescription(0);
	ASSERT_NE(Description, nullptr);
	EXPECT_EQ(Description->Vertices().Num(), 4);
	ASSERT_EQ(Description->Triangles().Num(), 2) << "a quad is two triangles";
	const TArrayView<const FVertexInstanceID> First = Description->GetTriangleVertexInstances(FTriangleID(0));
	const TArrayView<const FVertexInstanceID> Second = Description->GetTriangleVertexInstances(FTriangleID(1));
	EXPECT_EQ(First[0], Second[0]);
	EXPECT_EQ(First[2], Second[1]) << "the two triangles share the first and third corner";

	FStaticMeshAttributes Attributes(*Description);
	const FVector2f UV = Attributes.GetVertexInstanceUVs().Get(First[0], 0);
	EXPECT_EQ(UV, FVector2f(0.25f, 0.75f)) << "v is flipped";
	EXPECT_EQ(Attributes.GetPolygonGroupMaterialSlotNames()[FPolygonGroupID(0)], FName(TEXT("Orvane_Material")));
	EXPECT_EQ(Attributes.GetVertexPositions()[FVertexID(1)], FVector3f(-0.0f, 100.0f, 0.0f));
	EXPECT_EQ(Log.CountContaining(TEXT("Failed")), 0);
}

TEST_F(WallMeshBuilder, PlacesEveryVertexAsTheWallTransformDoes)
{
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0.1 0.2 0.3\nv -1.5 0.25 2\nv 3 -0.7 0.05\nv 0.333 0.666 -0.999\nf 1 2 3\nf 1 3 4\n"));
	Wall.Position.X = 1.5f;
	Wall.Position.Y = -2.25f;
	Wall.Position.Z = 0.1f;
	Wall.Rotation.X = 12.5f;
	Wall.Rotation.Y = -33.0f;
	Wall.Rotation.Z = 271.0f;
	Wall.Scale = 1.7f;
	UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Placed"));
	ASSERT_NE(Mesh, nullptr);
	FMeshDescription* Description = Mesh->GetMeshDescription(0);
	ASSERT_NE(Description, nullptr);
	ASSERT_EQ(Description->Vertices().Num(), 4);
	FStaticMeshAttributes Attributes(*Description);
	for (int32 Index = 0; Index < 4; ++Index)
	{
		const FVector3f Expected = UOrvaneStageImporter::TransformVertexForUnreal(UOrvaneStageImporter::ApplyWallTransform(Wall.MeshData.Vertices[Index], Wall.Position, Wall.Rotation, Wall.Scale), 100.0f);
		EXPECT_EQ(Attributes.GetVertexPositions()[FVertexID(Index)], Expected) << "vertex " << Index;
	}
}

TEST_F(WallMeshBuilder, DropsCornersAndFacesItCannotUse)
{
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
											 "f 1/9 2/9 3/9\n"
											 "f 1 2 0 3\n"
											 "f 1 2 3 4 1\n"
											 "f 1 99 98\n"));
	UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Dropped"));
	ASSERT_NE(Mesh, nullptr);
	FMeshDescription* Description = Mesh->GetMeshDescription(0);
	ASSERT_EQ(Description->Triangles().Num(), 2) << "the pentagon and the face with two bad corners make none";
	FStaticMeshAttributes Attributes(*Description);
	for (const FVertexInstanceID Instance : Description->GetTriangleVertexInstances(FTriangleID(0)))
	{
		EXPECT_EQ(Attributes.GetVertexInstanceUVs().Get(Instance, 0), FVector2f(0.0f, 0.0f)) << "a UV index past the end gives (0, 0)";
	}
	const TArrayView<const FVertexInstanceID> Kept = Description->GetTriangleVertexInstances(FTriangleID(1));
	EXPECT_EQ(Description->GetVertexInstanceVertex(Kept[2]), FVertexID(2)) << "the triangle skips the corner with index 0";
}

TEST_F(WallMeshBuilder, RefusesWallsWithoutUsableData)
{
	FOrvaneWallData Empty;
	EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Empty, TEXT("Empty")), nullptr);

	FOrvaneWallData Infinite = WallWithMesh(TEXT("v 0 0 0\nv 1e39 0 0\nv 0 1 0\nf 1 2 3\n"));
	EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Infinite, TEXT("Infinite")), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData: Wall 'Test Wall' has a vertex that is not a finite number (vertex 2)")), 1);
	EXPECT_FALSE(FPaths::FileExists(Project.GetContentDir() + TEXT("Orvane/Meshes/Infinite.uasset")));

	FOrvaneWallData Huge = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
	Huge.Scale = 3.0e38f;
	EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Huge, TEXT("Huge")), nullptr) << "a transform that overflows is refused too";
}

TEST_F(WallMeshBuilder, GivesHostileLabelsSaveableMeshesOrAClearError)
{
	const TCHAR* const Labels[] = {TEXT("/Lead"), TEXT("a//b"), TEXT("Tab\tLine\nFeed\x01"), TEXT("none"), TEXT("Back`slash\\Colon:Star*"), TEXT("Dots...and (brackets) [x] {y}"), TEXT("\u65E5\u672C")};
	for (const TCHAR* Label : Labels)
	{
		FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
		Wall.Label = Label;
		const FString Name = UOrvaneStageImporter::MakeMeshNameFromLabel(Label);
		UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, Name);
		ASSERT_NE(Mesh, nullptr) << TCHAR_TO_UTF8(Label);
		const FString Package = FPackageName::ObjectPathToPackageName(Mesh->GetPathName());
		EXPECT_TRUE(FPackageName::IsValidLongPackageName(Package)) << TCHAR_TO_UTF8(*Package);
		EXPECT_EQ(Package, TEXT("/Game/Orvane/Meshes/") + Name);
		EXPECT_TRUE(FPaths::FileExists(FPackageName::LongPackageNameToFilename(Package, FPackageName::GetAssetPackageExtension()))) << TCHAR_TO_UTF8(*Package);
	}
	EXPECT_EQ(Log.CountContaining(TEXT("Failed")), 0);
	EXPECT_EQ(Log.CountContaining(TEXT("cannot use the mesh name")), 0);

	// Too long for an engine name, or for an asset file: no mesh, and the wall is named.
	FOrvaneWallData Long = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
	for (const int32 Length : {1100, 249})
	{
		Long.Label = FString::ChrN(Length, 'x');
		EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Long, UOrvaneStageImporter::MakeMeshNameFromLabel(Long.Label)), nullptr) << Length;
		EXPECT_EQ(Log.CountContaining(*FString::Printf(TEXT("CreateStaticMeshFromWallData: Wall '%s' cannot use the mesh name"), *Long.Label)), 1) << Length;
	}
	// The longest name whose file fits is still taken.
	Long.Label = FString::ChrN(248, 'y');
	EXPECT_NE(UOrvaneStageImporter::CreateStaticMeshFromWallData(Long, UOrvaneStageImporter::MakeMeshNameFromLabel(Long.Label)), nullptr);

	// Names from callers are checked as well.
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
	for (const TCHAR* Name : {TEXT("a//b"), TEXT("/Lead"), TEXT("NONE"), TEXT("dot.ted"), TEXT("ctrl\x02")})
	{
		EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, Name), nullptr) << TCHAR_TO_UTF8(Name);
	}
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData: Wall 'Test Wall' cannot use the mesh name")), 5);
}

TEST_F(WallMeshBuilder, RebuildsTheMeshOfAnEarlierImportInPlace)
{
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
	UStaticMesh* First = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Again"));
	ASSERT_NE(First, nullptr);
	const int32 Builds = First->GetHostBuildCount();

	// The same stage again, its wall now twice as large: the live mesh is rebuilt, not replaced.
	Wall.Scale = 2.0f;
	UStaticMesh* Second = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Again"));
	ASSERT_EQ(Second, First);
	EXPECT_EQ(Second->GetHostBuildCount(), Builds + 1) << "the object that was there is built again";
	EXPECT_EQ(Second->GetStaticMaterials().Num(), 1);
	EXPECT_EQ(Second->GetNumSourceModels(), 1);
	ASSERT_NE(Second->GetMeshDescription(0), nullptr);
	EXPECT_EQ(FStaticMeshAttributes(*Second->GetMeshDescription(0)).GetVertexPositions()[FVertexID(1)], FVector3f(-0.0f, 200.0f, 0.0f));
	EXPECT_EQ(Log.CountContaining(TEXT("Failed")), 0);

	// A name held by an object of another kind is refused with a reason, never built over.
	UPackage* Package = CreatePackage(TEXT("/Game/Orvane/Meshes/Taken"));
	UStaticMeshComponent* Other = NewObject<UStaticMeshComponent>(Package, FName(TEXT("Taken")));
	ASSERT_NE(Other, nullptr);
	EXPECT_EQ(UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Taken")), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData: Wall 'Test Wall' cannot use the mesh name 'Taken' (/Game/Orvane/Meshes/Taken holds an object that is not a static mesh)")), 1);
	EXPECT_EQ(StaticFindObjectFast(UObject::StaticClass(), Package, FName(TEXT("Taken"))), Other);
}

TEST_F(WallMeshBuilder, AStageFileInAnotherEncodingGivesTheLabelsTheEditorReads)
{
	// "Café Wall" written in Latin-1: the byte that is not UTF-8 reads as '?', which no mesh name keeps.
	const std::string Body = "<walls><wall uuid=\"a\"><label>Caf\xE9 Wall</label><model>sq.obj</model></wall></walls>";
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("latin1.orvs"), StageDocument(Body, SquareMesh("sq.obj")));
	FOrvaneStageData Stage;
	FString Message;
	ASSERT_TRUE(UOrvaneStageImporter::ParseOrvaneFile(Path, Stage, Message));
	ASSERT_EQ(Stage.Walls.Num(), 1);
	EXPECT_EQ(Stage.Walls[0].Label, FString(TEXT("Caf? Wall")));
	TArray<UStaticMesh*> Meshes;
	ASSERT_TRUE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(Path, Meshes, Message));
	ASSERT_EQ(Meshes.Num(), 1);
	EXPECT_EQ(Meshes[0]->GetName(), FString(TEXT("Caf__Wall")));
}

TEST_F(WallMeshBuilder, ReportsASaveThatFailsButKeepsTheMesh)
{
	// A file where the mesh folder should be makes the save fail.
	WriteFile(Project.GetContentDir(), TEXT("Orvane"), "not a folder");
	FOrvaneWallData Wall = WallWithMesh(TEXT("v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n"));
	UStaticMesh* Mesh = UOrvaneStageImporter::CreateStaticMeshFromWallData(Wall, TEXT("Unsaved"));
	EXPECT_NE(Mesh, nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("CreateStaticMeshFromWallData: Failed to save ")), 1);
	EXPECT_FALSE(UE::AssetRegistry::Host::WasAssetCreated(TEXT("/Game/Orvane/Meshes/Unsaved.Unsaved")));
}

TEST_F(WallMeshBuilder, BuildsEveryWallOfAStageFile)
{
	const std::string Body = "<walls><wall uuid=\"a\"><label>Left-Wall</label><model>sq.obj</model></wall><wall uuid=\"b\"><label>2nd wall.v1</label><model>SQ.obj</model></wall><wall uuid=\"c\"><label>none</label></wall></walls>";
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("stage.orvs"), StageDocument(Body, SquareMesh("sq.obj")));
	TArray<UStaticMesh*> Meshes;
	FString Message;
	ASSERT_TRUE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(Path, Meshes, Message));
	EXPECT_EQ(Message, FString(TEXT("Successfully created 2 static meshes")));
	ASSERT_EQ(Meshes.Num(), 2);
	EXPECT_EQ(Meshes[0]->GetName(), FString(TEXT("Left_Wall")));
	EXPECT_EQ(Meshes[1]->GetName(), FString(TEXT("Orvane_Wall_2nd_wall_v1")));

	// The saved asset reads back with its mesh data.
	CollectGarbage(RF_NoFlags, true);
	UStaticMesh* Loaded = LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Left_Wall.Left_Wall"));
	ASSERT_NE(Loaded, nullptr);
	ASSERT_NE(Loaded->GetMeshDescription(0), nullptr);
	EXPECT_EQ(Loaded->GetMeshDescription(0)->Triangles().Num(), 2);

	// Labels that make the same name get a package each; no wall's mesh replaces another's.
	const std::string Twins = "<walls><wall uuid=\"a\"><label>Twin</label><model>sq.obj</model></wall><wall uuid=\"b\"><label>twin</label><model>sq.obj</model><scale>2</scale></wall></walls>";
	const FString TwinPath = WriteFile(Project.GetProjectDir(), TEXT("twins.orvs"), StageDocument(Twins, SquareMesh("sq.obj")));
	ASSERT_TRUE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(TwinPath, Meshes, Message));
	ASSERT_EQ(Meshes.Num(), 2);
	EXPECT_EQ(Meshes[0]->GetPathName(), FString(TEXT("/Game/Orvane/Meshes/Twin.Twin")));
	EXPECT_EQ(Meshes[1]->GetPathName(), FString(TEXT("/Game/Orvane/Meshes/twin_2.twin_2")));
	EXPECT_NE(Meshes[0], Meshes[1]);
	EXPECT_EQ(FStaticMeshAttributes(*Meshes[0]->GetMeshDescription(0)).GetVertexPositions()[FVertexID(1)], FVector3f(-0.0f, 100.0f, 0.0f)) << "the first wall keeps its own mesh";
	EXPECT_EQ(FStaticMeshAttributes(*Meshes[1]->GetMeshDescription(0)).GetVertexPositions()[FVertexID(1)], FVector3f(-0.0f, 200.0f, 0.0f));

	// A wall whose build fails still holds its name.
	const std::string Broken = "<walls><wall uuid=\"a\"><label>Pair</label><model>sq.obj</model><scale>1e39</scale></wall><wall uuid=\"b\"><label>Pair</label><model>sq.obj</model></wall></walls>";
	const FString BrokenPath = WriteFile(Project.GetProjectDir(), TEXT("broken.orvs"), StageDocument(Broken, SquareMesh("sq.obj")));
	ASSERT_TRUE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(BrokenPath, Meshes, Message));
	ASSERT_EQ(Meshes.Num(), 1);
	EXPECT_EQ(Meshes[0]->GetName(), FString(TEXT("Pair_2")));

	const FString NoMeshes = WriteFile(Project.GetProjectDir(), TEXT("plain.orvs"), StageDocument("<walls><wall uuid=\"a\"/></walls>"));
	EXPECT_FALSE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(NoMeshes, Meshes, Message));
	EXPECT_EQ(Message, FString(TEXT("No static meshes were created (no walls with mesh data found)")));
	EXPECT_EQ(Meshes.Num(), 0);

	EXPECT_FALSE(UOrvaneStageImporter::ParseAndCreateStaticMeshes(Project.GetProjectDir() / TEXT("absent.orvs"), Meshes, Message));
	EXPECT_TRUE(Message.StartsWith(TEXT("File does not exist: "), ESearchCase::CaseSensitive));
}
