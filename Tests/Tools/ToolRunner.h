// Copyright Kelmora. All Rights Reserved.
// Runs the built orvane tool from the tool tests.
#pragma once

#include <array>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>

namespace OrvaneToolTest
{
	/** What one run of the tool printed and how it ended. */
	struct FToolRun
	{
		int ExitCode = -1;
		std::string Output;
		std::string Errors;
	};

	/**
	 * Runs `orvane <Arguments>` through the shell, cut off after TimeoutSeconds so that a hung tool fails the
	 * test instead of stalling it. Standard error goes to ErrorPath and is read back apart from standard output.
	 */
	inline FToolRun RunTool(const std::string& Arguments, const std::string& ErrorPath, int TimeoutSeconds = 30)
	{
		FToolRun Result;
		const std::string Command = "timeout -s KILL " + std::to_string(TimeoutSeconds) + " " + ORVANE_TOOL_PATH + " " + Arguments + " 2>'" + ErrorPath + "'";
		FILE* Pipe = popen(Command.c_str(), "r");
		if (!Pipe)
		{
			return Result;
		}
		std::array<char, 4096> Buffer;
		size_t Read = 0;
		while ((Read = fread(Buffer.data(), 1, Buffer.size(), Pipe)) > 0)
		{
			Result.Output.append(Buffer.data(), Read);
		}
		const int Status = pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		std::ifstream Errors(ErrorPath, std::ios::binary);
		Result.Errors.assign(std::istreambuf_iterator<char>(Errors), std::istreambuf_iterator<char>());
		return Result;
	}
}
