// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Misc/OutputDeviceRedirector.h: GLog hands each line to every device.
#pragma once

#include "Misc/OutputDevice.h"

#include <memory>

class FOutputDeviceRedirector : public FOutputDevice
{
public:
	FOutputDeviceRedirector();
	~FOutputDeviceRedirector() override;

	void AddOutputDevice(FOutputDevice* OutputDevice);
	void RemoveOutputDevice(FOutputDevice* OutputDevice);
	bool IsRedirectingTo(FOutputDevice* OutputDevice);
	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;

	/** Host only: whether lines are also written to standard error (on by default). */
	void SetStdErrEcho(bool bEnabled);

	static FOutputDeviceRedirector* Get();

private:
	struct FImpl;
	std::unique_ptr<FImpl> Impl;
};
