// Copyright Kelmora. All Rights Reserved.
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <utility>
#include <vector>

using OrvaneToolTest::FToolRun;

namespace
{
	std::string ErrorsPath()
	{
		return (std::filesystem::temp_directory_path() / ("orvane_command_line_" + std::to_string(getpid()) + ".err")).string();
	}

	FToolRun RunOrvane(const std::string& Arguments)
	{
		return OrvaneToolTest::RunTool(Arguments, ErrorsPath());
	}

	bool Contains(const std::string& Text, const std::string& Part)
	{
		return Text.find(Part) != std::string::npos;
	}

	/** A UDP socket bound to a free loopback port that never reads: what is sent to it waits in its buffer. */
	struct FSink
	{
		FSink()
			: Socket(socket(AF_INET, SOCK_DGRAM, 0))
		{
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
			socklen_t Length = sizeof(Address);
			getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
			Endpoint = "127.0.0.1:" + std::to_string(ntohs(Address.sin_port));
		}
		~FSink() { close(Socket); }

		int Socket;
		std::string Endpoint;
	};
}

TEST(CommandLineTool, EveryCommandHasHelpWithItsOptionsAndDefaults)
{
	// Each command, the options its help must list, and defaults the help must show.
	const std::vector<std::pair<std::string, std::vector<std::string>>> Commands = {
		{"decode", {"FILE"}},
		{"send", {"--to", "127.0.0.1:9001", "--rate", "25/1", "--fps", "--frames", "250", "--start-frame", "--version", "--offset", "--no-offset", "--state", "--skip-every", "--no-lens", "--take-metadata", "--local-clock",
					 "--record-control", "--report-skips", "--keep-interpolation", "--raw", "--slate", "Slate 1", "--take", "--label", "--action", "--param", "--screen", "--capture-mode", "--image", "1920,1080",
					 "--overscan", "--include-rotation", "--replay", "--speed", "--port", "9001", "--loop"}},
		{"record", {"OUT.pcap", "--endpoint", "0.0.0.0:9001", "--duration", "until SIGINT or SIGTERM", "--interface"}},
		{"listen", {"--endpoint", "0.0.0.0:9001", "--tick-hz", "60", "--duration", "--jsonl", "--scene", "--play", "--no-take-recorder"}},
		{"demo", {}},
		{"capture", {"OUT", "--eq", "--format", "--width", "1920", "--height", "1080", "--hdr", "--no-hdr", "--overscan", "--include-rotation", "--location", "--rotation", "--fov", "90", "--no-camera-component"}},
		{"stage inspect", {"FILE", "--meshes"}},
		{"stage convert", {"FILE", "--no-icvfx", "--project", "OrvaneProject beside the stage file"}},
		{"stage import", {"FILE", "--no-icvfx", "--project", "OrvaneProject beside the stage file"}},
		{"stage preview", {"FILE", "-o", "--size", "1600,900", "--no-icvfx"}},
		{"setup full", {"--endpoint", "--preset", "--alpha", "--project", "OrvaneProject in the working directory"}},
		{"setup camera", {"--ndisplay", "--project"}},
		{"ui", {"--project", "OrvaneProject in the working directory"}},
		{"content", {"--project", "--rebuild"}},
	};
	for (const auto& [Command, Expected] : Commands)
	{
		SCOPED_TRACE(Command);
		// The help is asked for before any command's other arguments: none of them runs (demo would stream, listen bind).
		const FToolRun Help = RunOrvane(Command + " --help");
		EXPECT_EQ(Help.ExitCode, 0) << Help.Errors;
		EXPECT_TRUE(Contains(Help.Output, "orvane " + Command)) << Help.Output;
		EXPECT_TRUE(Contains(Help.Output, "--help")) << Help.Output;
		for (const std::string& Part : Expected)
		{
			EXPECT_TRUE(Contains(Help.Output, Part)) << Part << " missing from\n" << Help.Output;
		}
		EXPECT_TRUE(Help.Errors.empty()) << Help.Errors;
		EXPECT_FALSE(Contains(Help.Output, "\"type\":\"status\"")) << Help.Output;
		EXPECT_EQ(RunOrvane(Command + " -h").Output, Help.Output);
	}

	// The tool's own help is its usage, on standard output this time.
	const FToolRun Help = RunOrvane("--help");
	EXPECT_EQ(Help.ExitCode, 0);
	EXPECT_TRUE(Contains(Help.Output, "usage: orvane <command> [arguments]")) << Help.Output;
	EXPECT_TRUE(Contains(Help.Output, "stage preview FILE -o OUT.svg|OUT.png")) << Help.Output;
	EXPECT_TRUE(Help.Errors.empty()) << Help.Errors;
}

