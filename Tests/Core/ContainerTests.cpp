// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	std::string Keys(const TMap<FString, int32>& Map)
	{
		std::string Joined;
		for (const auto& Pair : Map)
		{
			Joined += (Joined.empty() ? "" : ",") + Utf8(Pair.Key) + "=" + std::to_string(Pair.Value);
		}
		return Joined;
	}
}

TEST(MapOrder, IteratesInInsertionOrderWithKeysWithoutCase)
{
	TMap<FString, int32> Map;
	Map.Add(TEXT("Setup"), 1);
	Map.Add(TEXT("Location"), 2);
	Map.Add(TEXT("Rotation"), 3);
	EXPECT_EQ(Keys(Map), "Setup=1,Location=2,Rotation=3");
	ASSERT_NE(Map.Find(TEXT("LOCATION")), nullptr);
	EXPECT_EQ(*Map.Find(TEXT("location")), 2);
	EXPECT_TRUE(Map.Contains(TEXT("setup")));
	EXPECT_EQ(Map.FindRef(TEXT("missing")), 0);

	// Adding an existing key in another case replaces key text and value where the pair stands.
	Map.Add(TEXT("SETUP"), 10);
	EXPECT_EQ(Keys(Map), "SETUP=10,Location=2,Rotation=3");
	EXPECT_EQ(Map.Num(), 3);
}

TEST(MapOrder, ReusesTheSlotOfTheLastRemovedPair)
{
	TMap<FString, int32> Map;
	for (int32 Index = 0; Index < 5; ++Index)
	{
		Map.Add(FString::Printf(TEXT("K%d"), Index), Index);
	}
	EXPECT_EQ(Map.Remove(TEXT("k1")), 1);
	EXPECT_EQ(Map.Remove(TEXT("k3")), 1);
	EXPECT_EQ(Map.Remove(TEXT("k3")), 0);
	Map.Add(TEXT("New"), 9);
	EXPECT_EQ(Keys(Map), "K0=0,K2=2,New=9,K4=4");
	Map.Add(TEXT("Newer"), 8);
	EXPECT_EQ(Keys(Map), "K0=0,Newer=8,K2=2,New=9,K4=4");
}

TEST(MapOrder, StaysConsistentThroughGrowthAndRemoval)
{
	TMap<FString, int32> Map;
	for (int32 Index = 0; Index < 1000; ++Index)
	{
		Map.Add(FString::Printf(TEXT("Key%d"), Index), Index);
	}
	for (int32 Index = 0; Index < 1000; Index += 2)
	{
		Map.Remove(FString::Printf(TEXT("KEY%d"), Index));
	}
	ASSERT_EQ(Map.Num(), 500);
	for (int32 Index = 0; Index < 1000; ++Index)
	{
		const int32* Value = Map.Find(FString::Printf(TEXT("key%d"), Index));
		EXPECT_EQ(Value != nullptr, Index % 2 == 1) << Index;
	}
	const FString Lookup(TEXT("KEY7"));
	ASSERT_NE(Map.FindByHash(GetTypeHash(FStringView(Lookup)), FStringView(Lookup)), nullptr);
}

TEST(SharedPointers, ShareWeakenAndCast)
{
	struct FBase : TSharedFromThis<FBase>
	{
		virtual ~FBase() = default;
		int32 Value = 1;
	};
	struct FDerived : FBase
	{
		FDerived() { Value = 2; }
	};

	TSharedPtr<FBase> Shared = MakeShared<FDerived>();
	TWeakPtr<FBase> Weak = Shared;
	EXPECT_EQ(Weak.Pin()->Value, 2);
	TSharedRef<FBase> FromThis = Shared->AsShared();
	EXPECT_EQ(Shared.GetSharedReferenceCount(), 2);
	EXPECT_EQ(StaticCastSharedPtr<FDerived>(Shared)->Value, 2);
	Shared.Reset();
	EXPECT_TRUE(Weak.IsValid());
	FromThis = MakeShared<FBase>();
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_FALSE(Weak.Pin().IsValid());

	TSharedPtr<FString> Adopted(MakeShareable(new FString(TEXT("owned"))));
	EXPECT_TRUE(Adopted.IsValid());
	EXPECT_TRUE(TSharedPtr<FString>() == nullptr);
}

