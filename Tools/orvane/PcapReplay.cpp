// Copyright Kelmora. All Rights Reserved.
#include "PcapReplay.h"

#include <pcap/pcap.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <memory>
#include <thread>

namespace
{
	uint16_t ReadBig16(const unsigned char* Data)
	{
		return static_cast<uint16_t>((Data[0] << 8) | Data[1]);
	}

	uint32_t ReadBig32(const unsigned char* Data)
	{
		return (static_cast<uint32_t>(Data[0]) << 24) | (static_cast<uint32_t>(Data[1]) << 16) | (static_cast<uint32_t>(Data[2]) << 8) | Data[3];
	}

	void WriteBig16(unsigned char* Data, uint16_t Value)
	{
		Data[0] = static_cast<unsigned char>(Value >> 8);
		Data[1] = static_cast<unsigned char>(Value);
	}

	constexpr uint8_t ProtocolUdp = 17;
	constexpr uint16_t EtherTypeIPv4 = 0x0800;
	constexpr uint16_t EtherTypeIPv6 = 0x86DD;

	/** Where a packet's IP header starts, and which IP version the link layer says it is (4, 6, or 0: unknown). */
	struct FNetworkStart
	{
		uint32_t Offset = 0;
		int Version = 0;
	};

	int VersionOfEtherType(uint16_t EtherType)
	{
		return EtherType == EtherTypeIPv4 ? 4 : EtherType == EtherTypeIPv6 ? 6
																		   : 0;
	}

	/** BSD loopback families: AF_INET is 2 everywhere, AF_INET6 is 24, 28 or 30 depending on the system. */
	int VersionOfFamily(uint32_t Family)
	{
		return Family == 2 ? 4 : (Family == 24 || Family == 28 || Family == 30) ? 6
																				: 0;
	}

	bool FindNetworkLayer(int LinkType, const unsigned char* Data, uint32_t Length, FNetworkStart& Out)
	{
		switch (LinkType)
		{
		case DLT_EN10MB:
		{
			uint32_t Offset = 12;
			if (Length < Offset + 2)
			{
				return false;
			}
			uint16_t EtherType = ReadBig16(Data + Offset);
			// VLAN tags (single, stacked, or the old double-tag type) sit before the real type.
			while ((EtherType == 0x8100 || EtherType == 0x88A8 || EtherType == 0x9100) && Length >= Offset + 6)
			{
				Offset += 4;
				EtherType = ReadBig16(Data + Offset);
			}
			Out = {Offset + 2, VersionOfEtherType(EtherType)};
			return Out.Version != 0;
		}
		case DLT_NULL:
		case DLT_LOOP:
		{
			if (Length < 4)
			{
				return false;
			}
			// DLT_NULL holds the family in the capturing machine's byte order, which the file does not record.
			const uint32_t Big = ReadBig32(Data);
			const uint32_t Little = (static_cast<uint32_t>(Data[3]) << 24) | (static_cast<uint32_t>(Data[2]) << 16) | (static_cast<uint32_t>(Data[1]) << 8) | Data[0];
			const int Version = LinkType == DLT_LOOP ? VersionOfFamily(Big) : (VersionOfFamily(Little) != 0 ? VersionOfFamily(Little) : VersionOfFamily(Big));
			Out = {4, Version};
			return Version != 0;
		}
		case DLT_LINUX_SLL:
			if (Length < 16)
			{
				return false;
			}
			Out = {16, VersionOfEtherType(ReadBig16(Data + 14))};
			return Out.Version != 0;
		case DLT_LINUX_SLL2:
			if (Length < 20)
			{
				return false;
			}
			Out = {20, VersionOfEtherType(ReadBig16(Data))};
			return Out.Version != 0;
		case DLT_RAW:
		case DLT_IPV4:
		case DLT_IPV6:
			if (Length < 1)
			{
				return false;
			}
			Out = {0, Data[0] >> 4};
			return Out.Version == 4 || Out.Version == 6;
		default:
			return false;
		}
	}

	uint32_t SumWords(const unsigned char* Data, size_t Length, uint32_t Sum)
	{
		for (size_t Index = 0; Index + 1 < Length; Index += 2)
		{
			Sum += ReadBig16(Data + Index);
		}
		if (Length % 2 != 0)
		{
			Sum += static_cast<uint32_t>(Data[Length - 1]) << 8;
		}
		return Sum;
	}

	uint16_t FoldChecksum(uint32_t Sum)
	{
		while (Sum >> 16)
		{
			Sum = (Sum & 0xFFFF) + (Sum >> 16);
		}
		return static_cast<uint16_t>(~Sum);
	}

