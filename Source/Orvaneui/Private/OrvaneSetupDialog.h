// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Input/Reply.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

class SCheckBox;
class SEditableTextBox;
class STextBlock;
class SWindow;
class UObject;

/**
 * The "Orvane Setup" window's content: the full setup (camera, Live Link source and preset), the camera-only
 * setup (optionally placing an nDisplay cluster already in the project) and the stage-to-nDisplay conversion.
 * At most one dialog window is open at a time. Editor game thread only.
 */
class SOrvaneSetupDialog : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SOrvaneSetupDialog) {}
	SLATE_END_ARGS()

	/** Builds the three panels; "Add nDisplay to Level" is ticked when the project has an nDisplay blueprint, greyed out otherwise. */
	void Construct(const FArguments& InArgs);

	/** Opens the dialog as a modal window of the active window, or brings the open one forward. */
	static void ShowDialog();

	/** Closes the open dialog, if any. */
	static void CloseExistingDialog();

private:
	/** Lets the tests reach the handlers and fields. */
	friend class FOrvaneSetupDialogTestAccess;

	void CloseDialog();
	FString GetEndpointFromUI() const;
	FString GetPresetNameFromUI() const;
	FString OpenORVSFileDialog() const;
	void ShowNotification(const FString& Message, bool bSuccess) const;

	FReply OnRunCompleteSetup();
	FReply OnCreateOrvaneCameraOnly();
	FReply OnImportORVSToNDisplay();

	/** The first nDisplay blueprint directly in the project's nDisplay folder, loaded; null when there is none. */
	static UObject* FindNDisplayBlueprint();

	TSharedPtr<SEditableTextBox> EndpointTextBox;
	TSharedPtr<SEditableTextBox> PresetNameTextBox;
	TSharedPtr<SCheckBox> AddICVFXCheckBox;
	TSharedPtr<SCheckBox> RenderAlphaCheckBox;
	TSharedPtr<SCheckBox> AddNDisplayCheckBox;
	TSharedPtr<STextBlock> AddNDisplayLabel;
	TSharedPtr<SWindow> ParentWindow;

	/** The open dialog window; empty when none is open. */
	static TWeakPtr<SWindow> ExistingDialogWindow;
};
