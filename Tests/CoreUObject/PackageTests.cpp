// Copyright Kelmora. All Rights Reserved.
#include "PackageFixture.h"

#include "HAL/FileManager.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/SoftObjectPtr.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cmath>
#include <fstream>
#include <initializer_list>
#include <random>
#include <string>
#include <utility>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(FTCHARToUTF8(*Text).Get());
	}

	FSavePackageArgs MakeSaveArgs()
	{
		FSavePackageArgs Args;
		Args.TopLevelFlags = RF_Public | RF_Standalone;
		Args.SaveFlags = SAVE_NoError;
		Args.bForceByteSwapping = true;
		Args.bWarnOfLongFilename = false;
		Args.Error = GError;
		return Args;
	}

	/** Makes /Game/Tests/<Name> holding an asset <Name>, as an editor tool does before saving. */
	UPackageTestAsset* MakeAsset(const FString& Name)
	{
		UPackage* Package = CreatePackage(*(FString(TEXT("/Game/Tests/")) + Name));
		UPackageTestAsset* Asset = NewObject<UPackageTestAsset>(GetTransientPackage());
		EXPECT_TRUE(Asset->Rename(*Name, Package));
		Asset->SetFlags(RF_Public | RF_Standalone);
		return Asset;
	}

	bool Save(UPackageTestAsset* Asset)
	{
		UPackage* Package = Asset->GetPackage();
		const FString Filename = FPackageName::LongPackageNameToFilename(Package->GetName(), FPackageName::GetAssetPackageExtension());
		return UPackage::SavePackage(Package, Asset, *Filename, MakeSaveArgs());
	}

	/** Takes assets' packages and everything in them out of memory, as removing an asset in the editor does. */
	void Unload(std::initializer_list<UObject*> Assets)
	{
		for (UObject* Asset : Assets)
		{
			UPackage* Package = Asset->GetPackage();
			Asset->ClearFlags(RF_Public | RF_Standalone);
			Asset->ConditionalBeginDestroy();
			Package->ConditionalBeginDestroy();
		}
		CollectGarbage(RF_NoFlags);
	}

	void WriteFile(const FString& Filename, const std::string& Bytes)
	{
		IFileManager::Get().MakeDirectory(*FPaths::GetPath(Filename), true);
		std::ofstream Stream(Utf8(Filename), std::ios::binary);
		Stream << Bytes;
	}
}

TEST(PackageNames, MapGamePackagesIntoTheProjectContentFolder)
{
	FScopedHeadlessProject Project;
	EXPECT_EQ(FPaths::ProjectContentDir(), Project.GetContentDir());
	EXPECT_EQ(FPackageName::LongPackageNameToFilename(TEXT("/Game/Orvane/Preset"), FPackageName::GetAssetPackageExtension()), Project.GetContentDir() + TEXT("Orvane/Preset.uasset"));
	EXPECT_EQ(FPackageName::GetAssetPackageExtension(), TEXT(".uasset"));

	FString PackageName;
	EXPECT_TRUE(FPackageName::TryConvertFilenameToLongPackageName(Project.GetContentDir() + TEXT("Orvane/Preset.uasset"), PackageName));
	EXPECT_EQ(Utf8(PackageName), "/Game/Orvane/Preset");
	EXPECT_FALSE(FPackageName::TryConvertFilenameToLongPackageName(TEXT("/elsewhere/Preset.uasset"), PackageName));

	EXPECT_EQ(Utf8(FPackageName::ObjectPathToPackageName(TEXT("/Game/Orvane/A.B.A.B"))), "/Game/Orvane/A");
	EXPECT_EQ(Utf8(FPackageName::GetShortName(TEXT("/Game/Orvane/Preset"))), "Preset");
}

