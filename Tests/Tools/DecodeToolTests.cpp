// Copyright Kelmora. All Rights Reserved.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cstdio>
#include <string>
#include <sys/wait.h>

namespace
{
	struct FRunResult
	{
		int ExitCode = -1;
		std::string Output;
	};

	/** Runs the tool through the shell, standard error folded away unless asked for. */
	FRunResult RunTool(const std::string& Arguments)
	{
		FRunResult Result;
		FILE* Pipe = popen((std::string(ORVANE_TOOL_PATH) + " " + Arguments).c_str(), "r");
		if (!Pipe)
		{
			return Result;
		}
		std::array<char, 4096> Buffer;
		size_t Read = 0;
		while ((Read = fread(Buffer.data(), 1, Buffer.size(), Pipe)) > 0)
		{
			Result.Output.append(Buffer.data(), Read);
		}
		const int Status = pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		return Result;
	}
}

TEST(DecodeTool, PrintsOneLineOfRecordsForTheSampleDatagram)
{
	const FRunResult Result = RunTool("decode " + std::string(ORVANE_TEST_DATA_DIR) + "/camera_datagram.json 2>/dev/null");
	ASSERT_EQ(Result.ExitCode, 0);
	ASSERT_FALSE(Result.Output.empty());
	EXPECT_EQ(Result.Output.find('\n'), Result.Output.size() - 1);
	const nlohmann::json Line = nlohmann::json::parse(Result.Output);
	EXPECT_EQ(Line["setup"]["bLensEnabled"], true);
	EXPECT_EQ(Line["setup"]["MetaSlate"], "Scene 12");
	EXPECT_EQ(Line["pose"]["Rotation"].size(), 4u);
	EXPECT_EQ(Line["pose"]["Rotation"][1].get<double>(), -0.0991445033788681);
	EXPECT_EQ(Line["pose"]["RateDenominator"], 1001);
	EXPECT_EQ(Line["pose"]["TimeStamp"].get<uint64_t>(), 1765203312045ull);
	EXPECT_EQ(Line["action"]["Action"], 4);
	EXPECT_EQ(Line["action"]["FovOverscan"].get<float>(), 1.25f);
}

TEST(DecodeTool, ReadsStandardInputAndLogsToStandardError)
{
	const FRunResult Result = RunTool("decode - 2>&1 <<'EOF'\n{\"Stranger\":1,\"ORVCamera\":[{\"Timecode\":[1,25,1,18446744073709549568]}]}\nEOF");
	ASSERT_EQ(Result.ExitCode, 0);
	EXPECT_NE(Result.Output.find("ModuleLog: Error: Orvane Live Link: Unknow data received\n"), std::string::npos);
	const std::string Json = Result.Output.substr(Result.Output.find('{'));
	EXPECT_EQ(nlohmann::json::parse(Json)["pose"]["TimeStamp"].get<uint64_t>(), 18446744073709549568ull);
}

TEST(DecodeTool, FailsClearlyOnBadArguments)
{
	EXPECT_EQ(RunTool("decode /nonexistent/datagram.json 2>/dev/null").ExitCode, 1);
	EXPECT_EQ(RunTool("decode 2>/dev/null").ExitCode, 2);
	EXPECT_EQ(RunTool("frobnicate 2>/dev/null").ExitCode, 2);
	const FRunResult Garbage = RunTool("decode - </dev/null");
	EXPECT_EQ(Garbage.ExitCode, 0);
	EXPECT_TRUE(Garbage.Output.empty());
}
