// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Networking.h: the module's public headers in one include.
#pragma once

#include "CoreMinimal.h"
#include "Common/UdpSocketBuilder.h"
#include "IPAddress.h"
#include "Interfaces/IPv4/IPv4Address.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "SocketSubsystem.h"
#include "Sockets.h"