TEST(Names, IgnoreCaseAndKeepTheFirstSpelling)
{
	const FName First(TEXT("OrvaneCameraActor"));
	const FName Second(TEXT("ORVANECAMERAACTOR"));
	EXPECT_EQ(First, Second);
	EXPECT_EQ(Utf8(Second.ToString()), "OrvaneCameraActor");
	EXPECT_TRUE(FName().IsNone());
	EXPECT_TRUE(FName(TEXT("None")).IsNone());
	EXPECT_NE(FName(TEXT("A")), FName(TEXT("B")));
}

TEST(Guids, FormatAndParseBack)
{
	const FGuid Guid(0x01234567, 0x89ABCDEF, 0x0F1E2D3C, 0x4B5A6978);
	EXPECT_EQ(Utf8(Guid.ToString()), "0123456789ABCDEF0F1E2D3C4B5A6978");
	EXPECT_EQ(Utf8(Guid.ToString(EGuidFormats::DigitsWithHyphens)), "01234567-89AB-CDEF-0F1E-2D3C4B5A6978");
	FGuid Parsed;
	ASSERT_TRUE(FGuid::Parse(Guid.ToString(EGuidFormats::DigitsWithHyphensInBraces), Parsed));
	EXPECT_EQ(Parsed, Guid);
	EXPECT_FALSE(FGuid::Parse(TEXT("0123"), Parsed));
	EXPECT_FALSE(FGuid::Parse(TEXT("0123456789ABCDEF0F1E2D3C4B5A697Z"), Parsed));
	EXPECT_TRUE(FGuid::NewGuid().IsValid());
	EXPECT_NE(FGuid::NewGuid(), FGuid::NewGuid());
}

#define LOCTEXT_NAMESPACE "OrvaneHostTests"

TEST(Texts, CarryNamespaceAndKey)
{
	const FText Status = LOCTEXT("SourceStatus_Receiving", "Receiving");
	EXPECT_EQ(Utf8(Status.ToString()), "Receiving");
	EXPECT_EQ(Utf8(FTextInspector::GetNamespace(Status)), "OrvaneHostTests");
	EXPECT_EQ(Utf8(FTextInspector::GetKey(Status)), "SourceStatus_Receiving");
	const FText Other = NSLOCTEXT("Elsewhere", "Key", "Text");
	EXPECT_EQ(Utf8(FTextInspector::GetNamespace(Other)), "Elsewhere");
	EXPECT_TRUE(FText().IsEmpty());
	EXPECT_FALSE(FTextInspector::IsLocalized(FText::FromString(TEXT("plain"))));
}

#undef LOCTEXT_NAMESPACE

DEFINE_LOG_CATEGORY_STATIC(LogHostTest, Log, All);

TEST(Logging, ReachesCaptureWithCategoryAndVerbosity)
{
	FLogCapture Capture;
	UE_LOG(LogHostTest, Warning, TEXT("Skipped %d / %d"), 14, 2);
	UE_LOG(LogHostTest, Verbose, TEXT("below the category's level"));
	const auto Lines = Capture.Lines();
	ASSERT_EQ(Lines.size(), 1u);
	EXPECT_EQ(Utf8(Lines[0].Category), "LogHostTest");
	EXPECT_EQ(Lines[0].Verbosity, ELogVerbosity::Warning);
	EXPECT_EQ(Utf8(Lines[0].Message), "Skipped 14 / 2");
}

TEST(Logging, WritesTheEngineLineFormatToStandardError)
{
	testing::internal::CaptureStderr();
	UE_LOG(LogHostTest, Error, TEXT("Import failed"));
	UE_LOG(LogHostTest, Log, TEXT("Plain line"));
	const std::string Written = testing::internal::GetCapturedStderr();
	EXPECT_EQ(Written, "LogHostTest: Error: Import failed\nLogHostTest: Plain line\n");
}
