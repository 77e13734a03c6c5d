// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's SocketSubsystem.h.
#pragma once

#include "Containers/UnrealString.h"
#include "CoreTypes.h"
#include "IPAddress.h"
#include "Logging/LogMacros.h"
#include "SocketTypes.h"
#include "Templates/SharedPointer.h"
#include "UObject/NameTypes.h"

class FSocket;

SOCKETS_API DECLARE_LOG_CATEGORY_EXTERN(LogSockets, Log, All);

// The host runs on Linux, whose engine socket subsystem is named "UNIX".
#ifndef PLATFORM_SOCKETSUBSYSTEM
#define PLATFORM_SOCKETSUBSYSTEM FName(TEXT("UNIX"))
#endif

/** The platform's sockets API. The host has one: POSIX sockets, IPv4. */
class ISocketSubsystem
{
public:
	/** The subsystem of that name; None or PLATFORM_SOCKETSUBSYSTEM gives the platform's, other names null. */
	static ISocketSubsystem* Get(const FName& SubsystemName = NAME_None);

	virtual ~ISocketSubsystem() = default;

	virtual bool Init(FString& Error) = 0;
	virtual void Shutdown() = 0;

	/** Creates a socket of the type (NAME "DGram" or "Stream") with the platform's default protocol. */
	virtual FSocket* CreateSocket(const FName& SocketType, const FString& SocketDescription, bool bForceUDP = false)
	{
		const FName NoProtocolTypeName(NAME_None);
		return CreateSocket(SocketType, SocketDescription, NoProtocolTypeName);
	}

	/** Creates a socket; ProtocolName None means IPv4 here. Null when the type or protocol is unsupported. */
	virtual FSocket* CreateSocket(const FName& SocketType, const FString& SocketDescription, const FName& ProtocolName) = 0;

	/** Closes and deletes a socket this subsystem created. */
	virtual void DestroySocket(FSocket* Socket) = 0;

	/** The address written in the text ("a.b.c.d"), no name lookup; null when it is not one. */
	virtual TSharedPtr<FInternetAddr> GetAddressFromString(const FString& InAddress) = 0;

	/**
	 * A new address (any address, port 0). Declared virtual as in the engine header checked (5.8 copy);
	 * unconfirmed whether 5.6 declares it non-virtual. Callers are the same either way.
	 */
	virtual TSharedRef<FInternetAddr> CreateInternetAddr() = 0;

	/** A new address of the protocol; the host makes IPv4 addresses. */
	virtual TSharedRef<FInternetAddr> CreateInternetAddr(const FName ProtocolType) { return CreateInternetAddr(); }

	virtual const TCHAR* GetSocketAPIName() const = 0;

	/** The calling thread's last socket error. */
	virtual ESocketErrors GetLastErrorCode() = 0;

	/** The engine's code for a platform error number. */
	virtual ESocketErrors TranslateErrorCode(int32 Code) = 0;

	/** The error's name ("SE_EADDRNOTAVAIL"); the last error by default. */
	const TCHAR* GetSocketError(ESocketErrors Code = SE_GET_LAST_ERROR_CODE);
};
