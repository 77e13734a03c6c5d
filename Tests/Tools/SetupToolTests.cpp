// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "LiveLink/SourceTestSupport.h"
#include "Stage/StageTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace
{
	using namespace OrvaneStageTest;

	std::string Dir(const FScopedHeadlessProject& Project)
	{
		return TCHAR_TO_UTF8(*Project.GetProjectDir());
	}

	OrvaneToolTest::FToolRun RunInProject(const FScopedHeadlessProject& Project, const std::string& Arguments)
	{
		return OrvaneToolTest::RunTool(Arguments + " --project '" + Dir(Project) + "Editor'", Dir(Project) + "setup-stderr.txt", 60);
	}

	bool Contains(const std::string& Text, const std::string& Part)
	{
		return Text.find(Part) != std::string::npos;
	}

	/** The first widget of the tree whose "text" is Text, or null. */
	const nlohmann::json* FindByText(const nlohmann::json& Node, const std::string& Text)
	{
		if (Node.value("text", std::string()) == Text)
		{
			return &Node;
		}
		for (const nlohmann::json& Child : Node["children"])
		{
			if (const nlohmann::json* Found = FindByText(Child, Text))
			{
				return Found;
			}
		}
		return nullptr;
	}
}

TEST(SetupTool, FullThenStageThenCameraOnlyBuildOnWhatEarlierRunsSaved)
{
	FScopedHeadlessProject Project;
	const std::string Endpoint = "127.0.0.1:" + std::to_string(OrvaneTest::FindFreeLoopbackPort());
	const OrvaneToolTest::FToolRun Full = RunInProject(Project, "setup full --endpoint ' " + Endpoint + " ' --preset Stage_Preset");
	ASSERT_EQ(Full.ExitCode, 0) << Full.Errors;
	EXPECT_TRUE(Contains(Full.Output, "  /Game/Orvane/Stage_Preset\n")) << Full.Output;
	EXPECT_TRUE(Contains(Full.Output, "  Live Link preset: /Game/Orvane/Stage_Preset.Stage_Preset\n")) << Full.Output;
	EXPECT_TRUE(Contains(Full.Output, "Live Link startup preset: /Game/Orvane/Stage_Preset.Stage_Preset\n"));
	EXPECT_TRUE(Contains(Full.Output, "Default game mode: /Orvane/Orvane_GM.Orvane_GM_C\n"));
	EXPECT_TRUE(Contains(Full.Output, "On-screen messages:\n  Orvane Complete Setup Successful!\n"));
	EXPECT_TRUE(Contains(Full.Errors, "Delayed Preset creation")) << "the delayed step ran before the summary";

	// A stage imported in a second run; a third run finds its blueprint and the startup preset on disk.
	const std::string Walls = "<label>Studio</label><walls><wall uuid=\"a\"><label>Front</label><model>sq.obj</model></wall></walls>";
	const std::string Stage = TCHAR_TO_UTF8(*WriteFile(Project.GetProjectDir(), TEXT("Stage.orvs"), StageDocument(Walls, SquareMesh("sq.obj"))));
	ASSERT_EQ(OrvaneToolTest::RunTool("stage import '" + Stage + "' --project '" + Dir(Project) + "Editor'", Dir(Project) + "import-stderr.txt", 60).ExitCode, 0);

	const OrvaneToolTest::FToolRun Camera = RunInProject(Project, "setup camera");
	ASSERT_EQ(Camera.ExitCode, 0) << Camera.Errors;
	EXPECT_TRUE(Contains(Camera.Output, "  Live Link preset: /Game/Orvane/Stage_Preset.Stage_Preset\n")) << Camera.Output;
	EXPECT_TRUE(Contains(Camera.Output, "  attached to: Orvane_nDisplay_0\n")) << Camera.Output;
	EXPECT_TRUE(Contains(Camera.Output, "  drives ICVFX camera: Orvane_nDisplay_0.")) << Camera.Output;
	EXPECT_TRUE(Contains(Camera.Output, "Notifications:\nOn-screen messages:\n")) << Camera.Output;
}

TEST(SetupTool, CameraOnlyForcedToPlaceAMissingClusterFails)
{
	FScopedHeadlessProject Project;
	const OrvaneToolTest::FToolRun Camera = RunInProject(Project, "setup camera --ndisplay");
	EXPECT_EQ(Camera.ExitCode, 1);
	EXPECT_TRUE(Contains(Camera.Output, "  failure: No nDisplay Blueprint found in /Game/Orvane/Ndisplay/\n")) << Camera.Output;
	EXPECT_TRUE(Contains(Camera.Errors, "orvane setup camera: No nDisplay Blueprint found in /Game/Orvane/Ndisplay/\n")) << Camera.Errors;
	EXPECT_TRUE(Contains(Camera.Output, "Camera: Orvane_VP_Camera_C_0\n"));
}

TEST(SetupTool, BadArgumentsAreRefused)
{
	FScopedHeadlessProject Project;
	for (const char* Arguments : {"setup", "setup partial", "setup camera --alpha", "setup full --ndisplay", "setup full --endpoint", "ui --alpha", "setup full --preset x extra"})
	{
		const OrvaneToolTest::FToolRun Result = OrvaneToolTest::RunTool(Arguments, Dir(Project) + "bad-stderr.txt", 30);
		EXPECT_EQ(Result.ExitCode, 2) << Arguments;
		EXPECT_TRUE(Result.Output.empty()) << Arguments;
	}
}

TEST(SetupTool, UiPrintsTheToolbarButtonAndTheDialogItOpens)
{
	FScopedHeadlessProject Project;
	const OrvaneToolTest::FToolRun Ui = RunInProject(Project, "ui");
	ASSERT_EQ(Ui.ExitCode, 0) << Ui.Errors;
	const nlohmann::json Document = nlohmann::json::parse(Ui.Output, nullptr, false);
	ASSERT_TRUE(Document.is_object()) << Ui.Output;
	EXPECT_EQ(Document["toolbar"]["menu"], "LevelEditor.LevelEditorToolBar.PlayToolBar");
	EXPECT_EQ(Document["toolbar"]["section"], "PluginTools");
	EXPECT_EQ(Document["toolbar"]["name"], "OrvaneWidget");
	EXPECT_EQ(Document["toolbar"]["widget"]["children"][0]["type"], "SButton");
	EXPECT_EQ(Document["dialog"]["title"], "Orvane Setup");

	const nlohmann::json& Dialog = Document["dialog"]["widget"];
	const nlohmann::json* Label = FindByText(Dialog, "Add nDisplay to Level");
	ASSERT_NE(Label, nullptr);
	EXPECT_EQ((*Label)["enabled"], false);
	const nlohmann::json* Endpoint = FindByText(Dialog, "0.0.0.0:9001");
	ASSERT_NE(Endpoint, nullptr);
	EXPECT_EQ((*Endpoint)["hint"], "IP:Port");
	const nlohmann::json* Browse = FindByText(Dialog, "Browse...");
	ASSERT_NE(Browse, nullptr);
	EXPECT_EQ((*Browse)["type"], "STextBlock");
}
