// Copyright Kelmora. All Rights Reserved.
#include "LiveLink/SourceTestSupport.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace
{
	using namespace OrvaneTest;

	/** Every run is cut off by the shell after this many seconds, so a hung tool fails the test instead of stalling it. */
	const std::string TimeLimit = "timeout -s KILL 20 ";

	struct FToolRun
	{
		int ExitCode = -1;
		std::vector<std::string> Lines;
	};

	/** Runs the tool through the shell and reads its standard output line by line as it is printed. */
	class FRunningTool
	{
	public:
		explicit FRunningTool(const std::string& Arguments)
			: Pipe(popen((TimeLimit + std::string(ORVANE_TOOL_PATH) + " " + Arguments).c_str(), "r"))
		{
		}
		~FRunningTool() { Finish(); }
		FRunningTool(const FRunningTool&) = delete;
		FRunningTool& operator=(const FRunningTool&) = delete;

		/** The next whole line, without its newline; false at the end of the output. */
		bool ReadLine(std::string& OutLine)
		{
			OutLine.clear();
			std::array<char, 4096> Buffer;
			while (Pipe && std::fgets(Buffer.data(), static_cast<int>(Buffer.size()), Pipe))
			{
				OutLine += Buffer.data();
				if (!OutLine.empty() && OutLine.back() == '\n')
				{
					OutLine.pop_back();
					Run.Lines.push_back(OutLine);
					return true;
				}
			}
			if (!OutLine.empty())
			{
				Run.Lines.push_back(OutLine);
				return true;
			}
			return false;
		}

		/** Reads the rest of the output and waits for the tool to exit. */
		FToolRun Finish()
		{
			if (Pipe)
			{
				std::string Line;
				while (ReadLine(Line))
				{
				}
				const int Status = pclose(Pipe);
				Pipe = nullptr;
				Run.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
			}
			return Run;
		}

	private:
		FILE* Pipe;
		FToolRun Run;
	};

	FToolRun RunTool(const std::string& Arguments)
	{
		return FRunningTool(Arguments).Finish();
	}

	std::string Endpoint(uint16 Port)
	{
		return "127.0.0.1:" + std::to_string(Port);
	}

	std::vector<nlohmann::json> LinesOfType(const std::vector<nlohmann::json>& Lines, const std::string& Type)
	{
		std::vector<nlohmann::json> Matching;
		for (const nlohmann::json& Line : Lines)
		{
			if (Line["type"] == Type)
			{
				Matching.push_back(Line);
			}
		}
		return Matching;
	}
}