TEST(PackageNames, RejectHostileLongPackageNames)
{
	EXPECT_TRUE(FPackageName::IsValidLongPackageName(TEXT("/Game/Orvane/Preset")));
	EXPECT_TRUE(FPackageName::IsValidLongPackageName(FString(TEXT("/Game/Caf\u00e9"))));
	EXPECT_FALSE(FPackageName::IsValidLongPackageName(TEXT("/Script/Engine")));
	EXPECT_TRUE(FPackageName::IsValidLongPackageName(TEXT("/Script/Engine"), true));

	const TCHAR* Hostile[] = {TEXT(""), TEXT(".."), TEXT("/Game/../x"), TEXT("/Game/a\\b"), TEXT("/Game/a:b"), TEXT("/Game/"), TEXT("/Game"), TEXT("/Game//a"), TEXT("/Game/a/"), TEXT("Game/a"), TEXT("/Other/a"), TEXT("/Game/a b"), TEXT("/Game/a.b")};
	for (const TCHAR* Name : Hostile)
	{
		FText Reason;
		EXPECT_FALSE(FPackageName::IsValidLongPackageName(Name, false, &Reason)) << Utf8(Name);
		EXPECT_FALSE(Reason.IsEmpty()) << Utf8(Name);
	}
	const FString Long = FString(TEXT("/Game/")) + FString::ChrN(10000, TCHAR('a'));
	EXPECT_FALSE(FPackageName::IsValidLongPackageName(Long));
	EXPECT_FALSE(FPackageName::DoesPackageExist(Long));
	EXPECT_FALSE(FPackageName::DoesPackageExist(TEXT("/Game/../x")));
}

namespace
{
	/** Whether a call with a literal null reason picks one overload (in the engine it is ambiguous). */
	template <typename NameType>
	concept TAcceptsNullReason = requires(NameType Name)
	{
		FPackageName::IsValidLongPackageName(Name, false, nullptr);
	};
	template <typename NameType>
	concept TAcceptsNameOnly = requires(NameType Name)
	{
		FPackageName::IsValidLongPackageName(Name);
	};
}

TEST(PackageNames, ValidityHasTheEngineOverloadsAndErrorCodes)
{
	static_assert(!TAcceptsNullReason<FStringView>, "the error-code and text overloads both take a null reason");
	static_assert(TAcceptsNameOnly<FStringView> && TAcceptsNameOnly<FString> && TAcceptsNameOnly<const TCHAR*>);

	const std::pair<const TCHAR*, FPackageName::EErrorCode> Cases[] = {
		{TEXT(""), FPackageName::PackageNameEmptyPath},
		{TEXT("Game/a"), FPackageName::LongPackageNames_PathWithNoStartingSlash},
		{TEXT("/Game/a/"), FPackageName::LongPackageNames_PathWithTrailingSlash},
		{TEXT("/Game//a"), FPackageName::LongPackageNames_PathWithDoubleSlash},
		{TEXT("/Game/a b"), FPackageName::PackageNameContainsInvalidCharacters},
		{TEXT("/Other/a"), FPackageName::PackageNamePathNotMounted},
	};
	for (const auto& [Name, Expected] : Cases)
	{
		FPackageName::EErrorCode Code = FPackageName::PackageNameUnknown;
		EXPECT_FALSE(FPackageName::IsValidLongPackageName(Name, false, &Code)) << Utf8(Name);
		EXPECT_EQ(Code, Expected) << Utf8(Name);
	}
	FPackageName::EErrorCode Code = FPackageName::PackageNameUnknown;
	EXPECT_TRUE(FPackageName::IsValidLongPackageName(TEXT("/Game/Orvane/Preset"), false, &Code));
}

