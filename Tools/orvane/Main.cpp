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
			   "                  one JSON line per camera member: {\"setup\":{...},\"pose\":{...},\"action\":{...}}\n",
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
	else
	{
		PrintUsage();
	}
	std::fflush(stdout);
	FModuleManager::Get().UnloadModulesAtShutdown();
	return Result;
}
