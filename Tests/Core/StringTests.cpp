// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}
}

TEST(StringFormat, FollowsTheEngineConversions)
{
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%s and %hs"), TEXT("wide"), "narrow")), "wide and narrow");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("[%5s|%-5s|%.2s]"), TEXT("ab"), TEXT("cd"), TEXT("xyz"))), "[   ab|cd   |xy]");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%d %i %u %x %X %o"), -7, 42, 7u, 255, 255, 8)), "-7 42 7 ff FF 10");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%lld %llu"), std::numeric_limits<int64>::min(), std::numeric_limits<uint64>::max())), "-9223372036854775808 18446744073709551615");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%05d|%+d|%*d"), 42, 3, 4, 9)), "00042|+3|   9");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%c%c"), TEXT('o'), 'k')), "ok");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("100%%"))), "100%");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%.3f %.17g %g"), 0.5, 6.4, 1e21)), "0.500 6.4000000000000004 1e+21");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%s"), static_cast<const TCHAR*>(nullptr))), "(null)");
}

TEST(StringFormat, ReadsIntegersAtTheWidthTheDirectiveNames)
{
	// Without a 64-bit length the engine's formatter reads 32 bits of the argument.
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%d"), int64(0x100000005))), "5");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%u"), -1)), "4294967295");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%lld"), int64(0x100000005))), "4294967301");
}

TEST(StringFormat, KeepsMalformedAndUnmatchedDirectivesAsWritten)
{
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%d and %d"), 1)), "1 and %d");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("trailing %"))), "trailing %");
	EXPECT_EQ(Utf8(FString::Printf(TEXT("%q"), 5)), "%q");
}

TEST(StringCase, ComparesLikeTheEngine)
{
	const FString Mixed(TEXT("ORVCamera"));
	EXPECT_TRUE(Mixed == TEXT("orvcamera"));
	EXPECT_TRUE(Mixed == FString(TEXT("ORVCAMERA")));
	EXPECT_FALSE(Mixed.Equals(TEXT("orvcamera")));
	EXPECT_TRUE(Mixed.Equals(TEXT("orvcamera"), ESearchCase::IgnoreCase));
	EXPECT_TRUE(Mixed.StartsWith(TEXT("orv")));
	EXPECT_FALSE(Mixed.StartsWith(TEXT("orv"), ESearchCase::CaseSensitive));
	EXPECT_TRUE(Mixed.EndsWith(TEXT("CAMERA")));
	EXPECT_EQ(Mixed.Find(TEXT("cam")), 3);
	EXPECT_EQ(Mixed.Find(TEXT("cam"), ESearchCase::CaseSensitive), INDEX_NONE);
	EXPECT_EQ(Utf8(Mixed.Replace(TEXT("camera"), TEXT("Lens"))), "ORVLens");
	// Only ASCII letters fold; other characters compare by code.
	EXPECT_FALSE(FString(TEXT("\u00C9")) == FString(TEXT("\u00E9")));
	EXPECT_EQ(GetTypeHash(FString(TEXT("Setup"))), GetTypeHash(FString(TEXT("SETUP"))));
}

TEST(StringEdit, ClampsRangesInsteadOfFaulting)
{
	const FString Text(TEXT("Camera"));
	EXPECT_EQ(Utf8(Text.Left(100)), "Camera");
	EXPECT_EQ(Utf8(Text.Left(-3)), "");
	EXPECT_EQ(Utf8(Text.Mid(2, 2)), "me");
	EXPECT_EQ(Utf8(Text.Mid(-5, 7)), "Ca");
	EXPECT_EQ(Utf8(Text.Mid(10)), "");
	EXPECT_EQ(Utf8(Text.RightChop(4)), "ra");
	EXPECT_EQ(Utf8(Text.LeftChop(10)), "");
	EXPECT_EQ(Utf8(FString(TEXT(" \t pad \r\n")).TrimStartAndEnd()), "pad");

	TArray<FString> Parts;
	EXPECT_EQ(FString(TEXT("a,,b,")).ParseIntoArray(Parts, TEXT(","), true), 2);
	EXPECT_EQ(FString(TEXT("a,,b,")).ParseIntoArray(Parts, TEXT(","), false), 4);
	FString Left, Right;
	ASSERT_TRUE(FString(TEXT("Key=Value=More")).Split(TEXT("="), &Left, &Right));
	EXPECT_EQ(Utf8(Left), "Key");
	EXPECT_EQ(Utf8(Right), "Value=More");
}

TEST(StringNumbers, ConvertLikeTheEngine)
{
	EXPECT_EQ(Utf8(FString::SanitizeFloat(5.0)), "5.0");
	EXPECT_EQ(Utf8(FString::SanitizeFloat(5.0, 0)), "5");
	EXPECT_EQ(Utf8(FString::SanitizeFloat(0.125, 0)), "0.125");
	EXPECT_EQ(Utf8(FString::SanitizeFloat(-0.0)), "0.0");
	EXPECT_EQ(Utf8(FString::SanitizeFloat(std::numeric_limits<double>::infinity())), "inf");

	EXPECT_TRUE(FString(TEXT("-12.5")).IsNumeric());
	EXPECT_FALSE(FString(TEXT("1e5")).IsNumeric());
	EXPECT_FALSE(FString(TEXT("1.2.3")).IsNumeric());
	EXPECT_FALSE(FString().IsNumeric());

	EXPECT_EQ(FCString::Atoi(TEXT("99999999999")), std::numeric_limits<int32>::max());
	EXPECT_EQ(FCString::Atoi(TEXT("-99999999999")), std::numeric_limits<int32>::min());
	EXPECT_EQ(FCString::Atoi(TEXT("12abc")), 12);
	EXPECT_EQ(FCString::Atoi(TEXT("junk")), 0);
	EXPECT_DOUBLE_EQ(FCString::Atod(TEXT("2.5e3")), 2500.0);
	EXPECT_TRUE(FCString::ToBool(TEXT("yes")));
	EXPECT_TRUE(FCString::ToBool(TEXT("7")));
	EXPECT_FALSE(FCString::ToBool(TEXT("off")));

	uint64 Big = 0;
	LexFromString(Big, TEXT("18446744073709551615"));
	EXPECT_EQ(Big, std::numeric_limits<uint64>::max());
	int32 Parsed = 0;
	EXPECT_FALSE(LexTryParseString(Parsed, TEXT("3000000000")));
	EXPECT_FALSE(LexTryParseString(Parsed, TEXT("12x")));
	EXPECT_TRUE(LexTryParseString(Parsed, TEXT("-12")));
	EXPECT_EQ(Parsed, -12);
}

TEST(StringConversion, RoundTripsUtf8AndRepairsBrokenText)
{
	const FString Text(TEXT("Zo\u00EB \U0001F3A5 \u65E5"));
	const FTCHARToUTF8 Utf8Text(*Text);
	const FUTF8ToTCHAR Back(Utf8Text.Get(), Utf8Text.Length());
	EXPECT_TRUE(FString(Back.Length(), Back.Get()).Equals(Text));

	const TCHAR LoneSurrogate[] = {u'a', 0xD800, u'b', 0};
	EXPECT_EQ(std::string(FTCHARToUTF8(LoneSurrogate).Get()), "a\xEF\xBF\xBD"
															  "b");
	const char Invalid[] = {'x', char(0xC3), char(0x28), char(0xFF), 0};
	const FUTF8ToTCHAR Repaired(Invalid);
	EXPECT_EQ(FString(Repaired.Get()).Len(), 4);
	EXPECT_EQ(Repaired.Get()[1], u'?') << "as the engine writes what it cannot decode";
}
