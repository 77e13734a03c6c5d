// Copyright Kelmora. All Rights Reserved.
// orvane: the plug-in's code run from the command line in the headless host.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"
#include "ToolArguments.h"

#include <cstdio>
#include <string>

void PrintUsage(FILE* Stream)
{
	std::fputs("usage: orvane <command> [arguments]\n"
			   "       orvane <command> --help   each option of a command, with its meaning and default\n"
			   "       orvane --version          the plug-in's version\n"
			   "\n"
			   "commands:\n"
			   "  decode FILE|-   decode one camera datagram (a file, or - for standard input) and print\n"
			   "                  one JSON line per camera member: {\"setup\":{...},\"pose\":{...},\"action\":{...}}\n"
			   "  send [options]  stream camera messages as the compositing application does:\n"
			   "                  --to ADDR:PORT (127.0.0.1:9001)  --rate NUM/DEN (25/1)  --fps N (the rate)\n"
			   "                  --frames N (250, -1 until stopped)  --start-frame F (0)  --version V (2)\n"
			   "                  --offset X (0) | --no-offset  --state N (1)  --skip-every N (0)\n"
			   "                  --no-lens --take-metadata --local-clock --record-control --report-skips\n"
			   "                  --keep-interpolation  --raw FILE|- (one datagram per line instead)\n"
			   "                  --slate S --take T --label L (take metadata, with --take-metadata or --record-control)\n"
			   "                  --action N: an operator command in the first message (then --frames defaults to 1):\n"
			   "                    1 play full screen, 2 stop play, 4 capture (--param FILE, --capture-mode 0|1,\n"
			   "                    --image W,H (1920,1080), --overscan F (1), --include-rotation), 5 pick\n"
			   "                    (--screen X,Y, Y from the top), 6 render pass of the picked actor (--param crp_on|crp_off)\n"
			   "                  --replay FILE [--to ADDR:PORT] [--speed X (1, 0 as fast as possible)] [--loop]\n"
			   "                  [--port P (9001, 0 every port)]: send the UDP payloads to port P of a pcap or\n"
			   "                  pcapng file (Ethernet, loopback, Linux cooked or raw IP; IPv4 and IPv6) with their\n"
			   "                  recorded spacing divided by X; other packets are skipped and counted. Exits 1 when\n"
			   "                  the file is not a capture file or is malformed or truncated.\n"
			   "  record OUT.pcap [--endpoint ADDR:PORT (0.0.0.0:9001)] [--duration SECONDS] [--interface IF]\n"
			   "                  bind the endpoint as the camera source does and write every datagram received, with\n"
			   "                  its arrival time, to OUT.pcap as an IPv4/UDP packet (until SIGINT or SIGTERM). With\n"
			   "                  --interface, capture the endpoint's datagrams on that interface instead (needs capture\n"
			   "                  permission), which also sees what a running editor's socket takes.\n"
			   "  listen [options] run the camera source in the headless Live Link client, ticked on this thread,\n"
			   "                  and print its status, every static-data push, frame and log line:\n"
			   "                  --endpoint ADDR:PORT (0.0.0.0:9001)  --tick-hz N (60)\n"
			   "                  --duration SECONDS (until SIGINT or SIGTERM)  --jsonl (one JSON object a line)\n"
			   "                  JSON lines: {\"type\":\"status\",\"status\":...,\"endpoint\":...} first, then\n"
			   "                  {\"type\":\"static\",\"subject\":...,\"filmback\":[w,h]}\n"
			   "                  {\"type\":\"frame\",\"subject\":...,\"frame\":F,\"subframe\":x,\"rate\":[num,den],\n"
			   "                   \"location\":[x,y,z],\"rotation\":[x,y,z,w],\"scale\":[x,y,z],\"lens\":{\"focalLength\":...,\n"
			   "                   \"focusDistance\":...,\"aspectRatio\":...,\"fieldOfView\":...}}\n"
			   "                  {\"type\":\"log\",\"category\":...,\"verbosity\":...,\"message\":...}\n"
			   "                  frame, subframe and rate are null when the frame's scene time equals the default one\n"
			   "                  (frame 0 at 60/1), lens is null when all four lens values equal the defaults (no lens\n"
			   "                  data); numbers read back to the values received. Exits 2 when the endpoint does not\n"
			   "                  parse or cannot be bound (status \"Device Not Found\").\n"
			   "                  --scene FILE.json: first build a headless editor level (camera location, rotation [pitch,\n"
			   "                  yaw,roll], fov; viewport [w,h]; actors with label, location, rotation, scale, box half\n"
			   "                  extents, customDepth, blocksVisibility) and run the source in it, one editor frame a tick;\n"
			   "                  --play starts a play session at once, --no-take-recorder keeps the take recorder closed.\n"
			   "                  Then also {\"type\":\"editor\",\"playing\":b,\"window\":...,\"immersive\":b},\n"
			   "                  {\"type\":\"take\",\"recording\":b,\"slate\":...,\"take\":N} (at start and on change) and\n"
			   "                  {\"type\":\"share\",\"engineFrame\":N,\"data\":{...}} for each TextureShare custom-data send.\n"
			   "                  A scene file that does not read exits 2.\n"
			   "                  --health: once a second {\"type\":\"health\",\"received\":N,\"decoded\":N,\"refused\":N,\"rateHz\":x,\n"
			   "                  \"jitterMs\":x,\"gaps\":N,\"repeats\":N,\"lastPacketAgeMs\":x} (null before the first datagram).\n"
			   "                  Last (once listening): {\"type\":\"summary\",\"received\":N,\"decoded\":N,\"refused\":N,\"pushed\":N}\n"
			   "                  (datagrams received, decoded to a camera, decoded to nothing; frames pushed to the client).\n"
			   "  demo            stream three seconds of the built-in camera move to the source on a free loopback\n"
			   "                  port, print each frame published and a summary: datagrams sent, frames published,\n"
			   "                  skips and send-to-publish latency. Exits 1 unless every datagram was published.\n"
			   "  capture OUT [--eq] [--format png|jpeg|exr|hdr] [--width W] [--height H] [--hdr|--no-hdr]\n"
			   "                  [--overscan F] [--include-rotation] [--location X,Y,Z] [--rotation PITCH,YAW,ROLL]\n"
			   "                  [--fov DEG] [--no-camera-component]\n"
			   "                  place the virtual-production camera (field of view 90 unless --fov) in a headless\n"
			   "                  editor level and capture a flat still (1920 x 1080, overscan 1) or with --eq a\n"
			   "                  panorama of 4 x W by 2 x W into OUT. Format and HDR default by OUT's extension\n"
			   "                  (.png, .jpg: HDR off; .hdr: HDR; others: EXR with HDR). The host renders a fixed\n"
			   "                  analytic sky. Prints {\"file\",\"width\",\"height\",\"format\",\"target\":{\"format\",\n"
			   "                  \"gamma\",\"forceLinearGamma\"},\"fov\" (flat only)}; exits 1 with the logged errors when\n"
			   "                  nothing was written, 2 on bad arguments.\n"
			   "  content [--project DIR] [--rebuild]\n"
			   "                  make the plug-in's content under /Orvane/ (Plugins/Orvane/Content/ of the headless\n"
			   "                  project DIR, default ./HeadlessProject) as the editor module does when it starts:\n"
			   "                  whatever is missing, or with --rebuild everything anew. Prints one JSON document\n"
			   "                  {\"assets\":[{\"path\",\"class\",\"parent\",\"variables\":[{\"name\",\"type\",\"class\"}],\n"
			   "                  \"components\":[{\"name\",\"class\",\"subject\",\"role\"}],\"parameters\":[{\"name\",\"type\"}],\n"
			   "                  \"domain\"}]} (members only where they apply). Exits 1 with the logged failures when an\n"
			   "                  asset could not be made or saved, 2 on bad arguments.\n"
			   "  stage convert FILE [--no-icvfx] [--project DIR]\n"
			   "                  write the nDisplay configuration of a stage beside it (FILE.ndisplay, blanks and\n"
			   "                  hyphens of the name as underscores) and save the wall meshes into the headless\n"
			   "                  project DIR (default: OrvaneProject beside the stage file); prints the written path\n"
			   "  stage import FILE [--no-icvfx] [--project DIR]\n"
			   "                  run the setup dialog's stage import in the headless editor of project DIR: a\n"
			   "                  virtual-production camera (with Live Link source and preset unless the project has\n"
			   "                  a startup preset), the nDisplay blueprint with wall meshes and ICVFX camera, saved\n"
			   "                  and placed in the level, the camera linked and attached. Log lines on standard\n"
			   "                  error, then a summary: saved assets, level actors, the camera's preset and link.\n"
			   "                  Exits 1 with the first failing message: the stage cannot be converted or imported,\n"
			   "                  or a later step (a save, the link) logged an error.\n"
			   "  stage inspect FILE [--meshes]\n"
			   "                  read a stage file and print its records as one JSON line: StageName, Description,\n"
			   "                  WallCount, MeshCount, MappingCount, Walls, Meshes, Mappings (record field names, in\n"
			   "                  that order); --meshes adds each mesh's Vertices, UVs and Faces arrays. Numbers read\n"
			   "                  back to the values read, non-finite ones are \"inf\", \"-inf\", \"nan\". Then one\n"
			   "                  \"warning: \" line each on standard error for what the import would get wrong: walls\n"
			   "                  without a mesh, empty or clashing labels, unused meshes, zero resolutions, bad faces,\n"
			   "                  non-finite numbers. Exits 1 with the reader's message when the file cannot be read.\n"
			   "  stage preview FILE -o OUT.svg|OUT.png [--size W,H (1600,900)] [--no-icvfx]\n"
			   "                  draw a top view (X forward, Y right) and a front view (Y right, Z up) of the walls as\n"
			   "                  the import places them (mesh walls from their transformed vertices, screen walls as\n"
			   "                  the nDisplay screens), each labelled, with the axes, the inspect warnings in red\n"
			   "                  beside their walls, and the nDisplay canvas with every viewport's region, name and\n"
			   "                  policy type. SVG keeps labels as text elements; prints the written path. Exits 1 when\n"
			   "                  the stage cannot be read or converted or the file cannot be written.\n"
			   "  setup full [--endpoint ADDR:PORT] [--preset NAME] [--alpha] [--project DIR]\n"
			   "  setup camera [--ndisplay] [--project DIR]\n"
			   "                  open the setup dialog in the headless editor of project DIR (default: OrvaneProject\n"
			   "                  in the working directory), fill its fields, press \"Full Setup\" or \"Camera Only\" and\n"
			   "                  run the editor until the delayed steps have fired. Log lines on standard error, then\n"
			   "                  a summary: saved assets, level actors, the camera's preset and parent, the startup\n"
			   "                  preset, the default game mode, the notifications and on-screen messages. --ndisplay\n"
			   "                  ticks \"Add nDisplay to Level\" even when the dialog greyed it out. Exits 1 on a failure\n"
			   "                  notification or a logged error (the first is repeated on standard error), 2 on bad\n"
			   "                  arguments.\n"
			   "  ui [--project DIR]\n"
			   "                  start the editor module and the tool menus, open the setup dialog through the\n"
			   "                  toolbar button and print {\"toolbar\":{\"menu\",\"section\",\"name\",\"widget\"},\n"
			   "                  \"dialog\":{\"title\",\"widget\"}}: each widget as {\"type\",\"enabled\",\"children\"} with\n"
			   "                  \"checked\", \"text\", \"hint\", \"tooltip\", \"style\", \"brush\", \"font\", \"width\",\n"
			   "                  \"padding\" and \"slotPadding\" where the widget has them.\n",
		Stream);
}

