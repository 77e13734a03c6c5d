// Copyright Kelmora. All Rights Reserved.
// Stands in for the compositing application: streams camera messages over UDP.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

/** What the emulated application sends and how. */
struct FCameraSenderOptions
{
	std::string To = "127.0.0.1:9001";
	/** Frames per second of the stream; 0 follows the timecode rate. */
	double Fps = 0.0;
	/** Frames to send; negative streams until stopped. */
	int64_t Frames = 250;
	int32_t StartFrame = 0;
	int32_t RateNumerator = 25;
	int32_t RateDenominator = 1;
	double Version = 2.0;
	bool bLens = true;
	bool bTakeMetadata = false;
	bool bLocalClock = false;
	bool bRecordControl = false;
	bool bReportSkips = false;
	bool bClearInterpolation = true;
	/** Setup[7]; not sent when unset. */
	bool bHasEvaluationOffset = true;
	double EvaluationOffset = 0.0;
	int32_t State = 1;
	/** Leave out one frame number every N frames (0: none), as a sender that drops frames would. */
	int32_t SkipEvery = 0;
	/** Send these documents, one datagram per line, instead of generated messages. */
	std::string RawPath;
	/** Send the UDP payloads of this pcap or pcapng file, at their recorded spacing, instead. */
	std::string ReplayPath;
	/** The recorded spacing is divided by this; 0 sends as fast as possible. */
	double ReplaySpeed = 1.0;
	/** Replays only datagrams to this port (0: every port). */
	int32_t ReplayPort = 9001;
	bool bReplayLoop = false;

	/** Take metadata sent with bTakeMetadata or bRecordControl: label, slate and take as text. */
	std::string MetaLabel = "Emulated stage";
	std::string MetaSlate = "Slate 1";
	std::string MetaTake = "1";

	/** An operator command carried by the first message only (0: none), with its parameters. */
	int32_t Action = 0;
	/** "Param" of commands 3, 4 and 6; sent only when set. */
	bool bHasParam = false;
	std::string Param;
	/** "Param" of command 5: the screen point, Y counted from the top; sent only when set. */
	bool bHasScreen = false;
	double ScreenX = 0.5;
	double ScreenY = 0.5;
	/** "Param2" of command 4: capture mode, overscan, width, height, include-rotation. */
	int32_t CaptureMode = 0;
	double FovOverscan = 1.0;
	int32_t ImageWidth = 1920;
	int32_t ImageHeight = 1080;
	bool bIncludeRotation = false;
};

/** Streams camera messages to one UDP endpoint on the loopback or local network. */
class FCameraSender
{
public:
	FCameraSender() = default;
	~FCameraSender();
	FCameraSender(const FCameraSender&) = delete;
	FCameraSender& operator=(const FCameraSender&) = delete;

	/** Opens a UDP socket aimed at "address:port"; false with a message when that fails. */
	bool Open(const std::string& Endpoint, std::string& OutError);
	/** Sends one datagram; false when the system refused it. */
	bool Send(std::string_view Payload);

	/** The camera message of one frame of the built-in camera move. */
	static std::string BuildMessage(const FCameraSenderOptions& Options, int32_t FrameNumber, double Seconds, uint64_t TimeStamp);

	/**
	 * Streams frames at the options' rate until done or until ShouldStop returns true. The time stamp of
	 * each message is the steady clock's nanoseconds at sending. Returns the number of datagrams sent.
	 */
	int64_t Stream(const FCameraSenderOptions& Options, const std::function<bool()>& ShouldStop, const std::function<void(int32_t FrameNumber, uint64_t SentNs)>& OnSent = nullptr);
	/** Sends each non-empty line of the stream as one datagram, at the options' rate when it is set. */
	int64_t StreamLines(std::istream& Input, const FCameraSenderOptions& Options, const std::function<bool()>& ShouldStop);

	int64_t GetSendFailures() const { return SendFailures; }

	/** Nanoseconds of the steady clock, the one the receiving side stamps arrivals with. */
	static uint64_t SteadyNowNs();

private:
	int Socket = -1;
	std::vector<unsigned char> Address;
	int64_t SendFailures = 0;
};

/** Parses "NUM/DEN" or "NUM" into a rate; false when it is not one. */
bool ParseRate(const std::string& Text, int32_t& OutNumerator, int32_t& OutDenominator);
