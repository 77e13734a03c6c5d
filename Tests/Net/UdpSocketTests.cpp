// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Common/UdpSocketBuilder.h"
#include "Interfaces/IPv4/IPv4Endpoint.h"
#include "LogCapture.h"
#include "SocketSubsystem.h"
#include "Sockets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <future>
#include <memory>
#include <thread>
#include <vector>

namespace
{
	struct FSocketDeleter
	{
		void operator()(FSocket* Socket) const
		{
			if (Socket)
			{
				ISocketSubsystem::Get()->DestroySocket(Socket);
			}
		}
	};
	using FSocketPtr = std::unique_ptr<FSocket, FSocketDeleter>;

	const FTimespan WaitTime = FTimespan::FromMilliseconds(10);

	/** A receiver as the source builds it, on loopback; port 0 picks a free port. */
	FSocketPtr BuildReceiver(uint16 Port, bool bReusable = true)
	{
		FUdpSocketBuilder Builder(TEXT("Test"));
		Builder.AsNonBlocking().BoundToEndpoint(FIPv4Endpoint(FIPv4Address::InternalLoopback, Port)).WithReceiveBufferSize(1024 * 1024);
		if (bReusable)
		{
			Builder.AsReusable();
		}
		return FSocketPtr(Builder.Build());
	}

	bool SendTo(FSocket& Sender, const std::vector<uint8>& Data, uint16 Port)
	{
		int32 Sent = 0;
		const bool bOk = Sender.SendTo(Data.data(), static_cast<int32>(Data.size()), Sent, *FIPv4Endpoint(FIPv4Address::InternalLoopback, Port).ToInternetAddr());
		return bOk && Sent == static_cast<int32>(Data.size());
	}

	/** Waits (bounded) for a datagram the way the receiver loop does. */
	bool WaitForPending(FSocket& Socket, uint32& Pending)
	{
		for (int32 Attempt = 0; Attempt < 200; ++Attempt)
		{
			if (Socket.Wait(ESocketWaitConditions::WaitForRead, WaitTime) && Socket.HasPendingData(Pending))
			{
				return true;
			}
		}
		return false;
	}
}

TEST(UdpSocketBuilder, BuildsABoundDatagramSocket)
{
	FSocketPtr Socket = BuildReceiver(0);
	ASSERT_TRUE(Socket);
	EXPECT_EQ(Socket->GetSocketType(), SOCKTYPE_Datagram);
	EXPECT_EQ(Socket->GetDescription(), TEXT("Test"));
	EXPECT_GT(Socket->GetPortNo(), 0);
	TSharedRef<FInternetAddr> Local = ISocketSubsystem::Get()->CreateInternetAddr();
	Socket->GetAddress(*Local);
	EXPECT_EQ(Local->ToString(true), FString::Printf(TEXT("127.0.0.1:%d"), Socket->GetPortNo()));

	int32 Granted = 0;
	EXPECT_TRUE(Socket->SetReceiveBufferSize(1024 * 1024, Granted));
	EXPECT_GT(Granted, 0);
}

TEST(UdpSocketBuilder, TwoReusableSocketsShareAPort)
{
	FSocketPtr First = BuildReceiver(0);
	ASSERT_TRUE(First);
	const uint16 Port = static_cast<uint16>(First->GetPortNo());
	FSocketPtr Second = BuildReceiver(Port);
	ASSERT_TRUE(Second);
	EXPECT_EQ(Second->GetPortNo(), Port);
}

TEST(UdpSocketBuilder, SecondNonReusableBindFailsWithTheEngineMessage)
{
	FSocketPtr First = BuildReceiver(0, false);
	ASSERT_TRUE(First);
	const uint16 Port = static_cast<uint16>(First->GetPortNo());

	FLogCapture Capture;
	FSocketPtr Second = BuildReceiver(Port, false);
	EXPECT_FALSE(Second);
	EXPECT_EQ(Capture.CountContaining(*FString::Printf(TEXT("FUdpSocketBuilder: Failed to bind Test to 127.0.0.1:%d. Error code %d."), Port, static_cast<int32>(SE_EADDRINUSE))), 1);
}

