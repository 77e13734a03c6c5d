// Copyright Kelmora. All Rights Reserved.
#include "Common/UdpSocketBuilder.h"

#include "CoreGlobals.h"
#include "Misc/OutputDeviceRedirector.h"

// The messages are the engine's own (a UE 5 copy of the builder), written to GLog without a category.
FSocket* FUdpSocketBuilder::Build() const
{
	ISocketSubsystem* SocketSubsystem = ISocketSubsystem::Get(PLATFORM_SOCKETSUBSYSTEM);
	if (SocketSubsystem == nullptr)
	{
		GLog->Log(TEXT("FUdpSocketBuilder: Failed to load socket subsystem"));
		return nullptr;
	}

	TSharedRef<FInternetAddr> RemoteAddr = BoundEndpoint.ToInternetAddr();
	FSocket* Socket = SocketSubsystem->CreateSocket(FName(TEXT("DGram")), *Description, RemoteAddr->GetProtocolType());
	if (Socket == nullptr)
	{
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to create socket %s"), *Description));
		return nullptr;
	}

	if (!Socket->SetNonBlocking(!Blocking) || !Socket->SetReuseAddr(Reusable) || !Socket->SetBroadcast(AllowBroadcast) || !Socket->SetRecvErr())
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to configure %s (blocking: %i, reusable: %i, broadcast: %i). Error code %d."), *Description, Blocking, Reusable, AllowBroadcast, static_cast<int32>(SocketError)));
		SocketSubsystem->DestroySocket(Socket);
		return nullptr;
	}

	if (Bound && !Socket->Bind(*RemoteAddr))
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to bind %s to %s. Error code %d."), *Description, *BoundEndpoint.ToString(), static_cast<int32>(SocketError)));
		SocketSubsystem->DestroySocket(Socket);
		return nullptr;
	}

	if (!Socket->SetMulticastLoopback(MulticastLoopback) || !Socket->SetMulticastTtl(MulticastTtl))
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to configure multicast for %s (loopback: %i, ttl: %i). Error code %d."), *Description, MulticastLoopback, MulticastTtl, static_cast<int32>(SocketError)));
		SocketSubsystem->DestroySocket(Socket);
		return nullptr;
	}

	for (const FMulticastGroup& Group : JoinedGroups)
	{
		if (!Socket->JoinMulticastGroup(*FIPv4Endpoint(Group.GroupAddress, 0).ToInternetAddr(), *FIPv4Endpoint(Group.InterfaceAddress, 0).ToInternetAddr()))
		{
			const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
			GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to subscribe %s to multicast group %s on interface %s. Error code %d."), *Description, *Group.GroupAddress.ToString(), *Group.InterfaceAddress.ToString(), static_cast<int32>(SocketError)));
			SocketSubsystem->DestroySocket(Socket);
			return nullptr;
		}
	}

	if (MulticastInterface != FIPv4Address::Any && !Socket->SetMulticastInterface(*FIPv4Endpoint(MulticastInterface, 0).ToInternetAddr()))
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to set multicast outgoing interface for %s to %s. Error code %d."), *Description, *MulticastInterface.ToString(), static_cast<int32>(SocketError)));
		SocketSubsystem->DestroySocket(Socket);
		return nullptr;
	}

	int32 OutNewSize = 0;
	if (ReceiveBufferSize > 0 && !Socket->SetReceiveBufferSize(ReceiveBufferSize, OutNewSize))
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Warning - could not set receive buffer size to %d for %s. Error code %d."), ReceiveBufferSize, *Description, static_cast<int32>(SocketError)));
	}
	if (SendBufferSize > 0 && !Socket->SetSendBufferSize(SendBufferSize, OutNewSize))
	{
		const ESocketErrors SocketError = SocketSubsystem->GetLastErrorCode();
		GLog->Log(*FString::Printf(TEXT("FUdpSocketBuilder: Warning - could not set send buffer size to %d for %s. Error code %d."), SendBufferSize, *Description, static_cast<int32>(SocketError)));
	}
	return Socket;
}
