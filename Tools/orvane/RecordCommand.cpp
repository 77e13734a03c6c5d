// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"
#include "PcapReplay.h"
#include "ToolArguments.h"

#include <pcap/pcap.h>

#include <arpa/inet.h>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>
#include <netinet/in.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>
#include <vector>

namespace
{
	/** The largest payload a UDP datagram over IPv4 can carry. */
	constexpr size_t MaxDatagram = 65507;
	/** Receive buffer of the socket, as large as the source's. */
	constexpr int ReceiveBufferBytes = 1048576;

	struct FRecordOptions
	{
		std::string OutPath;
		std::string Endpoint = "0.0.0.0:9001";
		std::string Interface;
		/** Seconds to record; 0 records until stopped. */
		double Duration = 0.0;
	};

	bool Fail(const std::string& Message)
	{
		std::fprintf(stderr, "orvane record: %s\n", Message.c_str());
		return false;
	}

	bool ParseIPv4Endpoint(const std::string& Endpoint, sockaddr_in& OutAddress)
	{
		const size_t Colon = Endpoint.rfind(':');
		long long Port = 0;
		if (Colon == std::string::npos || !ParseInteger(Endpoint.substr(Colon + 1), 0, 65535, Port) || Endpoint[Colon + 1] == '+' || Endpoint[Colon + 1] == '-')
		{
			return false;
		}
		std::memset(&OutAddress, 0, sizeof(OutAddress));
		OutAddress.sin_family = AF_INET;
		OutAddress.sin_port = htons(static_cast<uint16_t>(Port));
		return inet_pton(AF_INET, Endpoint.substr(0, Colon).c_str(), &OutAddress.sin_addr) == 1;
	}

	struct FPcapCloser
	{
		void operator()(pcap_t* Handle) const { pcap_close(Handle); }
	};
	struct FDumperCloser
	{
		void operator()(pcap_dumper_t* Dumper) const { pcap_dump_close(Dumper); }
	};

	bool TimeIsUp(bool bTimed, std::chrono::steady_clock::time_point Deadline)
	{
		return GStopRequested.load() || (bTimed && std::chrono::steady_clock::now() >= Deadline);
	}

	std::chrono::steady_clock::time_point DeadlineOf(const FRecordOptions& Options)
	{
		return std::chrono::steady_clock::now() + std::chrono::duration_cast<std::chrono::steady_clock::duration>(std::chrono::duration<double>(Options.Duration));
	}

