// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HAL/IConsoleManager.h"
#include "LogCapture.h"
#include "Misc/OutputDeviceRedirector.h"

#include <gtest/gtest.h>

namespace
{
	int32 GRuns = 0;

	void CountRun()
	{
		++GRuns;
	}
}

TEST(ConsoleManager, RunsRegisteredCommandsByNameWithoutRegardToCase)
{
	IConsoleManager& Console = IConsoleManager::Get();
	GRuns = 0;
	IConsoleCommand* Command = Console.RegisterConsoleCommand(TEXT("Host.Test.Count"), TEXT("Counts its runs."), FConsoleCommandDelegate::CreateStatic(&CountRun));
	ASSERT_NE(Command, nullptr);
	EXPECT_EQ(Console.FindConsoleObject(TEXT("host.test.COUNT")), Command);
	EXPECT_EQ(FString(Command->GetHelp()), FString(TEXT("Counts its runs.")));

	EXPECT_TRUE(Console.ProcessUserConsoleInput(TEXT("  HOST.TEST.COUNT  extra words "), *GLog, nullptr));
	EXPECT_EQ(GRuns, 1);
	EXPECT_FALSE(Console.ProcessUserConsoleInput(TEXT("Host.Test.Missing"), *GLog, nullptr));
	EXPECT_FALSE(Console.ProcessUserConsoleInput(TEXT("   "), *GLog, nullptr));

	// A second registration under the same name is refused and leaves the first in place.
	{
		FLogCapture Log;
		EXPECT_EQ(Console.RegisterConsoleCommand(TEXT("host.test.count"), TEXT(""), FConsoleCommandDelegate::CreateStatic(&CountRun)), nullptr);
		EXPECT_EQ(Log.Num(), 1);
	}
	EXPECT_EQ(Console.FindConsoleObject(TEXT("Host.Test.Count")), Command);

	Console.UnregisterConsoleObject(Command);
	EXPECT_EQ(Console.FindConsoleObject(TEXT("Host.Test.Count")), nullptr);
	EXPECT_FALSE(Console.ProcessUserConsoleInput(TEXT("Host.Test.Count"), *GLog, nullptr));

	ASSERT_NE(Console.RegisterConsoleCommand(TEXT("Host.Test.Count"), TEXT(""), FConsoleCommandDelegate::CreateStatic(&CountRun)), nullptr);
	Console.UnregisterConsoleObject(TEXT("HOST.test.count"));
	EXPECT_EQ(Console.FindConsoleObject(TEXT("Host.Test.Count")), nullptr);
	EXPECT_EQ(GRuns, 1);
}
