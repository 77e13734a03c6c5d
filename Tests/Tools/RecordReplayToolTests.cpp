// Copyright Kelmora. All Rights Reserved.
#include "LiveLink/SourceTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <pcap/pcap.h>

#include <arpa/inet.h>
#include <cstdio>
#include <fstream>
#include <netinet/in.h>
#include <random>
#include <sstream>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace
{
	using namespace OrvaneTest;
	using OrvaneToolTest::FToolRun;
	using OrvaneToolTest::RunTool;

	std::string TempPath(const std::string& Name)
	{
		return ::testing::TempDir() + "orvane_replay_" + std::to_string(getpid()) + "_" + Name;
	}

	std::string ReadFile(const std::string& Path)
	{
		std::ifstream File(Path, std::ios::binary);
		std::stringstream Text;
		Text << File.rdbuf();
		return Text.str();
	}

	void WriteFile(const std::string& Path, const std::string& Bytes)
	{
		std::ofstream(Path, std::ios::binary) << Bytes;
	}

	std::vector<std::string> SplitLines(const std::string& Text)
	{
		std::vector<std::string> Lines;
		std::istringstream Stream(Text);
		for (std::string Line; std::getline(Stream, Line);)
		{
			Lines.push_back(Line);
		}
		return Lines;
	}

	void Put16(std::string& Out, size_t At, uint16_t Value)
	{
		Out[At] = static_cast<char>(Value >> 8);
		Out[At + 1] = static_cast<char>(Value & 0xFF);
	}

	/** IPv4 + UDP headers (checksums left 0, which IPv4 allows) in front of a payload. */
	std::string IPv4Udp(const std::string& Payload, uint16_t DestinationPort, uint8_t Protocol = 17)
	{
		std::string Packet(28, '\0');
		Packet[0] = 0x45;
		Put16(Packet, 2, static_cast<uint16_t>(28 + Payload.size()));
		Packet[8] = 64;
		Packet[9] = static_cast<char>(Protocol);
		const unsigned char Source[4] = {192, 168, 10, 20};
		const unsigned char Destination[4] = {192, 168, 10, 30};
		Packet.replace(12, 4, reinterpret_cast<const char*>(Source), 4);
		Packet.replace(16, 4, reinterpret_cast<const char*>(Destination), 4);
		Put16(Packet, 20, 50000);
		Put16(Packet, 22, DestinationPort);
		Put16(Packet, 24, static_cast<uint16_t>(8 + Payload.size()));
		return Packet + Payload;
	}

	/** IPv6 header with a hop-by-hop option header before UDP. */
	std::string IPv6Udp(const std::string& Payload, uint16_t DestinationPort)
	{
		std::string Packet(40 + 8 + 8, '\0');
		Packet[0] = 0x60;
		Put16(Packet, 4, static_cast<uint16_t>(8 + 8 + Payload.size()));
		Packet[6] = 0; // hop-by-hop options
		Packet[7] = 64;
		Packet[23] = 1; // ::1
		Packet[39] = 1;
		Packet[40] = 17; // then UDP
		Packet[41] = 0;	 // 8 bytes long
		Put16(Packet, 48, 50000);
		Put16(Packet, 50, DestinationPort);
		Put16(Packet, 52, static_cast<uint16_t>(8 + Payload.size()));
		return Packet + Payload;
	}

	std::string Ethernet(const std::string& Network, uint16_t EtherType)
	{
		std::string Frame(14, '\0');
		for (int Index = 0; Index < 12; ++Index)
		{
			Frame[Index] = static_cast<char>(0x02 + Index);
		}
		Put16(Frame, 12, EtherType);
		return Frame + Network;
	}

	std::string LinuxCooked(const std::string& Network, uint16_t Protocol)
	{
		std::string Header(16, '\0');
		Put16(Header, 2, 772);
		Put16(Header, 4, 6);
		Put16(Header, 14, Protocol);
		return Header + Network;
	}

	/** Writes the packets with libpcap's own writer, 40 ms apart, as another capture tool would. */
	void WritePcap(const std::string& Path, int LinkType, const std::vector<std::string>& Packets, uint32_t SnapLength = 65535)
	{
		pcap_t* Dead = pcap_open_dead(LinkType, 65535);
		ASSERT_NE(Dead, nullptr);
		pcap_dumper_t* Dumper = pcap_dump_open(Dead, Path.c_str());
		ASSERT_NE(Dumper, nullptr) << pcap_geterr(Dead);
		for (size_t Index = 0; Index < Packets.size(); ++Index)
		{
			pcap_pkthdr Header{};
			Header.ts.tv_sec = 1700000000;
			Header.ts.tv_usec = static_cast<suseconds_t>(Index * 40000);
			Header.len = static_cast<bpf_u_int32>(Packets[Index].size());
			Header.caplen = std::min<bpf_u_int32>(Header.len, SnapLength);
			pcap_dump(reinterpret_cast<u_char*>(Dumper), &Header, reinterpret_cast<const u_char*>(Packets[Index].data()));
		}
		pcap_dump_close(Dumper);
		pcap_close(Dead);
	}

	/** A UDP socket on a free loopback port that collects what a replay sends it. */
	class FReceiver
	{
	public:
		FReceiver()
			: Port(FindFreeLoopbackPort())
		{
			Socket = socket(AF_INET, SOCK_DGRAM, 0);
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_port = htons(Port);
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
			// Room for a whole recording replayed at full speed before it is read.
			const int BufferBytes = 8 << 20;
			if (setsockopt(Socket, SOL_SOCKET, SO_RCVBUFFORCE, &BufferBytes, sizeof(BufferBytes)) != 0)
			{
				setsockopt(Socket, SOL_SOCKET, SO_RCVBUF, &BufferBytes, sizeof(BufferBytes));
			}
			timeval Timeout = {0, 200000};
			setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Timeout, sizeof(Timeout));
		}
		~FReceiver() { close(Socket); }

		/** Everything queued on the socket (the replay has finished when this is called). */
		std::vector<std::string> Drain()
		{
			std::vector<std::string> Datagrams;
			std::vector<char> Buffer(70000);
			for (;;)
			{
				const ssize_t Received = recv(Socket, Buffer.data(), Buffer.size(), 0);
				if (Received < 0)
				{
					return Datagrams;
				}
				Datagrams.emplace_back(Buffer.data(), static_cast<size_t>(Received));
			}
		}

		std::string Endpoint() const { return "127.0.0.1:" + std::to_string(Port); }

		uint16 Port;

	private:
		int Socket = -1;
	};

	std::string Camera(int Frame)
	{
		return CameraMessage("\"Version\":2,\"Setup\":[0,1,0,0,0,0,0],\"Location\":[" + std::to_string(Frame) + ",0,0],\"Rotation\":[0,0,0,1],\"Scale\":[1,1,1],\"Lens\":[35,500,1.5,54.25],\"Sensor\":[36,24],\"Timecode\":[" + std::to_string(Frame) + ",25,1,0],\"State\":1");
	}
}

