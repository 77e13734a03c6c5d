// Copyright Kelmora. All Rights Reserved.
// Small helpers for the tool's option parsing and stop signals.
#pragma once

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
