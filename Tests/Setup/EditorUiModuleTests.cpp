// Copyright Kelmora. All Rights Reserved.
#include "Framework/Application/SlateApplication.h"
#include "Framework/Commands/UICommandList.h"
#include "Interfaces/IPluginManager.h"
#include "Misc/MessageDialog.h"
#include "Misc/Paths.h"
#include "OrvaneSetupDialog.h"
#include "Orvaneui.h"
#include "OrvaneuiStyle.h"
#include "Setup/EditorSetupFixture.h"
#include "SlateTestKit.h"
#include "Styling/SlateStyleRegistry.h"
#include "ToolMenus.h"
#include "WidgetReflector.h"
#include "Widgets/Input/SButton.h"

using namespace OrvaneSetupTest;

namespace
{
	const FName PlayToolBar(TEXT("LevelEditor.LevelEditorToolBar.PlayToolBar"));

	/** The editor module started and stopped as the engine does, with the tool menus started by the test. */
	class EditorUiModule : public FEditorSetupTest
	{
	protected:
		void SetUp() override
		{
			FEditorSetupTest::SetUp();
			Module = &FModuleManager::GetModuleChecked<FORV_uiModule>(TEXT("Orvaneui"));
			// Each test starts before the editor's UI: the module up, the menus not yet started.
			Module->ShutdownModule();
			UToolMenus::HostReset();
			Module->StartupModule();
		}

		void TearDown() override
		{
			SOrvaneSetupDialog::CloseExistingDialog();
			UToolMenus::HostStartUp();
			FEditorSetupTest::TearDown();
		}

		/** The entries named "OrvaneWidget" in the play toolbar's "PluginTools" section. */
		static TArray<FToolMenuEntry*> Buttons()
		{
			TArray<FToolMenuEntry*> Found;
			UToolMenu* Menu = UToolMenus::Get()->FindMenu(PlayToolBar);
			FToolMenuSection* Section = Menu ? Menu->FindSection(TEXT("PluginTools")) : nullptr;
			if (Section)
			{
				for (FToolMenuEntry& Entry : Section->Blocks)
				{
					if (Entry.Name == TEXT("OrvaneWidget"))
					{
						Found.Add(&Entry);
					}
				}
			}
			return Found;
		}

		static TSharedPtr<SWindow> DialogWindow()
		{
			for (const TSharedRef<SWindow>& Window : FSlateApplication::Get().GetInteractiveTopLevelWindows())
			{
				if (Window->GetTitle().ToString() == TEXT("Orvane Setup"))
				{
					return Window;
				}
			}
			return nullptr;
		}

		static int32 DialogWindowCount()
		{
			int32 Count = 0;
			for (const TSharedRef<SWindow>& Window : FSlateApplication::Get().GetInteractiveTopLevelWindows())
			{
				Count += Window->GetTitle().ToString() == TEXT("Orvane Setup") ? 1 : 0;
			}
			return Count;
		}

		FORV_uiModule* Module = nullptr;
	};
}

TEST_F(EditorUiModule, ButtonAppearsOnceTheMenusStartAfterTheModule)
{
	EXPECT_EQ(Buttons().Num(), 0);
	UToolMenus::HostStartUp();
	ASSERT_EQ(Buttons().Num(), 1);
	const FToolMenuEntry& Entry = *Buttons()[0];
	EXPECT_EQ(Entry.Type, EMultiBlockType::Widget);
	EXPECT_FALSE(Entry.bNoIndent);
	EXPECT_TRUE(Entry.bSearchable);
	EXPECT_FALSE(Entry.bNoPadding);

	// The button: the simple style, padding 6 by 2, the large icon drawn at 24 and the label in the toolbar font.
	const nlohmann::ordered_json Tree = FWidgetReflector::ToJson(Entry.Widget.ToSharedRef());
	ASSERT_EQ(Tree["type"], "SHorizontalBox");
	const nlohmann::ordered_json& Button = Tree["children"][0];
	EXPECT_EQ(Button["type"], "SButton");
	EXPECT_EQ(Button["style"], "SimpleButton");
	EXPECT_EQ(Button["padding"], nlohmann::ordered_json::array({6, 2, 6, 2}));
	EXPECT_EQ(Button["tooltip"], "Orvane Cinema Camera Setup");
	const nlohmann::ordered_json& Content = Button["children"][0];
	EXPECT_EQ(Content["children"][0]["width"], 24);
	EXPECT_EQ(Content["children"][0]["children"][0]["brush"], "Orvane.PluginAction.Large");
	EXPECT_EQ(Content["children"][1]["text"], "Orvane");
	EXPECT_EQ(Content["children"][1]["font"], "ToolBar.Label.Font");
	EXPECT_EQ(Content["children"][1]["slotPadding"], nlohmann::ordered_json::array({4, 0, 0, 0}));

	// Menus that started already run a late registration at once.
	Module->ShutdownModule();
	EXPECT_EQ(Buttons().Num(), 0);
	Module->StartupModule();
	EXPECT_EQ(Buttons().Num(), 1);
}

