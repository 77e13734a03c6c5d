// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "OrvaneStageImporter.h"
#include "Stage/StageTestSupport.h"

#include <gtest/gtest.h>

#include <random>

using namespace OrvaneStageTest;

namespace
{
	class StageReader : public testing::Test
	{
	protected:
		bool Read(const std::string& Document)
		{
			const FString Path = WriteFile(Project.GetProjectDir(), TEXT("stage.orvs"), Document);
			return UOrvaneStageImporter::ParseOrvaneFile(Path, Stage, Message);
		}

		FScopedHeadlessProject Project;
		FOrvaneStageData Stage;
		FString Message;
	};
}

TEST_F(StageReader, ReadsWallsMappingsAndMatchesMeshes)
{
	const std::string Body =
		"<label>Main Stage</label><description>Two walls</description>"
		"<walls>"
		"<wall uuid=\"W1\"><label>Left-Wall</label><model>Meshes\\Left.OBJ</model><active>Y</active><scale>2.5</scale>"
		"<position x=\"1\" y=\"2\" z=\"3\"/><rotation x=\"0\" y=\"90\" z=\"0\"/><resolution x=\"3840\" y=\"2160\"/><tiles c=\"8\" r=\"4\"/></wall>"
		"<wall uuid=\"W2\"><label>Floor</label><model>missing.obj</model></wall>"
		"<wall><label>No UUID</label></wall>"
		"<other uuid=\"W3\"/>"
		"</walls>"
		"<mappings><mapping wall=\"w1\" channel=\"A\" display=\"D1\"><ip>10.0.0.1</ip><port>9000</port></mapping>"
		"<mapping wall=\"nobody\" channel=\"B\" display=\"D2\"/></mappings>";
	ASSERT_TRUE(Read(StageDocument(Body, SquareMesh("\"meshes\\\\left.obj\""))));
	EXPECT_EQ(Message, FString(TEXT("Success")));
	EXPECT_EQ(Stage.StageName, FString(TEXT("Main Stage")));
	EXPECT_EQ(Stage.Description, FString(TEXT("Two walls")));
	ASSERT_EQ(Stage.Walls.Num(), 2) << "a wall without a UUID is dropped";
	EXPECT_EQ(Stage.WallCount, 2);
	EXPECT_EQ(Stage.MeshCount, 1);
	EXPECT_EQ(Stage.MappingCount, 2);

	const FOrvaneWallData& Left = Stage.Walls[0];
	EXPECT_TRUE(Left.bActive);
	EXPECT_EQ(Left.Scale, 2.5f);
	EXPECT_EQ(Left.Position.Z, 3.0f);
	EXPECT_EQ(Left.Rotation.Y, 90.0f);
	EXPECT_EQ(Left.Resolution.X, 3840);
	EXPECT_EQ(Left.Tiles.Rows, 4);
	// A quoted reference with doubled backslashes matches a plain one in another letter case.
	EXPECT_TRUE(Left.bHasMeshData);
	EXPECT_EQ(Left.MeshData.Vertices.Num(), 4);
	EXPECT_EQ(Left.MeshData.Metadata.FindRef(TEXT("name")), FString(TEXT("Square")));
	EXPECT_TRUE(Left.bHasMapping);
	EXPECT_EQ(Left.Mapping.Channel, FString(TEXT("A")));
	EXPECT_EQ(Left.Mapping.Properties.Num(), 2);
	EXPECT_EQ(Left.Mapping.Properties.FindRef(TEXT("port")), FString(TEXT("9000")));

	const FOrvaneWallData& Floor = Stage.Walls[1];
	EXPECT_FALSE(Floor.bHasMeshData);
	EXPECT_FALSE(Floor.bActive);
	EXPECT_EQ(Floor.Scale, 1.0f);
	EXPECT_FALSE(Floor.bHasMapping);
}