TEST(PackageSaving, SavedAssetLoadsBackWithEveryPropertyKind)
{
	FScopedHeadlessProject Project;
	UPackageTestAsset* Other = MakeAsset(TEXT("Other"));
	ASSERT_TRUE(Save(Other));

	UPackageTestAsset* Asset = MakeAsset(TEXT("Full"));
	Asset->bEnabled = true;
	Asset->bBitA = false;
	Asset->bBitB = true;
	Asset->Small = 200;
	Asset->Count = -42;
	Asset->Mask = 0xfffffff0u;
	Asset->Big = -9000000000000LL;
	Asset->Ratio = NAN;
	Asset->Precise = 0.1;
	Asset->Title = TEXT("Caf\u00e9 \"quoted\" \U0001F600");
	Asset->Tag = FName(TEXT("Alpha"));
	Asset->Caption = FText::CreateLocalized(TEXT("Hello"), TEXT("Space"), TEXT("Key"));
	Asset->Mood = EPackageTestMood::Busy;
	Asset->Point.X = 7;
	Asset->Point.Label = TEXT("seven");
	Asset->Point.Samples = {1.5, -2.25};
	Asset->Point.Anchor = Other;
	Asset->Names = {TEXT("a"), TEXT("b")};
	Asset->Points.Add(Asset->Point);
	Asset->Scores.Add(TEXT("x"), 1);
	Asset->Scores.Add(TEXT("y"), 2);
	Asset->PointsById.Add(3, Asset->Point);
	Asset->SoftRef = TSoftObjectPtr<UObject>(FSoftObjectPath(TEXT("/Game/Tests/Missing.Missing")));
	Asset->PickedClass = UPackageTestPart::StaticClass();
	Asset->Part = NewObject<UPackageTestPart>(Asset, FName(TEXT("Inner")));
	Asset->Part->Note = TEXT("inner note");
	Asset->Part->Next = Asset;
	Asset->Parts = {Asset->Part, nullptr};
	Asset->External = Other;
	Asset->Fixed[0] = 1;
	Asset->Fixed[2] = 3;
	Asset->Scratch = 99;
	Asset->MarkPackageDirty();
	ASSERT_TRUE(Save(Asset));
	EXPECT_FALSE(Asset->GetPackage()->IsDirty());

	FString Filename;
	ASSERT_TRUE(FPackageName::DoesPackageExist(TEXT("/Game/Tests/Full"), &Filename));
	EXPECT_EQ(Filename, Project.GetContentDir() + TEXT("Tests/Full.uasset"));

	Unload({Asset, Other});
	ASSERT_EQ(FindObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/Full.Full")), nullptr);

	UPackageTestAsset* Loaded = LoadObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/Full.Full"));
	ASSERT_NE(Loaded, nullptr);
	EXPECT_TRUE(Loaded->HasAllFlags(RF_Public | RF_Standalone | RF_WasLoaded));
	EXPECT_TRUE(Loaded->bEnabled);
	EXPECT_FALSE(Loaded->bBitA);
	EXPECT_TRUE(Loaded->bBitB);
	EXPECT_EQ(Loaded->Small, 200);
	EXPECT_EQ(Loaded->Count, -42);
	EXPECT_EQ(Loaded->Mask, 0xfffffff0u);
	EXPECT_EQ(Loaded->Big, -9000000000000LL);
	EXPECT_TRUE(std::isnan(Loaded->Ratio));
	EXPECT_EQ(Loaded->Precise, 0.1);
	EXPECT_EQ(Utf8(Loaded->Title), Utf8(FString(TEXT("Caf\u00e9 \"quoted\" \U0001F600"))));
	EXPECT_EQ(Loaded->Tag, FName(TEXT("Alpha")));
	EXPECT_EQ(Utf8(Loaded->Caption.ToString()), "Hello");
	EXPECT_EQ(Utf8(FTextInspector::GetNamespace(Loaded->Caption)), "Space");
	EXPECT_EQ(Utf8(FTextInspector::GetKey(Loaded->Caption)), "Key");
	EXPECT_EQ(Loaded->Mood, EPackageTestMood::Busy);
	EXPECT_EQ(Loaded->Point.X, 7);
	EXPECT_EQ(Utf8(Loaded->Point.Label), "seven");
	ASSERT_EQ(Loaded->Point.Samples.Num(), 2);
	EXPECT_EQ(Loaded->Point.Samples[1], -2.25);
	ASSERT_EQ(Loaded->Names.Num(), 2);
	EXPECT_EQ(Utf8(Loaded->Names[1]), "b");
	ASSERT_EQ(Loaded->Points.Num(), 1);
	EXPECT_EQ(Loaded->Points[0].X, 7);
	EXPECT_EQ(Loaded->Scores.FindRef(TEXT("y")), 2);
	ASSERT_NE(Loaded->PointsById.Find(3), nullptr);
	EXPECT_EQ(Utf8(Loaded->PointsById.Find(3)->Label), "seven");
	EXPECT_EQ(Utf8(Loaded->SoftRef.ToString()), "/Game/Tests/Missing.Missing");
	EXPECT_EQ(Loaded->PickedClass.Get(), UPackageTestPart::StaticClass());
	ASSERT_NE(Loaded->Part, nullptr);
	EXPECT_EQ(Loaded->Part->GetOuter(), Loaded);
	EXPECT_EQ(Utf8(Loaded->Part->Note), "inner note");
	EXPECT_EQ(Loaded->Part->Next, Loaded);
	ASSERT_EQ(Loaded->Parts.Num(), 2);
	EXPECT_EQ(Loaded->Parts[0], Loaded->Part);
	EXPECT_EQ(Loaded->Parts[1], nullptr);
	// The referenced asset is loaded from its own file.
	ASSERT_NE(Loaded->External, nullptr);
	EXPECT_EQ(Utf8(Loaded->External->GetPathName()), "/Game/Tests/Other.Other");
	EXPECT_EQ(Loaded->Point.Anchor, Loaded->External);
	EXPECT_EQ(Loaded->Fixed[2], 3);
	EXPECT_EQ(Loaded->Scratch, 0);

	Unload({Loaded, Loaded->External});
}

TEST(PackageSaving, SavedFileIsReadableJson)
{
	FScopedHeadlessProject Project;
	UPackageTestAsset* Asset = MakeAsset(TEXT("Readable"));
	Asset->Count = 5;
	ASSERT_TRUE(Save(Asset));
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *(Project.GetContentDir() + TEXT("Tests/Readable.uasset"))));
	const nlohmann::json Document = nlohmann::json::parse(Utf8(Text));
	EXPECT_EQ(Document["Package"], "/Game/Tests/Readable");
	EXPECT_EQ(Document["Objects"][0]["Class"], Utf8(UPackageTestAsset::StaticClass()->GetPathName()));
	EXPECT_EQ(Document["Objects"][0]["Properties"]["Count"], 5);
	EXPECT_FALSE(Document["Objects"][0]["Properties"].contains("Scratch"));
	Unload({Asset});
}

