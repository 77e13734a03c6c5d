// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "LiveLink/SourceTestSupport.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <sys/time.h>
#include <vector>

namespace
{
	/** A UDP socket on a free loopback port that collects what arrives. */
	class FReceiver
	{
	public:
		FReceiver()
			: Socket(socket(AF_INET, SOCK_DGRAM, 0))
		{
			sockaddr_in Address{};
			Address.sin_family = AF_INET;
			Address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
			bind(Socket, reinterpret_cast<sockaddr*>(&Address), sizeof(Address));
			socklen_t Length = sizeof(Address);
			getsockname(Socket, reinterpret_cast<sockaddr*>(&Address), &Length);
			Port = ntohs(Address.sin_port);
			timeval Timeout{0, 200000};
			setsockopt(Socket, SOL_SOCKET, SO_RCVTIMEO, &Timeout, sizeof(Timeout));
		}
		~FReceiver() { close(Socket); }

		/** Every datagram waiting, until none comes for 0.2 seconds. */
		std::vector<std::string> Drain() const
		{
			std::vector<std::string> Datagrams;
			std::vector<char> Buffer(65536);
			for (;;)
			{
				const ssize_t Read = recv(Socket, Buffer.data(), Buffer.size(), 0);
				if (Read <= 0)
				{
					return Datagrams;
				}
				Datagrams.emplace_back(Buffer.data(), size_t(Read));
			}
		}

		int Socket;
		uint16 Port = 0;
	};

	std::vector<ORVActionParams> DecodeActions(const std::vector<std::string>& Datagrams, std::vector<ORVCameraSetup>* OutSetups = nullptr)
	{
		std::vector<ORVActionParams> Actions;
		FOrvaneSourceState State;
		for (const std::string& Datagram : Datagrams)
		{
			FOrvaneMessageDecoder::Decode(TConstArrayView<uint8>(reinterpret_cast<const uint8*>(Datagram.data()), int32(Datagram.size())), State,
				[&](const ORVCameraSetup& Setup, const ORVCameraPose&, const ORVActionParams& Action)
				{
					Actions.push_back(Action);
					if (OutSetups)
					{
						OutSetups->push_back(Setup);
					}
				});
		}
		return Actions;
	}

	OrvaneToolTest::FToolRun Send(const FReceiver& Receiver, const std::string& Arguments)
	{
		const std::string Errors = (std::filesystem::temp_directory_path() / ("orvane_send_" + std::to_string(getpid()) + ".txt")).string();
		return OrvaneToolTest::RunTool("send --to 127.0.0.1:" + std::to_string(Receiver.Port) + " --fps 200 " + Arguments, Errors);
	}
}

TEST(SendActionTool, ACaptureCommandRidesOnOneMessageThatThePluginDecodes)
{
	FReceiver Receiver;
	const OrvaneToolTest::FToolRun Run = Send(Receiver, "--action 4 --param '/tmp/shots/a b.exr' --capture-mode 1 --image 640,320 --overscan 1.25 --include-rotation");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	const std::vector<ORVActionParams> Actions = DecodeActions(Receiver.Drain());
	ASSERT_EQ(Actions.size(), 1u) << "one message unless a stream is asked for";
	EXPECT_EQ(Actions[0].Action, 4);
	EXPECT_EQ(Actions[0].Param, TEXT("/tmp/shots/a b.exr"));
	EXPECT_EQ(Actions[0].CaptureMode, 1);
	EXPECT_EQ(Actions[0].ImageWidth, 640);
	EXPECT_EQ(Actions[0].ImageHeight, 320);
	EXPECT_FLOAT_EQ(Actions[0].FovOverscan, 1.25f);
	EXPECT_TRUE(Actions[0].IncludeRotation);
}

TEST(SendActionTool, APickGoesOutOnceInAStreamAndTakeMetadataIsCarried)
{
	FReceiver Receiver;
	const OrvaneToolTest::FToolRun Run = Send(Receiver, "--action 5 --screen 0.25,0.75 --frames 3 --record-control --state 2 --slate 'Scene 4' --take 12b --label Stage");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	std::vector<ORVCameraSetup> Setups;
	const std::vector<ORVActionParams> Actions = DecodeActions(Receiver.Drain(), &Setups);
	ASSERT_EQ(Actions.size(), 3u);
	EXPECT_EQ(Actions[0].Action, 5);
	EXPECT_DOUBLE_EQ(Actions[0].ScreenX, 0.25);
	EXPECT_DOUBLE_EQ(Actions[0].ScreenY, 0.75);
	EXPECT_EQ(Actions[1].Action, 0);
	EXPECT_EQ(Actions[2].Action, 0);
	EXPECT_TRUE(Setups[2].bRecordControl);
	EXPECT_EQ(Setups[2].State, 2);
	EXPECT_EQ(Setups[2].MetaSlate, TEXT("Scene 4"));
	EXPECT_EQ(Setups[2].MetaTake, TEXT("12b"));
	EXPECT_EQ(Setups[2].MetaLabel, TEXT("Stage"));
}

TEST(SendActionTool, RefusesCommandOptionsThatDoNotParse)
{
	FReceiver Receiver;
	for (const char* Bad : {"--action 0", "--action x", "--screen 0.5", "--screen a,b", "--image 1.5,2", "--image 10", "--capture-mode 2", "--overscan", "--action 4 --version 1"})
	{
		SCOPED_TRACE(Bad);
		EXPECT_EQ(Send(Receiver, Bad).ExitCode, 2);
	}
	EXPECT_TRUE(Receiver.Drain().empty());
}
