// Copyright Kelmora. All Rights Reserved.
#include "Misc/OutputDeviceError.h"
#include "CoreGlobals.h"

DEFINE_LOG_CATEGORY_STATIC(LogError, Log, All);

namespace
{
	/** Sends what is written to GError to the log as errors; the host never halts on it. */
	class FHostOutputDeviceError final : public FOutputDeviceError
	{
	public:
		void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override
		{
			UE_LOG(LogError, Error, TEXT("%s"), V ? V : TEXT(""));
		}
		void HandleError() override {}
	};

	FHostOutputDeviceError GHostError;
}

FOutputDeviceError* GError = &GHostError;