TEST(ListenTool, PrintsStatusStaticFramesAndLogsAsJsonLines)
{
	const uint16 Port = FindFreeLoopbackPort();
	FRunningTool Tool("listen --jsonl --duration 1.5 --endpoint " + Endpoint(Port) + " 2>/dev/null");

	// The static data is pushed when the source joins the client, so messages sent after it are published.
	std::string Line;
	bool bJoined = false;
	for (int32 Index = 0; Index < 100 && !bJoined && Tool.ReadLine(Line); ++Index)
	{
		bJoined = Line.find("\"type\":\"static\"") != std::string::npos;
	}
	ASSERT_TRUE(bJoined);
	FLoopbackSender Sender(Port);
	ASSERT_TRUE(Sender.Send(CameraMessage("\"Version\":2,\"Setup\":[0,1,0,0,0,0,0],\"Location\":[100,-200,170.5],\"Rotation\":[0,0,0.7071067811865476,0.7071067811865476],"
										  "\"Scale\":[1,2,3],\"Lens\":[35,500,1.5,54.25],\"Sensor\":[36,24],\"Timecode\":[100,25,1,77],\"State\":1")));
	ASSERT_TRUE(Sender.Send(CameraMessage("\"Version\":2,\"Setup\":[0,0,0,0,0,0,0],\"Location\":[0.1,0.2,0.30000000000000004],\"Rotation\":[0,0,0,1],"
										  "\"Scale\":[1,1,1],\"Lens\":[35,500,1.5,54.25],\"Sensor\":[36,24],\"Timecode\":[101,30000,1001,78],\"State\":1")));
	const FToolRun Run = Tool.Finish();
	EXPECT_EQ(Run.ExitCode, 0);

	std::vector<nlohmann::json> Lines;
	for (const std::string& Text : Run.Lines)
	{
		ASSERT_TRUE(nlohmann::json::accept(Text)) << Text;
		Lines.push_back(nlohmann::json::parse(Text));
	}
	ASSERT_FALSE(Lines.empty());
	EXPECT_EQ(Lines[0]["type"], "status");
	EXPECT_EQ(Lines[0]["status"], "Receiving");
	EXPECT_EQ(Lines[0]["endpoint"], Endpoint(Port));

	const std::vector<nlohmann::json> Statics = LinesOfType(Lines, "static");
	ASSERT_GE(Statics.size(), 2u);
	EXPECT_EQ(Statics.back()["subject"], "Orvane - Camera");
	EXPECT_EQ(Statics.back()["filmback"], nlohmann::json({36.0, 24.0}));

	const std::vector<nlohmann::json> Frames = LinesOfType(Lines, "frame");
	ASSERT_EQ(Frames.size(), 2u);
	EXPECT_EQ(Frames[0]["subject"], "Orvane - Camera");
	EXPECT_EQ(Frames[0]["frame"], 100);
	EXPECT_EQ(Frames[0]["subframe"], 0);
	EXPECT_EQ(Frames[0]["rate"], nlohmann::json({25, 1}));
	EXPECT_EQ(Frames[0]["location"], nlohmann::json({100.0, -200.0, 170.5}));
	EXPECT_EQ(Frames[0]["rotation"], nlohmann::json({0.0, 0.0, 0.7071067811865476, 0.7071067811865476}));
	EXPECT_EQ(Frames[0]["scale"], nlohmann::json({1.0, 2.0, 3.0}));
	EXPECT_EQ(Frames[0]["lens"], nlohmann::json({{"focalLength", 35.0}, {"focusDistance", 500.0}, {"aspectRatio", 1.5}, {"fieldOfView", 54.25}}));

	EXPECT_EQ(Frames[1]["frame"], 101);
	EXPECT_EQ(Frames[1]["rate"], nlohmann::json({30000, 1001}));
	// Every digit survives: the doubles read back bit for bit.
	EXPECT_EQ(Frames[1]["location"][0].get<double>(), 0.1);
	EXPECT_EQ(Frames[1]["location"][1].get<double>(), 0.2);
	EXPECT_EQ(Frames[1]["location"][2].get<double>(), 0.30000000000000004);
	EXPECT_TRUE(Frames[1]["lens"].is_null());

	bool bStartedLogged = false;
	for (const nlohmann::json& Log : LinesOfType(Lines, "log"))
	{
		bStartedLogged |= Log["category"] == "ModuleLog" && Log["verbosity"] == "Warning" && Log["message"] == "Orvane Live Link: Started (25.0)";
	}
	EXPECT_TRUE(bStartedLogged);
}

TEST(ListenTool, StopsCleanlyOnSigterm)
{
	const uint16 Port = FindFreeLoopbackPort();
	// The signal goes only once the tool has printed its status, which it does after taking over SIGTERM: a
	// fixed delay lost that race on a loaded machine.
	const std::string Output = ::testing::TempDir() + "orvane_listen_sigterm_" + std::to_string(Port) + ".jsonl";
	const FToolRun Run = RunTool("listen --jsonl --endpoint " + Endpoint(Port) + " >'" + Output + "' 2>/dev/null & Tool=$!; "
																								  "for Poll in $(seq 600); do [ -s '" +
								 Output + "' ] && break; sleep 0.05; done; "
										  "kill -TERM $Tool; wait $Tool; Code=$?; cat '" +
								 Output + "'; rm -f '" + Output + "'; echo exit=$Code");
	ASSERT_FALSE(Run.Lines.empty());
	EXPECT_EQ(Run.Lines.back(), "exit=0");
	ASSERT_GE(Run.Lines.size(), 2u);
	EXPECT_EQ(nlohmann::json::parse(Run.Lines[0])["status"], "Receiving");
}