TEST(UdpSocketBuilder, AddressOfNoLocalInterfaceFailsWithNull)
{
	FLogCapture Capture;
	FSocket* Socket = FUdpSocketBuilder(TEXT("ORV")).AsNonBlocking().AsReusable().BoundToEndpoint(FIPv4Endpoint(FIPv4Address(203, 0, 113, 7), 9001)).WithReceiveBufferSize(1024 * 1024).Build();
	EXPECT_EQ(Socket, nullptr);
	EXPECT_EQ(Capture.CountContaining(TEXT("FUdpSocketBuilder: Failed to bind ORV to 203.0.113.7:9001. Error code")), 1);
}

TEST(UdpSocket, LoopbackDatagramArrivesWhole)
{
	FSocketPtr Receiver = BuildReceiver(0);
	FSocketPtr Sender(FUdpSocketBuilder(TEXT("Sender")).BoundToEndpoint(FIPv4Endpoint(FIPv4Address::InternalLoopback, 0)).Build());
	ASSERT_TRUE(Receiver && Sender);

	uint32 Pending = 0;
	EXPECT_FALSE(Receiver->HasPendingData(Pending));
	EXPECT_FALSE(Receiver->Wait(ESocketWaitConditions::WaitForRead, FTimespan::FromMilliseconds(1)));

	std::vector<uint8> Datagram(60 * 1024);
	for (size_t Index = 0; Index < Datagram.size(); ++Index)
	{
		Datagram[Index] = static_cast<uint8>(Index * 31 + 7);
	}
	ASSERT_TRUE(SendTo(*Sender, Datagram, static_cast<uint16>(Receiver->GetPortNo())));

	ASSERT_TRUE(WaitForPending(*Receiver, Pending));
	EXPECT_EQ(Pending, Datagram.size());

	std::vector<uint8> Buffer(1024 * 1024);
	TSharedRef<FInternetAddr> From = ISocketSubsystem::Get()->CreateInternetAddr();
	int32 Read = 0;
	ASSERT_TRUE(Receiver->RecvFrom(Buffer.data(), static_cast<int32>(Buffer.size()), Read, *From));
	ASSERT_EQ(Read, static_cast<int32>(Datagram.size()));
	EXPECT_TRUE(std::equal(Datagram.begin(), Datagram.end(), Buffer.begin()));
	EXPECT_EQ(From->ToString(true), FString::Printf(TEXT("127.0.0.1:%d"), Sender->GetPortNo()));
	EXPECT_FALSE(Receiver->HasPendingData(Pending));

	// Non-blocking: nothing left to read fails at once instead of blocking.
	EXPECT_FALSE(Receiver->RecvFrom(Buffer.data(), static_cast<int32>(Buffer.size()), Read, *From));
	EXPECT_EQ(Read, 0);
}

TEST(UdpSocket, EmptyDatagramDoesNotHideLaterOnes)
{
	FSocketPtr Receiver = BuildReceiver(0);
	FSocketPtr Sender(FUdpSocketBuilder(TEXT("Sender")).Build());
	ASSERT_TRUE(Receiver && Sender);
	const uint16 Port = static_cast<uint16>(Receiver->GetPortNo());
	ASSERT_TRUE(SendTo(*Sender, {}, Port));
	ASSERT_TRUE(SendTo(*Sender, {1, 2, 3}, Port));

	uint32 Pending = 0;
	ASSERT_TRUE(WaitForPending(*Receiver, Pending));
	EXPECT_EQ(Pending, 3u);
	uint8 Buffer[16] = {};
	int32 Read = 0;
	TSharedRef<FInternetAddr> From = ISocketSubsystem::Get()->CreateInternetAddr();
	ASSERT_TRUE(Receiver->RecvFrom(Buffer, sizeof(Buffer), Read, *From));
	EXPECT_EQ(Read, 3);
	EXPECT_EQ(Buffer[2], 3);
}

