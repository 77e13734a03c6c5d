// Copyright Kelmora. All Rights Reserved.
// The host pieces the editor module stands on: the asset registry's folder query, the tool menus, command
// sets, check boxes, modal windows and style sets.
#include "AssetRegistry/AssetRegistryModule.h"
#include "Engine/StaticMesh.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Commands/Commands.h"
#include "Framework/Commands/UICommandList.h"
#include "HeadlessProject.h"
#include "Misc/FileHelper.h"
#include "SlateTestKit.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateStyle.h"
#include "Styling/SlateStyleRegistry.h"
#include "ToolMenus.h"
#include "UObject/Package.h"
#include "WidgetReflector.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Text/STextBlock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	void WriteBytes(const FString& Path, const std::string& Bytes)
	{
		std::filesystem::create_directories(std::filesystem::path(Utf8(Path)).parent_path());
		std::ofstream(Utf8(Path), std::ios::binary) << Bytes;
	}

	std::string AssetDocument(const std::string& Name, const std::string& Class)
	{
		return "{\"Format\":\"HeadlessHostAsset\",\"Version\":1,\"Objects\":[{\"Name\":\"" + Name + "\",\"Class\":\"" + Class + "\",\"Flags\":0,\"Properties\":{}}]}";
	}

	TArray<FString> Listed(FName Path, bool bRecursive = false)
	{
		TArray<FAssetData> Assets;
		EXPECT_TRUE(FAssetRegistryModule::GetRegistry().GetAssetsByPath(Path, Assets, bRecursive));
		TArray<FString> Result;
		for (const FAssetData& Asset : Assets)
		{
			Result.Add(Asset.GetObjectPathString() + TEXT(" ") + Asset.AssetClassPath.ToString());
		}
		Result.Sort();
		return Result;
	}
}