TEST(ListenTool, RefusesEndpointsItCannotUse)
{
	// A documentation address no interface holds: the source exists but cannot bind.
	const FToolRun Unbindable = RunTool("listen --jsonl --duration 5 --endpoint 203.0.113.7:9001 2>/dev/null");
	EXPECT_EQ(Unbindable.ExitCode, 2);
	ASSERT_FALSE(Unbindable.Lines.empty());
	for (const std::string& Line : Unbindable.Lines)
	{
		ASSERT_TRUE(nlohmann::json::accept(Line)) << Line;
		EXPECT_NE(nlohmann::json::parse(Line)["type"], "frame");
	}
	const nlohmann::json Status = nlohmann::json::parse(Unbindable.Lines[0]);
	EXPECT_EQ(Status["type"], "status");
	EXPECT_EQ(Status["status"], "Device Not Found");
	EXPECT_EQ(Status["endpoint"], "203.0.113.7:9001");

	for (const char* Arguments : {"--endpoint nonsense", "--endpoint 127.0.0.1:99999", "--endpoint", "--tick-hz 0", "--duration -1", "--duration nan", "--frobnicate"})
	{
		const FToolRun Run = RunTool(std::string("listen --jsonl ") + Arguments + " 2>/dev/null");
		EXPECT_EQ(Run.ExitCode, 2) << Arguments;
		EXPECT_TRUE(Run.Lines.empty()) << Arguments;
	}
}

TEST(DemoTool, PublishesEveryDatagramItSends)
{
	const FToolRun Run = RunTool("demo 2>/dev/null");
	EXPECT_EQ(Run.ExitCode, 0);
	const std::regex Summary(R"(demo: (\d+) datagrams sent, (\d+) frames published, (\d+) skips)");
	std::smatch Match;
	bool bSummary = false;
	bool bLatency = false;
	bool bFirstFrame = false;
	for (const std::string& Line : Run.Lines)
	{
		if (std::regex_match(Line, Match, Summary))
		{
			bSummary = true;
			EXPECT_EQ(Match[1].str(), Match[2].str());
			EXPECT_GT(std::stoll(Match[1].str()), 0);
			EXPECT_EQ(Match[3].str(), "0");
		}
		bLatency |= Line.rfind("send-to-publish latency (loopback) p50 ", 0) == 0;
		// The camera move starts at 01:00:00:00 at 60 fps, 400 cm from the stage centre at eye height.
		bFirstFrame |= Line.rfind("frame 216000 (60/1) loc 400 0 170 rot 0 0 1 ", 0) == 0;
	}
	EXPECT_TRUE(bSummary);
	EXPECT_TRUE(bLatency);
	EXPECT_TRUE(bFirstFrame);
}

namespace
{
	std::string WriteSceneFile(const std::string& Name, const std::string& Contents)
	{
		const std::string Path = ::testing::TempDir() + "orvane_scene_" + std::to_string(getpid()) + "_" + Name;
		std::FILE* File = std::fopen(Path.c_str(), "wb");
		if (File)
		{
			std::fwrite(Contents.data(), 1, Contents.size(), File);
			std::fclose(File);
		}
		return Path;
	}

	/** Sends operator commands or recording switches to the listening tool as the compositing application does. */
	int SendToListener(uint16 Port, const std::string& Arguments)
	{
		const std::string Command = std::string("timeout -s KILL 20 ") + ORVANE_TOOL_PATH + " send --to " + Endpoint(Port) + " --fps 200 --frames 1 " + Arguments + " >/dev/null 2>&1";
		const int Status = std::system(Command.c_str());
		return WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
	}

	/** Reads JSON lines until one matches; false when the tool ended first. */
	template <typename PredicateType>
	bool ReadUntil(FRunningTool& Tool, PredicateType Predicate, nlohmann::json* OutLine = nullptr)
	{
		std::string Text;
		while (Tool.ReadLine(Text))
		{
			if (!nlohmann::json::accept(Text))
			{
				continue;
			}
			const nlohmann::json Line = nlohmann::json::parse(Text);
			if (Predicate(Line))
			{
				if (OutLine)
				{
					*OutLine = Line;
				}
				return true;
			}
		}
		return false;
	}

	const char* const StageScene = R"({"camera":{"location":[0,0,100],"rotation":[0,0,0],"fov":90},"viewport":[200,100],
		"actors":[{"label":"Crate","location":[500,0,100],"rotation":[0,45,0],"scale":[2,2,2],"box":[20,20,20],"customDepth":true,"blocksVisibility":true},
		          {"label":"Ghost","location":[300,0,100],"box":[10,10,10],"blocksVisibility":false}]})";
}

