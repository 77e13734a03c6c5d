// Copyright Kelmora. All Rights Reserved.
#include "Capture/CaptureTestSupport.h"
#include "Tools/ToolRunner.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

namespace
{
	using OrvaneCaptureTest::FDecoded;
	using OrvaneCaptureTest::FScratchDir;
	using OrvaneToolTest::FToolRun;

	FToolRun RunCapture(const FScratchDir& Scratch, const std::string& Arguments)
	{
		return OrvaneToolTest::RunTool("capture " + Arguments, Scratch.Path("stderr.txt").string(), 120);
	}
}

TEST(CaptureTool, WritesAFlatStillAndDescribesIt)
{
	FScratchDir Scratch;
	const std::string Out = Scratch.Path("Still.PNG").string();
	const FToolRun Run = RunCapture(Scratch, "'" + Out + "' --width 40 --height 20 --fov 60 --overscan 1.5 --rotation 0,90,0 --location 1,2,3");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_EQ(Run.Output, "{\"file\":\"" + Out + "\",\"width\":40,\"height\":20,\"format\":\"PNG\",\"target\":{\"format\":\"RGBA8\",\"gamma\":2.2000000476837158,\"forceLinearGamma\":false},\"fov\":90}\n");
	FDecoded Image;
	ASSERT_TRUE(OrvaneCaptureTest::ReadPng(Scratch.Path("Still.PNG"), Image));
	EXPECT_EQ(Image.Width, 40);
	EXPECT_EQ(Image.Height, 20);
	// Turned to +Y: the centre sees green at full strength and red at half, gamma-encoded.
	EXPECT_NEAR(Image.At(20, 10, 1), 255.0, 2.0);
	EXPECT_NEAR(Image.At(20, 10, 0), 255.0 * std::pow(0.5, 1.0 / 2.2), 3.0);
}

TEST(CaptureTool, PanoramaDefaultsAndOverrides)
{
	FScratchDir Scratch;
	const std::string Exr = Scratch.Path("pano").string();
	FToolRun Run = RunCapture(Scratch, "'" + Exr + "' --eq --width 16 --height 999");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_EQ(Run.Output, "{\"file\":\"" + Exr + "\",\"width\":64,\"height\":32,\"format\":\"EXR\",\"target\":{\"format\":\"RGBA16F\",\"gamma\":1,\"forceLinearGamma\":true}}\n")
		<< "no extension: EXR with HDR";
	FDecoded Image;
	ASSERT_TRUE(OrvaneCaptureTest::ReadExr(Scratch.Path("pano"), Image));
	EXPECT_EQ(Image.Width, 64);

	const std::string Jpeg = Scratch.Path("pano.jpg").string();
	Run = RunCapture(Scratch, "'" + Jpeg + "' --eq --width 8 --hdr --format jpeg");
	ASSERT_EQ(Run.ExitCode, 0) << Run.Errors;
	EXPECT_NE(Run.Output.find("\"format\":\"JPEG\",\"target\":{\"format\":\"RGBA16F\",\"gamma\":1,\"forceLinearGamma\":true}"), std::string::npos) << Run.Output;
}

TEST(CaptureTool, FailuresAndBadArguments)
{
	FScratchDir Scratch;
	FToolRun Run = RunCapture(Scratch, "'" + Scratch.Path("x.png").string() + "' --width 0");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("orvane capture: OrvaneCapture2D: Image size 0x1080 is outside 1..16384"), std::string::npos) << Run.Errors;
	EXPECT_FALSE(std::filesystem::exists(Scratch.Path("x.png")));

	// Below a regular file no folder can be made for the picture.
	std::ofstream(Scratch.Path("file").string()) << "x";
	Run = RunCapture(Scratch, "'" + Scratch.Path("file/x.png").string() + "' --width 8 --height 8");
	EXPECT_EQ(Run.ExitCode, 1);
	EXPECT_NE(Run.Errors.find("Failed to save VP Camera capture to"), std::string::npos) << Run.Errors;

	for (const char* Bad : {"", "a.png --format tiff", "a.png --width 12x", "a.png --rotation 1,2", "a.png --location 1,2,3,4", "a.png --fov nan", "a.png b.png", "a.png --bogus"})
	{
		SCOPED_TRACE(Bad);
		Run = RunCapture(Scratch, Bad);
		EXPECT_EQ(Run.ExitCode, 2);
		EXPECT_NE(Run.Errors.find("usage: orvane capture OUT"), std::string::npos) << Run.Errors;
	}
}
