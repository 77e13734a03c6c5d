// Copyright Kelmora. All Rights Reserved.
#include "Stage/StageTestSupport.h"
#include "Tools/ToolRunner.h"
#include "XmlFile.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <unistd.h>
#include <vector>

namespace
{
	using OrvaneStageTest::SquareMesh;
	using OrvaneStageTest::StageDocument;
	using OrvaneToolTest::FToolRun;
	using OrvaneToolTest::RunTool;

	std::string TempPath(const std::string& Name)
	{
		return ::testing::TempDir() + "orvane_preview_" + std::to_string(getpid()) + "_" + Name;
	}

	void WriteText(const std::string& Path, const std::string& Text)
	{
		std::ofstream(Path, std::ios::binary) << Text;
	}

	std::string Attribute(const FXmlNode* Node, const TCHAR* Name)
	{
		return TCHAR_TO_UTF8(*Node->GetAttribute(Name));
	}

	/** The SVG's groups by id, each with its child elements. */
	std::map<std::string, const FXmlNode*> GroupsById(const FXmlFile& Svg)
	{
		std::map<std::string, const FXmlNode*> Groups;
		for (const FXmlNode* Child : Svg.GetRootNode()->GetChildrenNodes())
		{
			if (Child->GetTag() == TEXT("g"))
			{
				Groups[Attribute(Child, TEXT("id"))] = Child;
			}
		}
		return Groups;
	}

	std::vector<const FXmlNode*> Elements(const FXmlNode* Group, const TCHAR* Tag, const std::string& Class)
	{
		std::vector<const FXmlNode*> Found;
		for (const FXmlNode* Child : Group->GetChildrenNodes())
		{
			if (Child->GetTag() == Tag && Attribute(Child, TEXT("class")) == Class)
			{
				Found.push_back(Child);
			}
		}
		return Found;
	}

	std::vector<std::pair<double, double>> Points(const FXmlNode* Polygon)
	{
		std::vector<std::pair<double, double>> Result;
		std::istringstream Stream(Attribute(Polygon, TEXT("points")));
		std::string Pair;
		while (Stream >> Pair)
		{
			const size_t Comma = Pair.find(',');
			Result.emplace_back(std::stod(Pair.substr(0, Comma)), std::stod(Pair.substr(Comma + 1)));
		}
		return Result;
	}

	std::set<std::string> Texts(const FXmlNode* Group, const std::string& Class)
	{
		std::set<std::string> Result;
		for (const FXmlNode* Text : Elements(Group, TEXT("text"), Class))
		{
			Result.insert(TCHAR_TO_UTF8(*Text->GetContent()));
		}
		return Result;
	}

	/** Two mesh walls of the unit square and one screen wall, with resolutions that make the canvas wrap. */
	std::string KnownStage()
	{
		return StageDocument(
			"<label>Known</label><walls>"
			"<wall uuid=\"a\"><label>A</label><model>sq.obj</model><position x=\"1\" y=\"2\" z=\"3\"/><resolution x=\"4000\" y=\"1000\"/></wall>"
			"<wall uuid=\"b\"><label>B</label><model>sq.obj</model><rotation x=\"0\" y=\"0\" z=\"90\"/><resolution x=\"5000\" y=\"1000\"/></wall>"
			"<wall uuid=\"s\"><label>Screen</label><position x=\"500\" y=\"0\" z=\"0\"/><resolution x=\"1920\" y=\"1080\"/></wall>"
			"</walls>",
			SquareMesh("sq.obj"));
	}
}

