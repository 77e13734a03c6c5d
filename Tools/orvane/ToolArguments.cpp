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
#include <memory>

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

namespace OrvaneOptions
{
	// The validators carry no description of their own: the option's type name and help say what it takes.
	CLI::Validator Number(double Min, double Max, const std::string& Takes, bool bAboveMin)
	{
		return CLI::Validator(
			[Min, Max, Takes, bAboveMin](std::string& Text)
			{
				double Value = 0.0;
				if (!ParseNumber(Text, Value) || Value < Min || Value > Max || (bAboveMin && Value <= Min))
				{
					return "takes " + Takes;
				}
				// CLI11 reads the value again itself, through a long double: the hexadecimal form gives back exactly
				// this double, where a decimal one could round twice.
				char Buffer[40];
				std::snprintf(Buffer, sizeof(Buffer), "%a", Value);
				Text = Buffer;
				return std::string();
			},
			std::string());
	}

	CLI::Validator Number(const std::string& Takes)
	{
		return Number(-HUGE_VAL, HUGE_VAL, Takes);
	}

	CLI::Validator Integer(long long Min, long long Max, const std::string& Takes)
	{
		return CLI::Validator(
			[Min, Max, Takes](std::string& Text)
			{
				long long Value = 0;
				if (!ParseInteger(Text, Min, Max, Value))
				{
					return "takes " + Takes;
				}
				// CLI11 would read "010" as octal; the plain digits keep the decimal meaning.
				Text = std::to_string(Value);
				return std::string();
			},
			std::string());
	}

	CLI::Validator Check(std::function<bool(const std::string&)> Accepts, const std::string& Takes)
	{
		return CLI::Validator(
			[Accepts = std::move(Accepts), Takes](std::string& Text)
			{ return Accepts(Text) ? std::string() : "takes " + Takes; },
			std::string());
	}

	CLI::Validator NotEmpty(const std::string& Takes)
	{
		return Check([](const std::string& Text)
			{ return !Text.empty(); },
			Takes);
	}
}

CLI::Option* OrvaneOptions::AddParsed(CLI::App& Command, const std::string& Name, const std::string& Help, const std::string& Takes, std::function<bool(const std::string&)> Parse)
{
	// The check is the reading: what it accepts is already in the options when CLI11 hands the value on.
	return Command.add_option_function<std::string>(
					  Name, [](const std::string&) {}, Help)
		->transform(Check(std::move(Parse), Takes));
}

void AddStageCommandArguments(CLI::App& Command, FToolCommand& OutCommand, std::function<int(const FStageCommandArguments&)> Run)
{
	struct FText
	{
		std::string StagePath;
		std::string ProjectDir;
		bool bNoICVFXCamera = false;
	};
	const auto Text = std::make_shared<FText>();
	Command.add_option("FILE", Text->StagePath, "the stage file (.orvs)")->required()->type_name("")->transform(OrvaneOptions::NotEmpty("a stage file"));
	Command.add_flag("--no-icvfx", Text->bNoICVFXCamera, "leave the ICVFX camera out of the nDisplay configuration");
	Command.add_option("--project", Text->ProjectDir, "the headless project the wall meshes are saved into")
		->type_name("DIR")
		->default_str("OrvaneProject beside the stage file")
		->transform(OrvaneOptions::NotEmpty("a project folder"));
	Command.callback([Text, &OutCommand, Run = std::move(Run)]()
		{ OutCommand = [Text, Run]()
		  {
			  FStageCommandArguments Arguments;
			  Arguments.bIncludeICVFXCamera = !Text->bNoICVFXCamera;
			  Arguments.StagePath = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(Text->StagePath.c_str())));
			  Arguments.ProjectDir = Text->ProjectDir.empty() ? FPaths::GetPath(Arguments.StagePath) / TEXT("OrvaneProject") : FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(Text->ProjectDir.c_str())));
			  setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*Arguments.ProjectDir), 1);
			  return Run(Arguments);
		  }; });
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