namespace
{
	/** The words of the command the parse reached, such as "orvane stage preview". */
	std::string ChosenCommand(const CLI::App& Tool, const CLI::App*& OutCommand)
	{
		std::string Words = "orvane";
		OutCommand = &Tool;
		for (std::vector<CLI::App*> Chosen = Tool.get_subcommands(); !Chosen.empty(); Chosen = Chosen.front()->get_subcommands())
		{
			OutCommand = Chosen.front();
			Words += " " + OutCommand->get_name();
		}
		return Words;
	}

	/** CLI11 puts the option's name before its check's answer as "--fps: takes ..."; the tool has always said "--fps takes ...". */
	std::string MessageOf(const CLI::ParseError& Error)
	{
		std::string Message = Error.what();
		const size_t Colon = Message.find(": takes ");
		if (Message.rfind("-", 0) == 0 && Colon != std::string::npos && Message.find(' ') == Colon + 1)
		{
			Message.erase(Colon, 1);
		}
		return Message;
	}

	/**
	 * Parses the command line into the command to run; false with the exit code when there is none to run: 0
	 * after the help or the version, 2 after the complaint and the usage on standard error.
	 */
	bool ParseCommandLine(int ArgC, char** ArgV, FToolCommand& OutCommand, int& OutExitCode)
	{
		CLI::App Tool("The plug-in's code run from the command line in the headless host.", "orvane");
		Tool.set_version_flag("--version", ORVANE_PLUGIN_VERSION_NAME, "print the plug-in's version (its VersionName) and exit");
		Tool.require_subcommand(1);
		// Every command inherits these: a repeated option keeps its last value, and the help shows each default.
		Tool.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)->always_capture_default();

