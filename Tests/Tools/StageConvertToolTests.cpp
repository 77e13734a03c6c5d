// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "Stage/StageTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace
{
	using namespace OrvaneStageTest;

	using FConvertRun = OrvaneToolTest::FToolRun;

	FConvertRun RunConvert(const FScopedHeadlessProject& Project, const std::string& Arguments)
	{
		return OrvaneToolTest::RunTool("stage convert " + Arguments, std::string(TCHAR_TO_UTF8(*Project.GetProjectDir())) + "convert-stderr.txt");
	}

	std::string ReadBytes(const std::string& Path)
	{
		std::ifstream File(Path, std::ios::binary);
		return std::string(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
	}

	std::string Native(const FString& Path)
	{
		return std::string(TCHAR_TO_UTF8(*Path));
	}
}

TEST(StageConvertTool, WritesTheExpectedDocumentBesideTheStageFile)
{
	FScopedHeadlessProject Project;
	const FString Stage = WriteFile(Project.GetProjectDir(), TEXT("Empty Stage-1.orvs"), StageDocument("<label>Empty</label>"));
	const FConvertRun Run = RunConvert(Project, "'" + Native(Stage) + "' --no-icvfx");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const std::string Output = Native(Project.GetProjectDir()) + "Empty_Stage_1.ndisplay";
	EXPECT_EQ(Run.Output, Output + "\n");

	std::string Expected = ReadBytes(std::string(ORVANE_TEST_DATA_DIR) + "/NDisplay/empty_stage.ndisplay.txt");
	while (!Expected.empty() && Expected.back() == '\n')
	{
		Expected.pop_back();
	}
	std::string WithCrLf;
	for (const char Char : Expected)
	{
		WithCrLf += Char == '\n' ? "\r\n" : std::string(1, Char);
	}
	EXPECT_EQ(ReadBytes(Output), WithCrLf);
}

TEST(StageConvertTool, SavesWallMeshesIntoTheChosenProject)
{
	FScopedHeadlessProject Project;
	const FString Stage = WriteFile(Project.GetProjectDir(), TEXT("wall.orvs"), StageDocument("<walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model></wall></walls>", SquareMesh("sq.obj")));
	const std::string Target = Native(Project.GetProjectDir()) + "Elsewhere";
	const FConvertRun Run = RunConvert(Project, "'" + Native(Stage) + "' --project '" + Target + "'");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_FALSE(ReadBytes(Target + "/Content/Orvane/Meshes/Front.uasset").empty());
	EXPECT_NE(ReadBytes(Native(Project.GetProjectDir()) + "wall.ndisplay").find("\"assetPath\": \"/Game/Orvane/Meshes/Front.Front\""), std::string::npos);
	EXPECT_NE(ReadBytes(Native(Project.GetProjectDir()) + "wall.ndisplay").find("\"VP_ICVFX\":"), std::string::npos);
}

TEST(StageConvertTool, ExitsWithTheReasonOnFailure)
{
	FScopedHeadlessProject Project;
	FConvertRun Run = RunConvert(Project, "'" + Native(Project.GetProjectDir()) + "missing.orvs'");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("orvane stage convert: CreateNDisplayFromORVS: Failed to parse ORVS: File does not exist: "), std::string::npos) << Run.Errors;
	EXPECT_TRUE(Run.Output.empty());

	const FString Stage = WriteFile(Project.GetProjectDir(), TEXT("blocked.orvs"), StageDocument("<label>B</label>"));
	WriteFile(Project.GetProjectDir(), TEXT("placeholder"), "x");
	std::filesystem::create_directory(Native(Project.GetProjectDir()) + "blocked.ndisplay");
	Run = RunConvert(Project, "'" + Native(Stage) + "'");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("Failed to save .ndisplay file to: "), std::string::npos) << Run.Errors;

	// Wall meshes that cannot be saved (a file stands where the project folder should be) fail the conversion.
	const FString WithMesh = WriteFile(Project.GetProjectDir(), TEXT("meshes.orvs"), StageDocument("<label>M</label><walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model></wall></walls>", SquareMesh("sq.obj")));
	WriteFile(Project.GetProjectDir(), TEXT("NoProject"), "x");
	Run = RunConvert(Project, "'" + Native(WithMesh) + "' --project '" + Native(Project.GetProjectDir()) + "NoProject'");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("orvane stage convert: CreateStaticMeshFromWallData: Failed to save "), std::string::npos) << Run.Errors;
	EXPECT_TRUE(Run.Output.empty());

	EXPECT_EQ(RunConvert(Project, "").ExitCode, 2);
	EXPECT_EQ(RunConvert(Project, "a.orvs b.orvs").ExitCode, 2);
}
