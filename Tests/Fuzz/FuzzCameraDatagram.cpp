// Copyright Kelmora. All Rights Reserved.
// Any datagram through a source's decode and publishing path, with the headless Live Link client ticking
// every few inputs so the game thread's side (commands, recording, game-thread publishing) runs on what
// the datagrams left in the exchange.
#include "CoreMinimal.h"
#include "FuzzSupport.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "LiveLink/SourceTestSupport.h"
#include "OrvaneLiveLinkSource.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace
{
	FLiveLinkClient* Client = nullptr;
	TSharedPtr<FOrvaneLiveLinkSource> Source;
	int32 InputCount = 0;
	constexpr int32 InputsPerTick = 4;

	/**
	 * A loopback port held by a socket that does not share it, so the source's own socket cannot bind and
	 * nothing but the fuzzer reaches its decode path.
	 */
	uint16 HoldLoopbackPort()
	{
		const int Holder = socket(AF_INET, SOCK_DGRAM, 0);
		sockaddr_in Address{};
		Address.sin_family = AF_INET;
		Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
		OrvaneFuzz::Check(bind(Holder, reinterpret_cast<sockaddr*>(&Address), sizeof(Address)) == 0, "a loopback port to hold");
		socklen_t Length = sizeof(Address);
		getsockname(Holder, reinterpret_cast<sockaddr*>(&Address), &Length);
		return ntohs(Address.sin_port);
	}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	OrvaneFuzz::QuietLog();
	Client = &OrvaneTest::GetHeadlessClient();
	Source = MakeShared<FOrvaneLiveLinkSource>(FIPv4Endpoint(FIPv4Address(127, 0, 0, 1), HoldLoopbackPort()));
	OrvaneFuzz::Check(!Source->IsSourceStillValid(), "the source runs without a socket of its own");
	Client->AddSource(Source);
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	TSharedPtr<TArray<uint8>, ESPMode::ThreadSafe> Datagram = MakeShared<TArray<uint8>, ESPMode::ThreadSafe>(Data, static_cast<int32>(Size));

	// What the datagram holds, decoded apart from the source: it can never publish more frames than that.
	FOrvaneSourceState Scratch;
	const int32 Cameras = FOrvaneMessageDecoder::Decode(TConstArrayView<uint8>(Data, static_cast<int32>(Size)), Scratch, [](const ORVCameraSetup&, const ORVCameraPose&, const ORVActionParams&) {});

	const int64 PushesBefore = Client->HostGetFramePushCount();
	OrvaneFuzz::Check(!Source->ProcessReceivedData(Datagram), "decoding reports false");
	OrvaneFuzz::Check(Client->HostGetFramePushCount() - PushesBefore <= Cameras, "at most one frame per camera member");

	const FOrvaneSourceState& State = Source->GetPublishState();
	const int32 Interpolation = State.InterpolationRequest.load();
	const int32 Offset = State.OffsetRequest.load();
	OrvaneFuzz::Check(Interpolation >= 0 && Interpolation <= 2, "the interpolation request is one of its states");
	OrvaneFuzz::Check(Offset >= 0 && Offset <= 2, "the offset request is one of its states");

	if (++InputCount % InputsPerTick == 0)
	{
		Client->Tick();
	}
	return 0;
}
