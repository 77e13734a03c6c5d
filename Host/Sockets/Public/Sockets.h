// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Sockets.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Misc/Timespan.h"
#include "SocketTypes.h"
#include "UObject/NameTypes.h"

class FInternetAddr;

/**
 * A socket. In the host, Close may be called from another thread while a thread waits or receives on
 * the socket: the waiting call returns promptly with false, and the descriptor is released only once
 * no call is using it.
 */
class FSocket
{
public:
	FSocket(ESocketType InSocketType, const FString& InSocketDescription, const FName& InSocketProtocol)
		: SocketType(InSocketType)
		, SocketDescription(InSocketDescription)
		, SocketProtocol(InSocketProtocol)
	{
	}
	virtual ~FSocket() = default;

	/** Shuts down one or both directions. */
	virtual bool Shutdown(ESocketShutdownMode Mode) = 0;

	/** Closes the socket; false when it was already closed. */
	virtual bool Close() = 0;

	/** Binds to a local address and port. */
	virtual bool Bind(const FInternetAddr& Addr) = 0;

	/** Connects (sets the default destination of a datagram socket). */
	virtual bool Connect(const FInternetAddr& Addr) = 0;

	/** True when a datagram or bytes are ready to read; PendingDataSize is the size the system reports. */
	virtual bool HasPendingData(uint32& PendingDataSize) = 0;

	/** Sends a datagram to the destination. */
	virtual bool SendTo(const uint8* Data, int32 Count, int32& BytesSent, const FInternetAddr& Destination) = 0;

	/** Sends on a connected socket. */
	virtual bool Send(const uint8* Data, int32 Count, int32& BytesSent) = 0;

	/** Receives one datagram (cut to BufferSize) and its sender. */
	virtual bool RecvFrom(uint8* Data, int32 BufferSize, int32& BytesRead, FInternetAddr& Source, ESocketReceiveFlags::Type Flags = ESocketReceiveFlags::None) = 0;

	/** Receives on a connected socket. */
	virtual bool Recv(uint8* Data, int32 BufferSize, int32& BytesRead, ESocketReceiveFlags::Type Flags = ESocketReceiveFlags::None) = 0;

	/** Waits up to WaitTime for the condition; true when it was met. */
	virtual bool Wait(ESocketWaitConditions::Type Condition, FTimespan WaitTime) = 0;

	virtual ESocketConnectionState GetConnectionState() = 0;

	/** The local address and port the socket is bound to. */
	virtual void GetAddress(FInternetAddr& OutAddr) = 0;

	virtual bool SetNonBlocking(bool bIsNonBlocking = true) = 0;
	virtual bool SetBroadcast(bool bAllowBroadcast = true) = 0;
	virtual bool SetNoDelay(bool bIsNoDelay = true) = 0;
	virtual bool JoinMulticastGroup(const FInternetAddr& GroupAddress) = 0;
	virtual bool JoinMulticastGroup(const FInternetAddr& GroupAddress, const FInternetAddr& InterfaceAddress) = 0;
	virtual bool SetMulticastLoopback(bool bLoopback) = 0;
	virtual bool SetMulticastTtl(uint8 TimeToLive) = 0;
	virtual bool SetMulticastInterface(const FInternetAddr& InterfaceAddress) = 0;

	/** Lets other sockets bind the same address and port (SO_REUSEADDR and SO_REUSEPORT, as the engine). */
	virtual bool SetReuseAddr(bool bAllowReuse = true) = 0;
	virtual bool SetLinger(bool bShouldLinger = true, int32 Timeout = 0) = 0;
	virtual bool SetRecvErr(bool bUseErrorQueue = true) = 0;

	/** Asks for a send buffer size; NewSize is the size the system granted. */
	virtual bool SetSendBufferSize(int32 Size, int32& NewSize) = 0;

	/** Asks for a receive buffer size; NewSize is the size the system granted. */
	virtual bool SetReceiveBufferSize(int32 Size, int32& NewSize) = 0;

	/** The local port, 0 when unknown. */
	virtual int32 GetPortNo() = 0;

	ESocketType GetSocketType() const { return SocketType; }
	FString GetDescription() const { return SocketDescription; }
	FName GetProtocol() const { return SocketProtocol; }

protected:
	const ESocketType SocketType;
	FString SocketDescription;
	FName SocketProtocol;
};
