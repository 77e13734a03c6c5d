// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "LogCapture.h"
#include "OrvaneLogLimiter.h"
#include "OrvaneMessageDecoder.h"
#include "OrvaneSourceState.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace
{
	struct FDecoded
	{
		ORVCameraSetup Setup;
		ORVCameraPose Pose;
		ORVActionParams Action;
	};

	class MessageDecoder : public testing::Test
	{
	protected:
		void SetUp() override { OrvaneProcessState::LastCaptureFrame.store(-1); }

		std::vector<FDecoded> Decode(const std::string& Text)
		{
			return DecodeBytes(std::vector<uint8>(Text.begin(), Text.end()));
		}

		std::vector<FDecoded> DecodeBytes(const std::vector<uint8>& Bytes)
		{
			std::vector<FDecoded> Out;
			const int32 Count = FOrvaneMessageDecoder::Decode(TConstArrayView<uint8>(Bytes.data(), static_cast<int32>(Bytes.size())), State,
				[&Out](const ORVCameraSetup& Setup, const ORVCameraPose& Pose, const ORVActionParams& Action)
				{ Out.push_back(FDecoded{Setup, Pose, Action}); });
			EXPECT_EQ(Count, static_cast<int32>(Out.size()));
			return Out;
		}

		/** One camera member holding the given keys. */
		FDecoded DecodeOne(const std::string& CameraKeys)
		{
			const std::vector<FDecoded> Out = Decode("{\"ORVCamera\":[{" + CameraKeys + "}]}");
			EXPECT_EQ(Out.size(), 1u);
			return Out.empty() ? FDecoded{} : Out[0];
		}

		FOrvaneSourceState State;
		FLogCapture Log;
	};
}

TEST_F(MessageDecoder, FillsEveryRecordFromAFullMessage)
{
	const FDecoded D = DecodeOne(
		"\"Version\":2,\"Setup\":[9,1,1,1,1,1,0,0.5],\"Location\":[1.5,-2,3],\"Rotation\":[0.1,0.2,0.3,0.9],\"Scale\":[2,3,4],"
		"\"Lens\":[35,400,1.78,54.4],\"Sensor\":[36,24],\"Timecode\":[100,30000,1001,12345],\"Metadata\":[\"Label\",\"Slate 1\",\"7\"],"
		"\"State\":2,\"Action\":4,\"Param\":\"/tmp/still.exr\",\"Param2\":[1,1.5,4096,2048,1]");
	EXPECT_TRUE(D.Setup.bLensEnabled && D.Setup.bTakeMetadata && D.Setup.bLocalClock && D.Setup.bRecordControl && D.Setup.bReportSkips);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*D.Setup.MetaSlate)), "Slate 1");
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*D.Setup.MetaTake)), "7");
	EXPECT_EQ(D.Setup.State, 2);
	EXPECT_EQ(D.Pose.Location[1], -2.0);
	EXPECT_EQ(D.Pose.Rotation[3], 0.9);
	EXPECT_EQ(D.Pose.Scale[2], 4.0);
	EXPECT_EQ(D.Pose.Lens[3], 54.4);
	EXPECT_EQ(D.Pose.Sensor[0], 36.0);
	EXPECT_EQ(D.Pose.FrameNumber, 100);
	EXPECT_EQ(D.Pose.RateNumerator, 30000);
	EXPECT_EQ(D.Pose.RateDenominator, 1001);
	EXPECT_EQ(D.Pose.TimeStamp, 12345u);
	EXPECT_EQ(D.Action.Action, 4);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*D.Action.Param)), "/tmp/still.exr");
	EXPECT_EQ(D.Action.CaptureMode, 1);
	EXPECT_EQ(D.Action.FovOverscan, 1.5f);
	EXPECT_EQ(D.Action.ImageWidth, 4096);
	EXPECT_EQ(D.Action.ImageHeight, 2048);
	EXPECT_TRUE(D.Action.IncludeRotation);
	EXPECT_EQ(State.InterpolationRequest.load(), 2);
	EXPECT_EQ(State.EvaluationOffset.load(), 0.5);
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(MessageDecoder, LeavesDefaultsForMissingOrShortValues)
{
	const FDecoded D = DecodeOne("\"Location\":[1,2],\"Rotation\":[1,2,3],\"Scale\":[5],\"Sensor\":[36],\"Timecode\":[1,2],\"Lens\":[1,2,3,4],\"Metadata\":[\"a\",\"b\",\"c\"]");
	for (int32 Index = 0; Index < 3; ++Index)
	{
		EXPECT_EQ(D.Pose.Location[Index], 0.0);
		EXPECT_EQ(D.Pose.Scale[Index], 1.0);
	}
	// Three numbers for the rotation give the zero quaternion, not the identity.
	for (int32 Index = 0; Index < 4; ++Index)
	{
		EXPECT_EQ(D.Pose.Rotation[Index], 0.0);
		EXPECT_EQ(D.Pose.Lens[Index], 0.0) << "the lens is read only when enabled";
	}
	EXPECT_EQ(D.Pose.Sensor[0], 0.0);
	EXPECT_EQ(D.Pose.FrameNumber, 0);
	EXPECT_TRUE(D.Setup.MetaLabel.IsEmpty()) << "metadata is read only for take metadata or record control";
	EXPECT_EQ(D.Setup.State, 0);
	EXPECT_EQ(D.Action.Action, 0);
	EXPECT_EQ(D.Action.ImageWidth, 1920);
	EXPECT_EQ(D.Action.FovOverscan, 1.0f);
}

