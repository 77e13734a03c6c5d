// Copyright Kelmora. All Rights Reserved.
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Components/StaticMeshComponent.h"
#include "DisplayClusterRootActor.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Notifications/NotificationManager.h"
#include "HAL/FileManager.h"
#include "HostDesktopPlatform.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "OrvaneSetupDialog.h"
#include "OrvaneStageImport.h"
#include "Setup/EditorSetupFixture.h"
#include "SlateTestKit.h"
#include "Stage/StageTestSupport.h"
#include "WidgetReflector.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/Text/STextBlock.h"

using namespace OrvaneSetupTest;
using namespace OrvaneStageTest;

/** Reaches the dialog's fields and its fallbacks. */
class FOrvaneSetupDialogTestAccess
{
public:
	static FString Endpoint(const SOrvaneSetupDialog& Dialog) { return Dialog.GetEndpointFromUI(); }
	static FString PresetName(const SOrvaneSetupDialog& Dialog) { return Dialog.GetPresetNameFromUI(); }
	static TSharedPtr<SWindow> ExistingWindow() { return SOrvaneSetupDialog::ExistingDialogWindow.Pin(); }
};

namespace
{
	namespace DesktopHost = UE::DesktopPlatform::Host;

	class SetupDialog : public FEditorSetupTest
	{
	protected:
		void SetUp() override
		{
			FEditorSetupTest::SetUp();
			ForgetProjectAssets();
			SOrvaneSetupDialog::CloseExistingDialog();
			FSlateNotificationManager::Get().HostReset();
			DesktopHost::Reset();
		}

		void TearDown() override
		{
			SOrvaneSetupDialog::CloseExistingDialog();
			DesktopHost::Reset();
			FEditorSetupTest::TearDown();
		}

		/** Opens the dialog as the toolbar button does and returns its window. */
		static TSharedRef<SWindow> Open()
		{
			SOrvaneSetupDialog::ShowDialog();
			const TSharedPtr<SWindow> Window = FOrvaneSetupDialogTestAccess::ExistingWindow();
			check(Window.IsValid());
			return Window.ToSharedRef();
		}

		static bool IsOpen(const TSharedRef<SWindow>& Window) { return FSlateApplication::Get().GetInteractiveTopLevelWindows().Contains(Window); }

		static SOrvaneSetupDialog& DialogOf(const TSharedRef<SWindow>& Window) { return *FSlateTestKit::FindWidget<SOrvaneSetupDialog>(Window); }

		static FReply ClickButton(const TSharedRef<SWindow>& Window, const TCHAR* Text)
		{
			const TSharedPtr<SButton> Button = FSlateTestKit::FindButtonByText(Window, Text);
			check(Button.IsValid());
			return FSlateTestKit::Click(*Button);
		}

		/** The check boxes in panel order: "Render Alpha:", "Add nDisplay to Level", "Add ICVFX Camera". */
		static TArray<TSharedRef<SCheckBox>> CheckBoxes(const TSharedRef<SWindow>& Window) { return FSlateTestKit::FindAllWidgets<SCheckBox>(Window); }

		static const TArray<TSharedRef<SNotificationItem>>& Notifications() { return FSlateNotificationManager::Get().HostGetNotifications(); }

		FString WriteStage(const TCHAR* Name, const std::string& Walls, const std::string& Meshes) const
		{
			return WriteFile(Project.GetProjectDir(), Name, StageDocument("<label>Studio</label><walls>" + Walls + "</walls>", Meshes));
		}

		bool AssetSaved(const TCHAR* PackageName) const { return FPaths::FileExists(FPackageName::LongPackageNameToFilename(PackageName, FPackageName::GetAssetPackageExtension())); }

		static TArray<ADisplayClusterRootActor*> RootActors() { return ActorsOf<ADisplayClusterRootActor>(); }

		static AActor* ICVFXTarget(AActor* Root)
		{
			TArray<UDisplayClusterICVFXCameraComponent*> Components;
			Root->GetComponents(Components);
			return Components.Num() == 1 ? Cast<AActor>(Components[0]->GetCameraSettingsICVFX().ExternalCameraActor.Get()) : nullptr;
		}

