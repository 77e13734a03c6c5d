// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "HAL/FileManager.h"
#include "HeadlessProject.h"
#include "LiveLinkPreset.h"
#include "LiveLinkSourceSettings.h"
#include "LogCapture.h"
#include "Misc/FileHelper.h"
#include "Misc/Paths.h"
#include "OrvaneLiveLinkHelper.h"
#include "OrvaneLiveLinkSource.h"
#include "OrvaneLiveLinkSourceFactory.h"
#include "SourceTestSupport.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <gtest/gtest.h>

namespace
{
	using namespace OrvaneTest;

	class LiveLinkHelper : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			Client = &GetHeadlessClient();
			Client->RemoveAllSources();
			ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
			Port = FindFreeLoopbackPort();
			Endpoint = FString::Printf(TEXT("127.0.0.1:%d"), Port);
		}

		void TearDown() override
		{
			Client->RemoveAllSources();
			ASSERT_TRUE(TickUntilSourcesShutDown(*Client));
		}

		FString PresetFile(const FString& Name) const { return Project.GetContentDir() + TEXT("Orvane/") + Name + TEXT(".uasset"); }

		FScopedHeadlessProject Project;
		FLiveLinkClient* Client = nullptr;
		uint16 Port = 0;
		FString Endpoint;
		FLogCapture Log;
	};
}

TEST_F(LiveLinkHelper, CreatesASourceThatPresetsCanRecreate)
{
	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("Successfully created Orvane LiveLink source with endpoint: %s"), *Endpoint)), 1);
	const TArray<FGuid> Sources = Client->GetSources();
	ASSERT_EQ(Sources.Num(), 1);
	ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(Sources[0]);
	ASSERT_NE(Settings, nullptr);
	EXPECT_EQ(Settings->ConnectionString, Endpoint);
	EXPECT_EQ(Settings->Factory.Get(), UOrvaneLiveLinkSourceFactory::StaticClass());
	EXPECT_EQ(Client->GetSourceStatus(Sources[0]).ToString(), FString(TEXT("Receiving")));
}

TEST_F(LiveLinkHelper, WarnsWhenTheCreatedSourceCannotReceive)
{
	// 203.0.113.0/24 is reserved for documentation and belongs to no local interface.
	const FString Unbindable = FString::Printf(TEXT("203.0.113.7:%d"), Port);
	EXPECT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Unbindable)) << "the source is still added";
	EXPECT_EQ(Client->GetSources().Num(), 1);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("CreateOrvaneSource: the source cannot receive on %s: the port may be in use or the address may belong to no local interface"), *Unbindable)), 1);
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("Successfully created Orvane LiveLink source with endpoint: %s"), *Unbindable)), 1);

	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	EXPECT_EQ(Log.CountContaining(TEXT("cannot receive")), 1) << "no warning for a source that receives";
}

TEST_F(LiveLinkHelper, RefusesEndpointsThatAreNotAnAddressAndPort)
{
	EXPECT_FALSE(UOrvaneLiveLinkHelper::CreateOrvaneSource(TEXT("localhost:9001")));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::CreateOrvaneSource(TEXT("")));
	EXPECT_EQ(Client->GetSources().Num(), 0);
	EXPECT_EQ(Log.CountContaining(TEXT("CreateOrvaneSource: ")), 2);
}

TEST_F(LiveLinkHelper, RemovesEverySourceWhateverItsType)
{
	EXPECT_TRUE(UOrvaneLiveLinkHelper::RemoveAllOrvaneSources());
	EXPECT_EQ(Log.Count(TEXT("Successfully removed 0 LiveLink sources")), 1);

	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(FString::Printf(TEXT("127.0.0.1:%d"), FindFreeLoopbackPort())));
	EXPECT_TRUE(UOrvaneLiveLinkHelper::RemoveAllOrvaneSources());
	EXPECT_EQ(Log.Count(TEXT("Successfully removed 2 LiveLink sources")), 1);
	Client->Tick();
	EXPECT_EQ(Client->GetSources().Num(), 0);
}

TEST_F(LiveLinkHelper, FailsCleanlyWithoutALiveLinkClient)
{
	FModuleManager::Get().UnloadModule(TEXT("LiveLink"));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::RemoveAllOrvaneSources());
	EXPECT_FALSE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_no_client")));
	EXPECT_EQ(Log.Count(TEXT("LiveLink client not available")), 1);
	EXPECT_EQ(Log.Count(TEXT("CreateOrvaneSource: LiveLink client not available")), 1);
	EXPECT_FALSE(FPaths::FileExists(PresetFile(TEXT("LL_no_client"))));
	Client = &GetHeadlessClient();
}