TEST_F(MessageDecoder, GatesSetupFlagsOnFiveElements)
{
	FDecoded D = DecodeOne("\"Setup\":[1,1,1,1]");
	EXPECT_FALSE(D.Setup.bLensEnabled || D.Setup.bTakeMetadata || D.Setup.bLocalClock || D.Setup.bRecordControl);
	EXPECT_EQ(State.InterpolationRequest.load(), 0);
	EXPECT_EQ(State.OffsetRequest.load(), 0);

	D = DecodeOne("\"Setup\":[0,1,1,1,1]");
	EXPECT_TRUE(D.Setup.bLensEnabled && D.Setup.bTakeMetadata && D.Setup.bLocalClock && D.Setup.bRecordControl);
	EXPECT_FALSE(D.Setup.bReportSkips);
	EXPECT_EQ(State.InterpolationRequest.load(), 1);
	EXPECT_EQ(State.OffsetRequest.load(), 1);
	EXPECT_EQ(State.EvaluationOffset.load(), -1.0);
	EXPECT_FALSE(State.bGameThreadPublish.load());

	// Decided once: a later "leave it" does not change the request.
	DecodeOne("\"Setup\":[0,0,0,0,0,0,0]");
	EXPECT_EQ(State.InterpolationRequest.load(), 1);
}

TEST_F(MessageDecoder, ArmsTheOffsetRequestOnlyWhenTheOffsetChanges)
{
	DecodeOne("\"Setup\":[0,0,0,0,0,0,0,2.5]");
	EXPECT_EQ(State.InterpolationRequest.load(), 2);
	EXPECT_EQ(State.OffsetRequest.load(), 1);
	EXPECT_EQ(State.EvaluationOffset.load(), 2.5);
	EXPECT_FALSE(State.bGameThreadPublish.load());

	State.OffsetRequest.store(2);
	DecodeOne("\"Setup\":[0,0,0,0,0,0,0,2.5]");
	EXPECT_EQ(State.OffsetRequest.load(), 2);
	DecodeOne("\"Setup\":[0,0,0,0,0]");
	EXPECT_EQ(State.OffsetRequest.load(), 2) << "a short Setup keeps the offset once one is set";

	DecodeOne("\"Setup\":[0,0,0,0,0,0,0,-1]");
	EXPECT_EQ(State.OffsetRequest.load(), 1);
	EXPECT_TRUE(State.bGameThreadPublish.load());
	DecodeOne("\"Setup\":[0,0,0,0,0,0,0,0]");
	EXPECT_FALSE(State.bGameThreadPublish.load());
}

