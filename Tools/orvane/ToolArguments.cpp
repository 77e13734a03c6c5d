// Copyright Kelmora. All Rights Reserved.
#include "ToolArguments.h"

#include "Commands.h"
#include "LogCapture.h"
#include "Misc/Paths.h"

#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>

std::atomic<bool> GStopRequested{false};

namespace
{
	void HandleStopSignal(int)
	{
		GStopRequested.store(true);
	}
}

void InstallStopSignals()
{
	struct sigaction Action = {};
	Action.sa_handler = &HandleStopSignal;
	sigemptyset(&Action.sa_mask);
	sigaction(SIGINT, &Action, nullptr);
	sigaction(SIGTERM, &Action, nullptr);
}

bool ParseNumber(const std::string& Text, double& OutValue)
{
	if (Text.empty() || Text.size() > 64)
	{
		return false;
	}
	char* End = nullptr;
	errno = 0;
	const double Value = std::strtod(Text.c_str(), &End);
	if (errno != 0 || End != Text.c_str() + Text.size() || !std::isfinite(Value))
	{
		return false;
	}
	OutValue = Value;
	return true;
}

bool ParseInteger(const std::string& Text, long long Min, long long Max, long long& OutValue)
{
	if (Text.empty() || Text.size() > 20)
	{
		return false;
	}
	char* End = nullptr;
	errno = 0;
	const long long Value = std::strtoll(Text.c_str(), &End, 10);
	if (errno != 0 || End != Text.c_str() + Text.size() || Value < Min || Value > Max)
	{
		return false;
	}
	OutValue = Value;
	return true;
}

bool ParseStageCommandArguments(int ArgC, char** ArgV, const char* Command, FStageCommandArguments& Out)
{
	std::string StagePath;
	std::string ProjectDir;
	for (int Index = 3; Index < ArgC; ++Index)
	{
		const std::string Argument = ArgV[Index];
		if (Argument == "--no-icvfx")
		{
			Out.bIncludeICVFXCamera = false;
		}
		else if (Argument == "--project" && Index + 1 < ArgC)
		{
			ProjectDir = ArgV[++Index];
		}
		else if (!Argument.empty() && Argument[0] != '-' && StagePath.empty())
		{
			StagePath = Argument;
		}
		else
		{
			std::fprintf(stderr, "orvane stage %s: unexpected argument %s\n", Command, Argument.c_str());
			PrintUsage();
			return false;
		}
	}
	if (StagePath.empty())
	{
		PrintUsage();
		return false;
	}
	Out.StagePath = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(StagePath.c_str())));
	Out.ProjectDir = ProjectDir.empty() ? FPaths::GetPath(Out.StagePath) / TEXT("OrvaneProject") : FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(ProjectDir.c_str())));
	setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*Out.ProjectDir), 1);
	return true;
}

bool ParseContentCommandArguments(int ArgC, char** ArgV, FContentCommandArguments& Out)
{
	std::string ProjectDir;
	bool bProjectGiven = false;
	for (int Index = 2; Index < ArgC; ++Index)
	{
		const std::string Argument = ArgV[Index];
		if (Argument == "--rebuild" && !Out.bRebuild)
		{
			Out.bRebuild = true;
		}
		else if (Argument == "--project" && Index + 1 < ArgC && !bProjectGiven && ArgV[Index + 1][0] != '\0')
		{
			ProjectDir = ArgV[++Index];
			bProjectGiven = true;
		}
		else
		{
			std::fprintf(stderr, "orvane content: unexpected argument %s\n", Argument.c_str());
			PrintUsage();
			return false;
		}
	}
	if (bProjectGiven)
	{
		Out.ProjectDir = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(ProjectDir.c_str())));
		setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*Out.ProjectDir), 1);
	}
	return true;
}

int32 PrintLoggedErrors(const FLogCapture& Log, const char* Command, bool bFirstOnly)
{
	int32 Errors = 0;
	for (const FCapturedLogLine& Line : Log.Lines())
	{
		if (Line.Verbosity == ELogVerbosity::Error || Line.Verbosity == ELogVerbosity::Fatal)
		{
			if (!bFirstOnly || Errors == 0)
			{
				std::fprintf(stderr, "orvane stage %s: %s\n", Command, TCHAR_TO_UTF8(*Line.Message));
			}
			++Errors;
		}
	}
	return Errors;
}