TEST_F(StageReader, ReadsValuesByTheirRules)
{
	const std::string Body =
		"<walls>"
		"<wall uuid=\"a\"><active>yes</active><scale>abc</scale><position x=\"1.5\"/><tiles c=\"4\"/></wall>"
		"<wall uuid=\"b\"><active>y</active><scale></scale></wall>"
		"<wall uuid=\"c\"><active>TRUE</active><resolution x=\"12px\" y=\" -7\"/></wall>"
		"<wall uuid=\"d\"><active>1</active><position x=\"1e400\" y=\"0x10\" z=\"-.5e1\"/></wall>"
		"<wall uuid=\"e\"><active></active></wall>"
		"</walls>";
	ASSERT_TRUE(Read(StageDocument(Body)));
	ASSERT_EQ(Stage.Walls.Num(), 5);
	EXPECT_EQ(Stage.StageName, FString(TEXT("Unknown Stage")));
	EXPECT_FALSE(Stage.Walls[0].bActive);
	EXPECT_EQ(Stage.Walls[0].Scale, 0.0f) << "text that is no number reads as 0, not the default";
	EXPECT_EQ(Stage.Walls[0].Position.X, 1.5f);
	EXPECT_EQ(Stage.Walls[0].Position.Y, 0.0f);
	EXPECT_EQ(Stage.Walls[0].Tiles.Columns, 4);
	EXPECT_EQ(Stage.Walls[0].Tiles.Rows, 0);
	EXPECT_TRUE(Stage.Walls[1].bActive);
	EXPECT_EQ(Stage.Walls[1].Scale, 1.0f) << "an empty scale keeps the default";
	EXPECT_TRUE(Stage.Walls[2].bActive);
	EXPECT_EQ(Stage.Walls[2].Resolution.X, 12);
	EXPECT_EQ(Stage.Walls[2].Resolution.Y, -7);
	EXPECT_TRUE(Stage.Walls[3].bActive);
	EXPECT_TRUE(std::isinf(Stage.Walls[3].Position.X));
	EXPECT_EQ(Stage.Walls[3].Position.Y, 16.0f) << "the C library reads hexadecimal";
	EXPECT_EQ(Stage.Walls[3].Position.Z, -5.0f);
	EXPECT_FALSE(Stage.Walls[4].bActive);
}

TEST_F(StageReader, FollowsTheDocumentShape)
{
	// Only the first stage is read, and walls outside it are ignored.
	ASSERT_TRUE(Read("<r><stages><walls><wall uuid=\"x\"/></walls><stage><label>First</label></stage><stage><label>Second</label></stage></stages></r>"));
	EXPECT_EQ(Stage.StageName, FString(TEXT("First")));
	EXPECT_EQ(Stage.Walls.Num(), 0);

	// Mappings are read only when there are walls.
	ASSERT_TRUE(Read(StageDocument("<mappings><mapping wall=\"a\"/></mappings>")));
	EXPECT_EQ(Stage.Mappings.Num(), 0);

	// Two mappings of one wall: the wall keeps the second; both are listed.
	ASSERT_TRUE(Read(StageDocument("<walls><wall uuid=\"a\"/><wall uuid=\"A\"/></walls><mappings><mapping wall=\"a\" channel=\"1\"/><mapping wall=\"A\" channel=\"2\"/></mappings>")));
	EXPECT_EQ(Stage.Mappings.Num(), 2);
	EXPECT_EQ(Stage.Walls[0].Mapping.Channel, FString(TEXT("2")));
	EXPECT_FALSE(Stage.Walls[1].bHasMapping) << "only the first wall with a UUID receives mappings";

	// A mesh with vertices but no faces is dropped, and its wall has no mesh data.
	ASSERT_TRUE(Read(StageDocument("<walls><wall uuid=\"a\"><model>m.obj</model></wall></walls>", "<mesh fileref=\"m.obj\">v 0 0 0 v 1 0 0</mesh><mesh>v 0 0 0 f 1 1 1</mesh>")));
	EXPECT_EQ(Stage.Meshes.Num(), 0);
	EXPECT_FALSE(Stage.Walls[0].bHasMeshData);

	// Meshes nobody references are still listed; two walls hold separate copies of a shared mesh.
	ASSERT_TRUE(Read(StageDocument("<walls><wall uuid=\"a\"><model>sq.obj</model></wall><wall uuid=\"b\"><model>SQ.OBJ</model></wall></walls>", SquareMesh("sq.obj") + SquareMesh("unused.obj"))));
	EXPECT_EQ(Stage.MeshCount, 2);
	ASSERT_TRUE(Stage.Walls[0].bHasMeshData && Stage.Walls[1].bHasMeshData);
	Stage.Walls[0].MeshData.Vertices[0].X = 42.0;
	EXPECT_EQ(Stage.Walls[1].MeshData.Vertices[0].X, 0.0);
}