TEST_F(MessageDecoder, MarksStaticDataDirtyWhenTheFilmbackChanges)
{
	State.bStaticDirty.store(false);
	DecodeOne("\"Sensor\":[36,24]");
	EXPECT_TRUE(State.bStaticDirty.load());
	EXPECT_EQ(State.FilmbackWidth.load(), 36.0);
	EXPECT_EQ(State.FilmbackHeight.load(), 24.0);
	State.bStaticDirty.store(false);
	DecodeOne("\"Sensor\":[36,24]");
	EXPECT_FALSE(State.bStaticDirty.load());
	DecodeOne("\"Sensor\":[36,18]");
	EXPECT_TRUE(State.bStaticDirty.load());
}

TEST_F(MessageDecoder, ReportsCaptureSkipsOnlyWhenAsked)
{
	const std::string Skips = "\"Setup\":[0,0,0,0,0,1],";
	DecodeOne(Skips + "\"Timecode\":[10,25,1]");
	DecodeOne(Skips + "\"Timecode\":[11,25,1]");
	DecodeOne(Skips + "\"Timecode\":[14,25,1]");
	DecodeOne(Skips + "\"Timecode\":[12,25,1]");
	EXPECT_EQ(Log.Num(), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Capture skip 14 / 3")), 1);
	EXPECT_EQ(OrvaneProcessState::LastCaptureFrame.load(), 12);

	// Without the switch the frame is still recorded, silently.
	DecodeOne("\"Timecode\":[40,25,1]");
	EXPECT_EQ(Log.Num(), 1);
	EXPECT_EQ(OrvaneProcessState::LastCaptureFrame.load(), 40);
}

TEST_F(MessageDecoder, DecodesCommandsOnlyAboveVersionOne)
{
	EXPECT_EQ(DecodeOne("\"Action\":1").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":1,\"Action\":4,\"Param\":\"x\"").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":1.5,\"Action\":1").Action.Action, 1);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":2").Action.Action, 2);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":3").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":3,\"Param\":\"note\"").Action.Action, 3);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":4").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":7,\"Param\":\"x\"").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":-1").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":6,\"Param\":[1]").Action.Action, 0);

	const FDecoded Capture = DecodeOne("\"Version\":2,\"Action\":4,\"Param\":\"a.png\",\"Param2\":[1,2,3,4]");
	EXPECT_EQ(Capture.Action.Action, 4);
	EXPECT_EQ(Capture.Action.CaptureMode, 0);
	EXPECT_EQ(Capture.Action.FovOverscan, 1.0f);
	EXPECT_EQ(Capture.Action.ImageWidth, 1920);
	EXPECT_EQ(Capture.Action.ImageHeight, 1080);
	EXPECT_FALSE(Capture.Action.IncludeRotation);

	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":5,\"Param\":\"0.5\"").Action.Action, 0);
	EXPECT_EQ(DecodeOne("\"Version\":2,\"Action\":5,\"Param\":[0.5]").Action.Action, 0);
	const FDecoded Pick = DecodeOne("\"Version\":2,\"Action\":5,\"Param\":[0.25,0.75,9]");
	EXPECT_EQ(Pick.Action.Action, 5);
	EXPECT_EQ(Pick.Action.ScreenX, 0.25);
	EXPECT_EQ(Pick.Action.ScreenY, 0.75);
}

TEST_F(MessageDecoder, VisitsEveryRootMemberAndLogsStrangers)
{
	const std::vector<FDecoded> Out = Decode("{\"ORVCamera\":[{\"Timecode\":[1,25,1]}],\"Other\":1,\"orvcamera\":[],\"ORVCAMERA\":[5]}");
	// Member names are unique without regard to case, so the later "ORVCAMERA" replaces the first camera.
	EXPECT_EQ(Out.size(), 0u);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 1);
	EXPECT_EQ(Log.Lines()[0].Verbosity, ELogVerbosity::Error);
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Log.Lines()[0].Category)), "ModuleLog");

	Log.Clear();
	const std::vector<FDecoded> Two = Decode("{\"Other\":1,\"ORVCamera\":[{\"Timecode\":[7,25,1]},{\"Timecode\":[8,25,1]}],\"Third\":{}}");
	ASSERT_EQ(Two.size(), 1u);
	EXPECT_EQ(Two[0].Pose.FrameNumber, 7) << "only the first element of the array is the camera";
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 1) << "one line per datagram, however many strangers";
}

