// Copyright Kelmora. All Rights Reserved.
#include "Features/IModularFeatures.h"
#include "LiveLinkClient.h"
#include "LiveLinkPreset.h"
#include "LiveLinkSubjectSettings.h"
#include "LiveLinkTestFixture.h"
#include "Modules/ModuleManager.h"
#include "Roles/LiveLinkCameraRole.h"
#include "Roles/LiveLinkCameraTypes.h"
#include "Templates/Casts.h"

#include <gtest/gtest.h>

namespace
{
	const FName LiveLinkModuleName(TEXT("LiveLink"));

	/** Starts the Live Link module for one test and stops it after. */
	class LiveLinkPresets : public ::testing::Test
	{
	protected:
		void SetUp() override
		{
			ASSERT_NE(FModuleManager::Get().LoadModule(LiveLinkModuleName), nullptr);
			IModularFeatures& Features = IModularFeatures::Get();
			ASSERT_EQ(Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName), 1);
			Client = &static_cast<FLiveLinkClient&>(Features.GetModularFeature<ILiveLinkClient>(ILiveLinkClient::ModularFeatureName));
			ULiveLinkTestSourceFactory::CreatedFrom().Reset();
		}

		void TearDown() override { FModuleManager::Get().UnloadModule(LiveLinkModuleName); }

		/** A source as the helper library makes one: settings naming the factory and the connection string. */
		FGuid AddFactorySource(const FString& ConnectionString)
		{
			const FGuid Guid = Client->AddSource(MakeShared<FLiveLinkTestSource>(ConnectionString, &ULiveLinkTestSourceFactory::DestroyedCount()));
			ULiveLinkSourceSettings* Settings = Client->GetSourceSettings(Guid);
			Settings->ConnectionString = ConnectionString;
			Settings->Factory = ULiveLinkTestSourceFactory::StaticClass();
			return Guid;
		}

		FLiveLinkClient* Client = nullptr;
	};
}

TEST(LiveLinkModule, RegistersItsClientAndRemovesSourcesOnShutdown)
{
	IModularFeatures& Features = IModularFeatures::Get();
	ASSERT_NE(FModuleManager::Get().LoadModule(LiveLinkModuleName), nullptr);
	ASSERT_EQ(Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName), 1);
	ILiveLinkClient& Client = Features.GetModularFeature<ILiveLinkClient>(ILiveLinkClient::ModularFeatureName);
	std::atomic<int32> Destroyed{0};
	TSharedPtr<FLiveLinkTestSource> Source = MakeShared<FLiveLinkTestSource>(TEXT("x"), &Destroyed);
	Client.AddSource(Source);
	FLiveLinkTestSource* Raw = Source.Get();
	Source.Reset();

	FModuleManager::Get().UnloadModule(LiveLinkModuleName);
	EXPECT_EQ(Features.GetModularFeatureImplementationCount(ILiveLinkClient::ModularFeatureName), 0);
	EXPECT_EQ(Destroyed.load(), 1);
	(void)Raw;
}

TEST_F(LiveLinkPresets, BuildFromClientCopiesSourcesAndSubjects)
{
	const FGuid Guid = AddFactorySource(TEXT("127.0.0.1:9001"));
	Client->GetSourceSettings(Guid)->Mode = ELiveLinkSourceMode::Latest;
	Client->PushSubjectStaticData_AnyThread(FLiveLinkSubjectKey(Guid, TEXT("Camera")), ULiveLinkCameraRole::StaticClass(), FLiveLinkStaticDataStruct(FLiveLinkCameraStaticData::StaticStruct()));
	Client->Tick();

	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>();
	Preset->BuildFromClient();
	ASSERT_EQ(Preset->GetSourcePresets().Num(), 1);
	const FLiveLinkSourcePreset& SourcePreset = Preset->GetSourcePresets()[0];
	EXPECT_EQ(SourcePreset.Guid, Guid);
	ASSERT_NE(SourcePreset.Settings.Get(), nullptr);
	EXPECT_NE(SourcePreset.Settings.Get(), Client->GetSourceSettings(Guid)) << "the preset owns a copy";
	EXPECT_EQ(SourcePreset.Settings->GetOuter(), Preset);
	EXPECT_EQ(SourcePreset.Settings->ConnectionString, TEXT("127.0.0.1:9001"));
	EXPECT_EQ(SourcePreset.Settings->Mode, ELiveLinkSourceMode::Latest);
	EXPECT_EQ(SourcePreset.SourceType.ToString(), TEXT("Test"));

	ASSERT_EQ(Preset->GetSubjectPresets().Num(), 1);
	const FLiveLinkSubjectPreset& SubjectPreset = Preset->GetSubjectPresets()[0];
	EXPECT_EQ(SubjectPreset.Key, FLiveLinkSubjectKey(Guid, TEXT("Camera")));
	EXPECT_EQ(SubjectPreset.Role.Get(), ULiveLinkCameraRole::StaticClass());
	EXPECT_TRUE(SubjectPreset.bEnabled);
	EXPECT_NE(Cast<ULiveLinkSubjectSettings>(SubjectPreset.Settings.Get()), nullptr);
}

