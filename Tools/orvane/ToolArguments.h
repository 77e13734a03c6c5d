// Copyright Kelmora. All Rights Reserved.
// Small helpers for the tool's option parsing and stop signals.
#pragma once

#include "CoreMinimal.h"

class FLogCapture;

#include <atomic>
#include <string>

/** Reads a whole decimal or floating-point number; false when the text is not one or is out of range. */
bool ParseNumber(const std::string& Text, double& OutValue);
/** Reads a whole integer within [Min, Max]; false otherwise. */
bool ParseInteger(const std::string& Text, long long Min, long long Max, long long& OutValue);

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
 * Parses the arguments after `orvane stage <Command>` and points the host at the project; false (after
 * printing the complaint and the usage) when they do not parse.
 */
bool ParseStageCommandArguments(int ArgC, char** ArgV, const char* Command, FStageCommandArguments& Out);

/** The arguments of `orvane content [--project DIR] [--rebuild]`. */
struct FContentCommandArguments
{
	/** The headless project given; empty for the host's default project. */
	FString ProjectDir;
	bool bRebuild = false;
};

/**
 * Parses the arguments after `orvane content` and points the host at the project when one is given; false
 * (after printing the complaint and the usage) when they do not parse.
 */
bool ParseContentCommandArguments(int ArgC, char** ArgV, FContentCommandArguments& Out);

/**
 * Prints the error lines the capture holds to standard error, each as "orvane stage <Command>: <message>"
 * (only the first when bFirstOnly); returns how many error lines there were.
 */
int32 PrintLoggedErrors(const FLogCapture& Log, const char* Command, bool bFirstOnly);