TEST_F(MessageDecoder, AFloodOfStrangersAndCameraElementsDoesNotMultiply)
{
	// Thousands of foreign members in one datagram write one line, not one each.
	std::string Strangers = "{";
	for (int32 Index = 0; Index < 5000; ++Index)
	{
		Strangers += "\"s" + std::to_string(Index) + "\":0,";
	}
	EXPECT_EQ(Decode(Strangers + "\"ORVCamera\":[{}]}").size(), 1u);
	EXPECT_EQ(Log.Num(), 1);

	// A camera array of 2,000 elements is one camera: only the first is read.
	std::string Elements = "{\"ORVCamera\":[";
	for (int32 Index = 0; Index < 2000; ++Index)
	{
		Elements += (Index ? ",{\"Timecode\":[" : "{\"Timecode\":[") + std::to_string(Index + 1) + ",25,1]}";
	}
	const std::vector<FDecoded> Cameras = Decode(Elements + "]}");
	ASSERT_EQ(Cameras.size(), 1u);
	EXPECT_EQ(Cameras[0].Pose.FrameNumber, 1);
}

TEST_F(MessageDecoder, AStreamOfStrangersIsLimitedThroughTheSourcesLimiter)
{
	FOrvaneLogLimiter Limiter;
	Limiter.Advance(0);
	const std::string Stranger = "{\"Other\":1,\"More\":2}";
	const std::string Skipping = "{\"ORVCamera\":[{\"Setup\":[0,0,0,0,0,1],\"Timecode\":[";
	for (int32 Index = 0; Index < 40; ++Index)
	{
		const std::vector<uint8> Bytes(Stranger.begin(), Stranger.end());
		FOrvaneMessageDecoder::Decode(
			TConstArrayView<uint8>(Bytes.data(), static_cast<int32>(Bytes.size())), State, [](const ORVCameraSetup&, const ORVCameraPose&, const ORVActionParams&) {}, &Limiter);
		// Every datagram skips two frames.
		const std::string Camera = Skipping + std::to_string(Index * 3) + ",25,1]}]}";
		const std::vector<uint8> CameraBytes(Camera.begin(), Camera.end());
		FOrvaneMessageDecoder::Decode(
			TConstArrayView<uint8>(CameraBytes.data(), static_cast<int32>(CameraBytes.size())), State, [](const ORVCameraSetup&, const ORVCameraPose&, const ORVActionParams&) {}, &Limiter);
	}
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received")), 10);
	EXPECT_EQ(Log.CountContaining(TEXT("Orvane Live Link: Capture skip ")), 10);
	Limiter.Advance(1000);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Unknow data received (30 more in the last second)")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane Live Link: Capture skip 117 / 3 (29 more in the last second)")), 1);
}

TEST_F(MessageDecoder, DropsUnparsableDocumentsSilently)
{
	EXPECT_TRUE(Decode("{\"ORVCamera\":[{\"Setup\":[0,1,1,1,1]}]").empty());
	EXPECT_TRUE(Decode("").empty());
	EXPECT_TRUE(Decode("[{\"ORVCamera\":1}]").empty());
	EXPECT_EQ(Log.Num(), 0);
	EXPECT_EQ(State.InterpolationRequest.load(), 0);
	EXPECT_EQ(State.OffsetRequest.load(), 0);
}