		const std::string MeshWall = "<wall uuid=\"a\"><label>Front</label><model>sq.obj</model><resolution x=\"1920\" y=\"1080\"/></wall>";
	};

	/** Every object of the reflected tree whose "type" is Type, depth first. */
	void Collect(const nlohmann::ordered_json& Node, const std::string& Type, std::vector<nlohmann::ordered_json>& Out)
	{
		if (Node.value("type", std::string()) == Type)
		{
			Out.push_back(Node);
		}
		for (const nlohmann::ordered_json& Child : Node["children"])
		{
			Collect(Child, Type, Out);
		}
	}
}

TEST_F(SetupDialog, OpensOneModalWindowWithThePanelsDefaults)
{
	const TSharedRef<SWindow> Window = Open();
	EXPECT_EQ(Window->GetTitle().ToString(), TEXT("Orvane Setup"));
	EXPECT_TRUE(Window->HostIsModal());

	const nlohmann::ordered_json Tree = FWidgetReflector::ToJson(Window);
	std::vector<nlohmann::ordered_json> Boxes, TextBoxes, Buttons, Borders;
	Collect(Tree, "SBox", Boxes);
	Collect(Tree, "SEditableTextBox", TextBoxes);
	Collect(Tree, "SButton", Buttons);
	Collect(Tree, "SBorder", Borders);

	// The outer panel and three recessed panels with their paddings; the content 500 wide, labels 120.
	ASSERT_EQ(Borders.size(), 4u);
	EXPECT_EQ(Borders[0]["brush"], "Brushes.Panel");
	EXPECT_EQ(Borders[0]["padding"], nlohmann::ordered_json::array({24, 24, 24, 24}));
	for (size_t Index = 1; Index < Borders.size(); ++Index)
	{
		EXPECT_EQ(Borders[Index]["brush"], "Brushes.Recessed");
		EXPECT_EQ(Borders[Index]["padding"], nlohmann::ordered_json::array({16, 16, 16, 16}));
	}
	ASSERT_GE(Boxes.size(), 4u);
	EXPECT_EQ(Boxes[0]["width"], 500);
	for (size_t Index = 1; Index < 4; ++Index)
	{
		EXPECT_EQ(Boxes[Index]["width"], 120);
	}

	ASSERT_EQ(TextBoxes.size(), 2u);
	EXPECT_EQ(TextBoxes[0]["text"], "0.0.0.0:9001");
	EXPECT_EQ(TextBoxes[0]["hint"], "IP:Port");
	EXPECT_EQ(TextBoxes[1]["text"], "Orvane_LiveLink_Preset");
	EXPECT_EQ(TextBoxes[1]["hint"], "Preset name");

	ASSERT_EQ(Buttons.size(), 3u);
	EXPECT_EQ(Buttons[0]["style"], "FlatButton.Primary");
	EXPECT_EQ(Buttons[1]["style"], "FlatButton.Success");
	EXPECT_EQ(Buttons[2]["style"], "FlatButton.Primary");

	// Render alpha off, ICVFX on; without an nDisplay blueprint the camera panel's box is off and greyed.
	const TArray<TSharedRef<SCheckBox>> Boxes3 = CheckBoxes(Window);
	ASSERT_EQ(Boxes3.Num(), 3);
	EXPECT_FALSE(Boxes3[0]->IsChecked());
	EXPECT_FALSE(Boxes3[1]->IsChecked());
	EXPECT_FALSE(Boxes3[1]->IsEnabled());
	EXPECT_TRUE(Boxes3[2]->IsChecked());
	const TSharedPtr<SWidget> Label = FSlateTestKit::FindWidgetByText(Window, TEXT("Add nDisplay to Level"));
	ASSERT_TRUE(Label.IsValid());
	EXPECT_FALSE(Label->IsEnabled());
	EXPECT_FALSE(FSlateTestKit::ToggleCheckBox(*Boxes3[1]));
}