TEST_F(StageReader, SkipsAByteOrderMarkAndLeadingBlankLines)
{
	const std::string Document = StageDocument("<label>With mark</label>");
	ASSERT_TRUE(Read("\xEF\xBB\xBF\n\n  \n" + Document));
	EXPECT_EQ(Stage.StageName, FString(TEXT("With mark")));
}

TEST_F(StageReader, ReportsEachFailureWithItsMessage)
{
	const FString Missing = Project.GetProjectDir() / TEXT("missing.orvs");
	EXPECT_FALSE(UOrvaneStageImporter::ParseOrvaneFile(Missing, Stage, Message));
	EXPECT_EQ(Message, FString::Printf(TEXT("File does not exist: %s"), *Missing));

	EXPECT_FALSE(Read("<orvane><stages></stages></orvane>"));
	EXPECT_EQ(Message, FString(TEXT("No 'stage' element found in stages")));
	EXPECT_EQ(Stage.StageName, FString());

	EXPECT_FALSE(Read("<orvane><other/></orvane>"));
	EXPECT_EQ(Message, FString(TEXT("No 'stages' element found in XML")));

	EXPECT_FALSE(Read("<orvane><stages><stage></stages>"));
	EXPECT_TRUE(Message.StartsWith(TEXT("Invalid XML file: "), ESearchCase::CaseSensitive)) << TCHAR_TO_UTF8(*Message);
	EXPECT_TRUE(Message.Contains(TEXT(". Error: "), ESearchCase::CaseSensitive));
}

TEST_F(StageReader, SurvivesHostileFiles)
{
	const std::string Valid = StageDocument("<label>S</label><walls><wall uuid=\"a\"><model>sq.obj</model><position x=\"1\"/></wall></walls>", SquareMesh("sq.obj"));
	for (size_t Length = 0; Length < Valid.size(); Length += 7)
	{
		Read(Valid.substr(0, Length));
	}

	// Entity expansion is never performed.
	const std::string Laughs =
		"<?xml version=\"1.0\"?><!DOCTYPE lolz [<!ENTITY lol \"lol\"><!ENTITY lol2 \"&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;&lol;\">"
		"<!ENTITY lol3 \"&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;&lol2;\">]>"
		"<orvane><stages><stage><label>&lol3;</label></stage></stages></orvane>";
	if (Read(Laughs))
	{
		EXPECT_LT(Stage.StageName.Len(), 100);
	}

	std::string Deep = "<orvane><stages><stage><walls>";
	for (int32 Level = 0; Level < 100000; ++Level)
	{
		Deep += "<a>";
	}
	Read(Deep);
	for (int32 Level = 0; Level < 100000; ++Level)
	{
		Deep += "</a>";
	}
	Deep += "</walls></stage></stages></orvane>";
	Read(Deep);

	// Bytes that are not UTF-8, and binary garbage.
	Read(StageDocument("<label>\xFF\xFE\xC3\x28 caf\xE9</label>"));
	std::mt19937 Random(5);
	for (int32 Round = 0; Round < 50; ++Round)
	{
		std::string Noise(Random() % 4000, '\0');
		for (char& Byte : Noise)
		{
			Byte = static_cast<char>(Random());
		}
		EXPECT_FALSE(Read(Noise));
	}

	// Face indices far outside the mesh are kept as read; the mesh builder drops them.
	ASSERT_TRUE(Read(StageDocument("<walls><wall uuid=\"a\"><model>m.obj</model></wall></walls>", "<mesh fileref=\"m.obj\">v 0 0 0 v 1 0 0 v 0 1 0 f 1 2 99999999999 f -5/-5 2 3</mesh>")));
	ASSERT_EQ(Stage.Meshes.Num(), 1);
	EXPECT_EQ(Stage.Meshes[0].Faces[0].Vertices[2].VertexIndex, 2147483646);
	EXPECT_EQ(Stage.Meshes[0].Faces[1].Vertices[0].VertexIndex, -6);
}