TEST(StagePreview, DrawsWallsLabelsWarningsAndViewportsWhereTheImportPutsThem)
{
	const std::string Stage = TempPath("known.orvs");
	const std::string Svg = TempPath("known.svg");
	WriteText(Stage, KnownStage());
	const FToolRun Run = RunTool("stage preview '" + Stage + "' -o '" + Svg + "' --size 1200,700", TempPath("known.err"));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_EQ(Run.Output, Svg + "\n");

	FXmlFile File(UTF8_TO_TCHAR(Svg.c_str()));
	ASSERT_TRUE(File.IsValid()) << TCHAR_TO_UTF8(*File.GetLastError());
	EXPECT_EQ(Attribute(File.GetRootNode(), TEXT("width")), "1200");
	EXPECT_EQ(Attribute(File.GetRootNode(), TEXT("height")), "700");
	std::map<std::string, const FXmlNode*> Groups = GroupsById(File);
	ASSERT_TRUE(Groups.count("top-view") && Groups.count("front-view") && Groups.count("top-view-labels") && Groups.count("ndisplay-canvas") && Groups.count("ndisplay-labels"));

	// Wall A: the unit square moved by (1, 2, 3) lands at engine X -300, Y 100..200, Z 200..300. The top view
	// draws (Y, X), the front view (Y, Z), in engine units inside the view's transform.
	std::vector<const FXmlNode*> TopWalls = Elements(Groups["top-view"], TEXT("polygon"), "wall mesh-wall");
	ASSERT_EQ(TopWalls.size(), 2u);
	EXPECT_EQ(Attribute(TopWalls[0], TEXT("data-name")), "A");
	const std::vector<std::pair<double, double>> Top = Points(TopWalls[0]);
	ASSERT_EQ(Top.size(), 4u);
	const std::vector<std::pair<double, double>> ExpectedTop = {{100, -300}, {200, -300}, {200, -300}, {100, -300}};
	const std::vector<std::pair<double, double>> ExpectedFront = {{100, 200}, {200, 200}, {200, 300}, {100, 300}};
	const std::vector<std::pair<double, double>> Front = Points(Elements(Groups["front-view"], TEXT("polygon"), "wall mesh-wall")[0]);
	for (size_t Index = 0; Index < 4; ++Index)
	{
		EXPECT_NEAR(Top[Index].first, ExpectedTop[Index].first, 1e-3);
		EXPECT_NEAR(Top[Index].second, ExpectedTop[Index].second, 1e-3);
		EXPECT_NEAR(Front[Index].first, ExpectedFront[Index].first, 1e-3);
		EXPECT_NEAR(Front[Index].second, ExpectedFront[Index].second, 1e-3);
	}
	// Wall B turned 90 degrees about Z: the square's (1, 0, 0) corner goes to (0, 1, 0), engine (0, 0, 100).
	const std::vector<std::pair<double, double>> Turned = Points(Elements(Groups["front-view"], TEXT("polygon"), "wall mesh-wall")[1]);
	ASSERT_EQ(Turned.size(), 4u);
	EXPECT_NEAR(Turned[1].first, 0.0, 1e-3);
	EXPECT_NEAR(Turned[1].second, 100.0, 1e-3);

	// The screen as the generated nDisplay screen: 19.2 x 10.8 centred on (5, 0, 0), facing along X.
	const std::vector<const FXmlNode*> Screens = Elements(Groups["front-view"], TEXT("polygon"), "wall screen-wall");
	ASSERT_EQ(Screens.size(), 1u);
	EXPECT_EQ(Attribute(Screens[0], TEXT("data-name")), "Screen");
	const std::vector<std::pair<double, double>> Screen = Points(Screens[0]);
	ASSERT_EQ(Screen.size(), 4u);
	EXPECT_NEAR(Screen[0].first, -9.6, 1e-4);
	EXPECT_NEAR(Screen[0].second, -5.4, 1e-4);
	EXPECT_NEAR(Screen[2].first, 9.6, 1e-4);
	EXPECT_NEAR(Screen[2].second, 5.4, 1e-4);
	const std::vector<std::pair<double, double>> ScreenTop = Points(Elements(Groups["top-view"], TEXT("polygon"), "wall screen-wall")[0]);
	EXPECT_NEAR(ScreenTop[0].second, 5.0, 1e-4);

	// Every wall labelled as text, the axes named, and the screen wall's warning in red beside it.
	EXPECT_EQ(Texts(Groups["top-view-labels"], "wall-label"), (std::set<std::string>{"A", "B", "Screen"}));
	EXPECT_EQ(Texts(Groups["front-view-labels"], "axis-label"), (std::set<std::string>{"Y", "Z"}));
	EXPECT_EQ(Texts(Groups["top-view-labels"], "axis-label"), (std::set<std::string>{"X", "Y"}));
	const std::vector<const FXmlNode*> Warnings = Elements(Groups["top-view-labels"], TEXT("text"), "warning");
	ASSERT_EQ(Warnings.size(), 1u);
	EXPECT_EQ(Attribute(Warnings[0], TEXT("data-name")), "Screen");
	EXPECT_EQ(Attribute(Warnings[0], TEXT("fill")), "#d90000");
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Warnings[0]->GetContent())), "wall 'Screen' (s) names no model; it gets no mesh");

	// The canvas as the generator lays it out: B wraps to a second row, the screen follows it, and the ICVFX
	// viewport wraps below.
	std::map<std::string, std::vector<double>> Regions;
	for (const FXmlNode* Rect : Elements(Groups["ndisplay-canvas"], TEXT("rect"), "viewport"))
	{
		Regions[Attribute(Rect, TEXT("data-name"))] = {std::stod(Attribute(Rect, TEXT("x"))), std::stod(Attribute(Rect, TEXT("y"))), std::stod(Attribute(Rect, TEXT("width"))), std::stod(Attribute(Rect, TEXT("height")))};
	}
	EXPECT_EQ(Regions, (std::map<std::string, std::vector<double>>{{"VP_A", {0, 0, 4000, 1000}}, {"VP_B", {0, 1000, 5000, 1000}}, {"VP_Screen", {5000, 1000, 1920, 1080}}, {"VP_ICVFX", {0, 2080, 1920, 1080}}}));
	EXPECT_EQ(Texts(Groups["ndisplay-labels"], "viewport-name"), (std::set<std::string>{"VP_A", "VP_B", "VP_Screen", "VP_ICVFX"}));
	EXPECT_EQ(Texts(Groups["ndisplay-labels"], "viewport-policy"), (std::set<std::string>{"mesh", "simple", "camera"}));
	const std::vector<const FXmlNode*> Window = Elements(Groups["ndisplay-canvas"], TEXT("rect"), "window");
	ASSERT_EQ(Window.size(), 1u);
	EXPECT_EQ(Attribute(Window[0], TEXT("width")), "6920");
	EXPECT_EQ(Attribute(Window[0], TEXT("height")), "2080");
	std::remove(Stage.c_str());
	std::remove(Svg.c_str());
}