TEST(AssetRegistryFolders, ListsAssetsInMemoryAndOnDiskWithTheirClasses)
{
	FScopedHeadlessProject Project;
	UPackage* Package = CreatePackage(TEXT("/Game/Listed/InMemory"));
	NewObject<UStaticMesh>(Package, TEXT("InMemory"), RF_Public | RF_Standalone);
	WriteBytes(Project.GetContentDir() + TEXT("Listed/Saved.uasset"), AssetDocument("Saved", "/Script/DisplayCluster.DisplayClusterBlueprint"));
	WriteBytes(Project.GetContentDir() + TEXT("Listed/Deeper/Nested.uasset"), AssetDocument("Nested", "/Script/Engine.StaticMesh"));
	WriteBytes(Project.GetContentDir() + TEXT("Listed/Notes.txt"), "not an asset");

	const TArray<FString> Flat = Listed(TEXT("/Game/Listed"));
	ASSERT_EQ(Flat.Num(), 2);
	EXPECT_EQ(Flat[0], TEXT("/Game/Listed/InMemory.InMemory /Script/Engine.StaticMesh"));
	EXPECT_EQ(Flat[1], TEXT("/Game/Listed/Saved.Saved /Script/DisplayCluster.DisplayClusterBlueprint"));
	EXPECT_EQ(Listed(TEXT("/Game/Listed/")), Flat);
	EXPECT_EQ(Listed(TEXT("/Game/Listed"), true).Num(), 3);
	EXPECT_EQ(Listed(TEXT("/Game/Missing")).Num(), 0);
	// The whole content folder, without what other tests left in memory: the two saved files.
	TArray<FAssetData> OnDisk;
	ASSERT_TRUE(FAssetRegistryModule::GetRegistry().GetAssetsByPath(TEXT("/Game"), OnDisk, true, true));
	EXPECT_EQ(OnDisk.Num(), 2);

	TArray<FAssetData> Assets;
	for (const TCHAR* Bad : {TEXT(""), TEXT("Game/Listed"), TEXT("/Game/../Listed"), TEXT("/Game//Listed"), TEXT("/Game/a:b")})
	{
		EXPECT_FALSE(FAssetRegistryModule::GetRegistry().GetAssetsByPath(FName(Bad), Assets)) << Utf8(Bad);
	}
	EXPECT_EQ(Assets.Num(), 0);

	Package->ClearFlags(RF_Public | RF_Standalone);
	Package->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST(AssetRegistryFolders, SkipsFilesThatAreNotReadableAssets)
{
	FScopedHeadlessProject Project;
	const FString Folder = Project.GetContentDir() + TEXT("Hostile/");
	WriteBytes(Folder + TEXT("Good.uasset"), AssetDocument("Good", "/Script/Engine.StaticMesh"));
	WriteBytes(Folder + TEXT("Truncated.uasset"), AssetDocument("Truncated", "/Script/Engine.StaticMesh").substr(0, 40));
	WriteBytes(Folder + TEXT("Empty.uasset"), "");
	WriteBytes(Folder + TEXT("NotObject.uasset"), "[1,2,3]");
	WriteBytes(Folder + TEXT("ObjectsNotArray.uasset"), "{\"Objects\":{\"Name\":\"A\"}}");
	WriteBytes(Folder + TEXT("NoObjects.uasset"), "{\"Objects\":[]}");
	WriteBytes(Folder + TEXT("FirstNotObject.uasset"), "{\"Objects\":[\"A\"]}");
	WriteBytes(Folder + TEXT("ClassNumber.uasset"), "{\"Objects\":[{\"Name\":\"A\",\"Class\":5}]}");
	WriteBytes(Folder + TEXT("NoName.uasset"), "{\"Objects\":[{\"Class\":\"/Script/Engine.StaticMesh\"}]}");
	WriteBytes(Folder + TEXT("ClassNoDot.uasset"), AssetDocument("A", "StaticMesh"));
	WriteBytes(Folder + TEXT("Deep.uasset"), std::string(100000, '[') + std::string(100000, ']'));
	std::mt19937 Random(12);
	std::string Noise(4096, '\0');
	for (char& Byte : Noise)
	{
		Byte = static_cast<char>(Random());
	}
	WriteBytes(Folder + TEXT("Noise.uasset"), Noise);
	std::filesystem::create_directories(Utf8(Folder + TEXT("Folder.uasset")));
	// Larger than any asset file may be: skipped without being read.
	WriteBytes(Folder + TEXT("Huge.uasset"), AssetDocument("Huge", "/Script/Engine.StaticMesh"));
	std::filesystem::resize_file(Utf8(Folder + TEXT("Huge.uasset")), 65ull * 1024 * 1024);

	const TArray<FString> Found = Listed(TEXT("/Game/Hostile"));
	ASSERT_EQ(Found.Num(), 1);
	EXPECT_EQ(Found[0], TEXT("/Game/Hostile/Good.Good /Script/Engine.StaticMesh"));
}

TEST(ToolMenusHost, StartupCallbacksRunOnceAndCanBeWithdrawn)
{
	UToolMenus::HostReset();
	int32 Early = 0;
	int32 Withdrawn = 0;
	int32 ByHandle = 0;
	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Early]()
		{ ++Early; }));
	struct FOwner
	{
		void Run() { ++*Count; }
		int32* Count;
	} Owner{&Withdrawn};
	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(&Owner, &FOwner::Run));
	const FDelegateHandle Handle = UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&ByHandle]()
		{ ++ByHandle; }));
	UToolMenus::UnRegisterStartupCallback(&Owner);
	UToolMenus::UnRegisterStartupCallback(Handle);
	EXPECT_FALSE(UToolMenus::IsToolMenuUIEnabled());

	UToolMenus::HostStartUp();
	UToolMenus::HostStartUp();
	EXPECT_EQ(Early, 1);
	EXPECT_EQ(Withdrawn, 0);
	EXPECT_EQ(ByHandle, 0);

	int32 Late = 0;
	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateLambda([&Late]()
		{ ++Late; }));
	EXPECT_EQ(Late, 1);
}