TEST_F(MessageDecoder, ReadsBytesAsLatin1)
{
	const std::vector<uint8> Bytes = {'{', '"', 'O', 'R', 'V', 'C', 'a', 'm', 'e', 'r', 'a', '"', ':', '[', '{', '"', 'S', 'e', 't', 'u', 'p', '"', ':', '[', '0', ',', '0', ',', '1', ',', '0', ',', '0', ']', ',', '"', 'M', 'e', 't', 'a', 'd', 'a', 't', 'a', '"', ':', '[', '"', 0xE9, '"', ',', '"', 0xFF, '"', ',', '"', '1', '"', ']', '}', ']', '}'};
	const std::vector<FDecoded> Out = DecodeBytes(Bytes);
	ASSERT_EQ(Out.size(), 1u);
	ASSERT_EQ(Out[0].Setup.MetaLabel.Len(), 1);
	EXPECT_EQ(Out[0].Setup.MetaLabel[0], 0xE9);
	EXPECT_EQ(Out[0].Setup.MetaSlate[0], 0xFF);
}

TEST_F(MessageDecoder, ConvertsOutOfRangeNumbersWithoutFaulting)
{
	const FDecoded D = DecodeOne("\"Version\":2,\"Timecode\":[1e12,-1e12,2147483648.7,1e300],\"Action\":4,\"Param\":\"p\",\"Param2\":[-3e9,1e40,4e9,-2.9,0]");
	EXPECT_EQ(D.Pose.FrameNumber, std::numeric_limits<int32>::max());
	EXPECT_EQ(D.Pose.RateNumerator, std::numeric_limits<int32>::min());
	EXPECT_EQ(D.Pose.RateDenominator, std::numeric_limits<int32>::max());
	EXPECT_EQ(D.Pose.TimeStamp, std::numeric_limits<uint64>::max());
	EXPECT_EQ(D.Action.CaptureMode, std::numeric_limits<int32>::min());
	EXPECT_TRUE(std::isinf(D.Action.FovOverscan));
	EXPECT_EQ(D.Action.ImageWidth, std::numeric_limits<int32>::max());
	EXPECT_EQ(D.Action.ImageHeight, -2) << "truncated toward zero";

	// Just above the largest float still rounds to it; beyond half a step it is infinite.
	EXPECT_EQ(FOrvaneMessageDecoder::ToFloat(3.4028235e38), std::numeric_limits<float>::max());
	EXPECT_EQ(FOrvaneMessageDecoder::ToFloat(-3.4028235e38), -std::numeric_limits<float>::max());
	EXPECT_TRUE(std::isinf(FOrvaneMessageDecoder::ToFloat(3.5e38)));
	EXPECT_EQ(FOrvaneMessageDecoder::ToInt32(-2147483648.9), std::numeric_limits<int32>::min());
	EXPECT_EQ(FOrvaneMessageDecoder::ToInt32(std::nan("")), 0);
	EXPECT_EQ(FOrvaneMessageDecoder::ToInt32(-0.99), 0);
}

TEST_F(MessageDecoder, DecodesWhatTheEnginesReaderAccepts)
{
	// Numbers beyond the double range, capitalised literals and raw control characters, as the editor reads them.
	const FDecoded D = DecodeOne("\"Setup\":[0,0,1,0,0],\"Location\":[1e400,-1E999,2],\"Rotation\":[0,0,0,1e309],\"Metadata\":[\"l\tx\",\"s\",\"1\"],\"Sensor\":Null,\"State\":1");
	EXPECT_EQ(D.Pose.Location[0], std::numeric_limits<double>::infinity());
	EXPECT_EQ(D.Pose.Location[1], -std::numeric_limits<double>::infinity());
	EXPECT_EQ(D.Pose.Location[2], 2.0);
	EXPECT_EQ(D.Pose.Rotation[3], std::numeric_limits<double>::infinity()) << "the record keeps what was sent";
	EXPECT_TRUE(D.Setup.MetaLabel.Equals(TEXT("l\tx"), ESearchCase::CaseSensitive));
	EXPECT_EQ(D.Setup.State, 1);
}