TEST(ListenSceneTool, PlayStartsAndStopsFromTheCameraStreamAndTheEditorReportsIt)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Scene = WriteSceneFile("play.json", StageScene);
	FRunningTool Tool("listen --jsonl --duration 12 --scene '" + Scene + "' --endpoint " + Endpoint(Port) + " 2>/dev/null");

	nlohmann::json Editor;
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "editor"; },
		&Editor));
	EXPECT_EQ(Editor, nlohmann::json({{"type", "editor"}, {"playing", false}, {"window", "Windowed"}, {"immersive", false}}));
	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "static"; }));

	ASSERT_EQ(SendToListener(Port, "--action 1"), 0);
	// The plug-in plays full screen and immersive; the window changes on a timer, so the lines may come in any order.
	EXPECT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "editor" && Line["playing"] == true && Line["window"] == "WindowedFullscreen" && Line["immersive"] == true; }));

	ASSERT_EQ(SendToListener(Port, "--action 2"), 0);
	EXPECT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "editor" && Line["playing"] == false && Line["window"] == "Windowed" && Line["immersive"] == false; }));
	EXPECT_EQ(Tool.Finish().ExitCode, 0);
	std::remove(Scene.c_str());
}

TEST(ListenSceneTool, PlayFlagStartsASessionAndACaptureLandsWhereTheCommandSays)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Scene = WriteSceneFile("capture.json", StageScene);
	const std::string Capture = ::testing::TempDir() + "orvane_scene_capture_" + std::to_string(Port) + ".png";
	std::remove(Capture.c_str());
	FRunningTool Tool("listen --jsonl --duration 12 --play --scene '" + Scene + "' --endpoint " + Endpoint(Port) + " 2>/dev/null");

	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "editor" && Line["playing"] == true; }));
	ASSERT_EQ(SendToListener(Port, "--action 4 --param '" + Capture + "' --image 64,32"), 0);
	// Commands run in the order they arrive: once the stop has shown, the still has been taken.
	ASSERT_EQ(SendToListener(Port, "--action 2"), 0);
	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "editor" && Line["playing"] == false; }));
	Tool.Finish();
	std::FILE* Written = std::fopen(Capture.c_str(), "rb");
	EXPECT_NE(Written, nullptr) << "the still was not written to " << Capture;
	if (Written)
	{
		std::fclose(Written);
	}
	std::remove(Capture.c_str());
	std::remove(Scene.c_str());
}

TEST(ListenSceneTool, ATakeStartsAndStopsWithTheRecordingSwitch)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Scene = WriteSceneFile("take.json", StageScene);
	FRunningTool Tool("listen --jsonl --duration 12 --scene '" + Scene + "' --endpoint " + Endpoint(Port) + " 2>/dev/null");

	nlohmann::json Take;
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "take"; },
		&Take));
	EXPECT_EQ(Take["recording"], false);
	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "static"; }));

	ASSERT_EQ(SendToListener(Port, "--record-control --take-metadata --state 2 --slate 'Scene 4' --take 7"), 0);
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "take" && Line["recording"] == true; },
		&Take));
	EXPECT_EQ(Take["slate"], "Scene 4");
	EXPECT_EQ(Take["take"], 7);

	ASSERT_EQ(SendToListener(Port, "--record-control --take-metadata --state 0 --slate 'Scene 4' --take 7"), 0);
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "take" && Line["recording"] == false; },
		&Take));
	EXPECT_EQ(Tool.Finish().ExitCode, 0);
	std::remove(Scene.c_str());
}

TEST(ListenSceneTool, WithoutTheTakeRecorderNoTakeStarts)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Scene = WriteSceneFile("notake.json", StageScene);
	FRunningTool Tool("listen --jsonl --duration 3 --no-take-recorder --scene '" + Scene + "' --endpoint " + Endpoint(Port) + " 2>/dev/null");
	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "static"; }));
	ASSERT_EQ(SendToListener(Port, "--record-control --take-metadata --state 2 --slate 'Scene 4' --take 7"), 0);
	const FToolRun Run = Tool.Finish();
	EXPECT_EQ(Run.ExitCode, 0);
	for (const std::string& Text : Run.Lines)
	{
		ASSERT_TRUE(nlohmann::json::accept(Text)) << Text;
		const nlohmann::json Line = nlohmann::json::parse(Text);
		if (Line["type"] == "take")
		{
			EXPECT_EQ(Line["recording"], false) << Text;
		}
	}
}

