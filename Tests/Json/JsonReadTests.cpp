// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "LogCapture.h"
#include "Serialization/JsonReader.h"
#include "Serialization/JsonSerializer.h"

#include <gtest/gtest.h>

#include <limits>
#include <random>

namespace
{
	TSharedPtr<FJsonObject> Parse(const FString& Text, FString* OutError = nullptr)
	{
		TSharedRef<TJsonReader<TCHAR>> Reader = TJsonReaderFactory<TCHAR>::Create(Text);
		TSharedPtr<FJsonObject> Object;
		if (!FJsonSerializer::Deserialize(Reader, Object))
		{
			if (OutError)
			{
				*OutError = Reader->GetErrorMessage();
			}
			return nullptr;
		}
		return Object;
	}

	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}
}

TEST(JsonRead, KeepsMemberOrderAndFindsNamesWithoutCase)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"b\":1,\"A\":\"x\",\"c\":[1,2],\"d\":{\"e\":null},\"f\":true}"));
	ASSERT_TRUE(Object.IsValid());
	std::string Order;
	for (const auto& Pair : Object->Values)
	{
		Order += Utf8(Pair.Key);
	}
	EXPECT_EQ(Order, "bAcdf");
	double Number = 0;
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("B"), Number));
	EXPECT_EQ(Number, 1.0);
	FString Text;
	EXPECT_TRUE(Object->TryGetStringField(TEXT("a"), Text));
	EXPECT_EQ(Utf8(Text), "x");
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	ASSERT_TRUE(Object->TryGetArrayField(TEXT("C"), Array));
	EXPECT_EQ(Array->Num(), 2);
	const TSharedPtr<FJsonObject>* Inner = nullptr;
	ASSERT_TRUE(Object->TryGetObjectField(TEXT("D"), Inner));
	EXPECT_TRUE((*Inner)->TryGetField(TEXT("e"))->IsNull());
	EXPECT_FALSE(Object->TryGetArrayField(TEXT("b"), Array));
}

TEST(JsonRead, RepeatedNamesReplaceTheFirstMemberInPlace)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"Setup\":1,\"Other\":2,\"SETUP\":3}"));
	ASSERT_TRUE(Object.IsValid());
	ASSERT_EQ(Object->Values.Num(), 2);
	auto It = Object->Values.begin();
	EXPECT_EQ(Utf8(It->Key), "SETUP");
	EXPECT_EQ(It->Value->AsNumber(), 3.0);
}

TEST(JsonRead, ConvertsBetweenKindsAsTheEngineDoes)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"half\":2.5,\"neg\":-2.5,\"big\":3e9,\"text\":\"42\",\"word\":\"abc\",\"flag\":true,\"u\":18446744073709551615,\"frac\":0.1}"));
	ASSERT_TRUE(Object.IsValid());
	int32 Int = 0;
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("half"), Int));
	EXPECT_EQ(Int, 3);
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("neg"), Int));
	EXPECT_EQ(Int, -3);
	EXPECT_FALSE(Object->TryGetNumberField(TEXT("big"), Int));
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("text"), Int));
	EXPECT_EQ(Int, 42);
	// The engine reads any string as an integer, giving 0 for text that is not a number.
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("word"), Int));
	EXPECT_EQ(Int, 0);
	double Double = 0;
	EXPECT_FALSE(Object->TryGetNumberField(TEXT("word"), Double));
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("flag"), Double));
	EXPECT_EQ(Double, 1.0);
	uint64 Unsigned = 0;
	// 2^64 - 1 reads as the double 2^64, which is out of range.
	EXPECT_FALSE(Object->TryGetNumberField(TEXT("u"), Unsigned));
	FString Text;
	EXPECT_TRUE(Object->TryGetStringField(TEXT("frac"), Text));
	EXPECT_EQ(Utf8(Text), "0.1");
	EXPECT_TRUE(Object->TryGetStringField(TEXT("half"), Text));
	EXPECT_EQ(Utf8(Text), "2.5");
}