TEST(ToolMenusHost, MainMenuSubMenuEntriesRunTheirActionAndLeaveWithTheirOwner)
{
	UToolMenus::HostReset();
	UToolMenus::HostStartUp();
	int32 Runs = 0;
	static int OwnerTag = 0;
	{
		FToolMenuOwnerScoped Scope(&OwnerTag);
		FToolMenuSection& Section = UToolMenus::Get()->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"))->FindOrAddSection(TEXT("Orvane"));
		Section.AddSubMenu(TEXT("OrvaneTools"), FText::FromString(TEXT("Orvane")), FText::GetEmpty(), FNewToolMenuDelegate::CreateLambda([&Runs](UToolMenu* SubMenu)
																										  { SubMenu->FindOrAddSection(TEXT("Content")).AddMenuEntry(TEXT("Rebuild"), FText::FromString(TEXT("Rebuild Plug-in Content")), FText::GetEmpty(), FSlateIcon(), FUIAction(FExecuteAction::CreateLambda([&Runs]()
																																																																			  { ++Runs; }))); }));
	}
	// Added outside the scope: someone else's entry.
	UToolMenus::Get()->ExtendMenu(TEXT("LevelEditor.MainMenu.Tools"))->FindOrAddSection(TEXT("Orvane")).AddMenuEntry(TEXT("Other"), FText::FromString(TEXT("Other")), FText::GetEmpty(), FSlateIcon(), FUIAction());

	UToolMenu* Tools = UToolMenus::Get()->FindMenu(TEXT("LevelEditor.MainMenu.Tools"));
	UToolMenu* SubMenu = UToolMenus::Get()->HostOpenSubMenu(Tools, TEXT("OrvaneTools"));
	ASSERT_NE(SubMenu, nullptr);
	FToolMenuEntry* Rebuild = SubMenu->FindSection(TEXT("Content"))->FindEntry(TEXT("Rebuild"));
	ASSERT_NE(Rebuild, nullptr);
	EXPECT_TRUE(Rebuild->Action.Execute());
	EXPECT_EQ(Runs, 1);
	EXPECT_EQ(UToolMenus::Get()->HostOpenSubMenu(Tools, TEXT("Other")), nullptr);

	UToolMenus::UnregisterOwner(&OwnerTag);
	FToolMenuSection* Section = Tools->FindSection(TEXT("Orvane"));
	ASSERT_NE(Section, nullptr);
	EXPECT_EQ(Section->FindEntry(TEXT("OrvaneTools")), nullptr);
	EXPECT_NE(Section->FindEntry(TEXT("Other")), nullptr);
	UToolMenus::HostReset();
	UToolMenus::HostStartUp();
}

namespace
{
	class FTestCommands : public TCommands<FTestCommands>
	{
	public:
		FTestCommands()
			: TCommands<FTestCommands>(TEXT("HostTest"), FText::FromString(TEXT("Host Test")), NAME_None, TEXT("HostTestStyle"))
		{
		}
#define LOCTEXT_NAMESPACE "HostTestCommands"
		void RegisterCommands() override
		{
			UI_COMMAND(Act, "Act", "Does the thing", EUserInterfaceActionType::Button, FInputChord());
		}
#undef LOCTEXT_NAMESPACE
		TSharedPtr<FUICommandInfo> Act;
	};
}

TEST(SlateCommandsHost, CommandSetLivesFromRegisterToUnregister)
{
	FTestCommands::Register();
	const TSharedPtr<FUICommandInfo> Act = FTestCommands::Get().Act;
	FTestCommands::Register();
	EXPECT_EQ(FTestCommands::Get().Act, Act) << "a second Register keeps the set";
	EXPECT_EQ(Act->GetIcon().GetStyleName(), FName(TEXT("HostTest.Act")));
	EXPECT_EQ(FTextInspector::GetNamespace(Act->GetLabel()), TEXT("HostTestCommands"));

	TSharedRef<FUICommandList> List = MakeShared<FUICommandList>();
	int32 Runs = 0;
	bool bAllowed = false;
	List->MapAction(Act, FExecuteAction::CreateLambda([&Runs]()
							 { ++Runs; }),
		FCanExecuteAction::CreateLambda([&bAllowed]()
			{ return bAllowed; }));
	EXPECT_FALSE(List->ExecuteAction(Act.ToSharedRef()));
	bAllowed = true;
	EXPECT_TRUE(List->ExecuteAction(Act.ToSharedRef()));
	EXPECT_EQ(Runs, 1);

	FTestCommands::Unregister();
	EXPECT_FALSE(FTestCommands::IsRegistered());
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(FTestCommands::Get(), "used before it was registered");
	EXPECT_DEATH(List->MapAction(Act, FUIAction()), "already mapped");
}

