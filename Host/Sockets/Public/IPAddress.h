// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IPAddress.h.
#pragma once

#include "Containers/Array.h"
#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "SocketTypes.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

/** An internet address and port, stored in network byte order. */
class FInternetAddr
{
protected:
	FInternetAddr() = default;

public:
	virtual ~FInternetAddr() = default;

	/** Compares the endpoints (address and port). */
	virtual bool CompareEndpoints(const FInternetAddr& InAddr) const { return *this == InAddr; }

	/** Sets the address from a host byte order value. */
	virtual void SetIp(uint32 InAddr) = 0;

	/** Sets the address from "a.b.c.d" or "a.b.c.d:port"; bIsValid tells whether the text was an address. */
	virtual void SetIp(const TCHAR* InAddr, bool& bIsValid) = 0;

	/** The address in host byte order. */
	virtual void GetIp(uint32& OutAddr) const = 0;

	/** Sets the port from a host byte order value. */
	virtual void SetPort(int32 InPort) = 0;

	/** Whether SetPort accepts the port. */
	virtual bool IsPortValid(int32 InPort) const { return true; }

	virtual void GetPort(int32& OutPort) const { OutPort = GetPort(); }

	/** The port in host byte order. */
	virtual int32 GetPort() const = 0;

	virtual void SetPlatformPort(int32 InPort) { SetPort(InPort); }
	virtual int32 GetPlatformPort() const { return GetPort(); }

	/** Sets the address from bytes in network order. */
	virtual void SetRawIp(const TArray<uint8>& RawAddr) = 0;

	/** The address bytes in network order. */
	virtual TArray<uint8> GetRawIp() const = 0;

	virtual void SetAnyAddress() = 0;
	virtual void SetBroadcastAddress() = 0;
	virtual void SetLoopbackAddress() = 0;

	/** "a.b.c.d", or "a.b.c.d:port" when bAppendPort is true. */
	virtual FString ToString(bool bAppendPort) const = 0;

	/** Same address bytes and port. */
	virtual bool operator==(const FInternetAddr& Other) const
	{
		return GetRawIp() == Other.GetRawIp() && GetPort() == Other.GetPort();
	}

	virtual uint32 GetTypeHash() const = 0;

	/** Whether the address is set (not the any-address). */
	virtual bool IsValid() const = 0;

	/** A copy of this address. */
	virtual TSharedRef<FInternetAddr> Clone() const = 0;

	/** The protocol of the stored address (FNetworkProtocolTypes), or None. */
	virtual FName GetProtocolType() const { return NAME_None; }

	friend inline uint32 GetTypeHash(const FInternetAddr& InAddr) { return InAddr.GetTypeHash(); }
};