	/** Records what arrives on our own socket, framed as the IPv4 datagrams they came in. */
	int RecordSocket(const FRecordOptions& Options)
	{
		sockaddr_in Local{};
		if (!ParseIPv4Endpoint(Options.Endpoint, Local))
		{
			Fail("'" + Options.Endpoint + "' is not an IPv4 address and port (ADDR:PORT)");
			PrintUsage();
			return 2;
		}
		const int Socket = socket(AF_INET, SOCK_DGRAM, 0);
		if (Socket < 0)
		{
			Fail(std::string("cannot open a UDP socket: ") + std::strerror(errno));
			return 1;
		}
		// Bound like the camera source: reusable address, 1 MiB receive buffer, and the destination address of
		// each datagram asked for, since a wildcard bind does not say which local address it came to.
		const int On = 1;
		setsockopt(Socket, SOL_SOCKET, SO_REUSEADDR, &On, sizeof(On));
		setsockopt(Socket, SOL_SOCKET, SO_RCVBUF, &ReceiveBufferBytes, sizeof(ReceiveBufferBytes));
		setsockopt(Socket, IPPROTO_IP, IP_PKTINFO, &On, sizeof(On));
		if (bind(Socket, reinterpret_cast<const sockaddr*>(&Local), sizeof(Local)) != 0)
		{
			Fail("cannot receive on " + Options.Endpoint + ": " + std::strerror(errno));
			close(Socket);
			return 2;
		}
		// Port 0 asks the system for a free port: the packets carry the one it gave.
		socklen_t LocalLength = sizeof(Local);
		getsockname(Socket, reinterpret_cast<sockaddr*>(&Local), &LocalLength);
		char Address[INET_ADDRSTRLEN] = {};
		inet_ntop(AF_INET, &Local.sin_addr, Address, sizeof(Address));
		const std::string Bound = std::string(Address) + ":" + std::to_string(ntohs(Local.sin_port));

		std::unique_ptr<pcap_t, FPcapCloser> Dead(pcap_open_dead(DLT_RAW, 65535));
		std::unique_ptr<pcap_dumper_t, FDumperCloser> Dumper(Dead ? pcap_dump_open(Dead.get(), Options.OutPath.c_str()) : nullptr);
		if (!Dumper)
		{
			Fail("cannot write " + Options.OutPath + (Dead ? std::string(": ") + pcap_geterr(Dead.get()) : std::string()));
			close(Socket);
			return 1;
		}
		// The file header goes out at once, so a reader sees a valid (empty) capture from the start.
		pcap_dump_flush(Dumper.get());
		InstallStopSignals();
		std::fprintf(stderr, "orvane record: recording datagrams to %s into %s\n", Bound.c_str(), Options.OutPath.c_str());

		std::vector<unsigned char> Buffer(MaxDatagram + 1);
		alignas(cmsghdr) unsigned char Control[CMSG_SPACE(sizeof(in_pktinfo))];
		std::string Packet;
		int64_t Written = 0;
		int64_t Refused = 0;
		uint16_t Identification = 0;
		const bool bTimed = Options.Duration > 0.0;
		const auto Deadline = DeadlineOf(Options);
		while (!TimeIsUp(bTimed, Deadline))
		{
			pollfd Wait = {Socket, POLLIN, 0};
			if (poll(&Wait, 1, 10) <= 0)
			{
				continue;
			}
			sockaddr_in From{};
			iovec Vector = {Buffer.data(), Buffer.size()};
			msghdr Message{};
			Message.msg_name = &From;
			Message.msg_namelen = sizeof(From);
			Message.msg_iov = &Vector;
			Message.msg_iovlen = 1;
			Message.msg_control = Control;
			Message.msg_controllen = sizeof(Control);
			const ssize_t Received = recvmsg(Socket, &Message, MSG_DONTWAIT);
			if (Received < 0)
			{
				continue;
			}
			timespec Now{};
			clock_gettime(CLOCK_REALTIME, &Now);
			uint32_t Destination = Local.sin_addr.s_addr;
			for (cmsghdr* Header = CMSG_FIRSTHDR(&Message); Header; Header = CMSG_NXTHDR(&Message, Header))
			{
				if (Header->cmsg_level == IPPROTO_IP && Header->cmsg_type == IP_PKTINFO)
				{
					in_pktinfo Info{};
					std::memcpy(&Info, CMSG_DATA(Header), sizeof(Info));
					Destination = Info.ipi_addr.s_addr;
				}
			}
			if ((Message.msg_flags & MSG_TRUNC) != 0 || !FrameUdpOverIPv4(From.sin_addr.s_addr, From.sin_port, Destination, Local.sin_port, Identification++, Buffer.data(), static_cast<size_t>(Received), Packet))
			{
				++Refused;
				continue;
			}
			pcap_pkthdr Header{};
			Header.ts.tv_sec = Now.tv_sec;
			Header.ts.tv_usec = static_cast<suseconds_t>(Now.tv_nsec / 1000);
			Header.caplen = static_cast<bpf_u_int32>(Packet.size());
			Header.len = Header.caplen;
			pcap_dump(reinterpret_cast<u_char*>(Dumper.get()), &Header, reinterpret_cast<const u_char*>(Packet.data()));
			// Flushed per datagram: a recording cut off by a crash or a kill keeps what it had.
			pcap_dump_flush(Dumper.get());
			++Written;
		}
		close(Socket);
		const bool bWriteFailed = pcap_dump_flush(Dumper.get()) != 0 || std::ferror(pcap_dump_file(Dumper.get()));
		Dumper.reset();
		std::fprintf(stderr, "orvane record: %lld datagrams written to %s, %lld not recorded\n", static_cast<long long>(Written), Options.OutPath.c_str(), static_cast<long long>(Refused));
		if (bWriteFailed)
		{
			Fail("writing " + Options.OutPath + " failed");
			return 1;
		}
		return 0;
	}