TEST_F(SetupDialog, SecondShowRaisesTheOpenWindowInsteadOfOpeningAnother)
{
	const TSharedRef<SWindow> Window = Open();
	const int32 WindowsBefore = FSlateApplication::Get().GetInteractiveTopLevelWindows().Num();
	SOrvaneSetupDialog::ShowDialog();
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::ExistingWindow().Get(), &Window.Get());
	EXPECT_EQ(FSlateApplication::Get().GetInteractiveTopLevelWindows().Num(), WindowsBefore);
	EXPECT_EQ(Window->HostGetBringToFrontCount(), 1);
	EXPECT_EQ(Window->HostGetFlashCount(), 1);

	// Closed through its own close button, the next show opens a new window.
	Window->RequestDestroyWindow();
	EXPECT_FALSE(FOrvaneSetupDialogTestAccess::ExistingWindow().IsValid());
	const TSharedRef<SWindow> Second = Open();
	EXPECT_NE(Second, Window);
	EXPECT_EQ(Second->HostGetBringToFrontCount(), 0);
}

TEST_F(SetupDialog, BlankFieldsFallBackToTheDefaultsAndOthersAreTrimmed)
{
	const TSharedRef<SWindow> Window = Open();
	SOrvaneSetupDialog& Dialog = DialogOf(Window);
	const TArray<TSharedRef<SEditableTextBox>> Fields = FSlateTestKit::FindAllWidgets<SEditableTextBox>(Window);
	ASSERT_EQ(Fields.Num(), 2);

	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[0], FText::FromString(TEXT(" \t "))));
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[1], FText::GetEmpty()));
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::Endpoint(Dialog), TEXT("0.0.0.0:9001"));
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::PresetName(Dialog), TEXT("Orvane_LiveLink_Preset"));

	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[0], FText::FromString(TEXT("  127.0.0.1:9100\n"))));
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[1], FText::FromString(TEXT(" Stage A "))));
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::Endpoint(Dialog), TEXT("127.0.0.1:9100"));
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::PresetName(Dialog), TEXT("Stage A"));
}

TEST_F(SetupDialog, FullSetupUsesTheTrimmedFieldsAndClosesTheWindow)
{
	const TSharedRef<SWindow> Window = Open();
	const TArray<TSharedRef<SEditableTextBox>> Fields = FSlateTestKit::FindAllWidgets<SEditableTextBox>(Window);
	ASSERT_EQ(Fields.Num(), 2);
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[0], FText::FromString(FString::Printf(TEXT(" 127.0.0.1:%d "), OrvaneTest::FindFreeLoopbackPort()))));
	ASSERT_TRUE(FSlateTestKit::TypeAndCommit(*Fields[1], FText::FromString(TEXT("  Dialog_Preset  "))));

	EXPECT_TRUE(ClickButton(Window, TEXT("Full Setup")).IsEventHandled());
	EXPECT_FALSE(IsOpen(Window));
	EXPECT_FALSE(FOrvaneSetupDialogTestAccess::ExistingWindow().IsValid());
	EXPECT_EQ(Client->GetSources().Num(), 1);
	ASSERT_EQ(Cameras().Num(), 1);

	RunEditorFor(1.0f);
	EXPECT_TRUE(AssetSaved(TEXT("/Game/Orvane/Dialog_Preset")));
	ASSERT_NE(Cameras()[0]->GetAppliedLiveLinkPreset(), nullptr);
	EXPECT_EQ(Cameras()[0]->GetAppliedLiveLinkPreset()->GetName(), TEXT("Dialog_Preset"));
}

TEST_F(SetupDialog, CameraOnlyPlacesTheProjectsClusterWhenThereIsOne)
{
	// A stage imported earlier leaves its nDisplay blueprint in the project.
	const FString Stage = WriteStage(TEXT("Earlier.orvs"), MeshWall, SquareMesh("sq.obj"));
	ASSERT_EQ(FOrvaneStageImport::ImportStageToLevel(Stage, false, false), EOrvaneStageImportResult::Succeeded);
	ClearLevel();

	const TSharedRef<SWindow> Window = Open();
	const TArray<TSharedRef<SCheckBox>> Boxes = CheckBoxes(Window);
	ASSERT_EQ(Boxes.Num(), 3);
	EXPECT_TRUE(Boxes[1]->IsEnabled());
	EXPECT_TRUE(Boxes[1]->IsChecked());

	ClickButton(Window, TEXT("Camera Only"));
	EXPECT_FALSE(IsOpen(Window));
	ASSERT_EQ(Cameras().Num(), 1);
	ASSERT_EQ(RootActors().Num(), 1);
	EXPECT_EQ(Cameras()[0]->GetAttachParentActor(), RootActors()[0]);
	EXPECT_EQ(Notifications().Num(), 0);

	// Unticked, the camera comes alone.
	const TSharedRef<SWindow> Again = Open();
	ASSERT_TRUE(FSlateTestKit::ToggleCheckBox(*CheckBoxes(Again)[1]));
	ClickButton(Again, TEXT("Camera Only"));
	EXPECT_EQ(RootActors().Num(), 1);
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_EQ(Cameras()[0]->GetAttachParentActor(), nullptr);
}

