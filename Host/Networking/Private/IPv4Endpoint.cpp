// Copyright Kelmora. All Rights Reserved.
#include "Interfaces/IPv4/IPv4Endpoint.h"

#include "Misc/CString.h"

#include <atomic>

const FIPv4Endpoint FIPv4Endpoint::Any(FIPv4Address(0, 0, 0, 0), 0);

namespace
{
	std::atomic<ISocketSubsystem*> CachedSocketSubsystem{nullptr};

	ISocketSubsystem& SocketSubsystem()
	{
		ISocketSubsystem* Subsystem = CachedSocketSubsystem.load();
		if (Subsystem == nullptr)
		{
			Subsystem = ISocketSubsystem::Get(PLATFORM_SOCKETSUBSYSTEM);
			CachedSocketSubsystem.store(Subsystem);
		}
		check(Subsystem != nullptr);
		return *Subsystem;
	}
}

FIPv4Endpoint::FIPv4Endpoint(const TSharedPtr<FInternetAddr>& InternetAddr)
{
	check(InternetAddr.IsValid());
	InternetAddr->GetIp(Address.Value);
	Port = static_cast<uint16>(InternetAddr->GetPort());
}

TSharedRef<FInternetAddr> FIPv4Endpoint::ToInternetAddr() const
{
	TSharedRef<FInternetAddr> InternetAddr = SocketSubsystem().CreateInternetAddr();
	InternetAddr->SetIp(Address.Value);
	InternetAddr->SetPort(Port);
	return InternetAddr;
}

FString FIPv4Endpoint::ToString() const
{
	return FString::Printf(TEXT("%s:%i"), *Address.ToString(), Port);
}

void FIPv4Endpoint::Initialize()
{
	CachedSocketSubsystem.store(ISocketSubsystem::Get(PLATFORM_SOCKETSUBSYSTEM));
}

bool FIPv4Endpoint::Parse(const FString& EndpointString, FIPv4Endpoint& OutEndpoint)
{
	// The engine's rules (checked against a UE 5 engine copy): exactly two ':'-separated parts, the port
	// read with Atoi and refused outside 0..65535.
	TArray<FString> Tokens;
	if (EndpointString.ParseIntoArray(Tokens, TEXT(":"), false) != 2)
	{
		return false;
	}
	if (!FIPv4Address::Parse(Tokens[0], OutEndpoint.Address))
	{
		return false;
	}
	const int32 ParsedPort = FCString::Atoi(*Tokens[1]);
	if (ParsedPort < 0 || ParsedPort > 65535)
	{
		return false;
	}
	OutEndpoint.Port = static_cast<uint16>(ParsedPort);
	return true;
}