	struct FPcapCloser
	{
		void operator()(pcap_t* Handle) const { pcap_close(Handle); }
	};
}

bool ExtractUdpPayload(int LinkType, const unsigned char* Data, uint32_t CapturedLength, uint32_t WireLength, const unsigned char*& OutPayload, uint32_t& OutPayloadLength, uint16_t& OutDestinationPort, bool& bOutCutShort)
{
	bOutCutShort = false;
	FNetworkStart Network;
	if (!FindNetworkLayer(LinkType, Data, CapturedLength, Network) || Network.Offset >= CapturedLength)
	{
		return false;
	}
	const unsigned char* Ip = Data + Network.Offset;
	const uint32_t Captured = CapturedLength - Network.Offset;
	// The wire length is what the packet really held; a capture never holds more.
	const uint32_t OnWire = WireLength > CapturedLength ? WireLength - Network.Offset : Captured;
	if ((Ip[0] >> 4) != Network.Version)
	{
		return false;
	}

	uint32_t UdpOffset = 0;
	uint32_t IpEnd = 0;
	if (Network.Version == 4)
	{
		if (Captured < 20)
		{
			return false;
		}
		const uint32_t HeaderLength = (Ip[0] & 0x0F) * 4u;
		const uint32_t TotalLength = ReadBig16(Ip + 2);
		const uint16_t Fragment = ReadBig16(Ip + 6);
		// A fragment holds only part of a datagram; more-fragments set or a non-zero offset says so.
		if (HeaderLength < 20 || TotalLength < HeaderLength || TotalLength > OnWire || (Fragment & 0x3FFF) != 0 || Ip[9] != ProtocolUdp || Captured < HeaderLength)
		{
			return false;
		}
		UdpOffset = HeaderLength;
		IpEnd = TotalLength;
	}
	else
	{
		if (Captured < 40)
		{
			return false;
		}
		const uint32_t PayloadLength = ReadBig16(Ip + 4);
		if (PayloadLength == 0 || 40 + PayloadLength > OnWire)
		{
			return false;
		}
		IpEnd = 40 + PayloadLength;
		uint8_t NextHeader = Ip[6];
		uint32_t Offset = 40;
		// Walk the extension headers up to the transport header.
		for (int Hops = 0; NextHeader != ProtocolUdp; ++Hops)
		{
			if (Hops > 16 || Captured < Offset + 8)
			{
				return false;
			}
			const unsigned char* Extension = Ip + Offset;
			if (NextHeader == 0 || NextHeader == 43 || NextHeader == 60)
			{
				Offset += (Extension[1] + 1u) * 8u;
			}
			else if (NextHeader == 51)
			{
				Offset += (Extension[1] + 2u) * 4u;
			}
			else if (NextHeader == 44 && (ReadBig16(Extension + 2) & 0xFFF9) == 0)
			{
				// A fragment header saying offset 0 and no more fragments: the whole datagram.
				Offset += 8;
			}
			else
			{
				return false;
			}
			NextHeader = Extension[0];
		}
		UdpOffset = Offset;
	}

	if (UdpOffset + 8 > IpEnd || UdpOffset + 8 > Captured)
	{
		return false;
	}
	const unsigned char* Udp = Ip + UdpOffset;
	const uint32_t UdpLength = ReadBig16(Udp + 4);
	if (UdpLength < 8 || UdpOffset + UdpLength > IpEnd)
	{
		return false;
	}
	OutDestinationPort = ReadBig16(Udp + 2);
	OutPayload = Udp + 8;
	OutPayloadLength = UdpLength - 8;
	bOutCutShort = UdpOffset + UdpLength > Captured;
	return true;
}