		AddDecodeCommand(Tool, OutCommand);
		AddSendCommand(Tool, OutCommand);
		AddRecordCommand(Tool, OutCommand);
		AddListenCommand(Tool, OutCommand);
		AddDemoCommand(Tool, OutCommand);
		AddCaptureCommand(Tool, OutCommand);
		CLI::App* Stage = Tool.add_subcommand("stage", "read, convert, import or draw a stage file (.orvs)");
		Stage->require_subcommand(1);
		AddStageInspectCommand(*Stage, OutCommand);
		AddStageConvertCommand(*Stage, OutCommand);
		AddStageImportCommand(*Stage, OutCommand);
		AddStagePreviewCommand(*Stage, OutCommand);
		AddSetupCommand(Tool, OutCommand);
		AddUiCommand(Tool, OutCommand);
		AddContentCommand(Tool, OutCommand);

		try
		{
			Tool.parse(ArgC, ArgV);
			OutExitCode = 0;
			return static_cast<bool>(OutCommand);
		}
		catch (const CLI::CallForVersion& Version)
		{
			std::printf("%s\n", Version.what());
			OutExitCode = 0;
		}
		catch (const CLI::ParseError& Error)
		{
			const CLI::App* Command = nullptr;
			const std::string Words = ChosenCommand(Tool, Command);
			if (Error.get_exit_code() == static_cast<int>(CLI::ExitCodes::Success))
			{
				// The tool's own help is its usage; a command's help is CLI11's list of its options.
				if (Command == &Tool)
				{
					PrintUsage(stdout);
				}
				else
				{
					std::fputs(Tool.help().c_str(), stdout);
				}
				OutExitCode = 0;
				return false;
			}
			// A command word CLI11 does not know is left over as an argument it could not place.
			const std::vector<std::string> LeftOver = Command->remaining();
			if (Command->get_require_subcommand_min() > 0 && !LeftOver.empty())
			{
				std::fprintf(stderr, "%s: unknown command %s\n", Words.c_str(), LeftOver.front().c_str());
			}
			else
			{
				std::fprintf(stderr, "%s: %s\n", Words.c_str(), MessageOf(Error).c_str());
			}
			if (Words == "orvane capture")
			{
				PrintCaptureUsage();
			}
			else
			{
				PrintUsage(stderr);
			}
			OutExitCode = 2;
		}
		return false;
	}
}

int main(int ArgC, char** ArgV)
{
	if (ArgC < 2)
	{
		PrintUsage(stderr);
		return 2;
	}
	FToolCommand Command;
	int Result = 2;
	if (!ParseCommandLine(ArgC, ArgV, Command, Result))
	{
		return Result;
	}
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
	Result = Command();
	std::fflush(stdout);
	FModuleManager::Get().UnloadModulesAtShutdown();
	return Result;
}
