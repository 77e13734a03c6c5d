// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "Stage/StageTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <vector>

namespace
{
	using namespace OrvaneStageTest;

	using FInspectRun = OrvaneToolTest::FToolRun;

	/** Runs `orvane stage inspect` with the arguments; standard error is kept apart from the JSON on standard output. */
	FInspectRun RunInspect(const FScopedHeadlessProject& Project, const std::string& Arguments)
	{
		return OrvaneToolTest::RunTool("stage inspect " + Arguments, std::string(TCHAR_TO_UTF8(*Project.GetProjectDir())) + "stderr.txt", 20);
	}

	std::string Quoted(const FString& Path)
	{
		return "'" + std::string(TCHAR_TO_UTF8(*Path)) + "'";
	}

	/** The lines of standard error that start with "warning: ". */
	std::vector<std::string> WarningLines(const std::string& Errors)
	{
		std::vector<std::string> Lines;
		std::istringstream Stream(Errors);
		for (std::string Line; std::getline(Stream, Line);)
		{
			if (Line.rfind("warning: ", 0) == 0)
			{
				Lines.push_back(Line);
			}
		}
		return Lines;
	}

	size_t CountContaining(const std::vector<std::string>& Lines, const std::string& Text)
	{
		size_t Count = 0;
		for (const std::string& Line : Lines)
		{
			Count += Line.find(Text) != std::string::npos ? 1 : 0;
		}
		return Count;
	}

	std::vector<std::string> Keys(const nlohmann::ordered_json& Object)
	{
		std::vector<std::string> Names;
		for (auto Item = Object.begin(); Item != Object.end(); ++Item)
		{
			Names.push_back(Item.key());
		}
		return Names;
	}

	/** A JSON number read back as the 32-bit float it was printed from; also checks that it was printed from one. */
	float AsFloat(const nlohmann::ordered_json& Value)
	{
		const double Wide = Value.get<double>();
		EXPECT_EQ(Wide, static_cast<double>(static_cast<float>(Wide))) << "not a widened float: " << Value.dump();
		return static_cast<float>(Wide);
	}

	/** Two walls on one mesh, with values chosen to need every digit, and a mapping for each wall. */
	std::string CleanStage()
	{
		return StageDocument(
			"<label>Stage \"A\" Bühne</label><description>Back\\slash \"quoted\"</description>\n"
			"<walls>\n"
			"<wall uuid=\"w-1\"><label>Left Wall</label><model>\"C:\\\\walls\\\\square.obj\"</model><active>Y</active>"
			"<scale>0.1</scale><position x=\"1.1\" y=\"-2.5e-3\" z=\"16777217\"/><rotation x=\"0\" y=\"90.000001\" z=\"-45.3\"/>"
			"<resolution x=\"1920\" y=\"1080\"/><tiles c=\"4\" r=\"2\"/></wall>\n"
			"<wall uuid=\"w-2\"><label>Right Wall</label><model>C:/walls/square.obj</model><active>false</active>"
			"<scale>3.4028234e38</scale><position x=\"1e-45\" y=\"0\" z=\"0\"/><rotation x=\"0\" y=\"0\" z=\"0\"/>"
			"<resolution x=\"640\" y=\"480\"/><tiles c=\"1\" r=\"1\"/></wall>\n"
			"</walls>\n"
			"<mappings><mapping wall=\"w-1\" channel=\"A\" display=\"D1\"><offset>12</offset><gamma>2.2</gamma></mapping>"
			"<mapping wall=\"w-2\" channel=\"B\" display=\"D2\"/></mappings>",
			"<mesh fileref=\"C:\\walls\\square.obj\"><![CDATA[\n# name = Square\n# units = m\nv 0.1 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nvt 0 0\nvt 1 0\nvt 1 1\nvt 0.3 1\nf 1/1 2/2 3/3 4/4\nf 1 3 4\n]]></mesh>");
	}
}

