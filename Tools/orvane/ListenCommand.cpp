// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"
#include "ListenScene.h"
#include "LiveLinkListener.h"
#include "ToolArguments.h"

#include <chrono>
#include <cstdio>
#include <memory>
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
	int Listen(const FListenOptions& Options)
	{
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
}

void AddListenCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	const auto Options = std::make_shared<FListenOptions>();
	CLI::App* Command = Tool.add_subcommand("listen", "run the camera source in the headless Live Link client, ticked on this thread, and print its status, every static-data push, frame and log line");
	Command->add_option("--endpoint", Options->Endpoint, "the IPv4 address and UDP port the source binds")->type_name("ADDR:PORT")->transform(OrvaneOptions::NotEmpty("an IPv4 address and port (ADDR:PORT)"));
	Command->add_option("--tick-hz", Options->TickHz, "how often the client and the source are ticked, per second")->type_name("N")->transform(OrvaneOptions::Number(1.0, 1000.0, "a rate from 1 to 1000"));
	Command->add_option("--duration", Options->Duration, "seconds to listen")->type_name("SECONDS")->default_str("until SIGINT or SIGTERM")->transform(OrvaneOptions::Number(0.0, 31536000.0, "a number of seconds above 0 (up to a year)", true));
	Command->add_flag("--jsonl", Options->bJsonLines, "print one JSON object a line");
	CLI::Option* Scene = Command->add_option("--scene", Options->SceneFile, "first build a headless editor level from this scene file and run the source in it, one editor frame a tick")->type_name("FILE.json")->transform(OrvaneOptions::NotEmpty("a scene file (JSON)"));
	Command->add_flag("--play", Options->bPlay, "start a play session at once (with --scene)");
	Command->add_flag_callback(
		"--no-take-recorder", [Options]()
		{ Options->bTakeRecorder = false; },
		"keep the take recorder closed (with --scene)");
	Command->add_flag("--health", Options->bHealth, "print the source's link health once a second");
	Command->callback([Options, Scene, &OutCommand]()
		{
			if (Scene->count() == 0 && (Options->bPlay || !Options->bTakeRecorder))
			{
				throw CLI::ValidationError("--play and --no-take-recorder need --scene", CLI::ExitCodes::ValidationError);
			}
			OutCommand = [Options]()
			{ return Listen(*Options); }; });
}