bool ReplayPcapFile(const std::string& Path, const FPcapReplayOptions& Options, const std::function<bool()>& ShouldStop, const std::function<void(const unsigned char*, uint32_t)>& Send, FPcapReplayCounts& OutCounts, std::string& OutError)
{
	using FClock = std::chrono::steady_clock;
	for (bool bFirstPass = true; bFirstPass || Options.bLoop; bFirstPass = false)
	{
		char ErrorBuffer[PCAP_ERRBUF_SIZE] = {};
		std::unique_ptr<pcap_t, FPcapCloser> Handle(pcap_open_offline_with_tstamp_precision(Path.c_str(), PCAP_TSTAMP_PRECISION_NANO, ErrorBuffer));
		if (!Handle)
		{
			OutError = "cannot read " + Path + " as a pcap or pcapng file: " + ErrorBuffer;
			return false;
		}
		const int LinkType = pcap_datalink(Handle.get());
		const int64_t DatagramsBefore = OutCounts.Datagrams;
		bool bHaveFirst = false;
		int64_t FirstNs = 0;
		FClock::time_point Start;
		for (;;)
		{
			if (ShouldStop && ShouldStop())
			{
				return true;
			}
			pcap_pkthdr* Header = nullptr;
			const unsigned char* Data = nullptr;
			const int Result = pcap_next_ex(Handle.get(), &Header, &Data);
			if (Result == PCAP_ERROR_BREAK)
			{
				break;
			}
			if (Result != 1)
			{
				OutError = Path + " is malformed or truncated after " + std::to_string(OutCounts.Packets) + " packets: " + pcap_geterr(Handle.get());
				return false;
			}
			++OutCounts.Packets;
			const unsigned char* Payload = nullptr;
			uint32_t PayloadLength = 0;
			uint16_t Port = 0;
			bool bCutShort = false;
			if (!ExtractUdpPayload(LinkType, Data, Header->caplen, Header->len, Payload, PayloadLength, Port, bCutShort))
			{
				++OutCounts.NotUdp;
				continue;
			}
			if (Options.Port != 0 && Port != Options.Port)
			{
				++OutCounts.OtherPorts;
				continue;
			}
			if (bCutShort)
			{
				++OutCounts.CutShort;
				continue;
			}
			if (Options.Speed > 0.0)
			{
				const int64_t StampNs = static_cast<int64_t>(Header->ts.tv_sec) * 1000000000 + static_cast<int64_t>(Header->ts.tv_usec);
				if (!bHaveFirst)
				{
					bHaveFirst = true;
					FirstNs = StampNs;
					Start = FClock::now();
				}
				// Paced against the first packet, so late wake-ups do not add up; packets stamped earlier than
				// the first (a merged capture) go at once.
				const double OffsetSeconds = static_cast<double>(StampNs - FirstNs) / 1e9 / Options.Speed;
				if (OffsetSeconds > 0.0)
				{
					const FClock::time_point Due = Start + std::chrono::duration_cast<FClock::duration>(std::chrono::duration<double>(OffsetSeconds));
					// Sleep to just short of the due time, then wait out the rest: a sleep alone wakes late by
					// the scheduler's slack.
					const FClock::time_point WakeUp = Due - std::chrono::microseconds(300);
					while (FClock::now() < WakeUp)
					{
						if (ShouldStop && ShouldStop())
						{
							return true;
						}
						std::this_thread::sleep_until(std::min(WakeUp, FClock::now() + std::chrono::milliseconds(100)));
					}
					while (FClock::now() < Due)
					{
					}
				}
			}
			Send(Payload, PayloadLength);
			++OutCounts.Datagrams;
		}
		// A file with nothing to send would otherwise loop without end.
		if (OutCounts.Datagrams == DatagramsBefore)
		{
			break;
		}
	}
	return true;
}

bool FrameUdpOverIPv4(uint32_t SourceAddress, uint16_t SourcePort, uint32_t DestinationAddress, uint16_t DestinationPort, uint16_t Identification, const unsigned char* Payload, size_t PayloadLength, std::string& OutPacket)
{
	constexpr size_t HeadersLength = 28;
	if (PayloadLength > 65535 - HeadersLength)
	{
		return false;
	}
	OutPacket.assign(HeadersLength, '\0');
	OutPacket.append(reinterpret_cast<const char*>(Payload), PayloadLength);
	unsigned char* Ip = reinterpret_cast<unsigned char*>(OutPacket.data());
	Ip[0] = 0x45;
	WriteBig16(Ip + 2, static_cast<uint16_t>(OutPacket.size()));
	WriteBig16(Ip + 4, Identification);
	Ip[8] = 64;
	Ip[9] = ProtocolUdp;
	std::memcpy(Ip + 12, &SourceAddress, 4);
	std::memcpy(Ip + 16, &DestinationAddress, 4);
	WriteBig16(Ip + 10, FoldChecksum(SumWords(Ip, 20, 0)));

	unsigned char* Udp = Ip + 20;
	std::memcpy(Udp, &SourcePort, 2);
	std::memcpy(Udp + 2, &DestinationPort, 2);
	const uint16_t UdpLength = static_cast<uint16_t>(8 + PayloadLength);
	WriteBig16(Udp + 4, UdpLength);
	// The checksum covers the pseudo-header (addresses, protocol, length) and the whole datagram.
	uint32_t Sum = SumWords(Ip + 12, 8, 0) + ProtocolUdp + UdpLength;
	Sum = SumWords(Udp, UdpLength, Sum);
	const uint16_t Checksum = FoldChecksum(Sum);
	WriteBig16(Udp + 6, Checksum == 0 ? 0xFFFF : Checksum);
	return true;
}