TEST(RecordReplayTool, RecordedStreamReplaysIntoListenWithTheSameFramesInOrder)
{
	const uint16 RecordPort = FindFreeLoopbackPort();
	const std::string Pcap = TempPath("roundtrip.pcap");
	const std::string Errors = TempPath("roundtrip.err");
	// Record twelve frames of the built-in camera move, stopped by SIGTERM once the sender is done.
	const FToolRun Recorded = RunTool("record '" + Pcap + "' --endpoint 127.0.0.1:" + std::to_string(RecordPort) + " 2>'" + Errors + "' & Tool=$!; " +
										  "for Poll in $(seq 600); do [ $(stat -c %s '" + Pcap + "' 2>/dev/null || echo 0) -ge 24 ] && break; sleep 0.05; done; " +
										  ORVANE_TOOL_PATH + " send --to 127.0.0.1:" + std::to_string(RecordPort) + " --frames 12 --fps 50 --start-frame 100 2>/dev/null; sleep 0.2; " +
										  "kill -TERM $Tool; wait $Tool; echo exit=$?",
		Errors + ".shell");
	EXPECT_NE(Recorded.Output.find("exit=0"), std::string::npos) << Recorded.Output << ReadFile(Errors);
	EXPECT_NE(ReadFile(Errors).find("orvane record: 12 datagrams written to"), std::string::npos) << ReadFile(Errors);

	// Every other tool sees IPv4/UDP packets from and to the real addresses and ports.
	char ErrorBuffer[PCAP_ERRBUF_SIZE] = {};
	pcap_t* Reader = pcap_open_offline(Pcap.c_str(), ErrorBuffer);
	ASSERT_NE(Reader, nullptr) << ErrorBuffer;
	EXPECT_EQ(pcap_datalink(Reader), DLT_RAW);
	bpf_program Filter{};
	ASSERT_EQ(pcap_compile(Reader, &Filter, ("udp dst port " + std::to_string(RecordPort) + " and src host 127.0.0.1 and dst host 127.0.0.1").c_str(), 1, PCAP_NETMASK_UNKNOWN), 0);
	pcap_pkthdr* Header = nullptr;
	const u_char* Data = nullptr;
	std::vector<std::string> Recordings;
	while (pcap_next_ex(Reader, &Header, &Data) == 1)
	{
		EXPECT_TRUE(pcap_offline_filter(&Filter, Header, Data));
		Recordings.emplace_back(reinterpret_cast<const char*>(Data) + 28, Header->caplen - 28);
	}
	pcap_freecode(&Filter);
	pcap_close(Reader);
	ASSERT_EQ(Recordings.size(), 12u);
	for (size_t Index = 0; Index < Recordings.size(); ++Index)
	{
		const nlohmann::json Message = nlohmann::json::parse(Recordings[Index]);
		EXPECT_EQ(Message["ORVCamera"][0]["Timecode"][0], 100 + static_cast<int>(Index));
	}

	// Replayed into the listen tool, the same frames are published in the same order.
	const uint16 ListenPort = FindFreeLoopbackPort();
	const std::string Listened = TempPath("roundtrip.jsonl");
	const FToolRun Replayed = RunTool(std::string("listen --jsonl --endpoint 127.0.0.1:") + std::to_string(ListenPort) + " >'" + Listened + "' 2>/dev/null & Tool=$!; " +
										  "for Poll in $(seq 600); do grep -q '\"type\":\"static\"' '" + Listened + "' 2>/dev/null && break; sleep 0.05; done; " +
										  ORVANE_TOOL_PATH + " send --replay '" + Pcap + "' --port " + std::to_string(RecordPort) + " --to 127.0.0.1:" + std::to_string(ListenPort) + " 2>'" + Errors + "'; echo replay=$?; sleep 0.3; " +
										  "kill -TERM $Tool; wait $Tool; echo exit=$?",
		Errors + ".shell");
	EXPECT_NE(Replayed.Output.find("replay=0"), std::string::npos) << Replayed.Output << ReadFile(Errors);
	EXPECT_NE(ReadFile(Errors).find("orvane send: 12 datagrams sent to 127.0.0.1:" + std::to_string(ListenPort)), std::string::npos) << ReadFile(Errors);
	std::vector<nlohmann::json> Frames;
	for (const std::string& Line : SplitLines(ReadFile(Listened)))
	{
		const nlohmann::json Object = nlohmann::json::parse(Line, nullptr, false);
		if (Object.is_object() && Object["type"] == "frame")
		{
			Frames.push_back(Object);
		}
	}
	ASSERT_EQ(Frames.size(), 12u) << ReadFile(Listened);
	for (size_t Index = 0; Index < Frames.size(); ++Index)
	{
		const nlohmann::json Sent = nlohmann::json::parse(Recordings[Index])["ORVCamera"][0];
		EXPECT_EQ(Frames[Index]["frame"], 100 + static_cast<int>(Index));
		EXPECT_EQ(Frames[Index]["location"], Sent["Location"]);
	}
	std::remove(Pcap.c_str());
	std::remove(Errors.c_str());
	std::remove(Listened.c_str());
}

