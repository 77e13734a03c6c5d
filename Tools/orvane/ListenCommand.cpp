// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"
#include "ListenScene.h"
#include "LiveLinkListener.h"
#include "ToolArguments.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace
{
	struct FListenOptions
	{
		std::string Endpoint = "0.0.0.0:9001";
		double TickHz = 60.0;
		/** Seconds to listen; 0 listens until stopped. */
		double Duration = 0.0;
		bool bJsonLines = false;
		/** The scene file that builds the headless editor's level; empty runs the source without an editor. */
		std::string SceneFile;
		bool bPlay = false;
		bool bTakeRecorder = true;
		/** Prints the link health once a second. */
		bool bHealth = false;
	};

	bool Fail(const std::string& Message)
	{
		std::fprintf(stderr, "orvane listen: %s\n", Message.c_str());
		return false;
	}

	bool ParseListenOptions(int ArgC, char** ArgV, FListenOptions& Options)
	{
		for (int Index = 2; Index < ArgC; ++Index)
		{
			const std::string Option = ArgV[Index];
			std::string Text;
			auto Value = [&]()
			{
				if (Index + 1 >= ArgC)
				{
					return Fail(Option + " needs a value");
				}
				Text = ArgV[++Index];
				return true;
			};
			if (Option == "--endpoint")
			{
				if (!Value())
				{
					return false;
				}
				Options.Endpoint = Text;
			}
			else if (Option == "--tick-hz")
			{
				if (!Value() || !ParseNumber(Text, Options.TickHz) || Options.TickHz < 1.0 || Options.TickHz > 1000.0)
				{
					return Fail("--tick-hz takes a rate from 1 to 1000");
				}
			}
			else if (Option == "--duration")
			{
				if (!Value() || !ParseNumber(Text, Options.Duration) || Options.Duration <= 0.0 || Options.Duration > 31536000.0)
				{
					return Fail("--duration takes a number of seconds above 0 (up to a year)");
				}
			}
			else if (Option == "--jsonl")
			{
				Options.bJsonLines = true;
			}
			else if (Option == "--scene")
			{
				if (!Value() || Text.empty())
				{
					return Fail("--scene takes a scene file (JSON)");
				}
				Options.SceneFile = Text;
			}
			else if (Option == "--play")
			{
				Options.bPlay = true;
			}
			else if (Option == "--no-take-recorder")
			{
				Options.bTakeRecorder = false;
			}
			else if (Option == "--health")
			{
				Options.bHealth = true;
			}
			else
			{
				return Fail("unknown option " + Option);
			}
		}
		if (Options.SceneFile.empty() && (Options.bPlay || !Options.bTakeRecorder))
		{
			return Fail("--play and --no-take-recorder need --scene");
		}
		return true;
	}
}

int RunListen(int ArgC, char** ArgV)
{
	FListenOptions Options;
	if (!ParseListenOptions(ArgC, ArgV, Options))
	{
		PrintUsage();
		return 2;
	}
	FListenScene Scene;
	if (!Options.SceneFile.empty())
	{
		std::string Error;
		if (!LoadListenScene(Options.SceneFile, Scene, Error))
		{
			Fail(Error);
			return 2;
		}
	}
	InstallStopSignals();

	FLiveLinkListener Listener(Options.bJsonLines, false);
	// Made before the listener's log device goes, after the listener: its lines print through the listener.
	FListenEditor Editor(Options.bJsonLines, [&Listener](const FString& Line)
		{ Listener.WriteLine(Line); });
	switch (Listener.Open(UTF8_TO_TCHAR(Options.Endpoint.c_str())))
	{
	case FLiveLinkListener::EOpenResult::BadEndpoint:
		Fail("'" + Options.Endpoint + "' is not an IPv4 address and port (ADDR:PORT)");
		PrintUsage();
		return 2;
	case FLiveLinkListener::EOpenResult::NoClient:
		Fail("the LiveLink module registered no client");
		return 1;
	case FLiveLinkListener::EOpenResult::NotListening:
		Listener.PrintStatus();
		Fail("cannot receive on " + Options.Endpoint + " (no such local address, or the port is taken)");
		return 2;
	case FLiveLinkListener::EOpenResult::Listening:
		break;
	}
	Listener.PrintStatus();
	if (!Options.SceneFile.empty())
	{
		std::string Error;
		if (!Editor.Start(Scene, Options.bTakeRecorder, Error))
		{
			Fail(Error);
			return 1;
		}
		if (Options.bPlay)
		{
			Editor.RequestPlay();
		}
		Listener.SetFrameTick([&Editor](float DeltaSeconds)
			{ Editor.Tick(DeltaSeconds); });
	}
	Listener.SetHealthLines(Options.bHealth);
	Listener.Start();

	const auto Deadline = std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(Options.Duration));
	const bool bTimed = Options.Duration > 0.0;
	Listener.TickUntil(Options.TickHz, [&]()
		{ return GStopRequested.load() || (bTimed && std::chrono::steady_clock::now() >= Deadline); });
	Listener.Close();
	Editor.Stop();
	Listener.PrintSummary();
	return 0;
}