TEST_F(LiveLinkPresets, ApplyRecreatesTheSourceThroughItsFactory)
{
	const FGuid Guid = AddFactorySource(TEXT("0.0.0.0:9001"));
	ULiveLinkSourceSettings* Original = Client->GetSourceSettings(Guid);
	Original->Mode = ELiveLinkSourceMode::Timecode;
	Original->BufferSettings.TimecodeFrameOffset = 2.5f;
	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>();
	Preset->BuildFromClient();
	const int32 DestroyedBefore = ULiveLinkTestSourceFactory::DestroyedCount().load();

	ASSERT_TRUE(Preset->ApplyToClient());
	EXPECT_EQ(ULiveLinkTestSourceFactory::DestroyedCount().load(), DestroyedBefore + 1) << "the old source was shut down and released";
	ASSERT_EQ(ULiveLinkTestSourceFactory::CreatedFrom().Num(), 1);
	EXPECT_EQ(ULiveLinkTestSourceFactory::CreatedFrom()[0], TEXT("0.0.0.0:9001"));

	const TArray<FGuid> Sources = Client->GetSources();
	ASSERT_EQ(Sources.Num(), 1);
	EXPECT_EQ(Sources[0], Guid) << "the recreated source keeps the saved guid, so saved subject keys still match";
	EXPECT_EQ(Client->GetSourceMachineName(Guid).ToString(), TEXT("0.0.0.0:9001"));
	ULiveLinkSourceSettings* Applied = Client->GetSourceSettings(Guid);
	ASSERT_NE(Applied, nullptr);
	EXPECT_NE(Applied, Preset->GetSourcePresets()[0].Settings.Get()) << "the client owns its own copy";
	EXPECT_EQ(Applied->Mode, ELiveLinkSourceMode::Timecode);
	EXPECT_EQ(Applied->BufferSettings.TimecodeFrameOffset, 2.5f);
	EXPECT_EQ(Applied->Factory.Get(), ULiveLinkTestSourceFactory::StaticClass());
}

TEST_F(LiveLinkPresets, ApplyReportsASourceWithoutFactory)
{
	const FGuid Guid = AddFactorySource(TEXT("a"));
	Client->GetSourceSettings(Guid)->Factory = nullptr;
	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>();
	Preset->BuildFromClient();

	EXPECT_FALSE(Preset->ApplyToClient());
	EXPECT_TRUE(Client->GetSources().IsEmpty());
}

TEST_F(LiveLinkPresets, AddToClientKeepsExistingSourcesUnlessAskedToRecreate)
{
	const FGuid Guid = AddFactorySource(TEXT("b"));
	ULiveLinkPreset* Preset = NewObject<ULiveLinkPreset>();
	Preset->BuildFromClient();

	EXPECT_TRUE(Preset->AddToClient(false));
	EXPECT_TRUE(ULiveLinkTestSourceFactory::CreatedFrom().IsEmpty());
	EXPECT_EQ(Client->GetSources().Num(), 1);

	EXPECT_TRUE(Preset->AddToClient(true));
	EXPECT_EQ(ULiveLinkTestSourceFactory::CreatedFrom().Num(), 1);
	ASSERT_EQ(Client->GetSources().Num(), 1);
	EXPECT_EQ(Client->GetSources()[0], Guid);
}
