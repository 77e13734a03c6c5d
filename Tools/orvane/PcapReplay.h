// Copyright Kelmora. All Rights Reserved.
// Reading recorded camera streams from pcap and pcapng files, and framing received datagrams for them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

/** What a replay found in its file, beyond the datagrams it sent. */
struct FPcapReplayCounts
{
	/** Packets read from the file, of every kind. */
	int64_t Packets = 0;
	/** UDP datagrams handed to the sender. */
	int64_t Datagrams = 0;
	/** Packets that are not (whole, unfragmented) UDP datagrams over IPv4 or IPv6. */
	int64_t NotUdp = 0;
	/** UDP datagrams to another port than the one asked for. */
	int64_t OtherPorts = 0;
	/** Packets the capture cut short (snap length), whose payload is incomplete. */
	int64_t CutShort = 0;
};

/** How a replay paces and filters the recording. */
struct FPcapReplayOptions
{
	/** Recorded spacing is divided by this; 0 sends as fast as possible. */
	double Speed = 1.0;
	/** Only datagrams to this destination port; 0 takes every port. */
	int32_t Port = 9001;
	/** Starts over at the end until stopped. */
	bool bLoop = false;
};

/**
 * The UDP payload of one captured packet of the given link type (a DLT_ value), or false when the packet is
 * not a whole UDP datagram over IPv4 or IPv6. OutCutShort is set when the capture holds less than the datagram.
 */
bool ExtractUdpPayload(int LinkType, const unsigned char* Data, uint32_t CapturedLength, uint32_t WireLength, const unsigned char*& OutPayload, uint32_t& OutPayloadLength, uint16_t& OutDestinationPort, bool& bOutCutShort);

/**
 * Reads the file and calls Send with each matching UDP payload at its recorded time scaled by the speed.
 * False with a message when the file cannot be opened, is not a capture file, or is malformed or truncated
 * (what was read before the fault has been sent).
 */
bool ReplayPcapFile(const std::string& Path, const FPcapReplayOptions& Options, const std::function<bool()>& ShouldStop, const std::function<void(const unsigned char* Payload, uint32_t Length)>& Send, FPcapReplayCounts& OutCounts, std::string& OutError);

/**
 * Builds the IPv4 and UDP headers of a datagram (addresses and ports in network byte order) in front of its
 * payload, with both checksums, as a raw-IP (DLT_RAW) packet. False when the payload is too long for IPv4.
 */
bool FrameUdpOverIPv4(uint32_t SourceAddress, uint16_t SourcePort, uint32_t DestinationAddress, uint16_t DestinationPort, uint16_t Identification, const unsigned char* Payload, size_t PayloadLength, std::string& OutPacket);
