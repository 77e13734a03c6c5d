// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/OutputDeviceError.h: the output for errors (GError).
#pragma once

#include "CoreTypes.h"
#include "Misc/OutputDevice.h"

/** An output device for errors. The host's logs each line as an error instead of halting. */
class CORE_API FOutputDeviceError : public FOutputDevice
{
public:
	virtual void HandleError() = 0;
};