	/** Records the endpoint's traffic as the interface sees it, which a second socket on a taken port cannot. */
	int RecordInterface(const FRecordOptions& Options)
	{
		sockaddr_in Local{};
		if (!ParseIPv4Endpoint(Options.Endpoint, Local))
		{
			Fail("'" + Options.Endpoint + "' is not an IPv4 address and port (ADDR:PORT)");
			PrintUsage();
			return 2;
		}
		char ErrorBuffer[PCAP_ERRBUF_SIZE] = {};
		std::unique_ptr<pcap_t, FPcapCloser> Live(pcap_create(Options.Interface.c_str(), ErrorBuffer));
		if (!Live)
		{
			Fail("cannot capture on " + Options.Interface + ": " + ErrorBuffer);
			return 1;
		}
		pcap_set_snaplen(Live.get(), 262144);
		pcap_set_timeout(Live.get(), 10);
		pcap_set_immediate_mode(Live.get(), 1);
		const int Activated = pcap_activate(Live.get());
		if (Activated < 0)
		{
			const std::string Reason = pcap_geterr(Live.get());
			Fail("cannot capture on " + Options.Interface + ": " + (Reason.empty() ? pcap_statustostr(Activated) : Reason) + (Activated == PCAP_ERROR_PERM_DENIED ? " (live capture needs root or the CAP_NET_RAW capability)" : ""));
			return 1;
		}
		char Address[INET_ADDRSTRLEN] = {};
		inet_ntop(AF_INET, &Local.sin_addr, Address, sizeof(Address));
		std::string Filter = "udp dst port " + std::to_string(ntohs(Local.sin_port));
		if (Local.sin_addr.s_addr != htonl(INADDR_ANY))
		{
			Filter += " and dst host " + std::string(Address);
		}
		bpf_program Program{};
		if (pcap_compile(Live.get(), &Program, Filter.c_str(), 1, PCAP_NETMASK_UNKNOWN) != 0 || pcap_setfilter(Live.get(), &Program) != 0)
		{
			Fail("cannot filter the capture on " + Options.Interface + ": " + pcap_geterr(Live.get()));
			pcap_freecode(&Program);
			return 1;
		}
		pcap_freecode(&Program);
		std::unique_ptr<pcap_dumper_t, FDumperCloser> Dumper(pcap_dump_open(Live.get(), Options.OutPath.c_str()));
		if (!Dumper)
		{
			Fail("cannot write " + Options.OutPath + ": " + pcap_geterr(Live.get()));
			return 1;
		}
		pcap_dump_flush(Dumper.get());
		InstallStopSignals();
		std::fprintf(stderr, "orvane record: capturing '%s' on %s into %s\n", Filter.c_str(), Options.Interface.c_str(), Options.OutPath.c_str());
		int64_t Written = 0;
		const bool bTimed = Options.Duration > 0.0;
		const auto Deadline = DeadlineOf(Options);
		// Non-blocking reads behind our own wait: a blocking read in immediate mode would not return for a
		// quiet interface, so neither the duration nor a stop signal would end the recording.
		const int Selectable = pcap_get_selectable_fd(Live.get());
		if (Selectable < 0 || pcap_setnonblock(Live.get(), 1, ErrorBuffer) != 0)
		{
			Fail("cannot capture on " + Options.Interface + " without blocking");
			return 1;
		}
		while (!TimeIsUp(bTimed, Deadline))
		{
			pollfd Wait = {Selectable, POLLIN, 0};
			if (poll(&Wait, 1, 10) <= 0)
			{
				continue;
			}
			const int Count = pcap_dispatch(Live.get(), -1, &pcap_dump, reinterpret_cast<u_char*>(Dumper.get()));
			if (Count < 0 && Count != PCAP_ERROR_BREAK)
			{
				Fail("capture on " + Options.Interface + " failed: " + pcap_geterr(Live.get()));
				return 1;
			}
			if (Count > 0)
			{
				Written += Count;
				pcap_dump_flush(Dumper.get());
			}
		}
		Dumper.reset();
		std::fprintf(stderr, "orvane record: %lld packets written to %s\n", static_cast<long long>(Written), Options.OutPath.c_str());
		return 0;
	}
}

void AddRecordCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	const auto Options = std::make_shared<FRecordOptions>();
	CLI::App* Command = Tool.add_subcommand("record", "bind the endpoint as the camera source does and write every datagram received, with its arrival time, to a pcap file as an IPv4/UDP packet (until SIGINT or SIGTERM)");
	Command->add_option("OUT.pcap", Options->OutPath, "the pcap file to write")->required()->type_name("")->transform(OrvaneOptions::NotEmpty("the file to write (OUT.pcap)"));
	Command->add_option("--endpoint", Options->Endpoint, "the IPv4 address and UDP port to receive on")->type_name("ADDR:PORT")->transform(OrvaneOptions::NotEmpty("an IPv4 address and port (ADDR:PORT)"));
	Command->add_option("--duration", Options->Duration, "seconds to record")->type_name("SECONDS")->default_str("until SIGINT or SIGTERM")->transform(OrvaneOptions::Number(0.0, 31536000.0, "a number of seconds above 0 (up to a year)", true));
	Command->add_option("--interface", Options->Interface, "capture the endpoint's datagrams on this interface instead (needs capture permission); this also sees what a running editor's socket takes")
		->type_name("IF")
		->default_str("none: a socket of its own")
		->transform(OrvaneOptions::NotEmpty("an interface name"));
	Command->callback([Options, &OutCommand]()
		{ OutCommand = [Options]()
		  { return Options->Interface.empty() ? RecordSocket(*Options) : RecordInterface(*Options); }; });
}
