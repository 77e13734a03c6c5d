// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "Policies/CondensedJsonPrintPolicy.h"
#include "Serialization/JsonSerializer.h"
#include "Serialization/JsonWriter.h"

#include <gtest/gtest.h>

namespace
{
	std::string Pretty(const TSharedRef<FJsonObject>& Object)
	{
		FString Text;
		EXPECT_TRUE(FJsonSerializer::Serialize(Object, TJsonWriterFactory<>::Create(&Text)));
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	TSharedPtr<FJsonObject> ZeroXform()
	{
		TSharedPtr<FJsonObject> Location = MakeShared<FJsonObject>();
		Location->SetNumberField(TEXT("x"), 0);
		Location->SetNumberField(TEXT("y"), 0);
		TSharedPtr<FJsonObject> Xform = MakeShared<FJsonObject>();
		Xform->SetStringField(TEXT("parentId"), TEXT(""));
		Xform->SetObjectField(TEXT("location"), Location);
		return Xform;
	}
}

TEST(JsonWrite, PrettyPrintsLikeTheEngine)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> Config = MakeShared<FJsonObject>();
	Config->SetStringField(TEXT("description"), TEXT("Generated"));
	Config->SetStringField(TEXT("version"), TEXT("5.00"));
	Config->SetBoolField(TEXT("bExitOnEsc"), true);
	Config->SetNumberField(TEXT("interpupillaryDistance"), 6.4);
	Config->SetObjectField(TEXT("xform"), ZeroXform());
	Config->SetObjectField(TEXT("postprocess"), MakeShared<FJsonObject>());
	Config->SetNumberField(TEXT("port"), 41001);
	Root->SetObjectField(TEXT("nDisplay"), Config);

	EXPECT_EQ(Pretty(Root),
		"{\r\n"
		"\t\"nDisplay\":\r\n"
		"\t{\r\n"
		"\t\t\"description\": \"Generated\",\r\n"
		"\t\t\"version\": \"5.00\",\r\n"
		"\t\t\"bExitOnEsc\": true,\r\n"
		"\t\t\"interpupillaryDistance\": 6.4000000000000004,\r\n"
		"\t\t\"xform\":\r\n"
		"\t\t{\r\n"
		"\t\t\t\"parentId\": \"\",\r\n"
		"\t\t\t\"location\":\r\n"
		"\t\t\t{\r\n"
		"\t\t\t\t\"x\": 0,\r\n"
		"\t\t\t\t\"y\": 0\r\n"
		"\t\t\t}\r\n"
		"\t\t},\r\n"
		"\t\t\"postprocess\":\r\n"
		"\t\t{\r\n"
		"\t\t},\r\n"
		"\t\t\"port\": 41001\r\n"
		"\t}\r\n"
		"}");
}

TEST(JsonWrite, PrintsNumbersWithSeventeenSignificantDigits)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetNumberField(TEXT("a"), -1);
	Root->SetNumberField(TEXT("b"), 1.125);
	Root->SetNumberField(TEXT("c"), 1920);
	Root->SetNumberField(TEXT("d"), 0.1f);
	Root->SetNumberField(TEXT("e"), 1e21);
	EXPECT_EQ(Pretty(Root), "{\r\n\t\"a\": -1,\r\n\t\"b\": 1.125,\r\n\t\"c\": 1920,\r\n\t\"d\": 0.10000000149011612,\r\n\t\"e\": 1e+21\r\n}");
}

TEST(JsonWrite, ReplacesAMemberSetAgainInAnyCaseWhereItStands)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetNumberField(TEXT("Front"), 1);
	Root->SetNumberField(TEXT("Back"), 2);
	Root->SetNumberField(TEXT("FRONT"), 3);
	EXPECT_EQ(Pretty(Root), "{\r\n\t\"FRONT\": 3,\r\n\t\"Back\": 2\r\n}");
}

TEST(JsonWrite, LaysOutArraysAndEscapesStrings)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetArrayField(TEXT("numbers"), TArray<TSharedPtr<FJsonValue>>{MakeShared<FJsonValueNumber>(1), MakeShared<FJsonValueNumber>(2.5)});
	Root->SetArrayField(TEXT("empty"), TArray<TSharedPtr<FJsonValue>>());
	Root->SetArrayField(TEXT("strings"), TArray<TSharedPtr<FJsonValue>>{MakeShared<FJsonValueString>(TEXT("a")), MakeShared<FJsonValueString>(TEXT("b"))});
	Root->SetStringField(TEXT("say \"hi\""), TEXT("tab\there\\\x01"));
	EXPECT_EQ(Pretty(Root),
		"{\r\n"
		"\t\"numbers\": [ 1, 2.5 ],\r\n"
		"\t\"empty\": [],\r\n"
		"\t\"strings\": [\r\n"
		"\t\t\"a\",\r\n"
		"\t\t\"b\"\r\n"
		"\t],\r\n"
		"\t\"say \\\"hi\\\"\": \"tab\\there\\\\\\u0001\"\r\n"
		"}");
}

TEST(JsonWrite, CondensedPolicyWritesOneLineThatReadsBack)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	Root->SetObjectField(TEXT("pose"), ZeroXform());
	Root->SetNumberField(TEXT("v"), 0.1 + 0.2);
	FString Text;
	ASSERT_TRUE(FJsonSerializer::Serialize(Root, TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Text)));
	EXPECT_EQ(std::string(TCHAR_TO_UTF8(*Text)), "{\"pose\":{\"parentId\":\"\",\"location\":{\"x\":0,\"y\":0}},\"v\":0.30000000000000004}");
	TSharedPtr<FJsonObject> Back;
	ASSERT_TRUE(FJsonSerializer::Deserialize(TJsonReaderFactory<TCHAR>::Create(Text), Back));
	EXPECT_EQ(Back->GetNumberField(TEXT("v")), 0.1 + 0.2);
}

TEST(JsonWrite, WritesDeepTreesWithoutRecursing)
{
	TSharedRef<FJsonObject> Root = MakeShared<FJsonObject>();
	TSharedPtr<FJsonObject> Current = Root;
	for (int32 Level = 0; Level < 400; ++Level)
	{
		TSharedPtr<FJsonObject> Child = MakeShared<FJsonObject>();
		Current->SetObjectField(TEXT("n"), Child);
		Current = Child;
	}
	FString Text;
	ASSERT_TRUE(FJsonSerializer::Serialize(Root, TJsonWriterFactory<TCHAR, TCondensedJsonPrintPolicy<TCHAR>>::Create(&Text)));
	EXPECT_EQ(Text.Len(), 400 * 6 + 2);
}