TEST(CommandLineTool, VersionIsThePluginsVersionName)
{
	std::ifstream Descriptor(std::filesystem::path(ORVANE_TEST_DATA_DIR) / ".." / ".." / "Orvane.uplugin");
	ASSERT_TRUE(Descriptor.good());
	const std::string VersionName = nlohmann::json::parse(Descriptor)["VersionName"].get<std::string>();
	ASSERT_FALSE(VersionName.empty());

	const FToolRun Version = RunOrvane("--version");
	EXPECT_EQ(Version.ExitCode, 0) << Version.Errors;
	EXPECT_EQ(Version.Output, VersionName + "\n");
	EXPECT_TRUE(Version.Errors.empty()) << Version.Errors;

	// `send --version` stays the message version, not the tool's.
	const FToolRun MessageVersion = RunOrvane("send --version abc");
	EXPECT_EQ(MessageVersion.ExitCode, 2);
	EXPECT_TRUE(Contains(MessageVersion.Errors, "orvane send: --version takes a number\n")) << MessageVersion.Errors;
	const FToolRun OldMessages = RunOrvane("send --version 1 --action 1");
	EXPECT_EQ(OldMessages.ExitCode, 2);
	EXPECT_TRUE(Contains(OldMessages.Errors, "orvane send: commands need --version above 1\n")) << OldMessages.Errors;
}

