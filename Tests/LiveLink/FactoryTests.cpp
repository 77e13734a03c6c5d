// Copyright Kelmora. All Rights Reserved.
#include "CoreMinimal.h"
#include "ISettingsCategory.h"
#include "ISettingsContainer.h"
#include "ISettingsEditorModule.h"
#include "ISettingsModule.h"
#include "ISettingsSection.h"
#include "Internationalization/Text.h"
#include "OrvaneLiveLinkRuntimeSettings.h"
#include "OrvaneLiveLinkSource.h"
#include "OrvaneLiveLinkSourceFactory.h"
#include "SlateTestKit.h"
#include "SourceTestSupport.h"
#include "UObject/UnrealType.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SEditableTextBox.h"

#include <gtest/gtest.h>

namespace
{
	using namespace OrvaneTest;

	class SourceFactory : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			Factory = GetMutableDefault<UOrvaneLiveLinkSourceFactory>();
			Settings = GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>();
			SavedAddress = Settings->NetworkServerAddressByDefault;
			SavedPort = Settings->NetworkPortIdByDefault;
		}

		void TearDown() override
		{
			Settings->NetworkServerAddressByDefault = SavedAddress;
			Settings->NetworkPortIdByDefault = SavedPort;
		}

		/** Builds the creation panel and records what its Ok button creates. */
		TSharedRef<SWidget> BuildPanel()
		{
			TSharedPtr<SWidget> Panel = Factory->BuildCreationPanel(ULiveLinkSourceFactory::FOnLiveLinkSourceCreated::CreateLambda(
				[this](TSharedPtr<ILiveLinkSource> Source, FString ConnectionString)
				{
					CreatedSources.Add(Source);
					CreatedConnections.Add(ConnectionString);
				}));
			check(Panel.IsValid());
			return Panel.ToSharedRef();
		}

		static FString BoxText(const TSharedRef<SWidget>& Panel)
		{
			TSharedPtr<SEditableTextBox> Box = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
			return Box.IsValid() ? Box->GetText().ToString() : FString();
		}

		UOrvaneLiveLinkSourceFactory* Factory = nullptr;
		UOrvaneLiveLinkRuntimeSettings* Settings = nullptr;
		FString SavedAddress;
		int32 SavedPort = 0;
		TArray<TSharedPtr<ILiveLinkSource>> CreatedSources;
		TArray<FString> CreatedConnections;
	};
}

TEST_F(SourceFactory, DescribesItselfToTheLiveLinkPanel)
{
	EXPECT_EQ(Factory->GetSourceDisplayName().ToString(), FString(TEXT("Orvane LiveLink")));
	EXPECT_EQ(FTextInspector::GetNamespace(Factory->GetSourceDisplayName()), FString(TEXT("OrvaneLiveLinkSourceFactory")));
	EXPECT_EQ(FTextInspector::GetKey(Factory->GetSourceDisplayName()), FString(TEXT("SourceDisplayName")));
	EXPECT_EQ(Factory->GetSourceTooltip().ToString(), FString(TEXT("Creates a connection to Kelmora Orvane")));
	EXPECT_EQ(Factory->GetMenuType(), ULiveLinkSourceFactory::EMenuType::SubPanel);
	EXPECT_TRUE(Factory->IsEditorOnly());
}

TEST_F(SourceFactory, CreatesASourceOnlyFromAnAddressAndPort)
{
	const uint16 Port = FindFreeLoopbackPort();
	TSharedPtr<ILiveLinkSource> Source = Factory->CreateSource(FString::Printf(TEXT("127.0.0.1:%d"), Port));
	ASSERT_TRUE(Source.IsValid());
	const FOrvaneLiveLinkSource& Orvane = static_cast<const FOrvaneLiveLinkSource&>(*Source);
	EXPECT_EQ(Orvane.GetEndpoint().ToString(), FString::Printf(TEXT("127.0.0.1:%d"), Port));
	EXPECT_TRUE(Source->IsSourceStillValid());
	Source->RequestSourceShutdown();

	for (const TCHAR* Bad : {TEXT(""), TEXT("localhost:9001"), TEXT("127.0.0.1"), TEXT("1.2.3.4:70000"), TEXT("::1"), TEXT("9001")})
	{
		EXPECT_FALSE(Factory->CreateSource(Bad).IsValid()) << TCHAR_TO_UTF8(Bad);
	}
}