TEST(ListenSceneTool, RefusesSceneFilesThatDoNotParse)
{
	std::string Huge = R"({"actors":[)";
	for (int32 Index = 0; Index < 10001; ++Index)
	{
		Huge += Index ? ",{}" : "{}";
	}
	Huge += "]}";
	std::string Random;
	uint32 Seed = 12345;
	for (int32 Index = 0; Index < 4096; ++Index)
	{
		Seed = Seed * 1664525u + 1013904223u;
		Random.push_back(char(Seed >> 24));
	}
	const std::vector<std::pair<std::string, std::string>> Files = {
		{"truncated", R"({"camera":{"location":[1,2)"},
		{"empty", ""},
		{"root-array", "[]"},
		{"camera-type", R"({"camera":[0,0,0]})"},
		{"location-short", R"({"camera":{"location":[1,2]}})"},
		{"location-strings", R"({"camera":{"location":["1","2","3"]}})"},
		{"fov-range", R"({"camera":{"fov":180}})"},
		{"non-finite", R"({"camera":{"location":[1e999,0,0]}})"},
		{"viewport-zero", R"({"viewport":[0,100]})"},
		{"viewport-fraction", R"({"viewport":[640.5,480]})"},
		{"viewport-huge", R"({"viewport":[99999999999,480]})"},
		{"viewport-negative", R"({"viewport":[-640,480]})"},
		{"viewport-overflow", R"({"viewport":[18446744073709551615,480]})"},
		{"viewport-three", R"({"viewport":[640,480,1]})"},
		{"actors-type", R"({"actors":5})"},
		{"actor-type", R"({"actors":[7]})"},
		{"box-negative", R"({"actors":[{"box":[1,-1,1]}]})"},
		{"box-string", R"({"actors":[{"box":"big"}]})"},
		{"flag-number", R"({"actors":[{"customDepth":1}]})"},
		{"label-number", R"({"actors":[{"label":3}]})"},
		{"label-bad-utf8", "{\"actors\":[{\"label\":\"\xff\xfe\"}]}"},
		{"deep", std::string(100000, '[') + std::string(100000, ']')},
		{"huge", Huge},
		{"random", Random},
	};
	for (const auto& [Name, Contents] : Files)
	{
		SCOPED_TRACE(Name);
		const std::string Path = WriteSceneFile(Name + ".json", Contents);
		const std::string Errors = Path + ".err";
		const FToolRun Run = RunTool("listen --jsonl --duration 5 --scene '" + Path + "' --endpoint " + Endpoint(FindFreeLoopbackPort()) + " 2>'" + Errors + "'");
		EXPECT_EQ(Run.ExitCode, 2);
		EXPECT_TRUE(Run.Lines.empty());
		std::FILE* ErrorFile = std::fopen(Errors.c_str(), "rb");
		std::string ErrorText(512, '\0');
		ErrorText.resize(ErrorFile ? std::fread(ErrorText.data(), 1, ErrorText.size(), ErrorFile) : 0);
		if (ErrorFile)
		{
			std::fclose(ErrorFile);
		}
		EXPECT_EQ(ErrorText.rfind("orvane listen: the scene file ", 0), 0u) << ErrorText;
		std::remove(Path.c_str());
		std::remove(Errors.c_str());
	}
	for (const char* Arguments : {"--scene /nonexistent/orvane_scene.json", "--scene", "--play", "--no-take-recorder"})
	{
		SCOPED_TRACE(Arguments);
		EXPECT_EQ(RunTool(std::string("listen --jsonl --duration 5 ") + Arguments + " 2>/dev/null").ExitCode, 2);
	}
}