TEST(StagePreview, StageWithoutWallsAndLabelsThatNeedEscaping)
{
	const std::string Stage = TempPath("empty.orvs");
	const std::string Svg = TempPath("empty.svg");
	WriteText(Stage, StageDocument("<label>Empty</label>"));
	const FToolRun Run = RunTool("stage preview '" + Stage + "' -o '" + Svg + "'", TempPath("empty.err"));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	FXmlFile File(UTF8_TO_TCHAR(Svg.c_str()));
	ASSERT_TRUE(File.IsValid());
	std::map<std::string, const FXmlNode*> Groups = GroupsById(File);
	EXPECT_TRUE(Elements(Groups["top-view"], TEXT("polygon"), "wall mesh-wall").empty());
	EXPECT_TRUE(Texts(Groups["top-view-labels"], "wall-label").empty());
	EXPECT_EQ(Texts(Groups["top-view-labels"], "axis-label"), (std::set<std::string>{"X", "Y"}));
	const std::vector<const FXmlNode*> Viewports = Elements(Groups["ndisplay-canvas"], TEXT("rect"), "viewport");
	ASSERT_EQ(Viewports.size(), 1u);
	EXPECT_EQ(Attribute(Viewports[0], TEXT("data-name")), "VP_ICVFX");
	EXPECT_EQ(Attribute(Viewports[0], TEXT("width")), "1920");

	// Without the camera the canvas is empty; labels holding markup characters stay text.
	WriteText(Stage, StageDocument("<walls><wall uuid=\"q\"><label>Left &amp; &lt;Right&gt; \"Q\"</label><resolution x=\"100\" y=\"100\"/></wall></walls>"));
	ASSERT_EQ(RunTool("stage preview '" + Stage + "' -o '" + Svg + "' --no-icvfx", TempPath("empty.err")).ExitCode, 0);
	FXmlFile Escaped(UTF8_TO_TCHAR(Svg.c_str()));
	ASSERT_TRUE(Escaped.IsValid()) << TCHAR_TO_UTF8(*Escaped.GetLastError());
	Groups = GroupsById(Escaped);
	const std::vector<const FXmlNode*> Rects = Elements(Groups["ndisplay-canvas"], TEXT("rect"), "viewport");
	ASSERT_EQ(Rects.size(), 1u);
	EXPECT_EQ(Elements(Groups["top-view"], TEXT("polygon"), "wall screen-wall").size(), 1u);
	std::remove(Stage.c_str());
	std::remove(Svg.c_str());
}

