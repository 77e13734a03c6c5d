// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Common/UdpSocketBuilder.h.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Interfaces/IPv4/IPv4Address.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "SocketSubsystem.h"
#include "Sockets.h"

/** Builds a UDP socket step by step; Build logs the engine's messages through GLog on failure. */
class FUdpSocketBuilder
{
public:
	/** InDescription: the socket's debug description. Defaults: non-blocking, not reusable, unbound. */
	FUdpSocketBuilder(const FString& InDescription)
		: Description(InDescription)
	{
	}

	FUdpSocketBuilder& AsBlocking()
	{
		Blocking = true;
		return *this;
	}
	FUdpSocketBuilder& AsNonBlocking()
	{
		Blocking = false;
		return *this;
	}
	/** Lets other sockets bind the same address and port. */
	FUdpSocketBuilder& AsReusable()
	{
		Reusable = true;
		return *this;
	}
	FUdpSocketBuilder& BoundToAddress(const FIPv4Address& Address)
	{
		BoundEndpoint = FIPv4Endpoint(Address, BoundEndpoint.Port);
		Bound = true;
		return *this;
	}
	FUdpSocketBuilder& BoundToEndpoint(const FIPv4Endpoint& Endpoint)
	{
		BoundEndpoint = Endpoint;
		Bound = true;
		return *this;
	}
	FUdpSocketBuilder& BoundToPort(uint16 Port)
	{
		BoundEndpoint = FIPv4Endpoint(BoundEndpoint.Address, Port);
		Bound = true;
		return *this;
	}
	FUdpSocketBuilder& JoinedToGroup(const FIPv4Address& GroupAddress) { return JoinedToGroup(GroupAddress, FIPv4Address::Any); }
	FUdpSocketBuilder& JoinedToGroup(const FIPv4Address& GroupAddress, const FIPv4Address& InterfaceAddress)
	{
		JoinedGroups.Add({GroupAddress, InterfaceAddress});
		return *this;
	}
	FUdpSocketBuilder& WithBroadcast()
	{
		AllowBroadcast = true;
		return *this;
	}
	FUdpSocketBuilder& WithMulticastLoopback()
	{
		MulticastLoopback = true;
		return *this;
	}
	FUdpSocketBuilder& WithMulticastTtl(uint8 TimeToLive)
	{
		MulticastTtl = TimeToLive;
		return *this;
	}
	FUdpSocketBuilder& WithMulticastInterface(const FIPv4Address& InterfaceAddress)
	{
		MulticastInterface = InterfaceAddress;
		return *this;
	}
	/** Desired receive buffer size (0: the default); a size the system refuses does not fail the build. */
	FUdpSocketBuilder& WithReceiveBufferSize(int32 SizeInBytes)
	{
		ReceiveBufferSize = SizeInBytes;
		return *this;
	}
	/** Desired send buffer size (0: the default); a size the system refuses does not fail the build. */
	FUdpSocketBuilder& WithSendBufferSize(int32 SizeInBytes)
	{
		SendBufferSize = SizeInBytes;
		return *this;
	}

	operator FSocket*() const { return Build(); }

	/** The socket as configured, or null (after a log line) when it cannot be created, set up or bound. */
	FSocket* Build() const;

private:
	struct FMulticastGroup
	{
		FIPv4Address GroupAddress;
		FIPv4Address InterfaceAddress;
	};

	bool AllowBroadcast = false;
	bool Blocking = false;
	bool Bound = false;
	FIPv4Endpoint BoundEndpoint = FIPv4Endpoint(FIPv4Address::Any, 0);
	FString Description;
	FIPv4Address MulticastInterface = FIPv4Address::Any;
	TArray<FMulticastGroup> JoinedGroups;
	bool MulticastLoopback = false;
	uint8 MulticastTtl = 1;
	int32 ReceiveBufferSize = 0;
	bool Reusable = false;
	int32 SendBufferSize = 0;
};