TEST(ListenSceneTool, APickComesBackInTheFrameDataTheComponentShares)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Scene = WriteSceneFile("pick.json", StageScene);
	FRunningTool Tool("listen --jsonl --duration 12 --play --scene '" + Scene + "' --endpoint " + Endpoint(Port) + " 2>/dev/null");

	// The frame component on the camera sends every frame of the play session: the frame number first unknown.
	nlohmann::json Share;
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "share"; },
		&Share));
	EXPECT_EQ(Share["data"]["ORV_LiveLink_FrameNumber"], "-1");
	EXPECT_TRUE(Share["data"].contains("EngineCount"));

	// The centre of the picture looks at the crate (the ghost does not block visibility): its answers follow.
	ASSERT_EQ(SendToListener(Port, "--action 5 --screen 0.5,0.5"), 0);
	ASSERT_TRUE(ReadUntil(
		Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "share" && Line["data"].contains("AName"); },
		&Share));
	EXPECT_EQ(Share["data"]["AName"], "Crate");
	EXPECT_EQ(Share["data"]["ACrp"], "Y");
	EXPECT_EQ(Share["data"]["ARot"], "45.000000, 0.000000, 0.000000");
	Tool.Finish();
	std::remove(Scene.c_str());
}

TEST(ListenTool, EndsWithASummaryOfWhatItReceived)
{
	const uint16 Port = FindFreeLoopbackPort();
	// Readable lines: the summary is the same JSON line in both modes, for scripts that measure floods.
	FRunningTool Tool("listen --duration 3 --endpoint " + Endpoint(Port) + " 2>/dev/null");
	std::string Line;
	bool bJoined = false;
	for (int32 Index = 0; Index < 100 && !bJoined && Tool.ReadLine(Line); ++Index)
	{
		bJoined = Line.rfind("static ", 0) == 0;
	}
	ASSERT_TRUE(bJoined);
	FLoopbackSender Sender(Port);
	for (const std::string& Datagram : {CameraMessage("\"Timecode\":[1,25,1]"), std::string("{\"ORVCamera\":["), CameraMessage("\"Timecode\":[2,25,1]"),
			 std::string("{\"Other\":1}"), CameraMessage("\"Timecode\":[3,25,1]")})
	{
		ASSERT_TRUE(Sender.Send(Datagram));
	}
	const FToolRun Run = Tool.Finish();
	EXPECT_EQ(Run.ExitCode, 0);
	ASSERT_FALSE(Run.Lines.empty());
	EXPECT_EQ(Run.Lines.back(), R"({"type":"summary","received":5,"decoded":3,"refused":2,"pushed":3})");
}

TEST(ListenTool, PrintsTheLinkHealthOnceASecond)
{
	const uint16 Port = FindFreeLoopbackPort();
	FRunningTool Tool("listen --jsonl --health --duration 3.5 --endpoint " + Endpoint(Port) + " 2>/dev/null");
	ASSERT_TRUE(ReadUntil(Tool, [](const nlohmann::json& Line)
		{ return Line["type"] == "static"; }));
	FLoopbackSender Sender(Port);
	for (const int32 Frame : {1, 2, 3, 5, 5})
	{
		ASSERT_TRUE(Sender.Send(CameraMessage("\"Timecode\":[" + std::to_string(Frame) + ",25,1]")));
	}
	ASSERT_TRUE(Sender.Send("not json"));
	const FToolRun Run = Tool.Finish();
	EXPECT_EQ(Run.ExitCode, 0);

	const std::regex Health(R"(\{"type":"health","received":\d+,"decoded":\d+,"refused":\d+,"rateHz":[0-9.]+,"jitterMs":[0-9.]+,"gaps":\d+,"repeats":\d+,"lastPacketAgeMs":(null|[0-9.]+)\})");
	std::vector<nlohmann::json> HealthLines;
	for (const std::string& Text : Run.Lines)
	{
		ASSERT_TRUE(nlohmann::json::accept(Text)) << Text;
		if (Text.find("\"type\":\"health\"") != std::string::npos)
		{
			EXPECT_TRUE(std::regex_match(Text, Health)) << Text;
			HealthLines.push_back(nlohmann::json::parse(Text));
		}
	}
	ASSERT_GE(HealthLines.size(), 2u);
	const nlohmann::json& Last = HealthLines.back();
	EXPECT_EQ(Last["received"], 6);
	EXPECT_EQ(Last["decoded"], 5);
	EXPECT_EQ(Last["refused"], 1);
	EXPECT_EQ(Last["gaps"], 1);
	EXPECT_EQ(Last["repeats"], 1);
	EXPECT_GE(Last["lastPacketAgeMs"].get<double>(), 0.0);
	EXPECT_EQ(Run.Lines.back(), R"({"type":"summary","received":6,"decoded":5,"refused":1,"pushed":5})");
}