TEST_F(LiveLinkHelper, SavesReplacesRemovesAndReappliesAPreset)
{
	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	ASSERT_TRUE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_stage")));
	const FString File = PresetFile(TEXT("LL_stage"));
	ASSERT_TRUE(FPaths::FileExists(File));
	EXPECT_EQ(Log.CountContaining(TEXT("Successfully removed existing preset")), 0) << "nothing existed the first time";

	// Saving the same name again destroys the old asset and its file first.
	ASSERT_TRUE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_stage")));
	EXPECT_EQ(Log.Count(TEXT("Successfully removed existing preset: LL_stage")), 1);
	EXPECT_TRUE(FPaths::FileExists(File));

	// Applying the saved preset recreates the source from its connection string.
	UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
	Client->Tick();
	ASSERT_EQ(Client->GetSources().Num(), 0);
	CollectGarbage(RF_NoFlags, true);
	ULiveLinkPreset* Loaded = LoadObject<ULiveLinkPreset>(nullptr, TEXT("/Game/Orvane/LL_stage.LL_stage"));
	ASSERT_NE(Loaded, nullptr);
	EXPECT_TRUE(Loaded->ApplyToClient());
	const TArray<FGuid> Sources = Client->GetSources();
	ASSERT_EQ(Sources.Num(), 1);
	ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(Sources[0]);
	ASSERT_NE(Settings, nullptr);
	EXPECT_EQ(Settings->ConnectionString, Endpoint);
	EXPECT_EQ(Client->GetSourceStatus(Sources[0]).ToString(), FString(TEXT("Receiving")));

	Log.Clear();
	EXPECT_TRUE(UOrvaneLiveLinkHelper::RemoveExistingPreset(TEXT("LL_stage")));
	EXPECT_EQ(Log.Count(TEXT("Successfully removed existing preset: LL_stage")), 1);
	EXPECT_FALSE(FPaths::FileExists(File));
	EXPECT_EQ(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Orvane/LL_stage.LL_stage")), nullptr);
}

TEST_F(LiveLinkHelper, RemovingAMissingPresetIsQuietAndTrue)
{
	EXPECT_TRUE(UOrvaneLiveLinkHelper::RemoveExistingPreset(TEXT("LL_never_saved")));
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(LiveLinkHelper, RefusesPresetNamesThatLeaveThePresetFolder)
{
	// A file beside the project that a crafted name would reach.
	const FString Outside = Project.GetProjectDir() + TEXT("Victim.uasset");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("keep me")), *Outside));

	EXPECT_FALSE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("")));
	EXPECT_EQ(Log.Count(TEXT("Invalid preset name provided")), 1);
	for (const TCHAR* Name : {TEXT("../../Victim"), TEXT("../Victim"), TEXT("Sub/Name"), TEXT("a\\b"), TEXT("A.B"), TEXT("x:y"), TEXT(".."), TEXT("bad name?")})
	{
		EXPECT_FALSE(UOrvaneLiveLinkHelper::RemoveExistingPreset(Name)) << TCHAR_TO_UTF8(Name);
		EXPECT_FALSE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(Name)) << TCHAR_TO_UTF8(Name);
	}
	EXPECT_TRUE(FPaths::FileExists(Outside));
	EXPECT_EQ(Log.CountContaining(TEXT("RemoveExistingPreset: Invalid preset name")), 8);
	EXPECT_EQ(Log.CountContaining(TEXT("SaveLiveLinkPreset: Invalid preset name")), 8);
	TArray<FString> Written;
	IFileManager::Get().FindFiles(Written, *(Project.GetContentDir() + TEXT("Orvane/*.uasset")), true, false);
	EXPECT_EQ(Written.Num(), 0);
}

TEST_F(LiveLinkHelper, RemovingAPresetKeepsEveryOtherUnreferencedAsset)
{
	// An asset nothing references yet, as a freshly made and still unsaved one in the editor.
	UPackage* OtherPackage = CreatePackage(TEXT("/Game/Orvane/Unsaved_work"));
	ULiveLinkPreset* Unsaved = NewObject<ULiveLinkPreset>(OtherPackage, FName(TEXT("Unsaved_work")), RF_Public | RF_Standalone);
	const TWeakObjectPtr<ULiveLinkPreset> WeakUnsaved(Unsaved);

	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	ASSERT_TRUE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_collected")));
	const TWeakObjectPtr<UObject> WeakPreset(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Orvane/LL_collected.LL_collected")));
	ASSERT_TRUE(WeakPreset.IsValid());

	EXPECT_TRUE(UOrvaneLiveLinkHelper::RemoveExistingPreset(TEXT("LL_collected")));
	EXPECT_EQ(Log.Count(TEXT("Successfully removed existing preset: LL_collected")), 1);
	EXPECT_FALSE(WeakPreset.IsValid()) << "the preset itself is collected";
	EXPECT_TRUE(WeakUnsaved.IsValid()) << "an unrelated standalone asset survives the collection";
	EXPECT_EQ(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Orvane/Unsaved_work.Unsaved_work")), Unsaved);

	Unsaved->ClearFlags(RF_Public | RF_Standalone);
}

TEST_F(LiveLinkHelper, SavingOverAPresetThatIsStillReferencedFailsInsteadOfRenamingOntoIt)
{
	ASSERT_TRUE(UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint));
	ASSERT_TRUE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_held")));
	UObject* Held = StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Orvane/LL_held.LL_held"));
	ASSERT_NE(Held, nullptr);
	// Something outside the helper (an open editor, a property) keeps the old preset reachable.
	Held->AddToRoot();

	EXPECT_FALSE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_held")));
	EXPECT_EQ(Log.Count(TEXT("SaveLiveLinkPreset: /Game/Orvane/LL_held.LL_held is still in use and cannot be replaced")), 1);
	EXPECT_EQ(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Orvane/LL_held.LL_held")), Held);

	// Once released, the same name saves again.
	Held->RemoveFromRoot();
	EXPECT_TRUE(UOrvaneLiveLinkHelper::SaveLiveLinkPreset(TEXT("LL_held")));
	EXPECT_TRUE(FPaths::FileExists(PresetFile(TEXT("LL_held"))));
}
