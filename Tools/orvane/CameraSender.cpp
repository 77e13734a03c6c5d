// Copyright Kelmora. All Rights Reserved.
#include "CameraSender.h"

#include <nlohmann/json.hpp>

#include <arpa/inet.h>
#include <chrono>
#include <cmath>
#include <cstring>
#include <istream>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

namespace
{
	constexpr double Pi = 3.14159265358979323846;

	bool ParseEndpoint(const std::string& Endpoint, sockaddr_in& OutAddress)
	{
		const size_t Colon = Endpoint.rfind(':');
		if (Colon == std::string::npos)
		{
			return false;
		}
		const std::string Host = Endpoint.substr(0, Colon);
		const std::string Port = Endpoint.substr(Colon + 1);
		if (Port.empty() || Port.size() > 5 || Port.find_first_not_of("0123456789") != std::string::npos)
		{
			return false;
		}
		const unsigned long PortNumber = std::stoul(Port);
		if (PortNumber > 65535)
		{
			return false;
		}
		std::memset(&OutAddress, 0, sizeof(OutAddress));
		OutAddress.sin_family = AF_INET;
		OutAddress.sin_port = htons(static_cast<uint16_t>(PortNumber));
		return inet_pton(AF_INET, Host.c_str(), &OutAddress.sin_addr) == 1;
	}
}

bool ParseRate(const std::string& Text, int32_t& OutNumerator, int32_t& OutDenominator)
{
	const size_t Slash = Text.find('/');
	const std::string Numerator = Text.substr(0, Slash);
	const std::string Denominator = Slash == std::string::npos ? "1" : Text.substr(Slash + 1);
	auto IsNumber = [](const std::string& Part)
	{ return !Part.empty() && Part.size() <= 9 && Part.find_first_not_of("0123456789") == std::string::npos; };
	if (!IsNumber(Numerator) || !IsNumber(Denominator))
	{
		return false;
	}
	OutNumerator = std::stoi(Numerator);
	OutDenominator = std::stoi(Denominator);
	return OutNumerator > 0 && OutDenominator > 0;
}

FCameraSender::~FCameraSender()
{
	if (Socket >= 0)
	{
		close(Socket);
	}
}

uint64_t FCameraSender::SteadyNowNs()
{
	return static_cast<uint64_t>(std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now().time_since_epoch()).count());
}

bool FCameraSender::Open(const std::string& Endpoint, std::string& OutError)
{
	sockaddr_in Target{};
	if (!ParseEndpoint(Endpoint, Target))
	{
		OutError = "'" + Endpoint + "' is not an IPv4 address and port (ADDR:PORT)";
		return false;
	}
	Socket = socket(AF_INET, SOCK_DGRAM, 0);
	if (Socket < 0)
	{
		OutError = std::string("cannot open a UDP socket: ") + std::strerror(errno);
		return false;
	}
	Address.assign(reinterpret_cast<unsigned char*>(&Target), reinterpret_cast<unsigned char*>(&Target) + sizeof(Target));
	return true;
}

bool FCameraSender::Send(std::string_view Payload)
{
	const ssize_t Sent = sendto(Socket, Payload.data(), Payload.size(), 0, reinterpret_cast<const sockaddr*>(Address.data()), static_cast<socklen_t>(Address.size()));
	if (Sent != static_cast<ssize_t>(Payload.size()))
	{
		++SendFailures;
		return false;
	}
	return true;
}

