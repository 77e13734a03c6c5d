// Copyright Kelmora. All Rights Reserved.
#include "CameraSender.h"
#include "Commands.h"
#include "PcapReplay.h"
#include "ToolArguments.h"

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <limits>
#include <memory>
#include <string>

namespace
{
	/** "X,Y" as two finite numbers. */
	bool ParsePair(const std::string& Text, double& OutFirst, double& OutSecond)
	{
		const size_t Comma = Text.find(',');
		return Comma != std::string::npos && ParseNumber(Text.substr(0, Comma), OutFirst) && ParseNumber(Text.substr(Comma + 1), OutSecond) && std::isfinite(OutFirst) && std::isfinite(OutSecond);
	}

	/** "W,H" as two whole numbers that fit 32 bits. */
	bool ParseImageSize(const std::string& Text, int32_t& OutWidth, int32_t& OutHeight)
	{
		double Width = 0.0;
		double Height = 0.0;
		if (!ParsePair(Text, Width, Height) || Width != std::floor(Width) || Height != std::floor(Height) || std::fabs(Width) > 2147483647.0 || std::fabs(Height) > 2147483647.0)
		{
			return false;
		}
		OutWidth = static_cast<int32_t>(Width);
		OutHeight = static_cast<int32_t>(Height);
		return true;
	}
	int Send(const FCameraSenderOptions& Options)
	{
		FCameraSender Sender;
		std::string Error;
		if (!Sender.Open(Options.To, Error))
		{
			std::fprintf(stderr, "orvane send: %s\n", Error.c_str());
			return 2;
		}
		InstallStopSignals();
		const auto ShouldStop = []()
		{ return GStopRequested.load(); };

		int64_t Sent = 0;
		if (!Options.ReplayPath.empty())
		{
			FPcapReplayOptions Replay;
			Replay.Speed = Options.ReplaySpeed;
			Replay.Port = Options.ReplayPort;
			Replay.bLoop = Options.bReplayLoop;
			FPcapReplayCounts Counts;
			std::string ReplayError;
			const bool bRead = ReplayPcapFile(
				Options.ReplayPath, Replay, ShouldStop, [&](const unsigned char* Payload, uint32_t Length)
				{ Sent += Sender.Send(std::string_view(reinterpret_cast<const char*>(Payload), Length)) ? 1 : 0; },
				Counts, ReplayError);
			std::fprintf(stderr, "orvane send: %lld datagrams sent to %s, %lld refused\n", static_cast<long long>(Sent), Options.To.c_str(), static_cast<long long>(Sender.GetSendFailures()));
			std::fprintf(stderr, "orvane send: replayed %lld of %lld packets; skipped %lld not UDP, %lld to other ports, %lld cut short by the capture\n", static_cast<long long>(Counts.Datagrams), static_cast<long long>(Counts.Packets), static_cast<long long>(Counts.NotUdp),
				static_cast<long long>(Counts.OtherPorts), static_cast<long long>(Counts.CutShort));
			if (!bRead)
			{
				std::fprintf(stderr, "orvane send: %s\n", ReplayError.c_str());
				return 1;
			}
			return Sender.GetSendFailures() > 0 && Sent == 0 ? 1 : 0;
		}
		if (!Options.RawPath.empty())
		{
			if (Options.RawPath == "-")
			{
				Sent = Sender.StreamLines(std::cin, Options, ShouldStop);
			}
			else
			{
				std::ifstream File(Options.RawPath, std::ios::binary);
				if (!File)
				{
					std::fprintf(stderr, "orvane send: cannot read %s\n", Options.RawPath.c_str());
					return 1;
				}
				Sent = Sender.StreamLines(File, Options, ShouldStop);
			}
		}
		else
		{
			Sent = Sender.Stream(Options, ShouldStop);
		}
		std::fprintf(stderr, "orvane send: %lld datagrams sent to %s, %lld refused\n", static_cast<long long>(Sent), Options.To.c_str(), static_cast<long long>(Sender.GetSendFailures()));
		return Sender.GetSendFailures() > 0 && Sent == 0 ? 1 : 0;
	}
}

void AddSendCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	using namespace OrvaneOptions;
	constexpr long long Int32Min = std::numeric_limits<int32_t>::min();
	constexpr long long Int32Max = std::numeric_limits<int32_t>::max();
	const auto Options = std::make_shared<FCameraSenderOptions>();
	CLI::App* Command = Tool.add_subcommand("send", "stream camera messages as the compositing application does, or replay the camera datagrams of a pcap or pcapng file");
	Command->add_option("--to", Options->To, "the IPv4 address and UDP port to send to")->type_name("ADDR:PORT");
	AddParsed(*Command, "--rate", "the timecode rate of the frames", "NUM/DEN, such as 25/1 or 30000/1001", [Options](const std::string& Text)
		{ return ParseRate(Text, Options->RateNumerator, Options->RateDenominator); })
		->type_name("NUM/DEN")
		->default_str("25/1");
	Command->add_option("--fps", Options->Fps, "frames sent per second")->type_name("N")->default_str("the rate")->transform(Number(0.0, 100000.0, "a rate above 0 and up to 100000", true));
	CLI::Option* Frames = Command->add_option("--frames", Options->Frames, "frames to send, -1 until stopped (1 with --action)")->type_name("N")->transform(Integer(-1, Int32Max, "a count (-1 streams until stopped)"));
	Command->add_option("--start-frame", Options->StartFrame, "the first frame number")->type_name("F")->transform(Integer(Int32Min, Int32Max, "a 32-bit frame number"));
	Command->add_option("--version", Options->Version, "the message version; commands need one above 1")->type_name("V")->transform(Number("a number"));
	const auto ReadOffset = [Options](const std::string& Text)
	{
		Options->bHasEvaluationOffset = ParseNumber(Text, Options->EvaluationOffset);
		return Options->bHasEvaluationOffset;
	};
	CLI::Option* Offset = AddParsed(*Command, "--offset", "the evaluation offset in frames or seconds (negative: publish on the game thread)", "a number of frames or seconds (negative: publish on the game thread)", ReadOffset)->type_name("X")->default_str("0");
	Command->add_flag_callback(
			   "--no-offset", [Options]()
			   { Options->bHasEvaluationOffset = false; },
			   "send no evaluation offset")
		->excludes(Offset);
	Command->add_option("--state", Options->State, "the sender's state (1 live, 2 recording)")->type_name("N")->transform(Integer(Int32Min, Int32Max, "an integer (1 live, 2 recording)"));
	Command->add_option("--skip-every", Options->SkipEvery, "leave out one frame number every N frames (0 none)")->type_name("N")->transform(Integer(0, Int32Max, "a count of frames"));
	Command->add_flag_callback(
		"--no-lens", [Options]()
		{ Options->bLens = false; },
		"send no lens data");
	Command->add_flag("--take-metadata", Options->bTakeMetadata, "send take metadata (--slate, --take, --label)");
	Command->add_flag("--local-clock", Options->bLocalClock, "ask the source to stamp frames with its own clock");
	Command->add_flag("--record-control", Options->bRecordControl, "let the sender's state start and stop the take recorder");
	Command->add_flag("--report-skips", Options->bReportSkips, "ask the source to report skipped frame numbers");
	Command->add_flag_callback(
		"--keep-interpolation", [Options]()
		{ Options->bClearInterpolation = false; },
		"leave the source's interpolation as it is");
	Command->add_option("--raw", Options->RawPath, "send each line of this file (- for standard input) as one datagram instead")->type_name("FILE|-");
	Command->add_option("--slate", Options->MetaSlate, "the take metadata's slate")->type_name("S");
	Command->add_option("--take", Options->MetaTake, "the take metadata's take")->type_name("T");
	Command->add_option("--label", Options->MetaLabel, "the take metadata's label")->type_name("L");
	Command->add_option("--action", Options->Action, "an operator command in the first message: 1 play full screen, 2 stop play, 4 capture, 5 pick, 6 render pass of the picked actor")
		->type_name("N")
		->default_str("none")
		->transform(Integer(1, Int32Max, "a command number (1 play, 2 stop, 4 capture, 5 pick, 6 render pass)"));
	const auto ReadParam = [Options](const std::string& Text)
	{
		Options->Param = Text;
		Options->bHasParam = true;
		return true;
	};
	AddParsed(*Command, "--param", "the command's parameter: the capture's file (4), crp_on or crp_off (6)", "a text", ReadParam)->type_name("TEXT")->default_str("not sent");
	const auto ReadScreen = [Options](const std::string& Text)
	{
		Options->bHasScreen = ParsePair(Text, Options->ScreenX, Options->ScreenY);
		return Options->bHasScreen;
	};
	AddParsed(*Command, "--screen", "the picked point of a pick (5), 0..1 each, Y from the top", "X,Y (0..1, Y from the top)", ReadScreen)->type_name("X,Y")->default_str("not sent");
	Command->add_option("--capture-mode", Options->CaptureMode, "the capture's mode (4): 0 flat, 1 360")->type_name("0|1")->transform(Integer(0, 1, "0 (flat) or 1 (360)"));
	AddParsed(*Command, "--image", "the capture's image size in pixels (4)", "W,H in pixels", [Options](const std::string& Text)
		{ return ParseImageSize(Text, Options->ImageWidth, Options->ImageHeight); })
		->type_name("W,H")
		->default_str("1920,1080");
	Command->add_option("--overscan", Options->FovOverscan, "the capture's field-of-view overscan (4)")->type_name("F")->transform(Number("a number"));
	Command->add_flag("--include-rotation", Options->bIncludeRotation, "the capture includes the camera's rotation (4)");
	Command->add_option("--replay", Options->ReplayPath, "send the UDP payloads of this pcap or pcapng file with their recorded spacing instead")->type_name("FILE")->transform(NotEmpty("a pcap or pcapng file"));
	Command->add_option("--speed", Options->ReplaySpeed, "the recorded spacing is divided by X; 0 sends as fast as possible")->type_name("X")->transform(Number(0.0, 1000.0, "a factor from 0 (as fast as possible) to 1000"));
	Command->add_option("--port", Options->ReplayPort, "replay only the datagrams to this port (0 every port)")->type_name("P")->transform(Integer(0, 65535, "a UDP port (0: every port)"));
	Command->add_flag("--loop", Options->bReplayLoop, "replay the file again and again until stopped");
	Command->callback([Options, Frames, &OutCommand]()
		{
			// A command is a one-shot: unless asked for a stream, send the one message that carries it.
			if (Options->Action != 0 && Frames->count() == 0)
			{
				Options->Frames = 1;
			}
			if (!Options->ReplayPath.empty() && (!Options->RawPath.empty() || Options->Action != 0))
			{
				throw CLI::ValidationError("--replay sends the recording as it is: it takes neither --raw nor --action", CLI::ExitCodes::ValidationError);
			}
			if (Options->Action != 0 && Options->Version <= 1.0)
			{
				throw CLI::ValidationError("commands need --version above 1", CLI::ExitCodes::ValidationError);
			}
			OutCommand = [Options]()
			{ return Send(*Options); }; });
}