TEST(StageInspectTool, PrintsTheRecordsAsOneJsonDocumentWithFieldNamesInOrder)
{
	FScopedHeadlessProject Project;
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("clean.orvs"), CleanStage());
	const FInspectRun Run = RunInspect(Project, Quoted(Path));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	ASSERT_FALSE(Run.Output.empty());
	EXPECT_EQ(Run.Output.find('\n'), Run.Output.size() - 1);
	const nlohmann::ordered_json Stage = nlohmann::ordered_json::parse(Run.Output);

	EXPECT_EQ(Keys(Stage), (std::vector<std::string>{"StageName", "Description", "WallCount", "MeshCount", "MappingCount", "Walls", "Meshes", "Mappings"}));
	EXPECT_EQ(Stage["StageName"], "Stage \"A\" Bühne");
	EXPECT_EQ(Stage["Description"], "Back\\slash \"quoted\"");
	EXPECT_EQ(Stage["WallCount"], 2);
	EXPECT_EQ(Stage["MeshCount"], 1);
	EXPECT_EQ(Stage["MappingCount"], 2);
	ASSERT_EQ(Stage["Walls"].size(), 2u);
	ASSERT_EQ(Stage["Meshes"].size(), 1u);
	ASSERT_EQ(Stage["Mappings"].size(), 2u);

	const nlohmann::ordered_json& Left = Stage["Walls"][0];
	EXPECT_EQ(Keys(Left), (std::vector<std::string>{"UUID", "Label", "ModelPath", "bActive", "Scale", "Position", "Rotation", "Resolution", "Tiles", "bHasMeshData", "bHasMapping", "MeshData", "Mapping"}));
	EXPECT_EQ(Left["UUID"], "w-1");
	EXPECT_EQ(Left["Label"], "Left Wall");
	EXPECT_EQ(Left["ModelPath"], "\"C:\\\\walls\\\\square.obj\"");
	EXPECT_EQ(Left["bActive"], true);
	EXPECT_EQ(AsFloat(Left["Scale"]), 0.1f);
	EXPECT_EQ(Keys(Left["Position"]), (std::vector<std::string>{"X", "Y", "Z"}));
	EXPECT_EQ(AsFloat(Left["Position"]["X"]), 1.1f);
	EXPECT_EQ(AsFloat(Left["Position"]["Y"]), -2.5e-3f);
	EXPECT_EQ(AsFloat(Left["Position"]["Z"]), 16777216.0f);
	EXPECT_EQ(Keys(Left["Rotation"]), (std::vector<std::string>{"X", "Y", "Z"}));
	EXPECT_EQ(AsFloat(Left["Rotation"]["Y"]), 90.000001f);
	EXPECT_EQ(AsFloat(Left["Rotation"]["Z"]), -45.3f);
	EXPECT_EQ(Keys(Left["Resolution"]), (std::vector<std::string>{"X", "Y"}));
	EXPECT_EQ(Left["Resolution"]["X"], 1920);
	EXPECT_EQ(Left["Resolution"]["Y"], 1080);
	EXPECT_EQ(Keys(Left["Tiles"]), (std::vector<std::string>{"Columns", "Rows"}));
	EXPECT_EQ(Left["Tiles"]["Columns"], 4);
	EXPECT_EQ(Left["Tiles"]["Rows"], 2);
	EXPECT_EQ(Left["bHasMeshData"], true);
	EXPECT_EQ(Left["bHasMapping"], true);
	EXPECT_EQ(Keys(Left["MeshData"]), (std::vector<std::string>{"Metadata", "VertexCount", "UVCount", "FaceCount"}));
	EXPECT_EQ(Keys(Left["Mapping"]), (std::vector<std::string>{"WallUUID", "Channel", "Display", "Properties"}));
	EXPECT_EQ(Left["Mapping"]["Display"], "D1");
	EXPECT_EQ(Keys(Left["Mapping"]["Properties"]), (std::vector<std::string>{"offset", "gamma"}));
	EXPECT_EQ(Left["Mapping"]["Properties"]["gamma"], "2.2");

	const nlohmann::ordered_json& Right = Stage["Walls"][1];
	EXPECT_EQ(Right["bActive"], false);
	EXPECT_EQ(AsFloat(Right["Scale"]), std::numeric_limits<float>::max());
	EXPECT_EQ(AsFloat(Right["Position"]["X"]), 1e-45f);
	EXPECT_EQ(Right["Mapping"]["Channel"], "B");
	EXPECT_TRUE(Right["Mapping"]["Properties"].empty());

	const nlohmann::ordered_json& Mesh = Stage["Meshes"][0];
	EXPECT_EQ(Keys(Mesh), (std::vector<std::string>{"Metadata", "VertexCount", "UVCount", "FaceCount"}));
	EXPECT_EQ(Keys(Mesh["Metadata"]), (std::vector<std::string>{"name", "units"}));
	EXPECT_EQ(Mesh["Metadata"]["name"], "Square");
	EXPECT_EQ(Mesh["VertexCount"], 4);
	EXPECT_EQ(Mesh["UVCount"], 4);
	EXPECT_EQ(Mesh["FaceCount"], 2);
	EXPECT_EQ(Left["MeshData"], Mesh);
	EXPECT_EQ(Right["MeshData"], Mesh);

	EXPECT_EQ(Keys(Stage["Mappings"][0]), (std::vector<std::string>{"WallUUID", "Channel", "Display", "Properties"}));
	EXPECT_EQ(Stage["Mappings"][0]["WallUUID"], "w-1");
	EXPECT_EQ(Stage["Mappings"][1]["WallUUID"], "w-2");

	EXPECT_TRUE(WarningLines(Run.Errors).empty()) << Run.Errors;
}