TEST(StagePreview, PngHasTheAskedSizeAndBadRequestsFail)
{
	const std::string Stage = TempPath("png.orvs");
	const std::string Png = TempPath("png.png");
	const std::string Errors = TempPath("png.err");
	WriteText(Stage, KnownStage());
	const FToolRun Run = RunTool("stage preview '" + Stage + "' -o '" + Png + "' --size 640,480", Errors);
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	std::ifstream File(Png, std::ios::binary);
	unsigned char Header[24] = {};
	File.read(reinterpret_cast<char*>(Header), sizeof(Header));
	ASSERT_EQ(File.gcount(), 24);
	EXPECT_EQ(std::string(reinterpret_cast<char*>(Header) + 1, 3), "PNG");
	EXPECT_EQ((Header[16] << 24) | (Header[17] << 16) | (Header[18] << 8) | Header[19], 640);
	EXPECT_EQ((Header[20] << 24) | (Header[21] << 16) | (Header[22] << 8) | Header[23], 480);

	EXPECT_EQ(RunTool("stage preview '" + Stage + "'", Errors).ExitCode, 2);
	EXPECT_EQ(RunTool("stage preview '" + Stage + "' -o out.pdf", Errors).ExitCode, 2);
	EXPECT_EQ(RunTool("stage preview '" + Stage + "' -o '" + Png + "' --size 10,10", Errors).ExitCode, 2);
	EXPECT_EQ(RunTool("stage preview '" + Stage + "' -o '" + Png + "' --size big", Errors).ExitCode, 2);
	const FToolRun Missing = RunTool("stage preview '" + TempPath("missing.orvs") + "' -o '" + Png + "'", Errors);
	EXPECT_EQ(Missing.ExitCode, 1);
	EXPECT_NE(Missing.Errors.find("orvane stage preview: "), std::string::npos);
	EXPECT_EQ(RunTool("stage preview '" + Stage + "' -o /nonexistent-dir/x.png", Errors).ExitCode, 1);
	EXPECT_EQ(RunTool("stage preview '" + Stage + "' -o /nonexistent-dir/x.svg", Errors).ExitCode, 1);

	// A screen wall placed at infinity cannot be converted, so it cannot be drawn as the import would.
	WriteText(Stage, StageDocument("<walls><wall uuid=\"i\"><label>Far</label><position x=\"inf\" y=\"0\" z=\"0\"/></wall></walls>"));
	const FToolRun Infinite = RunTool("stage preview '" + Stage + "' -o '" + Png + "'", Errors);
	EXPECT_EQ(Infinite.ExitCode, 1);
	EXPECT_NE(Infinite.Errors.find("cannot be converted"), std::string::npos) << Infinite.Errors;
	std::remove(Stage.c_str());
	std::remove(Png.c_str());
	std::remove(Errors.c_str());
}

