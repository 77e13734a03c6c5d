// Copyright Kelmora. All Rights Reserved.
#include "OrvaneSetupDialog.h"

#include "AssetRegistry/AssetRegistryModule.h"
#include "DesktopPlatformModule.h"
#include "Engine/EngineTypes.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Notifications/NotificationManager.h"
#include "GameFramework/Actor.h"
#include "IDesktopPlatform.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "OrvaneNDisplayConfigImporter.h"
#include "OrvaneStageImport.h"
#include "Styling/AppStyle.h"
#include "Styling/SlateTypes.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/Notifications/SNotificationList.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SWindow.h"
#include "Widgets/Text/STextBlock.h"

#define LOCTEXT_NAMESPACE "OrvaneSetupDialog"

TWeakPtr<SWindow> SOrvaneSetupDialog::ExistingDialogWindow;

namespace
{
	const TCHAR* const DefaultEndpoint = TEXT("0.0.0.0:9001");
	const TCHAR* const DefaultPresetName = TEXT("Orvane_LiveLink_Preset");
	const TCHAR* const NDisplayFolder = TEXT("/Game/Orvane/Ndisplay");
	const TCHAR* const NDisplayBlueprintClassName = TEXT("DisplayClusterBlueprint");
	constexpr float ContentWidth = 500.0f;
	constexpr float LabelWidth = 120.0f;

	/** A panel's header: the class icon, then the bold title above the subdued subtitle. */
	TSharedRef<SWidget> MakeHeader(const FName Icon, const FText& Title, const FText& Subtitle)
	{
		return SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(0.0f, 0.0f, 8.0f, 0.0f)[SNew(SImage).Image(FAppStyle::GetBrush(Icon))] + SHorizontalBox::Slot().FillWidth(1.0f).VAlign(VAlign_Center)[SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight()[SNew(STextBlock).Text(Title).Font(FAppStyle::GetFontStyle("PropertyWindow.BoldFont"))] + SVerticalBox::Slot().AutoHeight()[SNew(STextBlock).Text(Subtitle).ColorAndOpacity(FSlateColor::UseSubduedForeground())]];
	}

	/** A labelled row of the full-setup panel: the label 120 units wide, then the field. */
	TSharedRef<SWidget> MakeFieldRow(const FText& Label, const TSharedRef<SWidget>& Field)
	{
		return SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SNew(SBox).WidthOverride(LabelWidth)[SNew(STextBlock).Text(Label)]] + SHorizontalBox::Slot().FillWidth(1.0f).VAlign(VAlign_Center)[Field];
	}

	/** A field's text with white space trimmed, or the fallback when the field is missing or blank. */
	FString TrimmedOr(const TSharedPtr<SEditableTextBox>& TextBox, const TCHAR* Fallback)
	{
		if (TextBox.IsValid())
		{
			const FString Text = TextBox->GetText().ToString().TrimStartAndEnd();
			if (!Text.IsEmpty())
			{
				return Text;
			}
		}
		return Fallback;
	}
}

