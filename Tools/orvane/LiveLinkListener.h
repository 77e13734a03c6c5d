// Copyright Kelmora. All Rights Reserved.
// Runs the plug-in's Live Link source in the headless client and prints what the client receives.
#pragma once

#include "CoreMinimal.h"
#include "Misc/OutputDevice.h"
#include "OrvaneLinkHealth.h"
#include "Templates/Function.h"

#include <atomic>
#include <mutex>
#include <vector>

class FLiveLinkClient;
class FOrvaneLiveLinkSource;
class ILiveLinkSource;
struct FLiveLinkHostPushRecord;

/** One camera frame the client received with a scene time, for latency figures. */
struct FListenedFrame
{
	int32 FrameNumber = 0;
	int64 ArrivalNanoseconds = 0;
};

/**
 * Creates one camera source through the plug-in's factory, adds it to the headless client as the plug-in's
 * helper does, and prints every static-data push, frame push and log line, readable or as JSON lines.
 * Pushes arrive on the source's receiver thread and log lines on any thread; one mutex keeps lines whole.
 */
class FLiveLinkListener : public FOutputDevice
{
public:
	enum class EOpenResult : uint8
	{
		Listening,
		/** The endpoint text is not "address:port". */
		BadEndpoint,
		/** The source exists but could not bind its socket ("Device Not Found"). */
		NotListening,
		/** The LiveLink module registered no client. */
		NoClient,
	};

	/** bInKeepFrames keeps the arrival of every frame for GetFrames; a long listen leaves it off. */
	FLiveLinkListener(bool bInJsonLines, bool bInKeepFrames);
	virtual ~FLiveLinkListener() override;
	FLiveLinkListener(const FLiveLinkListener&) = delete;
	FLiveLinkListener& operator=(const FLiveLinkListener&) = delete;

	/**
	 * Loads the modules and creates the source for the endpoint through the plug-in's factory. Log lines
	 * from here on are printed too; those logged before the status line wait for it.
	 */
	EOpenResult Open(const FString& Endpoint);
	/** Prints the status line: the source's status text and the endpoint it was made for. */
	void PrintStatus();
	/** Adds the listening source to the client and starts printing; its first static data arrives at once. */
	void Start();
	/**
	 * Ticks the client on this thread at TickHz until ShouldStop returns true (checked at least every 50 ms);
	 * the frame tick set by SetFrameTick runs after each client tick with the frame's length in seconds.
	 */
	void TickUntil(double TickHz, const TFunction<bool()>& ShouldStop);
	/** Runs the rest of an engine frame (the editor's tick) after each client tick. */
	void SetFrameTick(TFunction<void(float)> InFrameTick) { FrameTick = MoveTemp(InFrameTick); }
	/** Removes the source and ticks until the client has released it; then stops printing. */
	void Close();

	/** While on, TickUntil prints a health line once a second. */
	void SetHealthLines(bool bInHealthLines) { bHealthLines = bInHealthLines; }
	/** The source's link health: live while it listens, its last figures once closed. */
	FOrvaneLinkHealthSnapshot GetLinkHealth() const;
	/** Prints one health line of the source's link health now. */
	void PrintHealth();
	/** Prints the summary line of everything received (after Close, the final figures). */
	void PrintSummary();

	/** {"type":"health","received":..,"decoded":..,"refused":..,"rateHz":..,"jitterMs":..,"gaps":..,"repeats":..,"lastPacketAgeMs":..} */
	static FString FormatHealthLine(const FOrvaneLinkHealthSnapshot& Health);
	/** {"type":"summary","received":N,"decoded":N,"refused":N,"pushed":N} */
	static FString FormatSummaryLine(const FOrvaneLinkHealthSnapshot& Health, int64 Pushed);

	/** Frame pushes the client queued. */
	int64 GetFramesPublished() const { return FramesPublished.load(); }
	/** Frame pushes the client refused. */
	int64 GetFramesRefused() const { return FramesRefused.load(); }
	/** Skip warnings the source logged. */
	int64 GetSkipWarnings() const { return SkipWarnings.load(); }
	/** Every queued frame that carried a scene time, in arrival order, when frames are kept. */
	std::vector<FListenedFrame> GetFrames() const;

	/** Prints one whole line; safe from any thread. */
	void WriteLine(const FString& Line);

	// FOutputDevice interface
	virtual void Serialize(const TCHAR* V, ELogVerbosity::Type Verbosity, const FName& Category) override;
	// End FOutputDevice interface

private:
	void OnPush(const FLiveLinkHostPushRecord& Record);
	/** Stops holding log lines back and writes the ones held so far. */
	void WriteHeldLogLines();

	bool bJsonLines;
	bool bKeepFrames;
	FLiveLinkClient* Client = nullptr;
	TSharedPtr<ILiveLinkSource> Source;
	FGuid SourceGuid;
	TFunction<void(float)> FrameTick;
	FString ConnectionString;
	FString EndpointText;
	int32 ObserverHandle = 0;
	bool bLogDeviceAdded = false;
	bool bHealthLines = false;
	/** The source's figures when it was closed. */
	FOrvaneLinkHealthSnapshot FinalHealth;

	mutable std::mutex OutputMutex;
	bool bHoldLogLines = false;
	std::vector<FString> HeldLogLines;
	std::vector<FListenedFrame> Frames;
	std::atomic<int64> FramesPublished{0};
	std::atomic<int64> FramesRefused{0};
	std::atomic<int64> SkipWarnings{0};
};