TEST_F(EditorUiModule, RestartLeavesOneButtonAndOneStyleSet)
{
	Module->ShutdownModule();
	// Shut down before the menus started: the pending registration is gone with the module.
	UToolMenus::HostStartUp();
	EXPECT_EQ(Buttons().Num(), 0);
	EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("OrvaneuiStyle")), nullptr);

	for (int32 Round = 0; Round < 2; ++Round)
	{
		Module->StartupModule();
		EXPECT_EQ(Buttons().Num(), 1);
		const ISlateStyle* Style = FSlateStyleRegistry::FindSlateStyle(TEXT("OrvaneuiStyle"));
		ASSERT_NE(Style, nullptr);
		EXPECT_EQ(Style, &FOrvaneuiStyle::Get());
		Module->ShutdownModule();
		EXPECT_EQ(Buttons().Num(), 0);
		EXPECT_EQ(FSlateStyleRegistry::FindSlateStyle(TEXT("OrvaneuiStyle")), nullptr);
	}
	Module->StartupModule();
}

TEST_F(EditorUiModule, StyleHoldsTheIconInThreeSizesFromThePluginsResources)
{
	const ISlateStyle& Style = FOrvaneuiStyle::Get();
	EXPECT_EQ(Style.GetStyleSetName(), FName(TEXT("OrvaneuiStyle")));
	const FString Icon = IPluginManager::Get().FindPlugin(TEXT("Orvane"))->GetBaseDir() / TEXT("Resources/icon.svg");
	EXPECT_TRUE(FPaths::FileExists(Icon)) << TCHAR_TO_UTF8(*Icon);
	const struct
	{
		const TCHAR* Name;
		double Size;
	} Brushes[] = {{TEXT("Orvane.PluginAction"), 24.0}, {TEXT("Orvane.PluginAction.Small"), 16.0}, {TEXT("Orvane.PluginAction.Large"), 32.0}};
	for (const auto& Expected : Brushes)
	{
		const FSlateBrush* Brush = Style.GetOptionalBrush(Expected.Name);
		ASSERT_NE(Brush, nullptr) << TCHAR_TO_UTF8(Expected.Name);
		EXPECT_EQ(Brush->GetImageSize(), FVector2D(Expected.Size, Expected.Size));
		EXPECT_EQ(Brush->GetResourceName().ToString(), Icon);
	}
	EXPECT_GT(FSlateApplication::Get().GetRenderer()->HostGetReloadCount(), 0);

	// The command: its texts, icon and the action that opens the dialog.
	const FUICommandInfo& Command = *FOrvaneuiCommands::Get().PluginAction;
	EXPECT_EQ(Command.GetLabel().ToString(), TEXT("Orvaneui"));
	EXPECT_EQ(Command.GetDescription().ToString(), TEXT("Create Orvane CineCamera"));
	EXPECT_EQ(FTextInspector::GetKey(Command.GetDescription()), TEXT("PluginAction_ToolTip"));
	EXPECT_EQ(Command.GetIcon().GetStyleSetName(), FName(TEXT("OrvaneuiStyle")));
	EXPECT_EQ(Command.GetIcon().GetStyleName(), FName(TEXT("Orvane.PluginAction")));
	EXPECT_EQ(FOrvaneuiCommands::Get().GetContextDesc().ToString(), TEXT("Orvane Plugin"));
	ASSERT_TRUE(Module->GetPluginCommands()->ExecuteAction(FOrvaneuiCommands::Get().PluginAction.ToSharedRef()));
	EXPECT_EQ(DialogWindowCount(), 1);
}

