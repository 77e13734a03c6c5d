// Copyright Kelmora. All Rights Reserved.
#include "SettingsFixture.h"

#include "HeadlessProject.h"
#include "ISettingsContainer.h"
#include "ISettingsModule.h"
#include "ISettingsSection.h"
#include "Misc/ConfigCacheIni.h"
#include "Misc/FileHelper.h"
#include "Modules/ModuleManager.h"
#include "UObject/Class.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

namespace
{
	ISettingsModule& LoadSettingsModule()
	{
		FModuleManager::Get().LoadModule(FName(TEXT("Settings")));
		ISettingsModule* Module = FModuleManager::Get().GetModulePtr<ISettingsModule>(FName(TEXT("Settings")));
		EXPECT_NE(Module, nullptr);
		return *Module;
	}
}

TEST(SettingsRegistry, RecordsDescribedCategoriesAndRegisteredSections)
{
	ISettingsModule& Settings = LoadSettingsModule();
	ISettingsContainerPtr Project = Settings.GetContainer(FName(TEXT("Project")));
	ASSERT_TRUE(Project.IsValid());
	EXPECT_FALSE(Settings.GetContainer(FName(TEXT("Nowhere"))).IsValid());

	Project->DescribeCategory(FName(TEXT("Plugins")), FText::FromString(TEXT("Plugins")), FText::FromString(TEXT("Plug-in settings")));
	USettingsTestSettings* Object = GetMutableDefault<USettingsTestSettings>();
	ISettingsSectionPtr Section = Settings.RegisterSettings(FName(TEXT("Project")), FName(TEXT("Plugins")), FName(TEXT("Fixture")), FText::FromString(TEXT("Fixture")), FText::FromString(TEXT("Fixture settings")), Object);
	ASSERT_TRUE(Section.IsValid());

	ISettingsCategoryPtr Category = Project->GetCategory(FName(TEXT("Plugins")));
	ASSERT_TRUE(Category.IsValid());
	EXPECT_EQ(Category->GetDescription().ToString(), TEXT("Plug-in settings"));
	ISettingsSectionPtr Found = Category->GetSection(FName(TEXT("Fixture")));
	ASSERT_TRUE(Found.IsValid());
	EXPECT_EQ(Found->GetSettingsObject().Get(), Object);
	EXPECT_EQ(Found->GetDescription().ToString(), TEXT("Fixture settings"));

	int32 Calls = 0;
	Section->OnModified().BindLambda([&Calls]()
		{
		++Calls;
		return true; });
	EXPECT_TRUE(Found->NotifyModified());
	EXPECT_EQ(Calls, 1);

	// Registering the same section again replaces it.
	Settings.RegisterSettings(FName(TEXT("Project")), FName(TEXT("Plugins")), FName(TEXT("Fixture")), FText::FromString(TEXT("Again")), FText(), Object);
	TArray<ISettingsSectionPtr> Sections;
	EXPECT_EQ(Category->GetSections(Sections), 1);
	EXPECT_FALSE(Category->GetSection(FName(TEXT("Fixture")))->NotifyModified());

	Settings.UnregisterSettings(FName(TEXT("Project")), FName(TEXT("Plugins")), FName(TEXT("Fixture")));
	EXPECT_FALSE(Category->GetSection(FName(TEXT("Fixture"))).IsValid());
	Settings.UnregisterSettings(FName(TEXT("Nowhere")), FName(TEXT("None")), FName(TEXT("None")));
}

TEST(SettingsRegistry, SectionDoesNotKeepItsObjectAlive)
{
	ISettingsModule& Settings = LoadSettingsModule();
	USettingsTestSettings* Object = NewObject<USettingsTestSettings>();
	ISettingsSectionPtr Section = Settings.RegisterSettings(FName(TEXT("Editor")), FName(TEXT("General")), FName(TEXT("Transient")), FText(), FText(), Object);
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(Section->GetSettingsObject().IsValid());
	Settings.UnregisterSettings(FName(TEXT("Editor")), FName(TEXT("General")), FName(TEXT("Transient")));
}

