// Copyright Kelmora. All Rights Reserved.
#include "ToolArguments.h"

#include <cerrno>
#include <cmath>
#include <csignal>
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
