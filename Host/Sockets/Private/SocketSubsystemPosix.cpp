// Copyright Kelmora. All Rights Reserved.
#include "IPAddress.h"
#include "SocketSubsystem.h"
#include "Sockets.h"

#include <arpa/inet.h>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <netinet/in.h>
#include <poll.h>
#include <shared_mutex>
#include <string>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

DEFINE_LOG_CATEGORY(LogSockets);

const FName FNetworkProtocolTypes::IPv4(TEXT("IPv4"));
const FName FNetworkProtocolTypes::IPv6(TEXT("IPv6"));

namespace
{
	/** Close waits this many milliseconds at most for calls on other threads to let go of the descriptor. */
	constexpr int32 CloseLockAttempts = 2000;

	/** An IPv4 address and port as a sockaddr_in. */
	class FInternetAddrPosix final : public FInternetAddr
	{
	public:
		FInternetAddrPosix()
		{
			std::memset(&Addr, 0, sizeof(Addr));
			Addr.sin_family = AF_INET;
		}

		void SetIp(uint32 InAddr) override { Addr.sin_addr.s_addr = htonl(InAddr); }

		void SetIp(const TCHAR* InAddr, bool& bIsValid) override
		{
			bIsValid = false;
			std::string Text;
			for (const TCHAR* Char = InAddr; Char && *Char; ++Char)
			{
				if (*Char > 127 || Text.size() > 64)
				{
					return;
				}
				Text.push_back(static_cast<char>(*Char));
			}
			// "a.b.c.d:port" sets the port too, as the engine's BSD address does.
			int32 Port = -1;
			const size_t Colon = Text.find(':');
			if (Colon != std::string::npos)
			{
				const std::string PortText = Text.substr(Colon + 1);
				if (PortText.empty() || PortText.size() > 5 || PortText.find_first_not_of("0123456789") != std::string::npos)
				{
					return;
				}
				Port = std::stoi(PortText);
				if (Port > 65535)
				{
					return;
				}
				Text.resize(Colon);
			}
			in_addr Parsed;
			if (inet_pton(AF_INET, Text.c_str(), &Parsed) != 1)
			{
				return;
			}
			Addr.sin_addr = Parsed;
			if (Port >= 0)
			{
				SetPort(Port);
			}
			bIsValid = true;
		}

		void GetIp(uint32& OutAddr) const override { OutAddr = ntohl(Addr.sin_addr.s_addr); }
		void SetPort(int32 InPort) override { Addr.sin_port = htons(static_cast<uint16>(InPort)); }
		bool IsPortValid(int32 InPort) const override { return InPort >= 0 && InPort <= 65535; }
		int32 GetPort() const override { return ntohs(Addr.sin_port); }

		void SetRawIp(const TArray<uint8>& RawAddr) override
		{
			if (RawAddr.Num() == 4)
			{
				std::memcpy(&Addr.sin_addr.s_addr, RawAddr.GetData(), 4);
			}
		}
		TArray<uint8> GetRawIp() const override
		{
			const uint8* Bytes = reinterpret_cast<const uint8*>(&Addr.sin_addr.s_addr);
			return TArray<uint8>(Bytes, 4);
		}

		void SetAnyAddress() override { Addr.sin_addr.s_addr = htonl(INADDR_ANY); }
		void SetBroadcastAddress() override { Addr.sin_addr.s_addr = htonl(INADDR_BROADCAST); }
		void SetLoopbackAddress() override { Addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK); }

		FString ToString(bool bAppendPort) const override
		{
			uint32 Ip = 0;
			GetIp(Ip);
			FString Text = FString::Printf(TEXT("%u.%u.%u.%u"), (Ip >> 24) & 0xFF, (Ip >> 16) & 0xFF, (Ip >> 8) & 0xFF, Ip & 0xFF);
			if (bAppendPort)
			{
				Text += FString::Printf(TEXT(":%d"), GetPort());
			}
			return Text;
		}

