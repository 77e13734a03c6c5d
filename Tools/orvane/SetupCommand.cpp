// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"
#include "EditorSummary.h"

#include "CoreMinimal.h"
#include "Editor.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Notifications/NotificationManager.h"
#include "GameMapsSettings.h"
#include "LogCapture.h"
#include "Misc/Paths.h"
#include "OrvaneLiveLinkHelper.h"
#include "OrvaneSetupDialog.h"
#include "SlateTestKit.h"
#include "ToolArguments.h"
#include "ToolMenus.h"
#include "WidgetReflector.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SEditableTextBox.h"

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace
{
	const FName PlayToolBar(TEXT("LevelEditor.LevelEditorToolBar.PlayToolBar"));
	const FName PluginSection(TEXT("PluginTools"));
	const FName ButtonEntry(TEXT("OrvaneWidget"));

	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	/** The open setup dialog's window, or null. */
	TSharedPtr<SWindow> FindDialogWindow()
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

	/** The toolbar button's entry once the tool menus have started, or null. */
	FToolMenuEntry* FindToolbarEntry()
	{
		UToolMenu* Menu = UToolMenus::Get()->FindMenu(PlayToolBar);
		FToolMenuSection* Section = Menu ? Menu->FindSection(PluginSection) : nullptr;
		return Section ? Section->FindEntry(ButtonEntry) : nullptr;
	}

	const char* CompletionText(SNotificationItem::ECompletionState State)
	{
		switch (State)
		{
		case SNotificationItem::CS_Success:
			return "success";
		case SNotificationItem::CS_Fail:
			return "failure";
		case SNotificationItem::CS_Pending:
			return "pending";
		default:
			return "none";
		}
	}

	/** Fills the dialog's fields as the arguments say and presses the mode's button; false when a widget is missing. */
	bool DriveDialog(const TSharedRef<SWindow>& Window, const FSetupCommandArguments& Arguments)
	{
		const TArray<TSharedRef<SEditableTextBox>> Fields = FSlateTestKit::FindAllWidgets<SEditableTextBox>(Window);
		// In panel order: "Render Alpha:", "Add nDisplay to Level", "Add ICVFX Camera".
		const TArray<TSharedRef<SCheckBox>> CheckBoxes = FSlateTestKit::FindAllWidgets<SCheckBox>(Window);
		if (Fields.Num() != 2 || CheckBoxes.Num() != 3)
		{
			return false;
		}
		if (Arguments.Endpoint && !FSlateTestKit::TypeAndCommit(*Fields[0], FText::FromString(Arguments.Endpoint.GetValue())))
		{
			return false;
		}
		if (Arguments.PresetName && !FSlateTestKit::TypeAndCommit(*Fields[1], FText::FromString(Arguments.PresetName.GetValue())))
		{
			return false;
		}
		if (Arguments.bRenderAlpha && !CheckBoxes[0]->IsChecked() && !FSlateTestKit::ToggleCheckBox(*CheckBoxes[0]))
		{
			return false;
		}
		if (Arguments.bAddNDisplay)
		{
			// Set in code: a greyed-out box cannot be ticked by the user, and the dialog then reports the missing cluster.
			CheckBoxes[1]->SetIsChecked(ECheckBoxState::Checked);
		}
		const TSharedPtr<SButton> Button = FSlateTestKit::FindButtonByText(Window, Arguments.Mode == "full" ? TEXT("Full Setup") : TEXT("Camera Only"));
		return Button.IsValid() && FSlateTestKit::Click(*Button).IsEventHandled();
	}

	int Setup(const FSetupCommandArguments& Arguments)
	{
		StartHeadlessEditor();

		// Every log line reaches standard error as it is written; the capture finds the errors among them.
		FLogCapture Log(false);
		SOrvaneSetupDialog::ShowDialog();
		const TSharedPtr<SWindow> Window = FindDialogWindow();
		if (!Window.IsValid() || !DriveDialog(Window.ToSharedRef(), Arguments))
		{
			std::fprintf(stderr, "orvane setup %s: the setup dialog could not be driven\n", Arguments.Mode.c_str());
			return 1;
		}
		RunEditorFor(2.0f);

		std::printf("Orvane setup: %s\n", Arguments.Mode.c_str());
		PrintEditorSummary(Arguments.ProjectDir);
		std::printf("Default game mode: %s\n", GetDefault<UGameMapsSettings>() ? Utf8(UGameMapsSettings::GetGlobalDefaultGameMode()).c_str() : "");
		std::printf("Notifications:\n");
		int32 Failures = 0;
		for (const TSharedRef<SNotificationItem>& Item : FSlateNotificationManager::Get().HostGetNotifications())
		{
			std::printf("  %s: %s\n", CompletionText(Item->GetCompletionState()), Utf8(Item->HostGetText().ToString()).c_str());
			if (Item->GetCompletionState() == SNotificationItem::CS_Fail)
			{
				std::fprintf(stderr, "orvane setup %s: %s\n", Arguments.Mode.c_str(), Utf8(Item->HostGetText().ToString()).c_str());
				++Failures;
			}
		}
		std::printf("On-screen messages:\n");
		for (const FHostOnScreenMessage& Message : GEditor->HostOnScreenMessages)
		{
			std::printf("  %s\n", Utf8(Message.Message).c_str());
		}

		for (const FCapturedLogLine& Line : Log.Lines())
		{
			if (Line.Verbosity == ELogVerbosity::Error || Line.Verbosity == ELogVerbosity::Fatal)
			{
				std::fprintf(stderr, "orvane setup %s: %s\n", Arguments.Mode.c_str(), Utf8(Line.Message).c_str());
				++Failures;
				break;
			}
		}

		// The source the setup made listens on the camera port; close it before the process ends.
		UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
		return Failures > 0 ? 1 : 0;
	}

	int Ui()
	{
		StartHeadlessEditor();
		// The editor's UI comes up after the plug-in's modules have started, and the tool menus with it.
		UToolMenus::HostStartUp();

		FToolMenuEntry* Entry = FindToolbarEntry();
		if (!Entry || !Entry->Widget.IsValid())
		{
			std::fprintf(stderr, "orvane ui: no toolbar button in %s / %s\n", Utf8(PlayToolBar.ToString()).c_str(), Utf8(PluginSection.ToString()).c_str());
			return 1;
		}
		const TSharedRef<SWidget> ToolbarWidget = Entry->Widget.ToSharedRef();
		nlohmann::ordered_json Document;
		Document["toolbar"] = {{"menu", Utf8(PlayToolBar.ToString())}, {"section", Utf8(PluginSection.ToString())}, {"name", Utf8(Entry->Name.ToString())}, {"widget", FWidgetReflector::ToJson(ToolbarWidget)}};

		const TSharedPtr<SButton> Button = FSlateTestKit::FindWidget<SButton>(ToolbarWidget);
		if (!Button.IsValid() || !FSlateTestKit::Click(*Button).IsEventHandled())
		{
			std::fprintf(stderr, "orvane ui: the toolbar button could not be clicked\n");
			return 1;
		}
		const TSharedPtr<SWindow> Window = FindDialogWindow();
		if (!Window.IsValid())
		{
			std::fprintf(stderr, "orvane ui: the toolbar button opened no setup dialog\n");
			return 1;
		}
		Document["dialog"] = {{"title", Utf8(Window->GetTitle().ToString())}, {"widget", FWidgetReflector::ToJson(Window.ToSharedRef())}};
		std::printf("%s\n", Document.dump().c_str());
		SOrvaneSetupDialog::CloseExistingDialog();
		return 0;
	}

	/** Adds --project to Command; the project folder is made full and the host pointed at it when the command runs. */
	void AddProjectOption(CLI::App& Command, std::string& ProjectDir)
	{
		Command.add_option("--project", ProjectDir, "the headless project the editor opens and saves into")
			->type_name("DIR")
			->default_str("OrvaneProject in the working directory")
			->transform(OrvaneOptions::NotEmpty("a project folder"));
	}

	FString UseProject(const std::string& ProjectDir)
	{
		const FString FullPath = FPaths::ConvertRelativePathToFull(FString(UTF8_TO_TCHAR(ProjectDir.empty() ? "OrvaneProject" : ProjectDir.c_str())));
		setenv("ORVANE_PROJECT_DIR", TCHAR_TO_UTF8(*FullPath), 1);
		return FullPath;
	}

	struct FSetupText
	{
		std::string ProjectDir;
		std::string Endpoint;
		std::string PresetName;
		bool bRenderAlpha = false;
		bool bAddNDisplay = false;
	};

	void AddSetupMode(CLI::App& SetupCommand, FToolCommand& OutCommand, const char* Mode, const char* Description)
	{
		const auto Text = std::make_shared<FSetupText>();
		CLI::App* Command = SetupCommand.add_subcommand(Mode, Description);
		CLI::Option* Endpoint = nullptr;
		CLI::Option* Preset = nullptr;
		if (std::string(Mode) == "full")
		{
			Endpoint = Command->add_option("--endpoint", Text->Endpoint, "typed into the dialog's endpoint field")->type_name("ADDR:PORT")->default_str("the field's default");
			Preset = Command->add_option("--preset", Text->PresetName, "typed into the dialog's preset name field")->type_name("NAME")->default_str("the field's default");
			Command->add_flag("--alpha", Text->bRenderAlpha, "tick \"Render Alpha:\"");
		}
		else
		{
			Command->add_flag("--ndisplay", Text->bAddNDisplay, "tick \"Add nDisplay to Level\", even when the dialog greyed it out");
		}
		AddProjectOption(*Command, Text->ProjectDir);
		Command->callback([Text, Endpoint, Preset, Mode, &OutCommand]()
			{
				FSetupCommandArguments Arguments;
				Arguments.Mode = Mode;
				if (Endpoint && Endpoint->count() > 0)
				{
					Arguments.Endpoint = FString(UTF8_TO_TCHAR(Text->Endpoint.c_str()));
				}
				if (Preset && Preset->count() > 0)
				{
					Arguments.PresetName = FString(UTF8_TO_TCHAR(Text->PresetName.c_str()));
				}
				Arguments.bRenderAlpha = Text->bRenderAlpha;
				Arguments.bAddNDisplay = Text->bAddNDisplay;
				OutCommand = [Text, Arguments]() mutable
				{
					Arguments.ProjectDir = UseProject(Text->ProjectDir);
					return Setup(Arguments);
				}; });
	}
}

void AddSetupCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	CLI::App* Command = Tool.add_subcommand("setup", "open the setup dialog in the headless editor of the project, fill its fields, press its button and run the editor until the delayed steps have fired; log lines on standard error, then a summary");
	Command->require_subcommand(1);
	AddSetupMode(*Command, OutCommand, "full", "press \"Full Setup\": camera, Live Link source and preset, startup preset, game mode");
	AddSetupMode(*Command, OutCommand, "camera", "press \"Camera Only\": the virtual-production camera, and with --ndisplay the project's nDisplay cluster");
}

void AddUiCommand(CLI::App& Tool, FToolCommand& OutCommand)
{
	const auto ProjectDir = std::make_shared<std::string>();
	CLI::App* Command = Tool.add_subcommand("ui", "start the editor module and the tool menus, open the setup dialog through the toolbar button and print both widget trees as one JSON document");
	AddProjectOption(*Command, *ProjectDir);
	Command->callback([ProjectDir, &OutCommand]()
		{ OutCommand = [ProjectDir]()
		  {
			  UseProject(*ProjectDir);
			  return Ui();
		  }; });
}
