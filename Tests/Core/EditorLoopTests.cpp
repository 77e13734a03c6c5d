// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Containers/Ticker.h"
#include "HeadlessProject.h"
#include "Misc/ConfigCacheIni.h"
#include "Misc/FileHelper.h"
#include "TimerManager.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

TEST(CoreTicker, FiresAfterItsDelayUntilItAsksToStop)
{
	FTSTicker Ticker;
	int32 OneShot = 0;
	int32 Repeating = 0;
	Ticker.AddTicker(FTickerDelegate::CreateLambda([&OneShot](float)
						 { ++OneShot; return false; }),
		1.0f);
	Ticker.AddTicker(TEXT("Repeating"), 0.5f, [&Repeating](float)
		{ return ++Repeating < 3; });
	const FTSTicker::FDelegateHandle Removed = Ticker.AddTicker(FTickerDelegate::CreateLambda([](float)
																	{ ADD_FAILURE() << "a removed ticker fired"; return true; }),
		0.0f);
	FTSTicker::RemoveTicker(Removed);

	Ticker.Tick(0.75f);
	EXPECT_EQ(OneShot, 0);
	EXPECT_EQ(Repeating, 1);
	Ticker.Tick(0.5f);
	EXPECT_EQ(OneShot, 1);
	Ticker.Tick(5.0f);
	Ticker.Tick(5.0f);
	EXPECT_EQ(OneShot, 1);
	EXPECT_EQ(Repeating, 3);
	EXPECT_EQ(Ticker.GetHostPendingCount(), 0);
}

TEST(CoreTicker, TickerAddedWhileFiringWaitsForTheNextTick)
{
	FTSTicker Ticker;
	int32 Inner = 0;
	Ticker.AddTicker(TEXT("Outer"), 0.0f, [&Ticker, &Inner](float)
		{
		Ticker.AddTicker(TEXT("Inner"), 0.0f, [&Inner](float) { ++Inner; return false; });
		return false; });
	Ticker.Tick(0.1f);
	EXPECT_EQ(Inner, 0);
	Ticker.Tick(0.1f);
	EXPECT_EQ(Inner, 1);
}

TEST(EditorTimers, OneShotLoopingReplacedAndCleared)
{
	FTimerManager Timers;
	int32 Once = 0;
	int32 Looping = 0;
	int32 Replaced = 0;
	FTimerHandle OnceHandle;
	FTimerHandle LoopHandle;
	FTimerHandle ReplacedHandle;
	Timers.SetTimer(OnceHandle, FTimerDelegate::CreateLambda([&Once]()
									{ ++Once; }),
		1.0f, false);
	Timers.SetTimer(
		LoopHandle, [&Looping]()
		{ ++Looping; },
		0.25f, true);
	Timers.SetTimer(
		ReplacedHandle, [&Replaced]()
		{ Replaced += 100; },
		0.5f);
	Timers.SetTimer(
		ReplacedHandle, [&Replaced]()
		{ ++Replaced; },
		0.5f);

	Timers.Tick(0.9f);
	EXPECT_EQ(Once, 0);
	EXPECT_EQ(Looping, 3);
	EXPECT_EQ(Replaced, 1) << "setting a timer on a handle in use replaces it";
	EXPECT_TRUE(Timers.IsTimerActive(OnceHandle));
	Timers.Tick(0.2f);
	EXPECT_EQ(Once, 1);
	EXPECT_FALSE(Timers.IsTimerActive(OnceHandle));

	Timers.ClearTimer(LoopHandle);
	EXPECT_FALSE(LoopHandle.IsValid());
	Timers.Tick(10.0f);
	EXPECT_EQ(Looping, 4);
	EXPECT_EQ(Timers.GetHostActiveTimerCount(), 0);
}

TEST(ConfigFiles, KeepSectionsAndKeysInOrderAcrossAWrite)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("Config/DefaultGame.ini");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("; a comment\r\n[/Script/A.B]\r\nFirst=1\r\nSecond = two words \r\n\r\n[/Script/C.D]\r\nKey=Value=With=Equals\r\n")), *Filename));
	FConfigCacheIni Config;
	FString Value;
	ASSERT_TRUE(Config.GetString(TEXT("/Script/A.B"), TEXT("Second"), Value, Filename));
	EXPECT_EQ(Value, TEXT("two words"));
	ASSERT_TRUE(Config.GetString(TEXT("/Script/C.D"), TEXT("Key"), Value, Filename));
	EXPECT_EQ(Value, TEXT("Value=With=Equals"));
	EXPECT_FALSE(Config.GetString(TEXT("/Script/A.B"), TEXT("Missing"), Value, Filename));

	Config.SetString(TEXT("/Script/A.B"), TEXT("First"), TEXT("changed"), Filename);
	Config.SetString(TEXT("/Script/E.F"), TEXT("New"), TEXT("True"), Filename);
	Config.Flush(true, Filename);
	FString Written;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Written, *Filename));
	EXPECT_EQ(Written, TEXT("[/Script/A.B]\r\nFirst=changed\r\nSecond=two words\r\n\r\n[/Script/C.D]\r\nKey=Value=With=Equals\r\n\r\n[/Script/E.F]\r\nNew=True\r\n\r\n"));
}

TEST(ConfigFiles, SurviveHostileText)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetProjectDir() + TEXT("Config/DefaultEngine.ini");
	std::mt19937 Random(7);
	const std::string Fragments[] = {"[", "]", "=", "\n", "\r\n", ";", "[A]", "Key=", "=Value", std::string(1, '\0'), "\xff\xfe", "\xc3", " ", "[]", "[[x]]"};
	for (int32 Round = 0; Round < 200; ++Round)
	{
		std::string Text;
		const int32 Pieces = int32(Random() % 64);
		for (int32 Piece = 0; Piece < Pieces; ++Piece)
		{
			Text += Random() % 3 == 0 ? std::string(1, char(Random() % 256)) : Fragments[Random() % std::size(Fragments)];
		}
		ASSERT_TRUE(FFileHelper::SaveArrayToFile(TArrayView<const uint8>(reinterpret_cast<const uint8*>(Text.data()), int32(Text.size())), *Filename));
		FConfigCacheIni Config;
		FString Value;
		Config.GetString(TEXT("A"), TEXT("Key"), Value, Filename);
		Config.SetString(TEXT("A"), TEXT("Key"), TEXT("Safe"), Filename);
		Config.Flush(false, Filename);
		FConfigCacheIni Reread;
		ASSERT_TRUE(Reread.GetString(TEXT("A"), TEXT("Key"), Value, Filename)) << "round " << Round;
		EXPECT_EQ(Value, TEXT("Safe"));
	}
}