		uint32 GetTypeHash() const override { return ntohl(Addr.sin_addr.s_addr) ^ (static_cast<uint32>(GetPort()) * 2654435761u); }
		bool IsValid() const override { return Addr.sin_addr.s_addr != htonl(INADDR_ANY); }
		TSharedRef<FInternetAddr> Clone() const override
		{
			TSharedRef<FInternetAddrPosix> Copy = MakeShared<FInternetAddrPosix>();
			Copy->Addr = Addr;
			return StaticCastSharedRef<FInternetAddr>(Copy);
		}
		FName GetProtocolType() const override { return FNetworkProtocolTypes::IPv4; }

		sockaddr_in Addr;
	};

	/**
	 * A POSIX socket. Every call holds the descriptor lock shared for the length of its system call;
	 * Close marks the socket closed, shuts it down (which wakes a blocked poll or recv on Linux), then
	 * takes the lock exclusively before closing the descriptor. So a descriptor is never closed while
	 * another thread uses it, and its number can never be reused under a waiting thread.
	 */
	class FSocketPosix final : public FSocket
	{
	public:
		FSocketPosix(int InDescriptor, ESocketType InSocketType, const FString& InDescription)
			: FSocket(InSocketType, InDescription, FNetworkProtocolTypes::IPv4)
			, Descriptor(InDescriptor)
		{
		}

		~FSocketPosix() override
		{
			Close();
			// A Close that could not get the lock in time left the descriptor to us.
			std::unique_lock<std::shared_timed_mutex> Lock(DescriptorLock);
			if (Descriptor >= 0)
			{
				::close(Descriptor);
				Descriptor = -1;
			}
		}

		bool Shutdown(ESocketShutdownMode Mode) override
		{
			const int How = Mode == ESocketShutdownMode::Read ? SHUT_RD : Mode == ESocketShutdownMode::Write ? SHUT_WR
																											 : SHUT_RDWR;
			return Use(false, [How](int Fd)
				{ return ::shutdown(Fd, How) == 0; });
		}

		bool Close() override
		{
			bool bExpected = false;
			if (!bClosed.compare_exchange_strong(bExpected, true))
			{
				return false;
			}
			{
				std::shared_lock<std::shared_timed_mutex> Shared(DescriptorLock);
				// Wakes a thread blocked in poll or recv. Unconnected UDP sockets report ENOTCONN but are woken.
				::shutdown(Descriptor, SHUT_RDWR);
			}
			// Polls for the lock for two seconds at most rather than a timed lock: ThreadSanitizer does not see the
			// timed lock (pthread_rwlock_clockwrlock) and would report the close below as a race with every use.
			std::unique_lock<std::shared_timed_mutex> Lock(DescriptorLock, std::defer_lock);
			for (int32 Attempt = 0; Attempt < CloseLockAttempts && !Lock.try_lock(); ++Attempt)
			{
				std::this_thread::sleep_for(std::chrono::milliseconds(1));
			}
			if (!Lock.owns_lock())
			{
				// A call that shutdown did not wake still holds the descriptor: the destructor closes it.
				return true;
			}
			const int Result = ::close(Descriptor);
			Descriptor = -1;
			return Result == 0;
		}

		bool Bind(const FInternetAddr& Addr) override
		{
			if (Addr.GetProtocolType() != GetProtocol())
			{
				UE_LOG(LogSockets, Warning, TEXT("Tried to bind address with protocol %s to a socket with protocol %s"), *Addr.GetProtocolType().ToString(), *GetProtocol().ToString());
				return false;
			}
			const sockaddr_in& Native = static_cast<const FInternetAddrPosix&>(Addr).Addr;
			return Use(false, [&Native](int Fd)
				{ return ::bind(Fd, reinterpret_cast<const sockaddr*>(&Native), sizeof(Native)) == 0; });
		}

		bool Connect(const FInternetAddr& Addr) override
		{
			if (Addr.GetProtocolType() != GetProtocol())
			{
				return false;
			}
			const sockaddr_in& Native = static_cast<const FInternetAddrPosix&>(Addr).Addr;
			return Use(false, [&Native](int Fd)
				{ return ::connect(Fd, reinterpret_cast<const sockaddr*>(&Native), sizeof(Native)) == 0 || errno == EINPROGRESS || errno == EWOULDBLOCK; });
		}

		bool HasPendingData(uint32& PendingDataSize) override
		{
			PendingDataSize = 0;
			return Use(false, [this, &PendingDataSize](int Fd)
				{
					// Linux reports the size of the first queued datagram. An empty datagram would read as "no
					// data" forever and hide every datagram behind it, so empty ones are dropped here (they carry
					// nothing); the engine, which does not do this, would stall its receiver on one.
					for (int32 Attempt = 0; Attempt < 1024; ++Attempt)
					{
						pollfd Poll{Fd, POLLIN, 0};
						if (::poll(&Poll, 1, 0) <= 0 || (Poll.revents & POLLIN) == 0 || bClosed.load())
						{
							return false;
						}
						int Available = 0;
						if (::ioctl(Fd, FIONREAD, &Available) != 0)
						{
							return false;
						}
						if (Available > 0)
						{
							PendingDataSize = static_cast<uint32>(Available);
							return true;
						}
						if (SocketType != SOCKTYPE_Datagram)
						{
							return false;
						}
						uint8 Discard = 0;
						if (::recv(Fd, &Discard, sizeof(Discard), MSG_DONTWAIT) < 0)
						{
							return false;
						}
					}
					return false; });
		}

		bool SendTo(const uint8* Data, int32 Count, int32& BytesSent, const FInternetAddr& Destination) override
		{
			BytesSent = 0;
			if (Destination.GetProtocolType() != GetProtocol() || Count < 0 || (Data == nullptr && Count > 0))
			{
				return false;
			}
			const sockaddr_in& Native = static_cast<const FInternetAddrPosix&>(Destination).Addr;
			return Use(false, [&](int Fd)
				{
					const ssize_t Sent = ::sendto(Fd, Data, static_cast<size_t>(Count), MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&Native), sizeof(Native));
					BytesSent = Sent > 0 ? static_cast<int32>(Sent) : 0;
					return Sent >= 0; });
		}

		bool Send(const uint8* Data, int32 Count, int32& BytesSent) override
		{
			BytesSent = 0;
			if (Count < 0 || (Data == nullptr && Count > 0))
			{
				return false;
			}
			return Use(false, [&](int Fd)
				{
					const ssize_t Sent = ::send(Fd, Data, static_cast<size_t>(Count), MSG_NOSIGNAL);
					BytesSent = Sent > 0 ? static_cast<int32>(Sent) : 0;
					return Sent >= 0; });
		}

		bool RecvFrom(uint8* Data, int32 BufferSize, int32& BytesRead, FInternetAddr& Source, ESocketReceiveFlags::Type Flags) override
		{
			BytesRead = 0;
			if (BufferSize < 0 || (Data == nullptr && BufferSize > 0))
			{
				return false;
			}
			sockaddr_in& Native = static_cast<FInternetAddrPosix&>(Source).Addr;
			return Use(false, [&](int Fd)
				{
					socklen_t Size = sizeof(Native);
					const ssize_t Read = ::recvfrom(Fd, Data, static_cast<size_t>(BufferSize), TranslateFlags(Flags), reinterpret_cast<sockaddr*>(&Native), &Size);
					return FinishRead(Read, BytesRead); });
		}

		bool Recv(uint8* Data, int32 BufferSize, int32& BytesRead, ESocketReceiveFlags::Type Flags) override
		{
			BytesRead = 0;
			if (BufferSize < 0 || (Data == nullptr && BufferSize > 0))
			{
				return false;
			}
			return Use(false, [&](int Fd)
				{
					const ssize_t Read = ::recv(Fd, Data, static_cast<size_t>(BufferSize), TranslateFlags(Flags));
					return FinishRead(Read, BytesRead); });
		}

		bool Wait(ESocketWaitConditions::Type Condition, FTimespan WaitTime) override
		{
			// The engine polls with the whole milliseconds of the wait; a negative wait blocks until ready.
			const double Milliseconds = WaitTime.GetTotalMilliseconds();
			const int Timeout = Milliseconds >= static_cast<double>(INT_MAX) ? INT_MAX : Milliseconds < 0.0 ? -1
																											: static_cast<int>(Milliseconds);
			short Events = 0;
			if (Condition == ESocketWaitConditions::WaitForRead || Condition == ESocketWaitConditions::WaitForReadOrWrite)
			{
				Events |= POLLIN;
			}
			if (Condition == ESocketWaitConditions::WaitForWrite || Condition == ESocketWaitConditions::WaitForReadOrWrite)
			{
				Events |= POLLOUT;
			}
			if (bClosed.load())
			{
				// The engine polls a closed socket as an ignored descriptor: the wait runs out, nothing is ready.
				if (Timeout > 0)
				{
					::poll(nullptr, 0, Timeout);
				}
				return false;
			}
			return Use(false, [&](int Fd)
				{
					pollfd Poll{Fd, Events, 0};
					const int Result = ::poll(&Poll, 1, Timeout);
					return Result > 0 && (Poll.revents & Events) != 0 && !bClosed.load(); });
		}

		ESocketConnectionState GetConnectionState() override
		{
			return bClosed.load() ? SCS_ConnectionError : SCS_Connected;
		}

		void GetAddress(FInternetAddr& OutAddr) override
		{
			sockaddr_in& Native = static_cast<FInternetAddrPosix&>(OutAddr).Addr;
			Use(false, [&Native](int Fd)
				{
					socklen_t Size = sizeof(Native);
					return ::getsockname(Fd, reinterpret_cast<sockaddr*>(&Native), &Size) == 0; });
		}

		bool SetNonBlocking(bool bIsNonBlocking) override
		{
			return Use(false, [bIsNonBlocking](int Fd)
				{
					const int Flags = ::fcntl(Fd, F_GETFL, 0);
					return Flags >= 0 && ::fcntl(Fd, F_SETFL, bIsNonBlocking ? (Flags | O_NONBLOCK) : (Flags & ~O_NONBLOCK)) == 0; });
		}

		bool SetBroadcast(bool bAllowBroadcast) override { return SetIntOption(SOL_SOCKET, SO_BROADCAST, bAllowBroadcast ? 1 : 0); }
		bool SetNoDelay(bool bIsNoDelay) override { return true; }

		bool JoinMulticastGroup(const FInternetAddr& GroupAddress) override
		{
			TSharedRef<FInternetAddr> Any = GroupAddress.Clone();
			Any->SetAnyAddress();
			return JoinMulticastGroup(GroupAddress, *Any);
		}

		bool JoinMulticastGroup(const FInternetAddr& GroupAddress, const FInternetAddr& InterfaceAddress) override
		{
			ip_mreq Request;
			Request.imr_multiaddr = static_cast<const FInternetAddrPosix&>(GroupAddress).Addr.sin_addr;
			Request.imr_interface = static_cast<const FInternetAddrPosix&>(InterfaceAddress).Addr.sin_addr;
			return Use(false, [&Request](int Fd)
				{ return ::setsockopt(Fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &Request, sizeof(Request)) == 0; });
		}

		bool SetMulticastLoopback(bool bLoopback) override
		{
			const unsigned char Value = bLoopback ? 1 : 0;
			return Use(false, [Value](int Fd)
				{ return ::setsockopt(Fd, IPPROTO_IP, IP_MULTICAST_LOOP, &Value, sizeof(Value)) == 0; });
		}

		bool SetMulticastTtl(uint8 TimeToLive) override
		{
			const unsigned char Value = TimeToLive;
			return Use(false, [Value](int Fd)
				{ return ::setsockopt(Fd, IPPROTO_IP, IP_MULTICAST_TTL, &Value, sizeof(Value)) == 0; });
		}

		bool SetMulticastInterface(const FInternetAddr& InterfaceAddress) override
		{
			const in_addr Interface = static_cast<const FInternetAddrPosix&>(InterfaceAddress).Addr.sin_addr;
			return Use(false, [Interface](int Fd)
				{ return ::setsockopt(Fd, IPPROTO_IP, IP_MULTICAST_IF, &Interface, sizeof(Interface)) == 0; });
		}

		bool SetReuseAddr(bool bAllowReuse) override
		{
			// As the engine's BSD sockets: SO_REUSEADDR, then SO_REUSEPORT where the system has it.
			const int Value = bAllowReuse ? 1 : 0;
			if (!SetIntOption(SOL_SOCKET, SO_REUSEADDR, Value))
			{
				return false;
			}
#ifdef SO_REUSEPORT
			return SetIntOption(SOL_SOCKET, SO_REUSEPORT, Value);
#else
			return true;
#endif
		}

		bool SetLinger(bool bShouldLinger, int32 Timeout) override
		{
			linger Linger;
			Linger.l_onoff = bShouldLinger ? 1 : 0;
			Linger.l_linger = Timeout;
			return Use(false, [&Linger](int Fd)
				{ return ::setsockopt(Fd, SOL_SOCKET, SO_LINGER, &Linger, sizeof(Linger)) == 0; });
		}

		// As the engine's BSD sockets: not supported, reported as done.
		bool SetRecvErr(bool bUseErrorQueue) override
		{
			return true;
		}

		bool SetSendBufferSize(int32 Size, int32& NewSize) override
		{
			return SetBufferSize(SO_SNDBUF, Size, NewSize);
		}
		bool SetReceiveBufferSize(int32 Size, int32& NewSize) override
		{
			return SetBufferSize(SO_RCVBUF, Size, NewSize);
		}

		int32 GetPortNo() override
		{
			int32 Port = 0;
			Use(false, [&Port](int Fd)
				{
					sockaddr_in Native;
					socklen_t Size = sizeof(Native);
					if (::getsockname(Fd, reinterpret_cast<sockaddr*>(&Native), &Size) != 0)
					{
						return false;
					}
					Port = ntohs(Native.sin_port);
					return true; });
			return Port;
		}

	private:
		/** Runs Op on the descriptor unless the socket is closed; a closed socket fails with EBADF. */
		template <typename OpType>
		bool Use(bool bClosedResult, OpType&& Op)
		{
			if (!bClosed.load())
			{
				std::shared_lock<std::shared_timed_mutex> Lock(DescriptorLock);
				if (!bClosed.load() && Descriptor >= 0)
				{
					return Op(Descriptor);
				}
			}
			errno = EBADF;
			return bClosedResult;
		}

		bool SetIntOption(int Level, int Option, int Value)
		{
			return Use(false, [&](int Fd)
				{ return ::setsockopt(Fd, Level, Option, &Value, sizeof(Value)) == 0; });
		}

		bool SetBufferSize(int Option, int32 Size, int32& NewSize)
		{
			NewSize = 0;
			return Use(false, [&](int Fd)
				{
					const bool bOk = ::setsockopt(Fd, SOL_SOCKET, Option, &Size, sizeof(Size)) == 0;
					const int SavedError = errno;
					// The system may grant another size (Linux doubles it and caps it): report what it granted.
					socklen_t OptionSize = sizeof(NewSize);
					::getsockopt(Fd, SOL_SOCKET, Option, &NewSize, &OptionSize);
					errno = SavedError;
					return bOk; });
		}

		static int TranslateFlags(ESocketReceiveFlags::Type Flags)
		{
			int Native = 0;
			Native |= (Flags & ESocketReceiveFlags::Peek) ? MSG_PEEK : 0;
			Native |= (Flags & ESocketReceiveFlags::WaitAll) ? MSG_WAITALL : 0;
			return Native;
		}

		/** The engine's rule: a datagram read of any size succeeds, a stream read of 0 bytes fails. */
		bool FinishRead(ssize_t Read, int32& BytesRead)
		{
			if (Read >= 0 && !bClosed.load())
			{
				BytesRead = static_cast<int32>(Read);
				return SocketType != SOCKTYPE_Streaming || Read > 0;
			}
			BytesRead = 0;
			return SocketType == SOCKTYPE_Streaming && Read < 0 && (errno == EWOULDBLOCK || errno == EAGAIN);
		}

		int Descriptor;
		std::atomic<bool> bClosed{false};
		std::shared_timed_mutex DescriptorLock;
	};

	class FSocketSubsystemPosix final : public ISocketSubsystem
	{
	public:
		bool Init(FString& Error) override { return true; }
		void Shutdown() override {}

		FSocket* CreateSocket(const FName& SocketType, const FString& SocketDescription, const FName& ProtocolName) override
		{
			if (!ProtocolName.IsNone() && ProtocolName != FNetworkProtocolTypes::IPv4)
			{
				UE_LOG(LogSockets, Warning, TEXT("CreateSocket: the host supports IPv4 only, not %s"), *ProtocolName.ToString());
				return nullptr;
			}
			int Type = 0;
			ESocketType EngineType = SOCKTYPE_Unknown;
			if (SocketType == FName(TEXT("DGram")))
			{
				Type = SOCK_DGRAM;
				EngineType = SOCKTYPE_Datagram;
			}
			else if (SocketType == FName(TEXT("Stream")))
			{
				Type = SOCK_STREAM;
				EngineType = SOCKTYPE_Streaming;
			}
			else
			{
				UE_LOG(LogSockets, Warning, TEXT("CreateSocket: unknown socket type %s"), *SocketType.ToString());
				return nullptr;
			}
			const int Descriptor = ::socket(AF_INET, Type | SOCK_CLOEXEC, Type == SOCK_DGRAM ? IPPROTO_UDP : IPPROTO_TCP);
			if (Descriptor < 0)
			{
				UE_LOG(LogSockets, Warning, TEXT("Failed to create socket %s [%s]"), *SocketType.ToString(), *SocketDescription);
				return nullptr;
			}
			return new FSocketPosix(Descriptor, EngineType, SocketDescription);
		}

		void DestroySocket(FSocket* Socket) override { delete Socket; }

		TSharedPtr<FInternetAddr> GetAddressFromString(const FString& InAddress) override
		{
			TSharedRef<FInternetAddr> Addr = CreateInternetAddr();
			bool bIsValid = false;
			Addr->SetIp(*InAddress, bIsValid);
			return bIsValid ? TSharedPtr<FInternetAddr>(Addr) : TSharedPtr<FInternetAddr>();
		}

		TSharedRef<FInternetAddr> CreateInternetAddr() override { return StaticCastSharedRef<FInternetAddr>(MakeShared<FInternetAddrPosix>()); }

		const TCHAR* GetSocketAPIName() const override { return TEXT("BSD_IPv4"); }

		ESocketErrors GetLastErrorCode() override { return TranslateErrorCode(errno); }

		ESocketErrors TranslateErrorCode(int32 Code) override
		{
			switch (Code)
			{
			case 0:
				return SE_NO_ERROR;
			case EINTR:
				return SE_EINTR;
			case EBADF:
				return SE_EBADF;
			case EACCES:
				return SE_EACCES;
			case EFAULT:
				return SE_EFAULT;
			case EINVAL:
				return SE_EINVAL;
			case EMFILE:
				return SE_EMFILE;
			case EWOULDBLOCK:
				return SE_EWOULDBLOCK;
			case EINPROGRESS:
				return SE_EINPROGRESS;
			case EALREADY:
				return SE_EALREADY;
			case ENOTSOCK:
				return SE_ENOTSOCK;
			case EDESTADDRREQ:
				return SE_EDESTADDRREQ;
			case EMSGSIZE:
				return SE_EMSGSIZE;
			case EPROTOTYPE:
				return SE_EPROTOTYPE;
			case ENOPROTOOPT:
				return SE_ENOPROTOOPT;
			case EPROTONOSUPPORT:
				return SE_EPROTONOSUPPORT;
			case ESOCKTNOSUPPORT:
				return SE_ESOCKTNOSUPPORT;
			case EOPNOTSUPP:
				return SE_EOPNOTSUPP;
			case EPFNOSUPPORT:
				return SE_EPFNOSUPPORT;
			case EAFNOSUPPORT:
				return SE_EAFNOSUPPORT;
			case EADDRINUSE:
				return SE_EADDRINUSE;
			case EADDRNOTAVAIL:
				return SE_EADDRNOTAVAIL;
			case ENETDOWN:
				return SE_ENETDOWN;
			case ENETUNREACH:
				return SE_ENETUNREACH;
			case ENETRESET:
				return SE_ENETRESET;
			case ECONNABORTED:
				return SE_ECONNABORTED;
			case ECONNRESET:
				return SE_ECONNRESET;
			case ENOBUFS:
				return SE_ENOBUFS;
			case EISCONN:
				return SE_EISCONN;
			case ENOTCONN:
				return SE_ENOTCONN;
			case ESHUTDOWN:
				return SE_ESHUTDOWN;
			case ETOOMANYREFS:
				return SE_ETOOMANYREFS;
			case ETIMEDOUT:
				return SE_ETIMEDOUT;
			case ECONNREFUSED:
				return SE_ECONNREFUSED;
			case ELOOP:
				return SE_ELOOP;
			case ENAMETOOLONG:
				return SE_ENAMETOOLONG;
			case EHOSTDOWN:
				return SE_EHOSTDOWN;
			case EHOSTUNREACH:
				return SE_EHOSTUNREACH;
			case ENOTEMPTY:
				return SE_ENOTEMPTY;
			case EUSERS:
				return SE_EUSERS;
			case EDQUOT:
				return SE_EDQUOT;
			case ESTALE:
				return SE_ESTALE;
			case EREMOTE:
				return SE_EREMOTE;
			case ENODEV:
				return SE_NODEV;
			default:
				return SE_EINVAL;
			}
		}
	};
}