void SOrvaneSetupDialog::Construct(const FArguments& InArgs)
{
	ChildSlot
		[SNew(SBorder)
				.BorderImage(FAppStyle::GetBrush("Brushes.Panel"))
				.Padding(24.0f)
					[SNew(SBox)
							.WidthOverride(ContentWidth)
								[SNew(SVerticalBox)

									// Full setup: camera, Live Link source and preset.
									+ SVerticalBox::Slot()
										  .AutoHeight()
											  [SNew(SBorder)
													  .BorderImage(FAppStyle::GetBrush("Brushes.Recessed"))
													  .Padding(16.0f)
														  [SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 0.0f, 0.0f, 12.0f)[MakeHeader("ClassIcon.Blueprint", LOCTEXT("FullSetupTitle", "Full Orvane Camera Setup"), LOCTEXT("FullSetupSubtitle", "Create Camera + Live Link + Preset"))] + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 4.0f)[MakeFieldRow(LOCTEXT("EndpointLabel", "LiveLink Endpoint:"), SAssignNew(EndpointTextBox, SEditableTextBox).Text(FText::FromString(DefaultEndpoint)).HintText(LOCTEXT("EndpointHint", "IP:Port")))] + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 4.0f)[MakeFieldRow(LOCTEXT("PresetNameLabel", "Preset Name:"), SAssignNew(PresetNameTextBox, SEditableTextBox).Text(FText::FromString(DefaultPresetName)).HintText(LOCTEXT("PresetNameHint", "Preset name")))] + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 4.0f)[MakeFieldRow(LOCTEXT("RenderAlphaLabel", "Render Alpha:"), SAssignNew(RenderAlphaCheckBox, SCheckBox).IsChecked(ECheckBoxState::Unchecked))] + SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Right).Padding(0.0f, 12.0f, 0.0f, 0.0f)[SNew(SButton).ButtonStyle(&FAppStyle::Get(), "FlatButton.Primary").Text(LOCTEXT("FullSetupButton", "Full Setup")).OnClicked(this, &SOrvaneSetupDialog::OnRunCompleteSetup)]]]

									// Camera only, optionally with the project's nDisplay cluster.
									+ SVerticalBox::Slot()
										  .AutoHeight()
										  .Padding(0.0f, 16.0f, 0.0f, 0.0f)
											  [SNew(SBorder)
													  .BorderImage(FAppStyle::GetBrush("Brushes.Recessed"))
													  .Padding(16.0f)
														  [SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 0.0f, 0.0f, 12.0f)[MakeHeader("ClassIcon.CameraActor", LOCTEXT("CameraTitle", "Orvane Camera"), LOCTEXT("CameraSubtitle", "Create Cinema Camera"))] + SVerticalBox::Slot().AutoHeight()[SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SAssignNew(AddNDisplayCheckBox, SCheckBox).IsChecked(ECheckBoxState::Unchecked)] + SHorizontalBox::Slot().FillWidth(1.0f).VAlign(VAlign_Center).Padding(4.0f, 0.0f, 0.0f, 0.0f)[SAssignNew(AddNDisplayLabel, STextBlock).Text(LOCTEXT("AddNDisplayLabel", "Add nDisplay to Level"))] + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SNew(SButton).ButtonStyle(&FAppStyle::Get(), "FlatButton.Success").Text(LOCTEXT("CameraOnlyButton", "Camera Only")).OnClicked(this, &SOrvaneSetupDialog::OnCreateOrvaneCameraOnly)]]]]

									// Stage file to nDisplay.
									+ SVerticalBox::Slot()
										  .AutoHeight()
										  .Padding(0.0f, 16.0f, 0.0f, 0.0f)
											  [SNew(SBorder)
													  .BorderImage(FAppStyle::GetBrush("Brushes.Recessed"))
													  .Padding(16.0f)
														  [SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight().Padding(0.0f, 0.0f, 0.0f, 12.0f)[MakeHeader("ClassIcon.Blueprint", LOCTEXT("NDisplayTitle", "Orvane to nDisplay"), LOCTEXT("NDisplaySubtitle", "Convert Orvane stage to nDisplay config"))] + SVerticalBox::Slot().AutoHeight()[SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SAssignNew(AddICVFXCheckBox, SCheckBox).IsChecked(ECheckBoxState::Checked)] + SHorizontalBox::Slot().FillWidth(1.0f).VAlign(VAlign_Center).Padding(4.0f, 0.0f, 0.0f, 0.0f)[SNew(STextBlock).Text(LOCTEXT("AddICVFXLabel", "Add ICVFX Camera"))] + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SNew(SButton).ButtonStyle(&FAppStyle::Get(), "FlatButton.Primary").Text(LOCTEXT("BrowseButton", "Browse...")).OnClicked(this, &SOrvaneSetupDialog::OnImportORVSToNDisplay)]]]]]]];

	// Placing a cluster only makes sense when the project already holds one.
	if (FindNDisplayBlueprint())
	{
		AddNDisplayCheckBox->SetEnabled(true);
		AddNDisplayCheckBox->SetIsChecked(ECheckBoxState::Checked);
	}
	else
	{
		AddNDisplayCheckBox->SetIsChecked(ECheckBoxState::Unchecked);
		AddNDisplayCheckBox->SetEnabled(false);
		AddNDisplayLabel->SetEnabled(false);
	}
}

UObject* SOrvaneSetupDialog::FindNDisplayBlueprint()
{
	IAssetRegistry& AssetRegistry = FModuleManager::LoadModuleChecked<FAssetRegistryModule>("AssetRegistry").Get();
	TArray<FAssetData> Assets;
	AssetRegistry.GetAssetsByPath(FName(NDisplayFolder), Assets, false);
	for (const FAssetData& Asset : Assets)
	{
		if (Asset.AssetClassPath.GetAssetName() == FName(NDisplayBlueprintClassName))
		{
			return Asset.GetAsset();
		}
	}
	return nullptr;
}

void SOrvaneSetupDialog::ShowDialog()
{
	if (TSharedPtr<SWindow> Existing = ExistingDialogWindow.Pin())
	{
		Existing->BringToFront(false);
		Existing->FlashWindow();
		return;
	}

	TSharedRef<SWindow> Window = SNew(SWindow)
									 .Title(LOCTEXT("WindowTitle", "Orvane Setup"))
									 .SizingRule(ESizingRule::Autosized)
									 .SupportsMaximize(false)
									 .SupportsMinimize(false);
	TSharedRef<SOrvaneSetupDialog> Dialog = SNew(SOrvaneSetupDialog);
	Dialog->ParentWindow = Window;
	ExistingDialogWindow = Window;
	Window->SetOnWindowClosed(FOnWindowClosed::CreateLambda([](const TSharedRef<SWindow>&)
		{ ExistingDialogWindow.Reset(); }));
	Window->SetContent(Dialog);

	FSlateApplication::Get().AddModalWindow(Window, FSlateApplication::Get().GetActiveTopLevelWindow());
}