TEST(CommandLineTool, BadArgumentsExitTwoNamingTheOptionOrArgument)
{
	// Each bad command line and what its first error line must say.
	const std::vector<std::pair<std::string, std::string>> Cases = {
		{"listen --frobnicate", "orvane listen: The following argument was not expected: --frobnicate"},
		{"stage inspect --frobnicate x.orvs", "orvane stage inspect: The following argument was not expected: --frobnicate"},
		{"frobnicate", "orvane: unknown command frobnicate\n"},
		{"stage", "orvane stage: A subcommand is required"},
		{"stage frobnicate x.orvs", "orvane stage: unknown command frobnicate\n"},
		{"listen --tick-hz 0", "orvane listen: --tick-hz takes a rate from 1 to 1000\n"},
		{"listen --duration nan", "orvane listen: --duration takes a number of seconds above 0 (up to a year)\n"},
		{"listen --endpoint", "orvane listen: --endpoint: 1 required ADDR:PORT missing\n"},
		{"listen --scene ''", "orvane listen: --scene takes a scene file (JSON)\n"},
		{"listen --play", "orvane listen: --play and --no-take-recorder need --scene\n"},
		{"send --fps 0", "orvane send: --fps takes a rate above 0 and up to 100000\n"},
		{"send --fps 1e999", "orvane send: --fps takes a rate above 0 and up to 100000\n"},
		{"send --rate 25/0", "orvane send: --rate takes NUM/DEN, such as 25/1 or 30000/1001\n"},
		{"send --frames -2", "orvane send: --frames takes a count (-1 streams until stopped)\n"},
		{"send --start-frame 4294967296", "orvane send: --start-frame takes a 32-bit frame number\n"},
		{"send --port 70000", "orvane send: --port takes a UDP port (0: every port)\n"},
		{"send --speed -1", "orvane send: --speed takes a factor from 0 (as fast as possible) to 1000\n"},
		{"send --image 1.5,2", "orvane send: --image takes W,H in pixels\n"},
		{"send --screen a,b", "orvane send: --screen takes X,Y (0..1, Y from the top)\n"},
		{"send --capture-mode 2", "orvane send: --capture-mode takes 0 (flat) or 1 (360)\n"},
		{"send --offset 1 --no-offset", "orvane send: --offset excludes --no-offset\n"},
		{"send --replay x.pcap --action 1", "orvane send: --replay sends the recording as it is: it takes neither --raw nor --action\n"},
		{"record", "orvane record: OUT.pcap is required\n"},
		{"record x.pcap --duration 0", "orvane record: --duration takes a number of seconds above 0 (up to a year)\n"},
		{"record x.pcap --interface ''", "orvane record: --interface takes an interface name\n"},
		{"decode", "orvane decode: FILE is required\n"},
		{"decode a b", "orvane decode: The following argument was not expected: b"},
		{"demo now", "orvane demo: The following argument was not expected: now"},
		{"capture a.png --format tiff", "orvane capture: --format takes png, jpeg, exr or hdr\n"},
		{"capture a.png --rotation 1,2", "orvane capture: --rotation takes three numbers PITCH,YAW,ROLL\n"},
		{"capture a.png --hdr --no-hdr", "orvane capture: --hdr excludes --no-hdr\n"},
		{"stage convert", "orvane stage convert: FILE is required\n"},
		{"stage import x.orvs --project ''", "orvane stage import: --project takes a project folder\n"},
		{"stage preview x.orvs", "orvane stage preview: -o is required\n"},
		{"stage preview x.orvs -o x.pdf", "orvane stage preview: -o takes a file ending in .svg or .png\n"},
		{"stage preview x.orvs -o x.svg --size 10,10", "orvane stage preview: --size takes W,H in pixels, each from 200 to 16384\n"},
	};
	for (const auto& [Arguments, Message] : Cases)
	{
		SCOPED_TRACE(Arguments);
		const FToolRun Bad = RunOrvane(Arguments);
		EXPECT_EQ(Bad.ExitCode, 2);
		EXPECT_EQ(Bad.Errors.rfind(Message, 0), 0u) << Bad.Errors;
		EXPECT_TRUE(Bad.Output.empty()) << Bad.Output;
		// Then the usage, as before: the tool's, or the capture's own.
		EXPECT_TRUE(Contains(Bad.Errors, Arguments.rfind("capture", 0) == 0 ? "usage: orvane capture OUT" : "usage: orvane <command> [arguments]")) << Bad.Errors;
	}

	// No arguments at all: the usage alone.
	const FToolRun Nothing = RunOrvane("");
	EXPECT_EQ(Nothing.ExitCode, 2);
	EXPECT_EQ(Nothing.Errors.rfind("usage: orvane <command> [arguments]", 0), 0u) << Nothing.Errors;
}

TEST(CommandLineTool, NumbersReadAsTheyAlwaysWere)
{
	FSink Sink;
	// Leading zeros are decimal, not octal: ten frames, not eight.
	FToolRun Sent = RunOrvane("send --to " + Sink.Endpoint + " --frames 010 --fps 100000");
	EXPECT_EQ(Sent.ExitCode, 0) << Sent.Errors;
	EXPECT_TRUE(Contains(Sent.Errors, "orvane send: 10 datagrams sent to " + Sink.Endpoint)) << Sent.Errors;

	// A repeated option keeps its last value, as the hand-written parsing did.
	Sent = RunOrvane("send --to " + Sink.Endpoint + " --frames 3 --frames 2 --fps 100000");
	EXPECT_EQ(Sent.ExitCode, 0) << Sent.Errors;
	EXPECT_TRUE(Contains(Sent.Errors, "orvane send: 2 datagrams sent to " + Sink.Endpoint)) << Sent.Errors;

	// A negative value is a value, not an option.
	Sent = RunOrvane("send --to " + Sink.Endpoint + " --frames 1 --start-frame -5 --offset -0.5");
	EXPECT_EQ(Sent.ExitCode, 0) << Sent.Errors;
	EXPECT_TRUE(Contains(Sent.Errors, "orvane send: 1 datagrams sent to " + Sink.Endpoint)) << Sent.Errors;
}