TEST(UdpSocket, CloseFromAnotherThreadEndsAWait)
{
	FSocketPtr Receiver = BuildReceiver(0);
	ASSERT_TRUE(Receiver);
	std::promise<void> Started;
	std::future<bool> Waited = std::async(std::launch::async, [&]
		{
			Started.set_value();
			// A wait far longer than the test's patience: only Close can end it in time.
			return Receiver->Wait(ESocketWaitConditions::WaitForRead, FTimespan::FromSeconds(30)); });
	Started.get_future().wait();
	std::this_thread::sleep_for(std::chrono::milliseconds(50));
	EXPECT_TRUE(Receiver->Close());
	ASSERT_EQ(Waited.wait_for(std::chrono::seconds(10)), std::future_status::ready);
	EXPECT_FALSE(Waited.get());

	EXPECT_FALSE(Receiver->Close());
	uint32 Pending = 0;
	EXPECT_FALSE(Receiver->HasPendingData(Pending));
	EXPECT_FALSE(Receiver->Wait(ESocketWaitConditions::WaitForRead, FTimespan::FromMilliseconds(1)));
}

TEST(UdpSocket, CloseFromAnotherThreadEndsABlockingReceive)
{
	FSocketPtr Receiver(FUdpSocketBuilder(TEXT("Blocking")).AsBlocking().BoundToEndpoint(FIPv4Endpoint(FIPv4Address::InternalLoopback, 0)).Build());
	ASSERT_TRUE(Receiver);
	std::future<bool> Received = std::async(std::launch::async, [&]
		{
			uint8 Buffer[64];
			int32 Read = 0;
			TSharedRef<FInternetAddr> From = ISocketSubsystem::Get()->CreateInternetAddr();
			return Receiver->RecvFrom(Buffer, sizeof(Buffer), Read, *From); });
	std::this_thread::sleep_for(std::chrono::milliseconds(50));
	Receiver->Close();
	ASSERT_EQ(Received.wait_for(std::chrono::seconds(10)), std::future_status::ready);
	EXPECT_FALSE(Received.get());
}

TEST(UdpSocket, ReceiverLoopStopsWhileDatagramsArrive)
{
	FSocketPtr Receiver = BuildReceiver(0);
	FSocketPtr Sender(FUdpSocketBuilder(TEXT("Sender")).Build());
	ASSERT_TRUE(Receiver && Sender);
	std::atomic<bool> bStopping{false};
	std::atomic<int32> Received{0};
	std::future<void> Loop = std::async(std::launch::async, [&]
		{
			std::vector<uint8> Buffer(1024 * 1024);
			TSharedRef<FInternetAddr> From = ISocketSubsystem::Get()->CreateInternetAddr();
			while (!bStopping)
			{
				if (Receiver->Wait(ESocketWaitConditions::WaitForRead, WaitTime))
				{
					uint32 Pending = 0;
					while (Receiver->HasPendingData(Pending))
					{
						int32 Read = 0;
						if (Receiver->RecvFrom(Buffer.data(), static_cast<int32>(Buffer.size()), Read, *From) && Read > 0)
						{
							++Received;
						}
					}
				}
			} });
	const uint16 Port = static_cast<uint16>(Receiver->GetPortNo());
	for (int32 Index = 0; Index < 200 && Received.load() == 0; ++Index)
	{
		SendTo(*Sender, {1, 2, 3, 4}, Port);
		std::this_thread::sleep_for(std::chrono::milliseconds(5));
	}
	// The source's shutdown order: stop flag, then Close while the loop may be inside a wait.
	bStopping = true;
	Receiver->Close();
	ASSERT_EQ(Loop.wait_for(std::chrono::seconds(10)), std::future_status::ready);
	EXPECT_GT(Received.load(), 0);
}