TEST(RecordReplayTool, ReplaysCapturesOfOtherToolsAcrossLinkTypesAndSkipsWhatIsNotUdp)
{
	FReceiver Receiver;
	const std::string Errors = TempPath("foreign.err");
	struct FCase
	{
		const char* Name;
		int LinkType;
		std::vector<std::string> Packets;
		std::vector<std::string> Expected;
		const char* Summary;
	};
	// Ethernet: an ARP packet, frame 2 over TCP and frame 3 to another port are skipped.
	const std::vector<FCase> Cases = {
		{"ethernet", DLT_EN10MB, {Ethernet(IPv4Udp(Camera(1), 9001), 0x0800), Ethernet(std::string(28, '\x01'), 0x0806), Ethernet(IPv4Udp(Camera(2), 9001, 6), 0x0800), Ethernet(IPv4Udp(Camera(3), 9002), 0x0800), Ethernet(IPv4Udp(Camera(4), 9001), 0x0800)},
			{Camera(1), Camera(4)}, "replayed 2 of 5 packets; skipped 2 not UDP, 1 to other ports, 0 cut short"},
		{"cooked", DLT_LINUX_SLL, {LinuxCooked(IPv4Udp(Camera(1), 9001), 0x0800), LinuxCooked(IPv6Udp(Camera(2), 9001), 0x86DD)}, {Camera(1), Camera(2)}, "replayed 2 of 2 packets; skipped 0 not UDP"},
		{"raw", DLT_RAW, {IPv4Udp(Camera(1), 9001), IPv6Udp(Camera(2), 9001), std::string("\x45garbage")}, {Camera(1), Camera(2)}, "replayed 2 of 3 packets; skipped 1 not UDP"},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.Name);
		const std::string Pcap = TempPath(std::string(Case.Name) + ".pcap");
		WritePcap(Pcap, Case.LinkType, Case.Packets);
		const FToolRun Run = RunTool("send --replay '" + Pcap + "' --speed 0 --to " + Receiver.Endpoint(), Errors);
		EXPECT_EQ(Run.ExitCode, 0) << Run.Errors;
		EXPECT_NE(Run.Errors.find(Case.Summary), std::string::npos) << Run.Errors;
		EXPECT_EQ(Receiver.Drain(), Case.Expected);
		std::remove(Pcap.c_str());
	}

	// Port 0 takes every port.
	const std::string Pcap = TempPath("anyport.pcap");
	WritePcap(Pcap, DLT_RAW, {IPv4Udp(Camera(7), 5000), IPv4Udp(Camera(8), 9001)});
	EXPECT_EQ(RunTool("send --replay '" + Pcap + "' --speed 0 --port 0 --to " + Receiver.Endpoint(), Errors).ExitCode, 0);
	EXPECT_EQ(Receiver.Drain(), (std::vector<std::string>{Camera(7), Camera(8)}));

	// A datagram the capture cut short (snap length) is not sent half.
	WritePcap(Pcap, DLT_RAW, {IPv4Udp(Camera(9), 9001)}, 60);
	const FToolRun Cut = RunTool("send --replay '" + Pcap + "' --speed 0 --to " + Receiver.Endpoint(), Errors);
	EXPECT_EQ(Cut.ExitCode, 0);
	EXPECT_TRUE(Receiver.Drain().empty());
	EXPECT_NE(Cut.Errors.find("1 cut short by the capture"), std::string::npos) << Cut.Errors;
	std::remove(Pcap.c_str());
	std::remove(Errors.c_str());
}

