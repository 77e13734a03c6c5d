// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Interfaces/IPv4/IPv4Endpoint.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "IPAddress.h"
#include "Interfaces/IPv4/IPv4Address.h"
#include "Internationalization/Text.h"
#include "SocketSubsystem.h"
#include "Templates/SharedPointer.h"

/** An IPv4 address and a port. */
struct FIPv4Endpoint
{
	FIPv4Address Address;
	uint16 Port = 0;

	FIPv4Endpoint() = default;

	FIPv4Endpoint(const FIPv4Address& InAddress, uint16 InPort)
		: Address(InAddress)
		, Port(InPort)
	{
	}

	/** From an internet address, which must be set. */
	FIPv4Endpoint(const TSharedPtr<FInternetAddr>& InternetAddr);

	bool operator==(const FIPv4Endpoint& Other) const { return Address == Other.Address && Port == Other.Port; }
	bool operator!=(const FIPv4Endpoint& Other) const { return !(*this == Other); }

	/** A new internet address of the platform's socket subsystem holding this endpoint. */
	TSharedRef<FInternetAddr> ToInternetAddr() const;
	TSharedRef<FInternetAddr> ToInternetAddrIPV4() const { return ToInternetAddr(); }

	/** "A.B.C.D:Port". */
	FString ToString() const;

	FText ToText() const { return FText::FromString(ToString()); }

	friend uint32 GetTypeHash(const FIPv4Endpoint& Endpoint) { return GetTypeHash(Endpoint.Address) ^ (static_cast<uint32>(Endpoint.Port) * 2654435761u); }

	/** Caches the platform socket subsystem; the host also finds it without this. */
	static void Initialize();

	/**
	 * Reads "A.B.C.D:Port" by the engine's rules: exactly one colon, the address as FIPv4Address::Parse,
	 * the port read as a decimal number (empty or non-numeric reads as 0) that must lie in 0..65535.
	 * On a bad port the address part may already have been written, as in the engine.
	 */
	static bool Parse(const FString& EndpointString, FIPv4Endpoint& OutEndpoint);

	/** 0.0.0.0:0 */
	static const FIPv4Endpoint Any;
};
