// Copyright Kelmora. All Rights Reserved.
// Test-side log capture: records every line logged while it lives.
#pragma once

#include "CoreMinimal.h"
#include "Misc/OutputDevice.h"

#include <mutex>
#include <vector>

/** One captured log line. */
struct FCapturedLogLine
{
	FString Category;
	ELogVerbosity::Type Verbosity;
	FString Message;
};

/** Captures log lines for the lifetime of the object; optionally keeps them off standard error. */
class FLogCapture : public FOutputDevice
{
public:
	explicit FLogCapture(bool bQuiet = true);
	~FLogCapture() override;

	void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;

	std::vector<FCapturedLogLine> Lines() const;
	/** Lines whose message equals the text exactly. */
	int32 Count(const TCHAR* Message) const;
	/** Lines whose message contains the text. */
	int32 CountContaining(const TCHAR* Text) const;
	int32 Num() const;
	void Clear();

private:
	mutable std::mutex Mutex;
	std::vector<FCapturedLogLine> Captured;
	bool bQuiet;
};