ISocketSubsystem* ISocketSubsystem::Get(const FName& SubsystemName)
{
	static FSocketSubsystemPosix Subsystem;
	if (SubsystemName.IsNone() || SubsystemName == PLATFORM_SOCKETSUBSYSTEM)
	{
		return &Subsystem;
	}
	return nullptr;
}

const TCHAR* ISocketSubsystem::GetSocketError(ESocketErrors Code)
{
	if (Code == SE_GET_LAST_ERROR_CODE)
	{
		Code = GetLastErrorCode();
	}
#define ORVANE_SOCKET_ERROR_NAME(Name) \
	case Name:                         \
		return TEXT(#Name);
	switch (Code)
	{
		ORVANE_SOCKET_ERROR_NAME(SE_NO_ERROR)
		ORVANE_SOCKET_ERROR_NAME(SE_EINTR)
		ORVANE_SOCKET_ERROR_NAME(SE_EBADF)
		ORVANE_SOCKET_ERROR_NAME(SE_EACCES)
		ORVANE_SOCKET_ERROR_NAME(SE_EINVAL)
		ORVANE_SOCKET_ERROR_NAME(SE_EWOULDBLOCK)
		ORVANE_SOCKET_ERROR_NAME(SE_EMSGSIZE)
		ORVANE_SOCKET_ERROR_NAME(SE_EADDRINUSE)
		ORVANE_SOCKET_ERROR_NAME(SE_EADDRNOTAVAIL)
		ORVANE_SOCKET_ERROR_NAME(SE_ENETUNREACH)
		ORVANE_SOCKET_ERROR_NAME(SE_ECONNREFUSED)
		ORVANE_SOCKET_ERROR_NAME(SE_ENOTCONN)
		ORVANE_SOCKET_ERROR_NAME(SE_ENOBUFS)
	default:
		return TEXT("SE_UNKNOWN");
	}
#undef ORVANE_SOCKET_ERROR_NAME
}
