// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HeadlessProject.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <filesystem>
#include <string>

namespace
{
	OrvaneToolTest::FToolRun RunContent(const FScopedHeadlessProject& Project, const std::string& Arguments)
	{
		const std::string ProjectDir = TCHAR_TO_UTF8(*Project.GetProjectDir());
		return OrvaneToolTest::RunTool("content --project '" + ProjectDir + "Editor' " + Arguments, ProjectDir + "content-stderr.txt", 60);
	}

	const nlohmann::json* FindAsset(const nlohmann::json& Document, const std::string& Path)
	{
		for (const nlohmann::json& Asset : Document["assets"])
		{
			if (Asset.value("path", "") == Path)
			{
				return &Asset;
			}
		}
		return nullptr;
	}
}

TEST(ContentTool, FreshProjectGetsAllFiveAssetsDescribedAsJson)
{
	FScopedHeadlessProject Project;
	const OrvaneToolTest::FToolRun Run = RunContent(Project, "");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const nlohmann::json Document = nlohmann::json::parse(Run.Output);
	ASSERT_EQ(Document["assets"].size(), 5u);

	const nlohmann::json* Camera = FindAsset(Document, "/Orvane/Orvane_VP_Camera.Orvane_VP_Camera");
	ASSERT_NE(Camera, nullptr);
	EXPECT_EQ((*Camera)["class"], "/Script/Engine.Blueprint");
	EXPECT_EQ((*Camera)["parent"], "/Script/OrvaneLiveLink.OrvaneVPCameraActor");
	ASSERT_EQ((*Camera)["variables"].size(), 2u);
	EXPECT_EQ((*Camera)["variables"][0], (nlohmann::json{{"name", "LiveLinkPreset"}, {"type", "object"}, {"class", "/Script/LiveLink.LiveLinkPreset"}}));
	EXPECT_EQ((*Camera)["variables"][1], (nlohmann::json{{"name", "Set LiveLink Preset"}, {"type", "bool"}}));
	ASSERT_EQ((*Camera)["components"].size(), 1u);
	EXPECT_EQ((*Camera)["components"][0]["class"], "/Script/LiveLinkComponents.LiveLinkComponentController");
	EXPECT_EQ((*Camera)["components"][0]["subject"], "Orvane - Camera");
	EXPECT_EQ((*Camera)["components"][0]["role"], "/Script/LiveLinkInterface.LiveLinkCameraRole");

	const nlohmann::json* GameMode = FindAsset(Document, "/Orvane/Orvane_GM.Orvane_GM");
	ASSERT_NE(GameMode, nullptr);
	EXPECT_EQ((*GameMode)["parent"], "/Script/Engine.GameModeBase");
	EXPECT_FALSE(GameMode->contains("variables"));

	const nlohmann::json* Conversion = FindAsset(Document, "/Orvane/Materials/M_CubemapToEquirectangular.M_CubemapToEquirectangular");
	ASSERT_NE(Conversion, nullptr);
	EXPECT_EQ((*Conversion)["class"], "/Script/Engine.Material");
	EXPECT_EQ((*Conversion)["domain"], "MD_Surface");
	EXPECT_EQ((*Conversion)["parameters"], (nlohmann::json::array({{{"name", "CubemapTexture"}, {"type", "TextureCube"}}})));

	const nlohmann::json* Mask = FindAsset(Document, "/Orvane/Materials/M_OrvaneMaskStencil.M_OrvaneMaskStencil");
	ASSERT_NE(Mask, nullptr);
	EXPECT_EQ((*Mask)["domain"], "MD_PostProcess");
	const nlohmann::json* Instance = FindAsset(Document, "/Orvane/Materials/Orvane_MI_MaskStencil.Orvane_MI_MaskStencil");
	ASSERT_NE(Instance, nullptr);
	EXPECT_EQ((*Instance)["class"], "/Script/Engine.MaterialInstanceConstant");
	EXPECT_EQ((*Instance)["parent"], "/Orvane/Materials/M_OrvaneMaskStencil.M_OrvaneMaskStencil");

	EXPECT_TRUE(std::filesystem::exists(TCHAR_TO_UTF8(*(Project.GetProjectDir() + TEXT("Editor/Plugins/Orvane/Content/Orvane_VP_Camera.uasset")))));
	EXPECT_NE(Run.Errors.find("OrvaneContent: Created /Orvane/Orvane_GM.Orvane_GM"), std::string::npos);

	// The next run finds everything on disk: nothing is made again, and the description is the same.
	const OrvaneToolTest::FToolRun Second = RunContent(Project, "");
	ASSERT_EQ(Second.ExitCode, 0) << Second.Errors;
	EXPECT_EQ(Second.Errors.find("OrvaneContent: Created"), std::string::npos);
	EXPECT_EQ(nlohmann::json::parse(Second.Output), Document);

	// --rebuild makes all five again.
	const OrvaneToolTest::FToolRun Rebuilt = RunContent(Project, "--rebuild");
	ASSERT_EQ(Rebuilt.ExitCode, 0) << Rebuilt.Errors;
	EXPECT_NE(Rebuilt.Errors.find("OrvaneContent: Created /Orvane/Orvane_VP_Camera.Orvane_VP_Camera"), std::string::npos);
	EXPECT_EQ(nlohmann::json::parse(Rebuilt.Output), Document);
}

TEST(ContentTool, BadArgumentsExitTwoWithoutTouchingAnything)
{
	FScopedHeadlessProject Project;
	const std::string ProjectDir = TCHAR_TO_UTF8(*Project.GetProjectDir());
	for (const std::string Arguments : {"--unknown", "--project", "--project ''", "--rebuild extra", "extra"})
	{
		const OrvaneToolTest::FToolRun Run = OrvaneToolTest::RunTool("content " + Arguments, ProjectDir + "bad-stderr.txt");
		EXPECT_EQ(Run.ExitCode, 2) << Arguments;
		EXPECT_TRUE(Run.Output.empty()) << Arguments;
		EXPECT_NE(Run.Errors.find("usage: orvane"), std::string::npos) << Arguments;
	}
}

TEST(ContentTool, UnwritablePluginFolderExitsOneWithTheFailures)
{
	FScopedHeadlessProject Project;
	const std::string ProjectDir = TCHAR_TO_UTF8(*Project.GetProjectDir());
	std::filesystem::create_directories(ProjectDir + "Editor/Plugins");
	std::ofstream(ProjectDir + "Editor/Plugins/Orvane") << "not a folder";
	const OrvaneToolTest::FToolRun Run = RunContent(Project, "");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("OrvaneContent: Failed to create /Orvane/Orvane_VP_Camera.Orvane_VP_Camera: could not save"), std::string::npos);
	// The description still comes, from the content the session holds.
	EXPECT_EQ(nlohmann::json::parse(Run.Output)["assets"].size(), 5u);
}
