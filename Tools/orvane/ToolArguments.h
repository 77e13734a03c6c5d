// Copyright Kelmora. All Rights Reserved.
// The tool's command line (CLI11), its value checks and stop signals.
#pragma once

#include "CoreMinimal.h"
#include "Misc/Optional.h"

// The engine's check() macro would rewrite CLI11's Option::check; the tool adds its checks with transform(),
// which runs a validator the same way before the value is read.
#pragma push_macro("check")
#undef check
#include <CLI/CLI.hpp>
#pragma pop_macro("check")

#include <atomic>
#include <functional>
#include <string>

class FLogCapture;

/** The command the command line chose, run once parsing has succeeded; returns the tool's exit code. */
using FToolCommand = std::function<int()>;

/** Reads a whole decimal or floating-point number; false when the text is not one or is out of range. */
bool ParseNumber(const std::string& Text, double& OutValue);
/** Reads a whole integer within [Min, Max]; false otherwise. */
bool ParseInteger(const std::string& Text, long long Min, long long Max, long long& OutValue);

namespace OrvaneOptions
{
	/**
	 * Accepts a finite number within [Min, Max] (above Min when bAboveMin) and hands it on in a form every
	 * reader turns into the same double; a refused value is reported as "--option takes <Takes>".
	 */
	CLI::Validator Number(double Min, double Max, const std::string& Takes, bool bAboveMin = false);
	/** Any finite number. */
	CLI::Validator Number(const std::string& Takes);
	/** Accepts a decimal integer within [Min, Max] (no octal or hex reading of leading zeros). */
	CLI::Validator Integer(long long Min, long long Max, const std::string& Takes);
	/** Accepts the values Accepts says yes to. */
	CLI::Validator Check(std::function<bool(const std::string&)> Accepts, const std::string& Takes);
	/** Accepts any text but the empty one. */
	CLI::Validator NotEmpty(const std::string& Takes);

	/**
	 * Adds an option whose value Parse reads into the command's options (each given value in turn, so the last one
	 * stays); a value Parse refuses is reported as "--option takes <Takes>".
	 */
	CLI::Option* AddParsed(CLI::App& Command, const std::string& Name, const std::string& Help, const std::string& Takes, std::function<bool(const std::string&)> Parse);
}

/** Set once SIGINT or SIGTERM arrives after InstallStopSignals. */
extern std::atomic<bool> GStopRequested;
/** Turns SIGINT and SIGTERM into GStopRequested. */
void InstallStopSignals();

/** The arguments of `orvane stage convert|import FILE.orvs [--no-icvfx] [--project DIR]`. */
struct FStageCommandArguments
{
	/** The stage file, as a full path. */
	FString StagePath;
	/** The headless project: the one given, or OrvaneProject beside the stage file. */
	FString ProjectDir;
	bool bIncludeICVFXCamera = true;
};

/**
 * Adds the stage file and the --no-icvfx and --project options of `orvane stage convert|import` to Command; Run
 * gets the full paths, after the host has been pointed at the project.
 */
void AddStageCommandArguments(CLI::App& Command, FToolCommand& OutCommand, std::function<int(const FStageCommandArguments&)> Run);

/**
 * Prints the error lines the capture holds to standard error, each as "orvane stage <Command>: <message>"
 * (only the first when bFirstOnly); returns how many error lines there were.
 */
int32 PrintLoggedErrors(const FLogCapture& Log, const char* Command, bool bFirstOnly);

/** The arguments of `orvane setup full|camera [options]` and `orvane ui [--project DIR]`. */
struct FSetupCommandArguments
{
	/** "full", "camera" or "ui". */
	std::string Mode;
	/** The headless project: the one given, or OrvaneProject in the working directory. */
	FString ProjectDir;
	/** Typed into the endpoint field when given. */
	TOptional<FString> Endpoint;
	/** Typed into the preset name field when given. */
	TOptional<FString> PresetName;
	/** Ticks "Render Alpha:". */
	bool bRenderAlpha = false;
	/** Ticks "Add nDisplay to Level", even where the dialog greyed it out. */
	bool bAddNDisplay = false;
};