TEST(SlateStylesHost, StyleSetsAreFoundByNameAndRegisteredOnce)
{
	FSlateStyleSet Style(TEXT("HostTestStyleSet"));
	Style.Set(TEXT("Icon"), new FSlateBrush());
	Style.Set(TEXT("Icon"), new FSlateBrush());
	EXPECT_EQ(Style.GetBrush(TEXT("Icon"))->HostStyleName, FName(TEXT("Icon")));
	EXPECT_EQ(Style.GetBrush(TEXT("Missing")), FSlateStyleSet::GetDefaultBrush());
	EXPECT_EQ(Style.GetOptionalBrush(TEXT("Missing")), nullptr);
	EXPECT_EQ(Style.GetWidgetStyle<FButtonStyle>(TEXT("Missing")).HostStyleName, NAME_None);

	FSlateStyleRegistry::RegisterSlateStyle(Style);
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("HostTestStyleSet")), &Style);
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(FSlateStyleRegistry::RegisterSlateStyle(Style), "already registered");
	FSlateStyleRegistry::UnRegisterSlateStyle(Style);
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("HostTestStyleSet")), nullptr);

	EXPECT_EQ(FAppStyle::Get().GetWidgetStyle<FButtonStyle>(TEXT("FlatButton.Primary")).HostStyleName, FName(TEXT("FlatButton.Primary")));
	EXPECT_FALSE(FAppStyle::Get().HasWidgetStyle<FButtonStyle>(TEXT("FlatButton.Primry")));
}

TEST(SlateWindowsHost, ModalWindowTakesTheInputUntilItIsDestroyedOnce)
{
	TSharedRef<SWindow> Main = SNew(SWindow).Title(FText::FromString(TEXT("Main")));
	FSlateApplication::Get().AddWindow(Main);
	TSharedRef<SWindow> Modal = SNew(SWindow).Title(FText::FromString(TEXT("Modal")))[SNew(STextBlock).Text(FText::FromString(TEXT("Body")))];
	int32 Closed = 0;
	Modal->SetOnWindowClosed(FOnWindowClosed::CreateLambda([&Closed](const TSharedRef<SWindow>&)
		{ ++Closed; }));
	FSlateApplication::Get().AddModalWindow(Modal, Main);
	EXPECT_EQ(FSlateApplication::Get().GetInteractiveTopLevelWindows(), TArray<TSharedRef<SWindow>>({Modal}));
	EXPECT_EQ(FSlateApplication::Get().GetActiveTopLevelWindow(), TSharedPtr<SWindow>(Modal));
	EXPECT_EQ(FSlateApplication::Get().FindBestParentWindowHandleForDialogs(nullptr), &Modal.Get());

	Modal->RequestDestroyWindow();
	Modal->RequestDestroyWindow();
	EXPECT_EQ(Closed, 1);
	EXPECT_FALSE(FSlateApplication::Get().GetInteractiveTopLevelWindows().Contains(Modal));
	EXPECT_TRUE(FSlateApplication::Get().GetInteractiveTopLevelWindows().Contains(Main));
	FSlateApplication::Get().RequestDestroyWindow(Main);
}

TEST(SlateWidgetsHost, CheckBoxFollowsClicksUnlessItsStateIsBound)
{
	int32 Changes = 0;
	ECheckBoxState Last = ECheckBoxState::Undetermined;
	TSharedRef<SCheckBox> Free = SNew(SCheckBox).OnCheckStateChanged_Lambda([&](ECheckBoxState State)
		{
			++Changes;
			Last = State; });
	ASSERT_TRUE(FSlateTestKit::ToggleCheckBox(*Free));
	EXPECT_TRUE(Free->IsChecked());
	EXPECT_EQ(Last, ECheckBoxState::Checked);

	ECheckBoxState Owned = ECheckBoxState::Unchecked;
	TSharedRef<SCheckBox> Bound = SNew(SCheckBox).IsChecked_Lambda([&Owned]()
		{ return Owned; });
	ASSERT_TRUE(FSlateTestKit::ToggleCheckBox(*Bound));
	EXPECT_FALSE(Bound->IsChecked()) << "the owner of a bound state decides it";

	TSharedRef<SCheckBox> Greyed = SNew(SCheckBox).IsEnabled(false);
	EXPECT_FALSE(FSlateTestKit::ToggleCheckBox(*Greyed));
	EXPECT_FALSE(Greyed->IsChecked());
	EXPECT_EQ(Changes, 1);
	EXPECT_EQ(FWidgetReflector::ToJson(Greyed)["checked"], false);
	EXPECT_EQ(FWidgetReflector::ToJson(Greyed)["enabled"], false);
}