TEST(JsonRead, LogsWhenAValueIsUsedAsTheWrongKind)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"a\":[1],\"s\":\"x\"}"));
	ASSERT_TRUE(Object.IsValid());
	FLogCapture Capture;
	EXPECT_EQ(Object->TryGetField(TEXT("a"))->AsNumber(), 0.0);
	EXPECT_EQ(Object->TryGetField(TEXT("s"))->AsArray().Num(), 0);
	EXPECT_EQ(Capture.Count(TEXT("Json Value of type 'Array' used as a 'Number'.")), 1);
	EXPECT_EQ(Capture.Count(TEXT("Json Value of type 'String' used as a 'Array'.")), 1);
}

TEST(JsonRead, DecodesEscapesAndNonAsciiText)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"k\":\"a\\\"b\\\\c\\n\\u00e9\\ud83c\\udfa5\",\"l\":\"\u00C9t\u00E9\"}"));
	ASSERT_TRUE(Object.IsValid());
	FString Text;
	ASSERT_TRUE(Object->TryGetStringField(TEXT("k"), Text));
	EXPECT_TRUE(Text.Equals(FString(TEXT("a\"b\\c\n\u00E9\U0001F3A5"))));
	ASSERT_TRUE(Object->TryGetStringField(TEXT("l"), Text));
	EXPECT_TRUE(Text.Equals(FString(TEXT("\u00C9t\u00E9"))));
}

TEST(JsonRead, RefusesWhatIsNotOneObjectDocument)
{
	FString Error;
	EXPECT_FALSE(Parse(TEXT(""), &Error).IsValid());
	EXPECT_FALSE(Error.IsEmpty());
	EXPECT_FALSE(Parse(TEXT("[1,2]")).IsValid());
	EXPECT_FALSE(Parse(TEXT("42")).IsValid());
	EXPECT_FALSE(Parse(TEXT("{\"a\":1} x")).IsValid());
	EXPECT_FALSE(Parse(TEXT("{\"a\":1,}")).IsValid());
	EXPECT_FALSE(Parse(TEXT("{a:1}")).IsValid());
	EXPECT_FALSE(Parse(TEXT("{\"a\":01}")).IsValid());
	EXPECT_TRUE(Parse(TEXT(" \r\n{\"a\":1}\r\n ")).IsValid());

	TArray<TSharedPtr<FJsonValue>> Array;
	EXPECT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(TEXT("[1,{\"b\":2}]")), Array));
	EXPECT_EQ(Array.Num(), 2);
}

TEST(JsonRead, SurvivesHostileText)
{
	// Truncations of a valid document: each either parses or fails with a message.
	const FString Valid(TEXT("{\"ORVCamera\":[{\"Setup\":[0,1,1],\"Location\":[1.5,-2,3e2],\"Metadata\":[\"a\",\"b\\u0041\"]}]}"));
	for (int32 Length = 0; Length < Valid.Len(); ++Length)
	{
		FString Error;
		EXPECT_FALSE(Parse(Valid.Left(Length), &Error).IsValid()) << Length;
		EXPECT_FALSE(Error.IsEmpty()) << Length;
	}

	// Nesting far deeper than any document needs is refused, not recursed into.
	FString Deep(TEXT("{\"a\":"));
	for (int32 Index = 0; Index < 100000; ++Index)
	{
		Deep.AppendChar('[');
	}
	FString Error;
	EXPECT_FALSE(Parse(Deep, &Error).IsValid());
	EXPECT_FALSE(Error.IsEmpty());

	// Random characters, including NUL, lone surrogates and everything up to 0xFFFF.
	std::mt19937 Random(1234);
	for (int32 Round = 0; Round < 2000; ++Round)
	{
		FString Noise(TEXT("{\""));
		const int32 Length = static_cast<int32>(Random() % 64);
		for (int32 Index = 0; Index < Length; ++Index)
		{
			Noise.AppendChar(static_cast<TCHAR>(Round % 2 ? Random() % 0x80 : Random() % 0x10000));
		}
		Parse(Noise);
	}

	// Numbers beyond any range.
	const TSharedPtr<FJsonObject> Huge = Parse(TEXT("{\"a\":123456789012345678901234567890,\"b\":-1e300}"));
	ASSERT_TRUE(Huge.IsValid());
	int32 Int = 0;
	EXPECT_FALSE(Huge->TryGetNumberField(TEXT("a"), Int));
	EXPECT_FALSE(Huge->TryGetNumberField(TEXT("b"), Int));
}
