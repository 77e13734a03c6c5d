// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/OutputDevice.h.
#pragma once

#include "CoreTypes.h"
#include "Logging/LogVerbosity.h"
#include "UObject/NameTypes.h"

/** A sink for log lines. */
class FOutputDevice
{
public:
	virtual ~FOutputDevice() = default;
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) = 0;
	virtual bool CanBeUsedOnAnyThread() const { return true; }
	virtual void Flush() {}
	void Log(const TCHAR* Message) { Serialize(Message, ELogVerbosity::Log, NAME_None); }
};