TEST_F(EditorUiModule, ClickingTheButtonAgainRaisesTheOpenDialog)
{
	UToolMenus::HostStartUp();
	ASSERT_EQ(Buttons().Num(), 1);
	const TSharedRef<SWidget> Widget = Buttons()[0]->Widget.ToSharedRef();
	const TSharedPtr<SButton> Button = FSlateTestKit::FindWidget<SButton>(Widget);
	ASSERT_TRUE(Button.IsValid());

	EXPECT_TRUE(FSlateTestKit::Click(*Button).IsEventHandled());
	const TSharedPtr<SWindow> Window = DialogWindow();
	ASSERT_TRUE(Window.IsValid());
	EXPECT_TRUE(FSlateTestKit::Click(*Button).IsEventHandled());
	EXPECT_EQ(DialogWindowCount(), 1);
	EXPECT_EQ(DialogWindow(), Window);
	EXPECT_EQ(Window->HostGetFlashCount(), 1);
}

TEST_F(EditorUiModule, ShutDownClosesTheDialogWithoutCallingBackIntoTheModule)
{
	SOrvaneSetupDialog::ShowDialog();
	const TSharedPtr<SWindow> Window = DialogWindow();
	ASSERT_TRUE(Window.IsValid());
	Module->ShutdownModule();
	EXPECT_EQ(DialogWindowCount(), 0);
	Module->StartupModule();

	// A new dialog opens after the restart: the old one is not taken for open.
	SOrvaneSetupDialog::ShowDialog();
	EXPECT_EQ(DialogWindowCount(), 1);
	EXPECT_NE(DialogWindow(), Window);
}

TEST_F(EditorUiModule, ToolsMenuRebuildsThePluginContentOnlyAfterAYes)
{
	UToolMenus::HostStartUp();
	UToolMenu* Tools = UToolMenus::Get()->FindMenu(TEXT("LevelEditor.MainMenu.Tools"));
	ASSERT_NE(Tools, nullptr);
	UToolMenu* Orvane = UToolMenus::Get()->HostOpenSubMenu(Tools, TEXT("OrvaneTools"));
	ASSERT_NE(Orvane, nullptr);
	FToolMenuSection* Section = Orvane->FindSection(TEXT("OrvaneContent"));
	ASSERT_NE(Section, nullptr);
	FToolMenuEntry* Rebuild = Section->FindEntry(TEXT("RebuildPluginContent"));
	ASSERT_NE(Rebuild, nullptr);
	EXPECT_EQ(Rebuild->Label.Get().ToString(), TEXT("Rebuild Plug-in Content"));

	// Closing the question replaces nothing; a yes replaces all five assets.
	UE::Core::Host::ResetMessageDialogs();
	Log.Clear();
	EXPECT_TRUE(Rebuild->Action.Execute());
	EXPECT_EQ(UE::Core::Host::GetShownMessageDialogs().Num(), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 0);
	UE::Core::Host::QueueMessageDialogAnswer(EAppReturnType::Yes);
	EXPECT_TRUE(Rebuild->Action.Execute());
	EXPECT_EQ(Log.CountContaining(TEXT("OrvaneContent: Created")), 5);

	// The entry goes with the module.
	Module->ShutdownModule();
	FToolMenuSection* After = Tools->FindSection(TEXT("Orvane"));
	EXPECT_TRUE(After == nullptr || After->FindEntry(TEXT("OrvaneTools")) == nullptr);
	Module->StartupModule();
}