TEST_F(MessageDecoder, KeepsTimeStampsFromTwoToTheSixtyThreeUpward)
{
	EXPECT_EQ(DecodeOne("\"Timecode\":[1,25,1,9223372036854775808]").Pose.TimeStamp, 9223372036854775808ull);
	EXPECT_EQ(DecodeOne("\"Timecode\":[1,25,1,18446744073709549568]").Pose.TimeStamp, 18446744073709549568ull);
	EXPECT_EQ(DecodeOne("\"Timecode\":[1,25,1,1.8446744073709552e19]").Pose.TimeStamp, std::numeric_limits<uint64>::max());
	EXPECT_EQ(DecodeOne("\"Timecode\":[1,25,1,-5]").Pose.TimeStamp, 0u);
	EXPECT_EQ(DecodeOne("\"Timecode\":[1,25,1,4503599627370497]").Pose.TimeStamp, 4503599627370497ull);
}

TEST_F(MessageDecoder, TreatsWrongKindsAsMissing)
{
	const FDecoded D = DecodeOne("\"Version\":\"high\",\"Setup\":\"1,1,1,1,1\",\"Location\":{\"x\":1},\"Timecode\":7,\"State\":[1],\"Sensor\":null");
	EXPECT_FALSE(D.Setup.bLensEnabled);
	EXPECT_EQ(D.Pose.Location[0], 0.0);
	EXPECT_EQ(D.Pose.FrameNumber, 0);
	EXPECT_EQ(D.Setup.State, 0);
	EXPECT_EQ(Log.Num(), 0);

	// Elements of the wrong kind read as 0 through the engine's accessors, which log the misuse.
	const FDecoded Elements = DecodeOne("\"Location\":[\"12.5\",[1],null]");
	EXPECT_EQ(Elements.Pose.Location[0], 12.5);
	EXPECT_EQ(Elements.Pose.Location[1], 0.0);
	EXPECT_EQ(Elements.Pose.Location[2], 0.0);
}

TEST_F(MessageDecoder, SurvivesHostileDatagrams)
{
	const std::string Valid = "{\"ORVCamera\":[{\"Version\":2,\"Setup\":[0,1,1,1,1,1,0,0.5],\"Location\":[1,2,3],\"Timecode\":[1,25,1,5],\"Metadata\":[\"a\",\"b\",\"c\"],\"Action\":5,\"Param\":[0.5,0.5]}]}";
	for (size_t Length = 0; Length < Valid.size(); ++Length)
	{
		Decode(Valid.substr(0, Length));
	}

	// A nesting bomb within one datagram is dropped before it is parsed.
	std::string Deep = "{\"ORVCamera\":";
	Deep.append(60000, '[');
	EXPECT_TRUE(Decode(Deep).empty());
	EXPECT_TRUE(Decode("{\"a\":" + std::string(40, '[') + std::string(40, ']') + "}").empty());
	EXPECT_EQ(Decode("{\"ORVCamera\":[{\"x\":\"[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[[\"}]}").size(), 1u) << "brackets in strings do not count";

	// A 64 KiB payload of one long string, and one of many members.
	EXPECT_EQ(Decode("{\"ORVCamera\":[{\"Metadata\":[\"" + std::string(65000, 'x') + "\",\"b\",\"c\"],\"Setup\":[0,0,1,0,0]}]}").size(), 1u);
	std::string Wide = "{";
	for (int32 Index = 0; Index < 4000; ++Index)
	{
		Wide += "\"k" + std::to_string(Index) + "\":" + std::to_string(Index) + ",";
	}
	Wide += "\"ORVCamera\":[{}]}";
	EXPECT_EQ(Decode(Wide).size(), 1u);

	std::mt19937 Random(99);
	for (int32 Round = 0; Round < 3000; ++Round)
	{
		std::vector<uint8> Bytes(Random() % 200);
		for (uint8& Byte : Bytes)
		{
			Byte = static_cast<uint8>(Random());
		}
		if (Round % 3 == 0 && !Bytes.empty())
		{
			// Splice noise into a valid message so the parser gets past the first byte.
			std::vector<uint8> Mixed(Valid.begin(), Valid.begin() + static_cast<long>(Random() % Valid.size()));
			Mixed.insert(Mixed.end(), Bytes.begin(), Bytes.end());
			Bytes = Mixed;
		}
		DecodeBytes(Bytes);
	}
}
