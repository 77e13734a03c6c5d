// Copyright Kelmora. All Rights Reserved.
// Shared pieces of the Live Link source tests: a loopback sender, free ports and the headless client.
#pragma once

#include "CoreMinimal.h"
#include "Features/IModularFeatures.h"
#include "ILiveLinkClient.h"
#include "LiveLinkClient.h"
#include "Modules/ModuleManager.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <string>
#include <sys/socket.h>
#include <unistd.h>

namespace OrvaneTest
{
	/** A UDP port on 127.0.0.1 that was free a moment ago. */
	inline uint16 FindFreeLoopbackPort()
	{
		const int Probe = socket(AF_INET, SOCK_DGRAM, 0);
		sockaddr_in Address{};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		Address.sin_port = 0;
		bind(Probe, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
		socklen_t Length = sizeof(Address);
		getsockname(Probe, reinterpret_cast<sockaddr*>(&Address), &Length);
		close(Probe);
		return ntohs(Address.sin_port);
	}

	/** Sends datagrams to one loopback port. */
	class FLoopbackSender
	{
	public:
		explicit FLoopbackSender(uint16 Port)
			: Socket(socket(AF_INET, SOCK_DGRAM, 0))
		{
			Target.sin_family = AF_INET;
			Target.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			Target.sin_port = htons(Port);
		}
		~FLoopbackSender() { close(Socket); }
		FLoopbackSender(const FLoopbackSender&) = delete;
		FLoopbackSender& operator=(const FLoopbackSender&) = delete;

		bool Send(const std::string& Payload) const
		{
			return sendto(Socket, Payload.data(), Payload.size(), 0, reinterpret_cast<const sockaddr*>(&Target), sizeof(Target)) == static_cast<ssize_t>(Payload.size());
		}

	private:
		int Socket;
		sockaddr_in Target{};
	};

	/** The headless Live Link client, loading the module that registers it when needed. */
	inline FLiveLinkClient& GetHeadlessClient()
	{
		FModuleManager::Get().LoadModule(TEXT("LiveLink"));
		IModularFeatures& Features = IModularFeatures::Get();
		check(Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName) > 0);
		return *static_cast<FLiveLinkClient*>(Features.GetModularFeatureImplementation(ILiveLinkClient::ModularFeatureName, 0));
	}

	/**
	 * Ticks the client until every removed source has agreed to shut down, as the engine's client asks again on
	 * each tick; false when some source still refuses after ten seconds.
	 */
	inline bool TickUntilSourcesShutDown(FLiveLinkClient& Client)
	{
		for (int32 Tick = 0; Tick < 10000; ++Tick)
		{
			Client.Tick();
			if (Client.HostGetPendingRemovalCount() == 0)
			{
				return true;
			}
			usleep(1000);
		}
		return false;
	}

	/** One camera message with the given keys inside the camera object. */
	inline std::string CameraMessage(const std::string& Keys)
	{
		return "{\"ORVCamera\":[{" + Keys + "}]}";
	}
}
