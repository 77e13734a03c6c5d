// Copyright Kelmora. All Rights Reserved.
#include "Orvaneui.h"

#include "Framework/Commands/UICommandList.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "OrvaneContent.h"
#include "OrvaneSetupDialog.h"
#include "OrvaneuiStyle.h"
#include "Styling/AppStyle.h"
#include "ToolMenus.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

#define LOCTEXT_NAMESPACE "FORV_uiModule"

FOrvaneuiCommands::FOrvaneuiCommands()
	: TCommands<FOrvaneuiCommands>(TEXT("Orvane"), NSLOCTEXT("Contexts", "Orvane", "Orvane Plugin"), NAME_None, FOrvaneuiStyle::GetStyleSetName())
{
}

void FOrvaneuiCommands::RegisterCommands()
{
	UI_COMMAND(PluginAction, "Orvaneui", "Create Orvane CineCamera", EUserInterfaceActionType::Button, FInputChord());
}

void FORV_uiModule::StartupModule()
{
	FOrvaneuiStyle::Initialize();
	FOrvaneuiStyle::ReloadTextures();

	FOrvaneuiCommands::Register();

	PluginCommands = MakeShareable(new FUICommandList);
	PluginCommands->MapAction(FOrvaneuiCommands::Get().PluginAction, FExecuteAction::CreateRaw(this, &FORV_uiModule::PluginButtonClicked), FCanExecuteAction());

	UToolMenus::RegisterStartupCallback(FSimpleMulticastDelegate::FDelegate::CreateRaw(this, &FORV_uiModule::RegisterMenus));

	FOrvaneContent::CreateMissingWhenRegistryReady();
}

void FORV_uiModule::ShutdownModule()
{
	// Nothing registered by this module may call into it once it is gone: the delayed setup steps, the
	// open dialog's buttons and closed callback, the menu start-up callback and the toolbar button.
	FOrvaneCameraManager::CancelDelayedSteps();
	FOrvaneContent::CancelPendingCreation();
	SOrvaneSetupDialog::CloseExistingDialog();

	UToolMenus::UnRegisterStartupCallback(this);
	if (FModuleManager::Get().IsModuleLoaded("ToolMenus"))
	{
		UToolMenus::UnregisterOwner(this);
	}

	FOrvaneuiStyle::Shutdown();
	FOrvaneuiCommands::Unregister();
	PluginCommands.Reset();
}

void FORV_uiModule::PluginButtonClicked()
{
	SOrvaneSetupDialog::ShowDialog();
}

void FORV_uiModule::RegisterMenus()
{
	FToolMenuOwnerScoped OwnerScoped(this);

	UToolMenu* ToolbarMenu = UToolMenus::Get()->ExtendMenu("LevelEditor.LevelEditorToolBar.PlayToolBar");
	FToolMenuSection& Section = ToolbarMenu->FindOrAddSection("PluginTools");

	const TSharedRef<SWidget> ButtonWidget =
		SNew(SHorizontalBox) + SHorizontalBox::Slot()
								   .AutoWidth()
									   [SNew(SButton)
											   .ButtonStyle(&FAppStyle::Get(), "SimpleButton")
											   .ContentPadding(FMargin(6.0f, 2.0f))
											   .ToolTipText(LOCTEXT("OrvaneTooltip", "Orvane Cinema Camera Setup"))
											   .OnClicked_Lambda([]()
												   {
								  SOrvaneSetupDialog::ShowDialog();
								  return FReply::Handled(); })
												   [SNew(SHorizontalBox) + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center)[SNew(SBox).WidthOverride(24.0f).HeightOverride(24.0f)[SNew(SImage).Image(FOrvaneuiStyle::Get().GetBrush("Orvane.PluginAction.Large"))]] + SHorizontalBox::Slot().AutoWidth().VAlign(VAlign_Center).Padding(4.0f, 0.0f, 0.0f, 0.0f)[SNew(STextBlock).Text(LOCTEXT("OrvaneLabel", "Orvane")).Font(FAppStyle::GetFontStyle("ToolBar.Label.Font"))]]];

	Section.AddEntry(FToolMenuEntry::InitWidget("OrvaneWidget", ButtonWidget, FText::GetEmpty(), false, true, false));

	// Tools > Orvane > Rebuild Plug-in Content: the way back to the generated camera, game mode and materials.
	UToolMenu* ToolsMenu = UToolMenus::Get()->ExtendMenu("LevelEditor.MainMenu.Tools");
	FToolMenuSection& ToolsSection = ToolsMenu->FindOrAddSection("Orvane");
	ToolsSection.AddSubMenu(
		"OrvaneTools", LOCTEXT("OrvaneToolsMenu", "Orvane"), LOCTEXT("OrvaneToolsMenuTooltip", "Orvane plug-in tools"),
		FNewToolMenuDelegate::CreateLambda([](UToolMenu* SubMenu)
			{ SubMenu->FindOrAddSection("OrvaneContent")
				  .AddMenuEntry("RebuildPluginContent", LOCTEXT("RebuildPluginContent", "Rebuild Plug-in Content"),
					  LOCTEXT("RebuildPluginContentTooltip", "Recreate the plug-in's camera, game mode and materials under /Orvane/ (asks first)"), FSlateIcon(),
					  FUIAction(FExecuteAction::CreateLambda([]()
						  { FOrvaneContent::RebuildAllAfterConfirmation(); }))); }));
}

#undef LOCTEXT_NAMESPACE

IMPLEMENT_MODULE(FORV_uiModule, Orvaneui)