TEST_F(SetupDialog, CameraOnlyTickedWithoutAClusterShowsAFailure)
{
	const TSharedRef<SWindow> Window = Open();
	// Ticked in code, as a greyed-out box cannot be ticked by the user.
	CheckBoxes(Window)[1]->SetIsChecked(ECheckBoxState::Checked);
	ClickButton(Window, TEXT("Camera Only"));

	EXPECT_EQ(Cameras().Num(), 1);
	ASSERT_EQ(Notifications().Num(), 1);
	EXPECT_EQ(Notifications()[0]->HostGetText().ToString(), TEXT("No nDisplay Blueprint found in /Game/Orvane/Ndisplay/"));
	EXPECT_EQ(Notifications()[0]->GetCompletionState(), SNotificationItem::CS_Fail);
	EXPECT_TRUE(Notifications()[0]->HostIsExpiring());
	EXPECT_FALSE(IsOpen(Window));
}

TEST_F(SetupDialog, CancelledFileDialogLeavesTheDialogOpenAndChangesNothing)
{
	const TSharedRef<SWindow> Window = Open();
	DesktopHost::QueueCancel();
	EXPECT_TRUE(ClickButton(Window, TEXT("Browse...")).IsEventHandled());

	EXPECT_TRUE(IsOpen(Window));
	EXPECT_EQ(FOrvaneSetupDialogTestAccess::ExistingWindow().Get(), &Window.Get());
	EXPECT_EQ(Cameras().Num(), 0);
	EXPECT_EQ(Client->GetSources().Num(), 0);
	EXPECT_EQ(Notifications().Num(), 0);

	const TArray<DesktopHost::FOpenFileDialogCall> Calls = DesktopHost::GetOpenFileDialogCalls();
	ASSERT_EQ(Calls.Num(), 1);
	EXPECT_EQ(Calls[0].DialogTitle, TEXT("Select ORVS Stage File"));
	EXPECT_EQ(Calls[0].FileTypes, TEXT("Orvane Stage Files (*.orvs)|*.orvs"));
	EXPECT_EQ(Calls[0].DefaultPath, FPaths::ProjectDir());
	EXPECT_EQ(Calls[0].Flags, 0u);
	// The modal dialog is the window the file dialog belongs to.
	EXPECT_EQ(Calls[0].ParentWindowHandle, &Window.Get());
}

TEST_F(SetupDialog, StageWithICVFXReplacesTheCameraAndLinksTheNewOne)
{
	ASSERT_TRUE(FOrvaneCameraManager::CreateOrvaneCameraOnly());
	const AOrvaneVPCameraActor* Old = Cameras()[0];
	const FString Stage = WriteStage(TEXT("Main.orvs"), MeshWall, SquareMesh("sq.obj"));

	const TSharedRef<SWindow> Window = Open();
	DesktopHost::QueueChosenFiles({Stage});
	ClickButton(Window, TEXT("Browse..."));

	EXPECT_FALSE(IsOpen(Window));
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_NE(Cameras()[0], Old);
	ASSERT_EQ(RootActors().Num(), 1);
	EXPECT_EQ(ICVFXTarget(RootActors()[0]), Cameras()[0]);
	EXPECT_EQ(Cameras()[0]->GetAttachParentActor(), RootActors()[0]);
	ASSERT_EQ(Notifications().Num(), 1);
	EXPECT_EQ(Notifications()[0]->HostGetText().ToString(), TEXT("Successfully created nDisplay from ORVS"));
	EXPECT_EQ(Notifications()[0]->GetCompletionState(), SNotificationItem::CS_Success);
	EXPECT_EQ(Notifications()[0]->HostGetInfo().ExpireDuration, 5.0f);
	EXPECT_EQ(Notifications()[0]->HostGetInfo().FadeOutDuration, 2.0f);
}