TEST(PackageSaving, DeletedPackageNoLongerExists)
{
	FScopedHeadlessProject Project;
	UPackageTestAsset* Asset = MakeAsset(TEXT("Doomed"));
	ASSERT_TRUE(Save(Asset));
	FString Filename;
	ASSERT_TRUE(FPackageName::DoesPackageExist(TEXT("/Game/Tests/Doomed"), &Filename));
	EXPECT_TRUE(IFileManager::Get().Delete(*Filename, false, true, false));
	EXPECT_FALSE(FPackageName::DoesPackageExist(TEXT("/Game/Tests/Doomed")));
	Unload({Asset});
	FLogCapture Log;
	EXPECT_EQ(LoadObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/Doomed.Doomed")), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("Failed to find object")), 1);
}

TEST(PackageSaving, RefusesAnAssetOutsideThePackageAndReportsToTheErrorOutput)
{
	FScopedHeadlessProject Project;
	UPackage* Package = CreatePackage(TEXT("/Game/Tests/Mismatch"));
	UPackageTestAsset* Stray = NewObject<UPackageTestAsset>();
	FLogCapture Log;
	FSavePackageArgs Args = MakeSaveArgs();
	Args.SaveFlags = SAVE_None;
	EXPECT_FALSE(UPackage::SavePackage(Package, Stray, *(Project.GetContentDir() + TEXT("Tests/Mismatch.uasset")), Args));
	EXPECT_GE(Log.CountContaining(TEXT("is not in /Game/Tests/Mismatch")), 2);
	EXPECT_FALSE(FPackageName::DoesPackageExist(TEXT("/Game/Tests/Mismatch")));
}

TEST(ObjectRenaming, MovesAnObjectIntoAPackage)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Tests/RenameTarget"));
	UPackageTestAsset* Asset = NewObject<UPackageTestAsset>();
	const TWeakObjectPtr<UPackageTestAsset> Weak(Asset);
	ASSERT_TRUE(Asset->Rename(TEXT("Renamed"), Package));
	EXPECT_EQ(Asset->GetOuter(), Package);
	EXPECT_EQ(Asset->GetPackage(), Package);
	EXPECT_TRUE(Package->IsDirty());
	EXPECT_EQ(FindObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/RenameTarget.Renamed")), Asset);
	EXPECT_EQ(Weak.Get(), Asset);

	UPackageTestAsset* Second = NewObject<UPackageTestAsset>();
	FLogCapture Log;
	// Asking first is how a caller keeps away from a taken name: a real rename onto it ends the process.
	EXPECT_FALSE(Second->Rename(TEXT("Renamed"), Package, REN_Test));
	EXPECT_FALSE(Second->Rename(TEXT("renamed"), Package, REN_Test)) << "names compare without regard to case";
	EXPECT_TRUE(Second->Rename(TEXT("Free"), Package, REN_Test));
	EXPECT_EQ(Second->GetOuter(), GetTransientPackage()) << "a test rename moves nothing";
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(Second->Rename(TEXT("Renamed"), Package), "Renaming an object .* on top of an existing object .*RenameTarget.Renamed.* is not allowed");
	EXPECT_FALSE(Second->Rename(TEXT("Bad.Name"), Package));
	EXPECT_FALSE(Package->Rename(nullptr, Asset));
	UPackageTestPart* Inner = NewObject<UPackageTestPart>(Asset);
	EXPECT_FALSE(Asset->Rename(nullptr, Inner));
	EXPECT_EQ(Asset->GetOuter(), Package);
	Asset->ClearFlags(RF_Standalone);
}

TEST(Packages, CreatePackageEndsTheProcessOnADoubleSlash)
{
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(CreatePackage(TEXT("/Game/Orvane/Meshes//Wall")), "Attempted to create a package with name containing double slashes. PackageName: /Game/Orvane/Meshes//Wall");
	EXPECT_DEATH(CreatePackage(TEXT("//Game/Wall")), "double slashes");
	EXPECT_NE(CreatePackage(TEXT("/Game/Orvane/Meshes/Wall")), nullptr);
}

TEST(HostileAssetFiles, FailCleanlyWithALogLine)
{
	FScopedHeadlessProject Project;
	const FString Filename = Project.GetContentDir() + TEXT("Tests/Hostile.uasset");
	std::mt19937 Random(1234);
	std::string RandomBytes(4096, '\0');
	for (char& Byte : RandomBytes)
	{
		Byte = char(Random());
	}
	const std::string ValidPrefix = "{\"Format\":\"HeadlessHostAsset\",\"Version\":1,\"Package\":\"/Game/Tests/Hostile\",\"Objects\":[";
	const std::string Cases[] = {
		"",
		RandomBytes,
		ValidPrefix + "{\"Name\":\"Hostile\",\"Class\":\"/Script/HostAssetTests.PackageTestAsset\",\"Properties\":{\"Count\":",
		ValidPrefix + "{\"Name\":\"Hostile\",\"Class\":\"/Script/Nowhere.Nothing\"}]}",
		ValidPrefix + "{\"Name\":\"Hostile\",\"Class\":\"/Script/CoreUObject.Class\"}]}",
		ValidPrefix + "{\"Name\":\"Hostile\",\"Class\":\"/Script/HostAssetTests.PackageTestAsset\",\"Properties\":{\"Count\":\"many\"}}]}",
		ValidPrefix + "{\"Name\":\"Hostile\",\"Class\":\"/Script/HostAssetTests.PackageTestAsset\",\"Properties\":{\"Part\":{\"Object\":{\"Name\":\"P\",\"Class\":\"/Script/HostAssetTests.PackageTestAsset\"}}}}]}",
		ValidPrefix + "{\"Name\":\"A.B\",\"Class\":\"/Script/HostAssetTests.PackageTestAsset\"}]}",
		ValidPrefix + std::string(100000, '[') + std::string(100000, ']') + "]}",
		"{\"Format\":\"Other\",\"Version\":1,\"Objects\":[]}",
	};
	for (const std::string& Bytes : Cases)
	{
		WriteFile(Filename, Bytes);
		FLogCapture Log;
		EXPECT_EQ(LoadObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/Hostile.Hostile")), nullptr) << Bytes.substr(0, 200);
		EXPECT_GE(Log.CountContaining(TEXT("LoadPackage:")), 1) << Bytes.substr(0, 200);
		// Nothing of a failed load stays behind.
		EXPECT_EQ(FindObject<UPackage>(nullptr, TEXT("/Game/Tests/Hostile")), nullptr);
	}

	// Larger than any asset the host writes: refused before it is read.
	{
		std::ofstream Stream(Utf8(Filename), std::ios::binary | std::ios::trunc);
		Stream.seekp(std::streamoff(80) * 1024 * 1024);
		Stream.put('x');
	}
	FLogCapture Log;
	EXPECT_EQ(LoadObject<UPackageTestAsset>(nullptr, TEXT("/Game/Tests/Hostile.Hostile")), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("too large")), 1);
}

TEST(SoftReferences, LoadAnAssetThatIsOnlyOnDisk)
{
	FScopedHeadlessProject Project;
	UPackageTestAsset* Asset = MakeAsset(TEXT("OnDisk"));
	ASSERT_TRUE(Save(Asset));
	const TWeakObjectPtr<UPackageTestAsset> Weak(Asset);
	Unload({Asset});
	ASSERT_FALSE(Weak.IsValid());

	const TSoftObjectPtr<UPackageTestAsset> Soft(FSoftObjectPath(TEXT("/Game/Tests/OnDisk.OnDisk")));
	EXPECT_EQ(Soft.Get(), nullptr) << "Get only looks in memory";
	UPackageTestAsset* Loaded = Soft.LoadSynchronous();
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Loaded->GetPathName(), TEXT("/Game/Tests/OnDisk.OnDisk"));
	// A bare package name stands for the asset in it, also once the package is in memory.
	EXPECT_EQ(LoadObject<UObject>(nullptr, TEXT("/Game/Tests/OnDisk")), Loaded);
	EXPECT_EQ(LoadObject<UPackage>(nullptr, TEXT("/Game/Tests/OnDisk")), Loaded->GetPackage());
	EXPECT_EQ(FSoftClassPath(TEXT("/Game/Tests/OnDisk.OnDisk")).TryLoadClass<UObject>(), nullptr) << "an asset is not a class";
	EXPECT_EQ(FSoftClassPath(UPackageTestAsset::StaticClass()).TryLoadClass<UObject>(), UPackageTestAsset::StaticClass());

	FLogCapture Log;
	EXPECT_EQ(TSoftObjectPtr<UPackageTestAsset>(FSoftObjectPath(TEXT("/Game/Tests/Nowhere.Nowhere"))).LoadSynchronous(), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("Failed to find object")), 0) << "a soft reference that does not load is quiet";
}

TEST(WeakReferences, ForgetAnObjectMarkedAsGarbage)
{
	UPackageTestAsset* Asset = NewObject<UPackageTestAsset>();
	const TWeakObjectPtr<UPackageTestAsset> Weak(Asset);
	ASSERT_EQ(Weak.Get(), Asset);
	Asset->MarkAsGarbage();
	EXPECT_EQ(Weak.Get(), nullptr);
	EXPECT_FALSE(Weak.IsValid());
	CollectGarbage(RF_NoFlags);
	EXPECT_TRUE(Weak.IsStale());
}