TEST(RecordReplayTool, MalformedOrTruncatedFilesEndWithAClearErrorAndExitOne)
{
	FReceiver Receiver;
	const std::string Errors = TempPath("hostile.err");
	const std::string Pcap = TempPath("hostile.pcap");
	WritePcap(Pcap, DLT_RAW, {IPv4Udp(Camera(1), 9001), IPv4Udp(Camera(2), 9001), IPv4Udp(Camera(3), 9001)});
	const std::string Whole = ReadFile(Pcap);
	ASSERT_GT(Whole.size(), 100u);

	auto Replay = [&](const std::string& Bytes)
	{
		WriteFile(Pcap, Bytes);
		return RunTool("send --replay '" + Pcap + "' --speed 0 --to " + Receiver.Endpoint(), Errors);
	};

	// Cut inside the last packet: what came before is sent, then the replay ends with the reason.
	const FToolRun Truncated = Replay(Whole.substr(0, Whole.size() - 10));
	EXPECT_EQ(Truncated.ExitCode, 1);
	EXPECT_NE(Truncated.Errors.find("is malformed or truncated after 2 packets"), std::string::npos) << Truncated.Errors;
	EXPECT_EQ(Receiver.Drain().size(), 2u);

	// Cut inside the file header, a packet header claiming a huge length, random bytes, an empty file.
	std::string Huge = Whole;
	const uint32_t HugeLength = 0x7FFFFFF0u;
	Huge.replace(24 + 8, 4, reinterpret_cast<const char*>(&HugeLength), 4);
	Huge.replace(24 + 12, 4, reinterpret_cast<const char*>(&HugeLength), 4);
	std::mt19937 Random(15);
	std::string Noise(4096, '\0');
	for (char& Byte : Noise)
	{
		Byte = static_cast<char>(Random());
	}
	for (const std::string& Bytes : {Whole.substr(0, 10), Huge, Noise, std::string()})
	{
		const FToolRun Run = Replay(Bytes);
		EXPECT_EQ(Run.ExitCode, 1) << Run.Errors;
		EXPECT_NE(Run.Errors.find("orvane send: "), std::string::npos);
		EXPECT_TRUE(Run.Errors.find("cannot read") != std::string::npos || Run.Errors.find("malformed or truncated") != std::string::npos) << Run.Errors;
	}
	EXPECT_TRUE(Receiver.Drain().empty());

	// Random packets inside a well-formed file are skipped, never sent or crashed on.
	std::vector<std::string> Packets;
	for (int Index = 0; Index < 200; ++Index)
	{
		std::string Packet(Random() % 120, '\0');
		for (char& Byte : Packet)
		{
			Byte = static_cast<char>(Random());
		}
		if (!Packet.empty())
		{
			Packet[0] = static_cast<char>(Index % 2 ? 0x45 : 0x60);
		}
		Packets.push_back(Packet);
	}
	for (const int LinkType : {DLT_RAW, DLT_EN10MB, DLT_LINUX_SLL, DLT_LINUX_SLL2, DLT_NULL})
	{
		WritePcap(Pcap, LinkType, Packets);
		EXPECT_EQ(RunTool("send --replay '" + Pcap + "' --speed 0 --port 0 --to " + Receiver.Endpoint(), Errors).ExitCode, 0);
	}
	Receiver.Drain();

	EXPECT_EQ(RunTool("send --replay '" + TempPath("missing.pcap") + "' --to " + Receiver.Endpoint(), Errors).ExitCode, 1);
	EXPECT_EQ(RunTool("send --replay '" + Pcap + "' --speed -1", Errors).ExitCode, 2);
	EXPECT_EQ(RunTool("send --replay '" + Pcap + "' --port 70000", Errors).ExitCode, 2);
	std::remove(Pcap.c_str());
	std::remove(Errors.c_str());
}