TEST(DeveloperSettingsBase, NamesItsContainerCategoryAndSection)
{
	const USettingsTestSettings* Defaults = GetDefault<USettingsTestSettings>();
	EXPECT_EQ(Defaults->GetContainerName(), FName(TEXT("Project")));
	EXPECT_EQ(Defaults->GetCategoryName(), FName(TEXT("Game")));
	EXPECT_EQ(Defaults->GetSectionName(), FName(TEXT("SettingsTestSettings")));
	EXPECT_EQ(Defaults->GetSectionText().ToString(), TEXT("Fixture Settings"));
	const USettingsTestCustomSection* Custom = GetDefault<USettingsTestCustomSection>();
	EXPECT_EQ(Custom->GetCategoryName(), FName(TEXT("Plugins")));
	EXPECT_EQ(Custom->GetSectionName(), FName(TEXT("Custom")));
	EXPECT_TRUE(UDeveloperSettings::StaticClass()->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_TRUE(UBlueprintFunctionLibrary::StaticClass()->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_EQ(USettingsTestLibrary::StaticClass()->GetSuperClass(), UBlueprintFunctionLibrary::StaticClass());
}

TEST(ConfigProperties, DefaultObjectReadsTheProjectFilesAndWritesThemBack)
{
	FScopedHeadlessProject Project;
	GConfig->HostReset();
	// The saved file wins over the project default, as the engine's layered config does.
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("[/Script/HostAssetTests.SettingsTestConfigKinds]\r\nbEnabled=True\r\nCount=7\r\nLabel=Main stage\r\nAsset=/Game/Props/Chair.Chair\r\n"
														   "ClassPath=/Game/Modes/GM.GM_C\r\nMode=2\r\nNotConfig=99\r\n")),
		*(Project.GetProjectDir() + TEXT("Config/DefaultEngine.ini"))));
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("[/Script/HostAssetTests.SettingsTestConfigKinds]\r\nCount=8\r\n")), *(Project.GetProjectDir() + TEXT("Saved/Config/Engine.ini"))));

	USettingsTestConfigKinds* Settings = GetMutableDefault<USettingsTestConfigKinds>();
	EXPECT_TRUE(Settings->bEnabled);
	EXPECT_EQ(Settings->Count, 8);
	EXPECT_EQ(Settings->Label, TEXT("Main stage"));
	EXPECT_EQ(Settings->Asset.ToString(), TEXT("/Game/Props/Chair.Chair"));
	EXPECT_EQ(Settings->ClassPath.ToString(), TEXT("/Game/Modes/GM.GM_C"));
	EXPECT_EQ(Settings->Mode, ESettingsTestMode::Auto);
	EXPECT_EQ(Settings->NotConfig, 5);
	EXPECT_NE(FindFProperty<FBoolProperty>(USettingsTestConfigKinds::StaticClass(), TEXT("Set Something")), nullptr);

	// One property into the default file, leaving the others as they are there.
	Settings->Label = TEXT("Second stage");
	Settings->Count = 3;
	Settings->UpdateSinglePropertyInConfigFile(USettingsTestConfigKinds::StaticClass()->FindPropertyByName(TEXT("Label")), Settings->GetDefaultConfigFilename());
	FString Default;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Default, *Settings->GetDefaultConfigFilename()));
	EXPECT_TRUE(Default.Contains(TEXT("Label=Second stage\r\n")));
	EXPECT_TRUE(Default.Contains(TEXT("Count=7\r\n")));
	EXPECT_TRUE(Default.Contains(TEXT("NotConfig=99\r\n"))) << "a key the class does not own is kept";

	// All config properties; a non-config one is never written.
	Settings->Asset.Reset();
	ASSERT_TRUE(Settings->TryUpdateDefaultConfigFile());
	ASSERT_TRUE(FFileHelper::LoadFileToString(Default, *Settings->GetDefaultConfigFilename()));
	EXPECT_TRUE(Default.Contains(TEXT("bEnabled=True\r\nCount=3\r\nLabel=Second stage\r\nAsset=\r\nClassPath=/Game/Modes/GM.GM_C\r\nMode=2\r\nNotConfig=99\r\n")));
	Settings->SaveConfig();
	FString Saved;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Saved, *(Project.GetProjectDir() + TEXT("Saved/Config/Engine.ini"))));
	EXPECT_FALSE(Saved.Contains(TEXT("NotConfig")));
	EXPECT_FALSE(Saved.Contains(TEXT("Set Something")));
}