TEST(StageInspectTool, MeshesOptionAddsVerticesUVsAndFaces)
{
	FScopedHeadlessProject Project;
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("clean.orvs"), CleanStage());
	const FInspectRun Run = RunInspect(Project, "--meshes " + Quoted(Path));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const nlohmann::ordered_json Stage = nlohmann::ordered_json::parse(Run.Output);
	const nlohmann::ordered_json& Mesh = Stage["Meshes"][0];

	EXPECT_EQ(Keys(Mesh), (std::vector<std::string>{"Metadata", "VertexCount", "UVCount", "FaceCount", "Vertices", "UVs", "Faces"}));
	ASSERT_EQ(Mesh["Vertices"].size(), 4u);
	EXPECT_EQ(Mesh["Vertices"][0].size(), 3u);
	EXPECT_EQ(AsFloat(Mesh["Vertices"][0][0]), 0.1f);
	EXPECT_EQ(Mesh["Vertices"][2], nlohmann::ordered_json::parse("[1,1,0]"));
	ASSERT_EQ(Mesh["UVs"].size(), 4u);
	EXPECT_EQ(AsFloat(Mesh["UVs"][3][0]), 0.3f);
	EXPECT_EQ(Mesh["UVs"][3][1], 1);
	EXPECT_EQ(Mesh["Faces"], nlohmann::ordered_json::parse("[[[0,0],[1,1],[2,2],[3,3]],[[0,-1],[2,-1],[3,-1]]]"));
	EXPECT_EQ(Stage["Walls"][0]["MeshData"], Mesh);

	const FInspectRun After = RunInspect(Project, Quoted(Path) + " --meshes");
	ASSERT_EQ(After.ExitCode, 0);
	EXPECT_EQ(After.Output, Run.Output);
}

TEST(StageInspectTool, WritesNonFiniteNumbersAsStrings)
{
	FScopedHeadlessProject Project;
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("nonfinite.orvs"),
		StageDocument("<walls><wall uuid=\"w\"><label>W</label><model>m.obj</model><scale>1e39</scale>"
					  "<position x=\"inf\" y=\"-inf\" z=\"nan\"/><resolution x=\"1\" y=\"1\"/></wall></walls>",
			"<mesh fileref=\"m.obj\">\nv 0 0 -1e39\nv 1 0 0\nv 1 1 0\nf 1 2 3\n</mesh>"));
	const FInspectRun Run = RunInspect(Project, "--meshes " + Quoted(Path));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const nlohmann::ordered_json Stage = nlohmann::ordered_json::parse(Run.Output);
	const nlohmann::ordered_json& Wall = Stage["Walls"][0];
	EXPECT_EQ(Wall["Scale"], "inf");
	EXPECT_EQ(Wall["Position"]["X"], "inf");
	EXPECT_EQ(Wall["Position"]["Y"], "-inf");
	EXPECT_EQ(Wall["Position"]["Z"], "nan");
	EXPECT_EQ(Stage["Meshes"][0]["Vertices"][0][2], "-inf");
}

