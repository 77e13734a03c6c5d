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

TEST(JsonRead, ReadsLiteralsInAnyLetterCaseAsTheEngineDoes)
{
	const TSharedPtr<FJsonObject> Object = Parse(TEXT("{\"a\":True,\"b\":FALSE,\"c\":NULL,\"d\":tRuE,\"e\":[Null,false,True],\"True\":\"True\"}"));
	ASSERT_TRUE(Object.IsValid());
	bool bValue = false;
	EXPECT_TRUE(Object->TryGetBoolField(TEXT("a"), bValue) && bValue);
	EXPECT_TRUE(Object->TryGetBoolField(TEXT("b"), bValue) && !bValue);
	EXPECT_EQ(Object->TryGetField(TEXT("c"))->Type, EJson::Null);
	EXPECT_TRUE(Object->TryGetBoolField(TEXT("d"), bValue) && bValue);
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	ASSERT_TRUE(Object->TryGetArrayField(TEXT("e"), Array));
	ASSERT_EQ(Array->Num(), 3);
	EXPECT_EQ((*Array)[0]->Type, EJson::Null);
	EXPECT_EQ((*Array)[2]->Type, EJson::Boolean);
	FString Text;
	EXPECT_TRUE(Object->TryGetStringField(TEXT("True"), Text) && Text.Equals(TEXT("True"), ESearchCase::CaseSensitive)) << "strings are never rewritten";
	int32 ExactNames = 0;
	for (const auto& Member : Object->Values)
	{
		ExactNames += Member.Key.Equals(TEXT("True"), ESearchCase::CaseSensitive) ? 1 : 0;
	}
	EXPECT_EQ(ExactNames, 1) << "nor are names";

	// Only the three words, whole: the engine refuses anything else.
	for (const TCHAR* Bad : {TEXT("{\"a\":Tru}"), TEXT("{\"a\":truee}"), TEXT("{\"a\":TRUE1}"), TEXT("{\"a\":nil}"), TEXT("{\"a\":Falsehood}"), TEXT("{True:1}")})
	{
		FString Error;
		EXPECT_FALSE(Parse(Bad, &Error).IsValid()) << Utf8(Bad);
		EXPECT_FALSE(Error.IsEmpty());
	}
}

TEST(JsonRead, ReadsNumbersBeyondTheDoubleRangeAsInfinity)
{
	const FString Digits400 = FString::ChrN(400, '9');
	const TSharedPtr<FJsonObject> Object = Parse(FString(TEXT("{\"a\":1e400,\"b\":-1E+999,\"c\":[2,1.5e309,-0.5,")) + Digits400 + TEXT(",-") + Digits400 + TEXT(".5,3],\"d\":1e-400,\"e\":1.7976931348623157e308}"));
	ASSERT_TRUE(Object.IsValid());
	const double Infinity = std::numeric_limits<double>::infinity();
	double Value = 0.0;
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("a"), Value));
	EXPECT_EQ(Value, Infinity);
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("b"), Value));
	EXPECT_EQ(Value, -Infinity);
	const TArray<TSharedPtr<FJsonValue>>* Array = nullptr;
	ASSERT_TRUE(Object->TryGetArrayField(TEXT("c"), Array));
	ASSERT_EQ(Array->Num(), 6);
	const double Expected[] = {2.0, Infinity, -0.5, Infinity, -Infinity, 3.0};
	for (int32 Index = 0; Index < 6; ++Index)
	{
		EXPECT_EQ((*Array)[Index]->AsNumber(), Expected[Index]) << Index;
	}
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("d"), Value));
	EXPECT_EQ(Value, 0.0) << "underflow reads as the C library reads it";
	EXPECT_TRUE(Object->TryGetNumberField(TEXT("e"), Value));
	EXPECT_EQ(Value, std::numeric_limits<double>::max());

	// Malformed numbers stay refused, however large.
	for (const FString& Bad : {FString(TEXT("{\"a\":01e999}")), FString(TEXT("{\"a\":1e}")), FString(TEXT("{\"a\":1.e999}")), FString(TEXT("{\"a\":-}")), FString(TEXT("{\"a\":1e999.5}")), FString(TEXT("{\"a\":+1e999}")), TEXT("{\"a\":0") + Digits400 + TEXT("}")})
	{
		EXPECT_FALSE(Parse(Bad).IsValid()) << Utf8(Bad);
	}
}