TEST(RecordReplayTool, RecordRefusesWhatItCannotUse)
{
	const std::string Errors = TempPath("record.err");
	EXPECT_EQ(RunTool("record", Errors).ExitCode, 2);
	EXPECT_EQ(RunTool("record " + TempPath("x.pcap") + " --endpoint nowhere", Errors).ExitCode, 2);
	const FToolRun Unbindable = RunTool("record " + TempPath("x.pcap") + " --endpoint 203.0.113.7:9001 --duration 1", Errors);
	EXPECT_EQ(Unbindable.ExitCode, 2);
	EXPECT_NE(Unbindable.Errors.find("orvane record: cannot receive on 203.0.113.7:9001"), std::string::npos) << Unbindable.Errors;
	const FToolRun Unwritable = RunTool("record /nonexistent-dir/x.pcap --endpoint 127.0.0.1:" + std::to_string(FindFreeLoopbackPort()) + " --duration 1", Errors);
	EXPECT_EQ(Unwritable.ExitCode, 1);
	EXPECT_NE(Unwritable.Errors.find("orvane record: cannot write /nonexistent-dir/x.pcap"), std::string::npos) << Unwritable.Errors;
	const FToolRun NoInterface = RunTool("record " + TempPath("x.pcap") + " --interface no-such-if0 --duration 1", Errors);
	EXPECT_EQ(NoInterface.ExitCode, 1);
	EXPECT_NE(NoInterface.Errors.find("orvane record: cannot capture on no-such-if0"), std::string::npos) << NoInterface.Errors;
	std::remove(Errors.c_str());
}

TEST(RecordReplayTool, RecordsFromTheInterfaceWhereCaptureIsPermitted)
{
	const uint16 Port = FindFreeLoopbackPort();
	const std::string Pcap = TempPath("interface.pcap");
	const std::string Errors = TempPath("interface.err");
	const FToolRun Run = RunTool("record '" + Pcap + "' --interface lo --endpoint 127.0.0.1:" + std::to_string(Port) + " 2>'" + Errors + "' & Tool=$!; " +
									 "for Poll in $(seq 100); do grep -q -e capturing -e 'cannot capture' '" + Errors + "' 2>/dev/null && break; sleep 0.05; done; " +
									 ORVANE_TOOL_PATH + " send --to 127.0.0.1:" + std::to_string(Port) + " --frames 3 --fps 50 2>/dev/null; sleep 0.3; " +
									 "kill -TERM $Tool 2>/dev/null; wait $Tool; echo exit=$?",
		Errors + ".shell");
	const std::string Said = ReadFile(Errors);
	if (Said.find("cannot capture on lo") != std::string::npos)
	{
		EXPECT_NE(Run.Output.find("exit=1"), std::string::npos);
		GTEST_SKIP() << "no capture permission here: " << Said;
	}
	EXPECT_NE(Run.Output.find("exit=0"), std::string::npos) << Said;
	FReceiver Receiver;
	const FToolRun Replayed = RunTool("send --replay '" + Pcap + "' --speed 0 --port " + std::to_string(Port) + " --to " + Receiver.Endpoint(), Errors);
	EXPECT_EQ(Replayed.ExitCode, 0) << Replayed.Errors;
	const std::vector<std::string> Received = Receiver.Drain();
	ASSERT_EQ(Received.size(), 3u) << Replayed.Errors;
	EXPECT_EQ(nlohmann::json::parse(Received[2])["ORVCamera"][0]["Timecode"][0], 2);
	std::remove(Pcap.c_str());
	std::remove(Errors.c_str());
}