TEST_F(SourceFactory, ProposesTheProjectSettingsEndpoint)
{
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("0.0.0.0:9001")));
	Settings->NetworkPortIdByDefault = 9100;
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("0.0.0.0:9100")));
	Settings->NetworkServerAddressByDefault = TEXT("not an address");
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("0.0.0.0:9100")));
	Settings->NetworkServerAddressByDefault = TEXT("127.0.0.1");
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("127.0.0.1:9100")));
	TSharedRef<SWidget> Panel = BuildPanel();
	EXPECT_TRUE(FSlateTestKit::FindWidgetByText(Panel, TEXT("Network Address:Port")).IsValid());
	EXPECT_TRUE(FSlateTestKit::FindButtonByText(Panel, TEXT("Ok")).IsValid());
}

TEST_F(SourceFactory, ProposesThePortOnlyWhenItIsAPort)
{
	const FProperty* PortProperty = UOrvaneLiveLinkRuntimeSettings::StaticClass()->FindPropertyByName(TEXT("NetworkPortIdByDefault"));
	ASSERT_NE(PortProperty, nullptr);
	EXPECT_EQ(PortProperty->GetMetaData(TEXT("ClampMin")), FString(TEXT("1")));
	EXPECT_EQ(PortProperty->GetMetaData(TEXT("ClampMax")), FString(TEXT("65535")));

	// A configuration file edited by hand is not clamped: the panel proposes the default port, not a wrapped one.
	Settings->NetworkServerAddressByDefault = TEXT("127.0.0.1");
	for (const int32 Port : {0, -1, 65536, 74537, TNumericLimits<int32>::Max(), TNumericLimits<int32>::Min()})
	{
		Settings->NetworkPortIdByDefault = Port;
		EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("127.0.0.1:9001"))) << Port;
	}
	Settings->NetworkPortIdByDefault = 65535;
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("127.0.0.1:65535")));
	Settings->NetworkPortIdByDefault = 1;
	EXPECT_EQ(BoxText(BuildPanel()), FString(TEXT("127.0.0.1:1")));
}

TEST_F(SourceFactory, ResetsABadEntryAndCreatesOnlyFromAGoodOne)
{
	Settings->NetworkPortIdByDefault = 9100;
	TSharedRef<SWidget> Panel = BuildPanel();
	TSharedPtr<SEditableTextBox> Box = FSlateTestKit::FindWidget<SEditableTextBox>(Panel);
	TSharedPtr<SButton> Ok = FSlateTestKit::FindButtonByText(Panel, TEXT("Ok"));
	ASSERT_TRUE(Box.IsValid() && Ok.IsValid());

	// A bad entry falls back to the fixed default, not to the project settings.
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Box, FText::FromString(TEXT("nonsense"))));
	EXPECT_EQ(Box->GetText().ToString(), FString(TEXT("0.0.0.0:9001")));

	FSlateTestKit::EnterText(*Box, FText::FromString(TEXT("still nonsense")));
	EXPECT_TRUE(FSlateTestKit::Click(*Ok).IsEventHandled());
	EXPECT_EQ(CreatedSources.Num(), 0);

	const uint16 Port = FindFreeLoopbackPort();
	const FString Endpoint = FString::Printf(TEXT("127.0.0.1:%d"), Port);
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Box, FText::FromString(Endpoint)));
	EXPECT_TRUE(FSlateTestKit::Click(*Ok).IsEventHandled());
	ASSERT_EQ(CreatedSources.Num(), 1);
	EXPECT_EQ(CreatedConnections[0], Endpoint) << "the connection string is what CreateSource parses back";
	EXPECT_TRUE(CreatedSources[0]->IsSourceStillValid());
	CreatedSources[0]->RequestSourceShutdown();
}

