// Copyright Kelmora. All Rights Reserved.
// orvane: the plug-in's code run from the command line in the headless host.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Modules/ModuleManager.h"

#include <cstdio>
#include <string>

void PrintUsage()
{
	std::fputs("usage: orvane <command> [arguments]\n"
			   "\n"
			   "commands:\n"
			   "  decode FILE|-   decode one camera datagram (a file, or - for standard input) and print\n"
			   "                  one JSON line per camera member: {\"setup\":{...},\"pose\":{...},\"action\":{...}}\n"
			   "  send [options]  stream camera messages as the compositing application does:\n"
			   "                  --to ADDR:PORT (127.0.0.1:9001)  --rate NUM/DEN (25/1)  --fps N (the rate)\n"
			   "                  --frames N (250, -1 until stopped)  --start-frame F (0)  --version V (2)\n"
			   "                  --offset X (0) | --no-offset  --state N (1)  --skip-every N (0)\n"
			   "                  --no-lens --take-metadata --local-clock --record-control --report-skips\n"
			   "                  --keep-interpolation  --raw FILE|- (one datagram per line instead)\n",
		stderr);
}

int main(int ArgC, char** ArgV)
{
	if (ArgC < 2)
	{
		PrintUsage();
		return 2;
	}
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
	const std::string Command = ArgV[1];
	int Result = 2;
	if (Command == "decode")
	{
		Result = RunDecode(ArgC, ArgV);
	}
	else if (Command == "send")
	{
		Result = RunSend(ArgC, ArgV);
	}
	else
	{
		PrintUsage();
	}
	std::fflush(stdout);
	FModuleManager::Get().UnloadModulesAtShutdown();
	return Result;
}