TEST(JsonRead, KeepsRawControlCharactersInStrings)
{
	FString Text(TEXT("{\"k\":\"a"));
	for (TCHAR Char = 1; Char < 0x20; ++Char)
	{
		Text.AppendChar(Char);
	}
	Text += TEXT("\\\"\\u0001b\",\"t\u0009ab\":1}");
	const TSharedPtr<FJsonObject> Object = Parse(Text);
	ASSERT_TRUE(Object.IsValid());
	FString Value;
	ASSERT_TRUE(Object->TryGetStringField(TEXT("k"), Value));
	ASSERT_EQ(Value.Len(), 1 + 31 + 3);
	for (int32 Index = 1; Index < 32; ++Index)
	{
		EXPECT_EQ(Value[Index], static_cast<TCHAR>(Index));
	}
	EXPECT_EQ(Value[32], '"');
	EXPECT_EQ(Value[33], 0x01) << "escapes next to raw characters still decode";
	EXPECT_TRUE(Object->HasField(TEXT("t\tab"))) << "names too";

	// A NUL inside a string is a character like the others, not the end of the text.
	FString WithNul(TEXT("{\"k\":\"x"));
	WithNul.AppendChar(0);
	WithNul += TEXT("y\"}");
	const TSharedPtr<FJsonObject> Nul = Parse(WithNul);
	ASSERT_TRUE(Nul.IsValid());
	ASSERT_TRUE(Nul->TryGetStringField(TEXT("k"), Value));
	EXPECT_EQ(Value.Len(), 3);

	// Outside strings, control characters other than blanks are still refused.
	EXPECT_FALSE(Parse(TEXT("{\"a\":\u00011}")).IsValid());
	EXPECT_FALSE(Parse(TEXT("{\"a\"\u0001:1}")).IsValid());
}

TEST(JsonRead, SurvivesHostileTextInTheEngineLeniencies)
{
	// Documents built from the pieces the lenient reading rewrites, cut and shuffled: each parses or fails cleanly.
	const TCHAR* Pieces[] = {TEXT("{"), TEXT("}"), TEXT("["), TEXT("]"), TEXT(","), TEXT(":"), TEXT("\""), TEXT("\\"), TEXT("True"), TEXT("NULL"), TEXT("fAlSe"), TEXT("1e999"), TEXT("-1E+400"), TEXT("0"), TEXT("\u0001"), TEXT("\n"), TEXT("\"k\""), TEXT("e"), TEXT("-"), TEXT("9999999999999999999999")};
	std::mt19937 Random(99);
	for (int32 Round = 0; Round < 5000; ++Round)
	{
		FString Text(TEXT("{\"a\":"));
		const int32 Count = static_cast<int32>(Random() % 24);
		for (int32 Index = 0; Index < Count; ++Index)
		{
			Text += Pieces[Random() % UE_ARRAY_COUNT(Pieces)];
		}
		FString Error;
		if (!Parse(Text, &Error).IsValid())
		{
			EXPECT_FALSE(Error.IsEmpty()) << Utf8(Text);
		}
	}

	// A camera message with every leniency at once, cut at every length.
	const FString Valid(TEXT("{\"ORVCamera\":[{\"Setup\":[0,TRUE,1],\"Location\":[1e400,-2,3],\"Metadata\":[\"a\tb\",Null]}]}"));
	ASSERT_TRUE(Parse(Valid).IsValid());
	for (int32 Length = 0; Length < Valid.Len(); ++Length)
	{
		FString Error;
		EXPECT_FALSE(Parse(Valid.Left(Length), &Error).IsValid()) << Length;
		EXPECT_FALSE(Error.IsEmpty()) << Length;
	}
}