TEST(OrvaneLiveLinkModule, RegistersAndUnregistersTheProjectSettings)
{
	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	ISettingsModule* SettingsModule = static_cast<ISettingsModule*>(FModuleManager::Get().LoadModule(TEXT("Settings")));
	ASSERT_NE(SettingsModule, nullptr);
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));

	ISettingsContainerPtr Project = SettingsModule->GetContainer(TEXT("Project"));
	ASSERT_TRUE(Project.IsValid());
	ISettingsCategoryPtr Plugins = Project->GetCategory(TEXT("Plugins"));
	ASSERT_TRUE(Plugins.IsValid());
	EXPECT_EQ(Plugins->GetDescription().ToString(), FString(TEXT("Configuration for the Kelmora Orvane - Live Link Plugin")));
	ISettingsSectionPtr Section = Plugins->GetSection(TEXT("Orvane"));
	ASSERT_TRUE(Section.IsValid());
	EXPECT_EQ(Section->GetDisplayName().ToString(), FString(TEXT("Orvane")));
	EXPECT_EQ(Section->GetDescription().ToString(), FString(TEXT("Default configuration for the Kelmora Orvane - Live Link Plugin")));
	EXPECT_EQ(Section->GetSettingsObject().Get(), GetMutableDefault<UOrvaneLiveLinkRuntimeSettings>());
	EXPECT_TRUE(Section->NotifyModified());

	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	EXPECT_FALSE(Plugins->GetSection(TEXT("Orvane")).IsValid());

	// Leave the process as the other tests expect it: the settings registry unloaded.
	FModuleManager::Get().UnloadModule(TEXT("Settings"));
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
}

TEST(OrvaneLiveLinkModule, ShowsItsSettingsOnOnePageOnly)
{
	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	ISettingsModule* SettingsModule = static_cast<ISettingsModule*>(FModuleManager::Get().LoadModule(TEXT("Settings")));
	ASSERT_NE(SettingsModule, nullptr);
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
	// The settings editor registers every settings class that does not opt out, as it does when a viewer opens.
	ISettingsEditorModule& SettingsEditor = FModuleManager::LoadModuleChecked<ISettingsEditorModule>(TEXT("SettingsEditor"));
	SettingsEditor.UpdateSettings(true);

	const UObject* Defaults = GetDefault<UOrvaneLiveLinkRuntimeSettings>();
	TArray<FString> Pages;
	TArray<FName> ContainerNames;
	SettingsModule->GetContainerNames(ContainerNames);
	for (const FName& ContainerName : ContainerNames)
	{
		TArray<ISettingsCategoryPtr> Categories;
		SettingsModule->GetContainer(ContainerName)->GetCategories(Categories);
		for (const ISettingsCategoryPtr& Category : Categories)
		{
			TArray<ISettingsSectionPtr> Sections;
			Category->GetSections(Sections, true);
			for (const ISettingsSectionPtr& Section : Sections)
			{
				if (Section->GetSettingsObject().Get() == Defaults)
				{
					Pages.Add(ContainerName.ToString() + TEXT("/") + Category->GetName().ToString() + TEXT("/") + Section->GetName().ToString());
				}
			}
		}
	}
	EXPECT_EQ(Pages, (TArray<FString>{FString(TEXT("Project/Plugins/Orvane"))}));

	// Leave the process as the other tests expect it: the settings registry unloaded.
	FModuleManager::Get().UnloadModule(TEXT("SettingsEditor"));
	FModuleManager::Get().UnloadModule(TEXT("OrvaneLiveLink"));
	FModuleManager::Get().UnloadModule(TEXT("Settings"));
	FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
}
