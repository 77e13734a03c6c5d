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
#include <string>

namespace
{
	bool Fail(const std::string& Message)
	{
		std::fprintf(stderr, "orvane send: %s\n", Message.c_str());
		return false;
	}

	/** "X,Y" as two finite numbers. */
	bool ParsePair(const std::string& Text, double& OutFirst, double& OutSecond)
	{
		const size_t Comma = Text.find(',');
		return Comma != std::string::npos && ParseNumber(Text.substr(0, Comma), OutFirst) && ParseNumber(Text.substr(Comma + 1), OutSecond) && std::isfinite(OutFirst) && std::isfinite(OutSecond);
	}

	bool ParseSendOptions(int ArgC, char** ArgV, FCameraSenderOptions& Options)
	{
		bool bFramesGiven = false;
		for (int Index = 2; Index < ArgC; ++Index)
		{
			const std::string Option = ArgV[Index];
			auto Value = [&](std::string& Out)
			{
				if (Index + 1 >= ArgC)
				{
					return Fail(Option + " needs a value");
				}
				Out = ArgV[++Index];
				return true;
			};
			std::string Text;
			long long Integer = 0;
			double Number = 0.0;
			if (Option == "--to")
			{
				if (!Value(Options.To))
				{
					return false;
				}
			}
			else if (Option == "--fps")
			{
				if (!Value(Text) || !ParseNumber(Text, Number) || Number <= 0.0 || Number > 100000.0)
				{
					return Fail("--fps takes a rate above 0 and up to 100000");
				}
				Options.Fps = Number;
			}
			else if (Option == "--frames")
			{
				if (!Value(Text) || !ParseInteger(Text, -1, std::numeric_limits<int32_t>::max(), Integer))
				{
					return Fail("--frames takes a count (-1 streams until stopped)");
				}
				Options.Frames = Integer;
				bFramesGiven = true;
			}
			else if (Option == "--start-frame")
			{
				if (!Value(Text) || !ParseInteger(Text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), Integer))
				{
					return Fail("--start-frame takes a 32-bit frame number");
				}
				Options.StartFrame = static_cast<int32_t>(Integer);
			}
			else if (Option == "--rate")
			{
				if (!Value(Text) || !ParseRate(Text, Options.RateNumerator, Options.RateDenominator))
				{
					return Fail("--rate takes NUM/DEN, such as 25/1 or 30000/1001");
				}
			}
			else if (Option == "--version")
			{
				if (!Value(Text) || !ParseNumber(Text, Options.Version))
				{
					return Fail("--version takes a number");
				}
			}
			else if (Option == "--offset")
			{
				if (!Value(Text) || !ParseNumber(Text, Options.EvaluationOffset))
				{
					return Fail("--offset takes a number of frames or seconds (negative: publish on the game thread)");
				}
				Options.bHasEvaluationOffset = true;
			}
			else if (Option == "--state")
			{
				if (!Value(Text) || !ParseInteger(Text, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max(), Integer))
				{
					return Fail("--state takes an integer (1 live, 2 recording)");
				}
				Options.State = static_cast<int32_t>(Integer);
			}
			else if (Option == "--skip-every")
			{
				if (!Value(Text) || !ParseInteger(Text, 0, std::numeric_limits<int32_t>::max(), Integer))
				{
					return Fail("--skip-every takes a count of frames");
				}
				Options.SkipEvery = static_cast<int32_t>(Integer);
			}
			else if (Option == "--raw")
			{
				if (!Value(Options.RawPath))
				{
					return false;
				}
			}
			else if (Option == "--replay")
			{
				if (!Value(Options.ReplayPath) || Options.ReplayPath.empty())
				{
					return Fail("--replay takes a pcap or pcapng file");
				}
			}
			else if (Option == "--speed")
			{
				if (!Value(Text) || !ParseNumber(Text, Options.ReplaySpeed) || Options.ReplaySpeed < 0.0 || Options.ReplaySpeed > 1000.0)
				{
					return Fail("--speed takes a factor from 0 (as fast as possible) to 1000");
				}
			}
			else if (Option == "--port")
			{
				if (!Value(Text) || !ParseInteger(Text, 0, 65535, Integer))
				{
					return Fail("--port takes a UDP port (0: every port)");
				}
				Options.ReplayPort = static_cast<int32_t>(Integer);
			}
			else if (Option == "--loop")
			{
				Options.bReplayLoop = true;
			}
			else if (Option == "--action")
			{
				if (!Value(Text) || !ParseInteger(Text, 1, std::numeric_limits<int32_t>::max(), Integer))
				{
					return Fail("--action takes a command number (1 play, 2 stop, 4 capture, 5 pick, 6 render pass)");
				}
				Options.Action = static_cast<int32_t>(Integer);
			}
			else if (Option == "--param")
			{
				if (!Value(Options.Param))
				{
					return false;
				}
				Options.bHasParam = true;
			}
			else if (Option == "--screen")
			{
				if (!Value(Text) || !ParsePair(Text, Options.ScreenX, Options.ScreenY))
				{
					return Fail("--screen takes X,Y (0..1, Y from the top)");
				}
				Options.bHasScreen = true;
			}
			else if (Option == "--capture-mode")
			{
				if (!Value(Text) || !ParseInteger(Text, 0, 1, Integer))
				{
					return Fail("--capture-mode takes 0 (flat) or 1 (360)");
				}
				Options.CaptureMode = static_cast<int32_t>(Integer);
			}
			else if (Option == "--image")
			{
				double Width = 0.0;
				double Height = 0.0;
				if (!Value(Text) || !ParsePair(Text, Width, Height) || Width != std::floor(Width) || Height != std::floor(Height) || std::fabs(Width) > 2147483647.0 || std::fabs(Height) > 2147483647.0)
				{
					return Fail("--image takes W,H in pixels");
				}
				Options.ImageWidth = static_cast<int32_t>(Width);
				Options.ImageHeight = static_cast<int32_t>(Height);
			}
			else if (Option == "--overscan")
			{
				if (!Value(Text) || !ParseNumber(Text, Options.FovOverscan))
				{
					return Fail("--overscan takes a number");
				}
			}
			else if (Option == "--include-rotation")
			{
				Options.bIncludeRotation = true;
			}
			else if (Option == "--slate" || Option == "--take" || Option == "--label")
			{
				if (!Value(Option == "--slate" ? Options.MetaSlate : Option == "--take" ? Options.MetaTake
																						: Options.MetaLabel))
				{
					return false;
				}
			}
			else if (Option == "--no-offset")
			{
				Options.bHasEvaluationOffset = false;
			}
			else if (Option == "--no-lens")
			{
				Options.bLens = false;
			}
			else if (Option == "--take-metadata")
			{
				Options.bTakeMetadata = true;
			}
			else if (Option == "--local-clock")
			{
				Options.bLocalClock = true;
			}
			else if (Option == "--record-control")
			{
				Options.bRecordControl = true;
			}
			else if (Option == "--report-skips")
			{
				Options.bReportSkips = true;
			}
			else if (Option == "--keep-interpolation")
			{
				Options.bClearInterpolation = false;
			}
			else
			{
				return Fail("unknown option " + Option);
			}
		}
		// A command is a one-shot: unless asked for a stream, send the one message that carries it.
		if (Options.Action != 0 && !bFramesGiven)
		{
			Options.Frames = 1;
		}
		if (!Options.ReplayPath.empty() && (!Options.RawPath.empty() || Options.Action != 0))
		{
			return Fail("--replay sends the recording as it is: it takes neither --raw nor --action");
		}
		if (Options.Action != 0 && Options.Version <= 1.0)
		{
			return Fail("commands need --version above 1");
		}
		return true;
	}
}

int RunSend(int ArgC, char** ArgV)
{
	FCameraSenderOptions Options;
	if (!ParseSendOptions(ArgC, ArgV, Options))
	{
		PrintUsage();
		return 2;
	}
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
		const bool bRead = ReplayPcapFile(Options.ReplayPath, Replay, ShouldStop, [&](const unsigned char* Payload, uint32_t Length)
			{ Sent += Sender.Send(std::string_view(reinterpret_cast<const char*>(Payload), Length)) ? 1 : 0; }, Counts, ReplayError);
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
