// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Logging/LogVerbosity.h.
#pragma once

#include "CoreTypes.h"

namespace ELogVerbosity
{
	enum Type : uint8
	{
		NoLogging = 0,
		Fatal,
		Error,
		Warning,
		Display,
		Log,
		Verbose,
		VeryVerbose,
		All = VeryVerbose,
		NumVerbosity,
		VerbosityMask = 0xf,
		SetColor = 0x40,
		BreakOnLog = 0x80
	};
}

/** The engine's name of a verbosity ("Error", "Warning", ...). */
const TCHAR* ToString(ELogVerbosity::Type Verbosity);