std::string FCameraSender::BuildMessage(const FCameraSenderOptions& Options, int32_t FrameNumber, double Seconds, uint64_t TimeStamp)
{
	// A slow orbit around the stage centre at eye height, always looking at the centre.
	const double Angle = 2.0 * Pi * Seconds / 20.0;
	const double Radius = 400.0;
	const double Yaw = Angle + Pi;
	const double FocalLength = 35.0 + 10.0 * std::sin(Seconds);
	const double SensorWidth = 36.0;
	const double FieldOfView = 2.0 * std::atan(SensorWidth / (2.0 * FocalLength)) * 180.0 / Pi;

	nlohmann::json Setup = {0, Options.bLens ? 1 : 0, Options.bTakeMetadata ? 1 : 0, Options.bLocalClock ? 1 : 0, Options.bRecordControl ? 1 : 0, Options.bReportSkips ? 1 : 0, Options.bClearInterpolation ? 1 : 0};
	if (Options.bHasEvaluationOffset)
	{
		Setup.push_back(Options.EvaluationOffset);
	}
	nlohmann::json Camera = {
		{"Version", Options.Version},
		{"Setup", Setup},
		{"Location", {Radius * std::cos(Angle), Radius * std::sin(Angle), 170.0}},
		{"Rotation", {0.0, 0.0, std::sin(Yaw / 2.0), std::cos(Yaw / 2.0)}},
		{"Scale", {1.0, 1.0, 1.0}},
		{"Lens", {FocalLength, 500.0, 1.7777777777777777, FieldOfView}},
		{"Sensor", {SensorWidth, 20.25}},
		{"Timecode", {FrameNumber, Options.RateNumerator, Options.RateDenominator, TimeStamp}},
		{"State", Options.State},
	};
	if (Options.bTakeMetadata || Options.bRecordControl)
	{
		Camera["Metadata"] = {Options.MetaLabel, Options.MetaSlate, Options.MetaTake};
	}
	// The command rides on the first frame of the stream only: the receiver would carry out a repeat again.
	if (Options.Action != 0 && FrameNumber == Options.StartFrame)
	{
		Camera["Action"] = Options.Action;
		if (Options.bHasScreen)
		{
			Camera["Param"] = {Options.ScreenX, Options.ScreenY};
		}
		else if (Options.bHasParam)
		{
			Camera["Param"] = Options.Param;
		}
		if (Options.Action == 4)
		{
			Camera["Param2"] = {Options.CaptureMode, Options.FovOverscan, Options.ImageWidth, Options.ImageHeight, Options.bIncludeRotation ? 1 : 0};
		}
	}
	return nlohmann::json({{"ORVCamera", {Camera}}}).dump();
}

int64_t FCameraSender::Stream(const FCameraSenderOptions& Options, const std::function<bool()>& ShouldStop, const std::function<void(int32_t, uint64_t)>& OnSent)
{
	const double Fps = Options.Fps > 0.0 ? Options.Fps : static_cast<double>(Options.RateNumerator) / static_cast<double>(Options.RateDenominator);
	const auto Interval = std::chrono::duration<double>(1.0 / Fps);
	const auto Start = std::chrono::steady_clock::now();
	int64_t Sent = 0;
	for (int64_t Index = 0; Options.Frames < 0 || Index < Options.Frames; ++Index)
	{
		if (ShouldStop && ShouldStop())
		{
			break;
		}
		// Frames are paced against the start time, so late wake-ups do not add up.
		std::this_thread::sleep_until(Start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(Interval * static_cast<double>(Index)));
		if (Options.SkipEvery > 0 && Index > 0 && Index % Options.SkipEvery == 0)
		{
			continue;
		}
		const int32_t FrameNumber = static_cast<int32_t>(Options.StartFrame + Index);
		const uint64_t SentNs = SteadyNowNs();
		if (Send(BuildMessage(Options, FrameNumber, static_cast<double>(Index) / Fps, SentNs)))
		{
			++Sent;
			if (OnSent)
			{
				OnSent(FrameNumber, SentNs);
			}
		}
	}
	return Sent;
}

int64_t FCameraSender::StreamLines(std::istream& Input, const FCameraSenderOptions& Options, const std::function<bool()>& ShouldStop)
{
	const double Fps = Options.Fps;
	const auto Start = std::chrono::steady_clock::now();
	int64_t Sent = 0;
	std::string Line;
	for (int64_t Index = 0; std::getline(Input, Line); ++Index)
	{
		if (ShouldStop && ShouldStop())
		{
			break;
		}
		if (!Line.empty() && Line.back() == '\r')
		{
			Line.pop_back();
		}
		if (Line.empty())
		{
			continue;
		}
		if (Fps > 0.0)
		{
			std::this_thread::sleep_until(Start + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(static_cast<double>(Index) / Fps)));
		}
		Sent += Send(Line) ? 1 : 0;
	}
	return Sent;
}