TEST(RecordReplayTool, SampleRecordingReplaysTenSecondsOfTheCameraMove)
{
	FReceiver Receiver;
	const FToolRun Run = RunTool(std::string("send --replay '") + ORVANE_TEST_DATA_DIR + "/../../Samples/demo.pcap' --speed 50 --to " + Receiver.Endpoint(), TempPath("sample.err"));
	EXPECT_EQ(Run.ExitCode, 0) << Run.Errors;
	const std::vector<std::string> Received = Receiver.Drain();
	ASSERT_EQ(Received.size(), 250u) << Run.Errors;
	for (size_t Index = 0; Index < Received.size(); ++Index)
	{
		EXPECT_EQ(nlohmann::json::parse(Received[Index])["ORVCamera"][0]["Timecode"][0], static_cast<int>(Index));
	}
}

TEST(RecordReplayTool, ReplaysPcapngWithLinuxCookedVersionTwo)
{
	// pcapng as Wireshark and `tcpdump -i any` write it, built block by block: section header, one interface
	// of link type LINUX_SLL2 (276), two enhanced packet blocks.
	auto Put32 = [](std::string& Out, uint32_t Value)
	{ Out.append(reinterpret_cast<const char*>(&Value), 4); };
	std::string File;
	Put32(File, 0x0A0D0D0A);
	Put32(File, 28);
	Put32(File, 0x1A2B3C4D);
	Put32(File, 0x00000001); // version 1.0
	Put32(File, 0xFFFFFFFF); // section length unknown
	Put32(File, 0xFFFFFFFF);
	Put32(File, 28);
	Put32(File, 1);
	Put32(File, 20);
	Put32(File, 276); // link type, then reserved
	Put32(File, 262144);
	Put32(File, 20);
	const std::vector<std::string> Frames = {Camera(5), Camera(6)};
	for (size_t Index = 0; Index < Frames.size(); ++Index)
	{
		std::string Packet(20, '\0');
		Put16(Packet, 0, 0x0800);
		Packet += IPv4Udp(Frames[Index], 9001);
		std::string Padded = Packet + std::string((4 - Packet.size() % 4) % 4, '\0');
		const uint32_t BlockLength = static_cast<uint32_t>(32 + Padded.size());
		Put32(File, 6);
		Put32(File, BlockLength);
		Put32(File, 0);
		Put32(File, 0);
		Put32(File, static_cast<uint32_t>(1000000 + Index * 1000));
		Put32(File, static_cast<uint32_t>(Packet.size()));
		Put32(File, static_cast<uint32_t>(Packet.size()));
		File += Padded;
		Put32(File, BlockLength);
	}
	const std::string Path = TempPath("cooked2.pcapng");
	WriteFile(Path, File);
	FReceiver Receiver;
	const FToolRun Run = RunTool("send --replay '" + Path + "' --to " + Receiver.Endpoint(), TempPath("pcapng.err"));
	EXPECT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_EQ(Receiver.Drain(), Frames);

	// The same file cut inside its second block.
	WriteFile(Path, File.substr(0, File.size() - 12));
	const FToolRun Cut = RunTool("send --replay '" + Path + "' --to " + Receiver.Endpoint(), TempPath("pcapng.err"));
	EXPECT_EQ(Cut.ExitCode, 1);
	EXPECT_NE(Cut.Errors.find("is malformed or truncated after 1 packets"), std::string::npos) << Cut.Errors;
	EXPECT_EQ(Receiver.Drain(), std::vector<std::string>{Frames[0]});
	std::remove(Path.c_str());
}
