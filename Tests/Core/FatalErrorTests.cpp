// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

DEFINE_LOG_CATEGORY_STATIC(LogFatalTest, Log, All);
DEFINE_LOG_CATEGORY_STATIC(LogFatalTestSilent, NoLogging, All);

namespace
{
	/** Death tests run the test again in a fresh process: the host starts threads that a plain fork would not carry. */
	class FatalErrors : public testing::Test
	{
	protected:
		void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
	};

	FString NameOfLength(int32 Length)
	{
		FString Text;
		for (int32 Index = 0; Index < Length; ++Index)
		{
			Text.AppendChar(TCHAR('a' + Index % 26));
		}
		return Text;
	}
}

TEST_F(FatalErrors, AFatalLogLineEndsTheProcessWhateverTheCategoryLetsThrough)
{
	EXPECT_DEATH(UE_LOG(LogFatalTest, Fatal, TEXT("Stage %d is gone"), 7), "Stage 7 is gone");
	EXPECT_DEATH(UE_LOG(LogFatalTestSilent, Fatal, TEXT("silenced but fatal")), "silenced but fatal");
	EXPECT_DEATH(
		{
			FLogCapture Quiet;
			UE_LOG(LogFatalTest, Fatal, TEXT("captured but fatal"));
		},
		"captured but fatal");
	// The same category at Error goes on.
	FLogCapture Log;
	UE_LOG(LogFatalTest, Error, TEXT("an error is not fatal"));
	EXPECT_EQ(Log.Count(TEXT("an error is not fatal")), 1);
}

TEST_F(FatalErrors, AFailedCheckEndsTheProcessAndCheckfShowsItsMessage)
{
	const int32 Count = 3;
	EXPECT_DEATH(check(Count == 4), "Assertion failed: Count == 4");
	EXPECT_DEATH(checkf(Count > 5, TEXT("needed more than %d, got %d"), 5, Count), "Count > 5.*\\n.*needed more than 5, got 3");
	EXPECT_DEATH(verify(Count < 0), "Assertion failed");
	EXPECT_DEATH(checkNoEntry(), "should never be called");
	check(Count == 3);
	checkf(Count == 3, TEXT("passing checks say nothing"));
}

TEST_F(FatalErrors, ANameOf1024CharactersOrMoreEndsTheProcess)
{
	const FName Longest(NameOfLength(1023));
	EXPECT_EQ(Longest.ToString().Len(), 1023);
	EXPECT_DEATH(FName(NameOfLength(1024)), "max length exceeded");
	EXPECT_DEATH(FName(*NameOfLength(4096)), "max length exceeded");
	const std::string Narrow(1024, 'n');
	EXPECT_DEATH(FName(Narrow.c_str()), "max length exceeded");
}