TEST(StagePreview, SampleStageDrawsItsCurvedWallAndCeiling)
{
	const std::string Svg = TempPath("sample.svg");
	const FToolRun Run = RunTool(std::string("stage preview '") + ORVANE_TEST_DATA_DIR + "/../../Samples/DemoStage.orvs' -o '" + Svg + "'", TempPath("sample.err"));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	FXmlFile File(UTF8_TO_TCHAR(Svg.c_str()));
	ASSERT_TRUE(File.IsValid());
	std::map<std::string, const FXmlNode*> Groups = GroupsById(File);
	EXPECT_EQ(Elements(Groups["top-view"], TEXT("polygon"), "wall mesh-wall").size(), 4u * 8u) << "four walls of eight faces";
	EXPECT_EQ(Elements(Groups["top-view"], TEXT("polygon"), "wall screen-wall").size(), 1u);
	EXPECT_EQ(Texts(Groups["top-view-labels"], "wall-label"), (std::set<std::string>{"LED A", "LED B", "LED C", "LED D", "Ceiling"}));
	EXPECT_EQ(Texts(Groups["ndisplay-labels"], "viewport-name"), (std::set<std::string>{"VP_LED A", "VP_LED B", "VP_LED C", "VP_LED D", "VP_Ceiling", "VP_ICVFX"}));
	std::remove(Svg.c_str());
}

TEST(StagePreview, LargeMeshesAreDrawnByTheirBorder)
{
	// A 40 x 30 grid of quads (1,200 faces) in the XY plane: its border has 2 x (40 + 30) edges.
	std::string Obj = "<mesh fileref=\"grid.obj\"><![CDATA[\n";
	for (int Row = 0; Row <= 30; ++Row)
	{
		for (int Column = 0; Column <= 40; ++Column)
		{
			Obj += "v " + std::to_string(Column * 0.1) + " " + std::to_string(Row * 0.1) + " 0\n";
		}
	}
	for (int Row = 0; Row < 30; ++Row)
	{
		for (int Column = 0; Column < 40; ++Column)
		{
			const int Corner = Row * 41 + Column + 1;
			Obj += "f " + std::to_string(Corner) + " " + std::to_string(Corner + 1) + " " + std::to_string(Corner + 42) + " " + std::to_string(Corner + 41) + "\n";
		}
	}
	Obj += "]]></mesh>";
	const std::string Stage = TempPath("grid.orvs");
	const std::string Svg = TempPath("grid.svg");
	WriteText(Stage, StageDocument("<walls><wall uuid=\"g\"><label>Grid</label><model>grid.obj</model></wall></walls>", Obj));
	const FToolRun Run = RunTool("stage preview '" + Stage + "' -o '" + Svg + "'", TempPath("grid.err"));
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	FXmlFile File(UTF8_TO_TCHAR(Svg.c_str()));
	ASSERT_TRUE(File.IsValid());
	std::map<std::string, const FXmlNode*> Groups = GroupsById(File);
	EXPECT_TRUE(Elements(Groups["front-view"], TEXT("polygon"), "wall mesh-wall").empty());
	const std::vector<const FXmlNode*> Border = Elements(Groups["front-view"], TEXT("line"), "wall mesh-wall-border");
	ASSERT_EQ(Border.size(), 140u);
	// Every border edge lies on the grid's outline: Y 0 or 400, or Z 0 or 300 (engine units).
	for (const FXmlNode* Line : Border)
	{
		const double Y1 = std::stod(Attribute(Line, TEXT("x1")));
		const double Z1 = std::stod(Attribute(Line, TEXT("y1")));
		const double Y2 = std::stod(Attribute(Line, TEXT("x2")));
		const double Z2 = std::stod(Attribute(Line, TEXT("y2")));
		const bool bOnVerticalSide = (std::abs(Y1) < 1e-3 && std::abs(Y2) < 1e-3) || (std::abs(Y1 - 400) < 1e-3 && std::abs(Y2 - 400) < 1e-3);
		const bool bOnHorizontalSide = (std::abs(Z1) < 1e-3 && std::abs(Z2) < 1e-3) || (std::abs(Z1 - 300) < 1e-3 && std::abs(Z2 - 300) < 1e-3);
		EXPECT_TRUE(bOnVerticalSide || bOnHorizontalSide) << Y1 << "," << Z1 << " " << Y2 << "," << Z2;
	}
	std::remove(Stage.c_str());
	std::remove(Svg.c_str());
}