void SOrvaneSetupDialog::CloseExistingDialog()
{
	if (TSharedPtr<SWindow> Existing = ExistingDialogWindow.Pin())
	{
		// The window may be destroyed after this module is gone; its callback must not call back into it.
		Existing->SetOnWindowClosed(FOnWindowClosed());
		Existing->RequestDestroyWindow();
	}
	ExistingDialogWindow.Reset();
}

void SOrvaneSetupDialog::CloseDialog()
{
	if (ParentWindow.IsValid())
	{
		// Released first: the window holds this dialog, and the dialog must not keep its window alive.
		TSharedPtr<SWindow> Window = MoveTemp(ParentWindow);
		Window->RequestDestroyWindow();
	}
	ExistingDialogWindow.Reset();
}

FString SOrvaneSetupDialog::GetEndpointFromUI() const
{
	return TrimmedOr(EndpointTextBox, DefaultEndpoint);
}

FString SOrvaneSetupDialog::GetPresetNameFromUI() const
{
	return TrimmedOr(PresetNameTextBox, DefaultPresetName);
}

FReply SOrvaneSetupDialog::OnRunCompleteSetup()
{
	const FString Endpoint = GetEndpointFromUI();
	const FString PresetName = GetPresetNameFromUI();
	const bool bRenderAlpha = RenderAlphaCheckBox.IsValid() && RenderAlphaCheckBox->IsChecked();
	// The camera manager shows the outcome on screen itself.
	FOrvaneCameraManager::CreateCompleteSetup(Endpoint, PresetName, bRenderAlpha);
	CloseDialog();
	return FReply::Handled();
}

FReply SOrvaneSetupDialog::OnCreateOrvaneCameraOnly()
{
	FOrvaneCameraManager::CreateOrvaneCameraOnly();

	if (AddNDisplayCheckBox.IsValid() && AddNDisplayCheckBox->IsChecked())
	{
		AActor* Camera = FOrvaneCameraManager::GetLastCreatedCamera();
		if (UObject* Blueprint = FindNDisplayBlueprint())
		{
			AActor* Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Blueprint);
			if (Root && Camera)
			{
				UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(Root, Camera);
				Camera->AttachToActor(Root, FAttachmentTransformRules::KeepWorldTransform);
			}
		}
		else
		{
			ShowNotification(TEXT("No nDisplay Blueprint found in /Game/Orvane/Ndisplay/"), false);
		}
	}

	CloseDialog();
	return FReply::Handled();
}

FReply SOrvaneSetupDialog::OnImportORVSToNDisplay()
{
	const FString File = OpenORVSFileDialog();
	if (File.IsEmpty())
	{
		// A cancelled file dialog leaves the setup dialog open.
		return FReply::Handled();
	}

	const bool bAddICVFX = AddICVFXCheckBox.IsValid() && AddICVFXCheckBox->IsChecked();
	const bool bRenderAlpha = RenderAlphaCheckBox.IsValid() && RenderAlphaCheckBox->IsChecked();
	FString FailedStep;
	const EOrvaneStageImportResult Result = FOrvaneStageImport::ImportStageToLevel(File, bAddICVFX, bRenderAlpha, &FailedStep);
	ShowNotification(FOrvaneStageImport::GetResultText(Result, FailedStep), Result == EOrvaneStageImportResult::Succeeded);
	CloseDialog();
	return FReply::Handled();
}

FString SOrvaneSetupDialog::OpenORVSFileDialog() const
{
	IDesktopPlatform* DesktopPlatform = FDesktopPlatformModule::Get();
	if (!DesktopPlatform)
	{
		return FString();
	}
	TArray<FString> Files;
	const void* ParentWindowHandle = FSlateApplication::Get().FindBestParentWindowHandleForDialogs(nullptr);
	const bool bChosen = DesktopPlatform->OpenFileDialog(ParentWindowHandle, TEXT("Select ORVS Stage File"), FPaths::ProjectDir(), TEXT(""), TEXT("Orvane Stage Files (*.orvs)|*.orvs"), EFileDialogFlags::None, Files);
	return bChosen && Files.Num() > 0 ? Files[0] : FString();
}

void SOrvaneSetupDialog::ShowNotification(const FString& Message, bool bSuccess) const
{
	FNotificationInfo Info(FText::FromString(Message));
	Info.FadeOutDuration = 2.0f;
	Info.ExpireDuration = 5.0f;
	Info.bFireAndForget = true;
	if (TSharedPtr<SNotificationItem> Item = FSlateNotificationManager::Get().AddNotification(Info))
	{
		Item->SetCompletionState(bSuccess ? SNotificationItem::CS_Success : SNotificationItem::CS_Fail);
		Item->ExpireAndFadeout();
	}
}

#undef LOCTEXT_NAMESPACE