TEST(StageInspectTool, WarnsAboutWhatTheImportWouldGetWrong)
{
	FScopedHeadlessProject Project;
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("faulty.orvs"),
		StageDocument("<walls>\n"
					  "<wall uuid=\"a\"><label>Main Wall</label><model>used.obj</model><resolution x=\"1920\" y=\"0\"/></wall>\n"
					  "<wall uuid=\"b\"><label>Main-Wall</label><model>missing.obj</model><resolution x=\"10\" y=\"10\"/></wall>\n"
					  "<wall uuid=\"c\"><label></label><resolution x=\"10\" y=\"10\"/></wall>\n"
					  "<wall uuid=\"d\"><label>Bent</label><model>used.obj</model><rotation x=\"nan\" y=\"0\" z=\"0\"/><resolution x=\"10\" y=\"10\"/></wall>\n"
					  "</walls>",
			"<mesh fileref=\"used.obj\">\nv 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nv 0 2 0\nvt 0 0\nf 1/1 2/1 3/1 4/1 5/1\nf 1/1 2/2 9/1\n</mesh>\n"
			"<mesh fileref=\"spare.obj\">\nv 0 0 0\nv 1 0 inf\nv 1 1 0\nf 1 2 3\n</mesh>"));
	const FInspectRun Run = RunInspect(Project, Quoted(Path));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_NO_THROW(nlohmann::json::parse(Run.Output));
	const std::vector<std::string> Warnings = WarningLines(Run.Errors);

	EXPECT_EQ(CountContaining(Warnings, "model 'missing.obj' matches no mesh"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "(c) names no model"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "wall (c) has an empty label"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh name 'Main_Wall'"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 1 is used by no wall"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 0 is used by no wall"), 0u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "resolution 1920 x 0"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 0 face 0 has 5 corners"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 0 face 1 corner 1: UV index 1 is outside 0..0"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 0 face 1 corner 2: vertex index 8 is outside 0..4"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "wall 'Bent' (d) has a scale, position or rotation that is not a finite number"), 1u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "mesh 1 vertex 1 is not a finite number"), 1u) << Run.Errors;
	EXPECT_EQ(Warnings.size(), 11u) << Run.Errors;
}

TEST(StageInspectTool, WarningsOfOneKindStopAfterTwentyLines)
{
	std::string Walls = "<walls>";
	for (int Index = 0; Index < 25; ++Index)
	{
		Walls += "<wall uuid=\"u" + std::to_string(Index) + "\"><label>Wall " + std::to_string(Index) + "</label><resolution x=\"1\" y=\"1\"/></wall>";
	}
	Walls += "</walls>";
	FScopedHeadlessProject Project;
	const FString Path = WriteFile(Project.GetProjectDir(), TEXT("many.orvs"), StageDocument(Walls));
	const FInspectRun Run = RunInspect(Project, Quoted(Path));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const std::vector<std::string> Warnings = WarningLines(Run.Errors);
	ASSERT_EQ(Warnings.size(), 21u) << Run.Errors;
	EXPECT_EQ(CountContaining(Warnings, "names no model"), 20u);
	EXPECT_EQ(Warnings.back(), "warning: ... and 5 more");
}

TEST(StageInspectTool, FailsClearlyOnUnreadableFilesAndBadArguments)
{
	FScopedHeadlessProject Project;
	const std::string Missing = std::string(TCHAR_TO_UTF8(*Project.GetProjectDir())) + "missing.orvs";
	const FInspectRun NoFile = RunInspect(Project, "'" + Missing + "'");
	EXPECT_EQ(NoFile.ExitCode, 1);
	EXPECT_TRUE(NoFile.Output.empty());
	EXPECT_NE(NoFile.Errors.find("File does not exist: " + Missing), std::string::npos) << NoFile.Errors;

	const FString Malformed = WriteFile(Project.GetProjectDir(), TEXT("malformed.orvs"), "<orvane><stages><stage></stages>");
	const FInspectRun BadXml = RunInspect(Project, Quoted(Malformed));
	EXPECT_EQ(BadXml.ExitCode, 1);
	EXPECT_TRUE(BadXml.Output.empty());
	EXPECT_NE(BadXml.Errors.find("Invalid XML file: "), std::string::npos) << BadXml.Errors;

	const FString NoStage = WriteFile(Project.GetProjectDir(), TEXT("nostage.orvs"), "<orvane><meshes/></orvane>");
	const FInspectRun Empty = RunInspect(Project, Quoted(NoStage));
	EXPECT_EQ(Empty.ExitCode, 1);
	EXPECT_NE(Empty.Errors.find("No 'stages' element found in XML"), std::string::npos) << Empty.Errors;

	EXPECT_EQ(RunInspect(Project, "").ExitCode, 2);
	EXPECT_EQ(RunInspect(Project, "--meshes").ExitCode, 2);
	EXPECT_EQ(RunInspect(Project, "--frobnicate " + Quoted(NoStage)).ExitCode, 2);
	EXPECT_EQ(RunInspect(Project, Quoted(NoStage) + " " + Quoted(NoStage)).ExitCode, 2);
}
