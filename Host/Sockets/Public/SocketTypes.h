// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's SocketTypes.h and Net/Common/Sockets/SocketErrors.h.
#pragma once

#include "CoreTypes.h"
#include "UObject/NameTypes.h"

#ifndef SOCKETS_API
#define SOCKETS_API
#endif

/** The kind of a socket. */
enum ESocketType
{
	SOCKTYPE_Unknown,
	SOCKTYPE_Datagram,
	SOCKTYPE_Streaming,
};

/** The connection state of a socket. */
enum ESocketConnectionState
{
	SCS_NotConnected,
	SCS_Connected,
	SCS_ConnectionError,
};

namespace ESocketReceiveFlags
{
	/** Flags for Recv and RecvFrom. */
	enum Type
	{
		None = 0,
		Peek = 2,
		WaitAll = 0x100,
	};
}

namespace ESocketWaitConditions
{
	/** What FSocket::Wait waits for. */
	enum Type
	{
		WaitForRead,
		WaitForWrite,
		WaitForReadOrWrite,
	};
}

/** Which directions FSocket::Shutdown closes. */
enum class ESocketShutdownMode
{
	Read,
	Write,
	ReadWrite,
};

/** Socket error codes, in the engine's order (the number appears in the engine's log lines). */
enum ESocketErrors
{
	SE_NO_ERROR,
	SE_EINTR,
	SE_EBADF,
	SE_EACCES,
	SE_EFAULT,
	SE_EINVAL,
	SE_EMFILE,
	SE_EWOULDBLOCK,
	SE_EINPROGRESS,
	SE_EALREADY,
	SE_ENOTSOCK,
	SE_EDESTADDRREQ,
	SE_EMSGSIZE,
	SE_EPROTOTYPE,
	SE_ENOPROTOOPT,
	SE_EPROTONOSUPPORT,
	SE_ESOCKTNOSUPPORT,
	SE_EOPNOTSUPP,
	SE_EPFNOSUPPORT,
	SE_EAFNOSUPPORT,
	SE_EADDRINUSE,
	SE_EADDRNOTAVAIL,
	SE_ENETDOWN,
	SE_ENETUNREACH,
	SE_ENETRESET,
	SE_ECONNABORTED,
	SE_ECONNRESET,
	SE_ENOBUFS,
	SE_EISCONN,
	SE_ENOTCONN,
	SE_ESHUTDOWN,
	SE_ETOOMANYREFS,
	SE_ETIMEDOUT,
	SE_ECONNREFUSED,
	SE_ELOOP,
	SE_ENAMETOOLONG,
	SE_EHOSTDOWN,
	SE_EHOSTUNREACH,
	SE_ENOTEMPTY,
	SE_EPROCLIM,
	SE_EUSERS,
	SE_EDQUOT,
	SE_ESTALE,
	SE_EREMOTE,
	SE_EDISCON,
	SE_SYSNOTREADY,
	SE_VERNOTSUPPORTED,
	SE_NOTINITIALISED,
	SE_HOST_NOT_FOUND,
	SE_TRY_AGAIN,
	SE_NO_RECOVERY,
	SE_NO_DATA,
	SE_UDP_ERR_PORT_UNREACH,
	SE_ADDRFAMILY,
	SE_SYSTEM,
	SE_NODEV,
	// Special constant: GetSocketError uses the last error.
	SE_GET_LAST_ERROR_CODE,
};

/** Names of the internet protocols; the host supports IPv4 only. */
namespace FNetworkProtocolTypes
{
	SOCKETS_API extern const FName IPv4;
	SOCKETS_API extern const FName IPv6;
}