TEST_F(SetupDialog, StageWithoutMeshesStillExportsSavesPlacesAndLinks)
{
	const FString Stage = WriteStage(TEXT("Bare.orvs"), "<wall uuid=\"a\"><label>Left</label></wall>", std::string());
	const TSharedRef<SWindow> Window = Open();
	DesktopHost::QueueChosenFiles({Stage});
	ClickButton(Window, TEXT("Browse..."));

	EXPECT_EQ(Log.CountContaining(TEXT("AddMeshesToDisplayClusterBlueprint")), 0);
	EXPECT_TRUE(FPaths::FileExists(Project.GetProjectDir() + TEXT("Bare.ndisplay")));
	EXPECT_TRUE(AssetSaved(TEXT("/Game/Orvane/Ndisplay/Bare")));
	ASSERT_EQ(RootActors().Num(), 1);
	TArray<UStaticMeshComponent*> Meshes;
	RootActors()[0]->GetComponents(Meshes);
	// The wall stays a screen of the configuration; no wall mesh component was added.
	for (const UStaticMeshComponent* Mesh : Meshes)
	{
		EXPECT_NE(Mesh->GetClass(), UStaticMeshComponent::StaticClass()) << TCHAR_TO_UTF8(*Mesh->GetName());
	}
	ASSERT_EQ(Cameras().Num(), 1);
	EXPECT_EQ(ICVFXTarget(RootActors()[0]), Cameras()[0]);
	ASSERT_EQ(Notifications().Num(), 1);
	EXPECT_EQ(Notifications()[0]->GetCompletionState(), SNotificationItem::CS_Success);
}

TEST_F(SetupDialog, StageFailuresShowAFailureAndCloseTheDialog)
{
	// Without ICVFX no camera is made; an unreadable stage file stops before the import.
	const FString Broken = WriteFile(Project.GetProjectDir(), TEXT("Broken.orvs"), "<orvane><stages><stage><walls><wall");
	const TSharedRef<SWindow> Window = Open();
	ASSERT_TRUE(FSlateTestKit::ToggleCheckBox(*CheckBoxes(Window)[2]));
	DesktopHost::QueueChosenFiles({Broken});
	ClickButton(Window, TEXT("Browse..."));
	EXPECT_FALSE(IsOpen(Window));
	EXPECT_EQ(Cameras().Num(), 0);
	ASSERT_EQ(Notifications().Num(), 1);
	EXPECT_EQ(Notifications()[0]->HostGetText().ToString(), TEXT("Failed to create nDisplay config"));
	EXPECT_EQ(Notifications()[0]->GetCompletionState(), SNotificationItem::CS_Fail);

	// A later step that fails is named, and is no success: a folder where the blueprint's file belongs
	// keeps the assets from being saved.
	const FString Stage = WriteStage(TEXT("Late.orvs"), MeshWall, SquareMesh("sq.obj"));
	ASSERT_TRUE(IFileManager::Get().MakeDirectory(*(Project.GetContentDir() + TEXT("Orvane/Ndisplay/Late.uasset")), true));
	FSlateNotificationManager::Get().HostReset();
	const TSharedRef<SWindow> Second = Open();
	ASSERT_TRUE(FSlateTestKit::ToggleCheckBox(*CheckBoxes(Second)[2]));
	DesktopHost::QueueChosenFiles({Stage});
	ClickButton(Second, TEXT("Browse..."));
	EXPECT_FALSE(IsOpen(Second));
	ASSERT_EQ(Notifications().Num(), 1);
	EXPECT_EQ(Notifications()[0]->HostGetText().ToString(), TEXT("Created nDisplay from ORVS with errors: saving the assets failed"));
	EXPECT_EQ(Notifications()[0]->GetCompletionState(), SNotificationItem::CS_Fail);
}
