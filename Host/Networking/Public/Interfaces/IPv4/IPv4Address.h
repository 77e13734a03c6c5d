// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Interfaces/IPv4/IPv4Address.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "Internationalization/Text.h"

/** An IPv4 address: the components A.B.C.D, and Value, the whole address in host byte order. */
struct FIPv4Address
{
	union
	{
		struct
		{
			// Host byte order on a little-endian machine, as the engine lays it out.
			uint8 D, C, B, A;
		};
		uint32 Value;
	};

	/** The any-address 0.0.0.0 (the engine leaves it uninitialised). */
	FIPv4Address()
		: Value(0)
	{
	}

	FIPv4Address(uint8 InA, uint8 InB, uint8 InC, uint8 InD)
		: D(InD)
		, C(InC)
		, B(InB)
		, A(InA)
	{
	}

	/** From a host byte order value. */
	FIPv4Address(uint32 InValue)
		: Value(InValue)
	{
	}

	bool operator==(const FIPv4Address& Other) const { return Value == Other.Value; }
	bool operator!=(const FIPv4Address& Other) const { return Value != Other.Value; }

	bool IsLinkLocal() const { return A == 169 && B == 254; }
	bool IsLoopbackAddress() const { return A == 127; }
	bool IsMulticastAddress() const { return A >= 224 && A <= 239; }
	bool IsSiteLocalAddress() const { return A == 10 || (A == 172 && B == 16) || (A == 192 && B == 168); }

	/** "A.B.C.D" in decimal. */
	FString ToString() const;

	FText ToText() const { return FText::FromString(ToString()); }

	friend uint32 GetTypeHash(const FIPv4Address& Address) { return Address.Value; }

	/**
	 * Reads "A.B.C.D" by the engine's rules: exactly four dot-separated parts, each read as a decimal
	 * number (leading spaces and zeros allowed, anything after the digits ignored, an empty part is 0)
	 * that must lie in 0..255. OutAddress is left alone on failure.
	 */
	static bool Parse(const FString& AddressString, FIPv4Address& OutAddress);

	/** 0.0.0.0 */
	static const FIPv4Address Any;
	/** 127.0.0.1 */
	static const FIPv4Address InternalLoopback;
	/** 255.255.255.255 */
	static const FIPv4Address LanBroadcast;
};
