// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "Stage/StageTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <string>

namespace
{
	using namespace OrvaneStageTest;

	OrvaneToolTest::FToolRun RunImport(const FScopedHeadlessProject& Project, const std::string& Arguments)
	{
		const std::string ProjectDir = TCHAR_TO_UTF8(*Project.GetProjectDir());
		return OrvaneToolTest::RunTool("stage import " + Arguments + " --project '" + ProjectDir + "Editor'", ProjectDir + "import-stderr.txt", 60);
	}

	bool Contains(const std::string& Text, const std::string& Part)
	{
		return Text.find(Part) != std::string::npos;
	}
}

TEST(StageImportTool, SetsUpTheStageAndReusesThePresetOnTheNextRun)
{
	FScopedHeadlessProject Project;
	const std::string Walls = "<label>Studio</label><walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model><resolution x=\"1920\" y=\"1080\"/></wall></walls>";
	const std::string Stage = TCHAR_TO_UTF8(*WriteFile(Project.GetProjectDir(), TEXT("Big Stage-3.orvs"), StageDocument(Walls, SquareMesh("sq.obj"))));

	const OrvaneToolTest::FToolRun First = RunImport(Project, "'" + Stage + "'");
	ASSERT_EQ(First.ExitCode, 0) << First.Errors;
	EXPECT_TRUE(Contains(First.Output, "Successfully created nDisplay from ORVS\n"));
	EXPECT_TRUE(Contains(First.Output, "  /Game/Orvane/Ndisplay/Big_Stage_3\n"));
	EXPECT_TRUE(Contains(First.Output, "  /Game/Orvane/Meshes/Front\n"));
	EXPECT_TRUE(Contains(First.Output, "  /Game/Orvane/Orvane_LiveLink_Preset\n"));
	EXPECT_TRUE(Contains(First.Output, "  Live Link preset: /Game/Orvane/Orvane_LiveLink_Preset.Orvane_LiveLink_Preset\n"));
	EXPECT_TRUE(Contains(First.Output, "  attached to: Orvane_nDisplay_0\n"));
	EXPECT_TRUE(Contains(First.Output, "  drives ICVFX camera: Orvane_nDisplay_0.Orvane_ICVFX_Camera\n"));
	EXPECT_TRUE(Contains(First.Errors, "LiveLink source created successfully"));

	// The project remembers its startup preset, so the next import spawns the camera alone.
	const OrvaneToolTest::FToolRun Second = RunImport(Project, "'" + Stage + "'");
	ASSERT_EQ(Second.ExitCode, 0) << Second.Errors;
	EXPECT_TRUE(Contains(Second.Errors, "Found default LiveLink preset: Orvane_LiveLink_Preset"));
	EXPECT_FALSE(Contains(Second.Errors, "LiveLink source created successfully"));
	EXPECT_TRUE(Contains(Second.Output, "  Live Link preset: /Game/Orvane/Orvane_LiveLink_Preset.Orvane_LiveLink_Preset\n"));
}

TEST(StageImportTool, ReportsTheFailingStepAndExitsOne)
{
	FScopedHeadlessProject Project;
	const std::string Broken = TCHAR_TO_UTF8(*WriteFile(Project.GetProjectDir(), TEXT("Broken.orvs"), "<orvane><stages>"));
	const OrvaneToolTest::FToolRun Run = RunImport(Project, "'" + Broken + "' --no-icvfx");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_TRUE(Run.Output.empty()) << Run.Output;
	EXPECT_TRUE(Contains(Run.Errors, "orvane stage import: Failed to create nDisplay config\n"));

	EXPECT_EQ(RunImport(Project, "").ExitCode, 2);
	EXPECT_EQ(RunImport(Project, "'" + Broken + "' --bogus").ExitCode, 2);
}

TEST(StageImportTool, ProjectThatCannotBeWrittenIsAFailureNotASuccess)
{
	FScopedHeadlessProject Project;
	const std::string Walls = "<label>Studio</label><walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model></wall></walls>";
	const std::string Stage = TCHAR_TO_UTF8(*WriteFile(Project.GetProjectDir(), TEXT("Stage.orvs"), StageDocument(Walls, SquareMesh("sq.obj"))));
	// A regular file where the project folder should be: no asset can be saved under it.
	const std::string Blocked = TCHAR_TO_UTF8(*WriteFile(Project.GetProjectDir(), TEXT("Blocked"), "not a folder"));
	const OrvaneToolTest::FToolRun Run = OrvaneToolTest::RunTool("stage import '" + Stage + "' --no-icvfx --project '" + Blocked + "'", std::string(TCHAR_TO_UTF8(*Project.GetProjectDir())) + "blocked-stderr.txt", 60);
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_TRUE(Run.Output.empty()) << Run.Output;
	EXPECT_TRUE(Contains(Run.Errors, "orvane stage import: Created nDisplay from ORVS with errors: saving the assets failed\n")) << Run.Errors;
	EXPECT_TRUE(Contains(Run.Errors, "SavePackage: could not write ")) << "the engine's own line still reaches standard error";
}
