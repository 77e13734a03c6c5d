// Copyright Kelmora. All Rights Reserved.
#include "SOrvaneLiveLinkSourceFactory.h"

#include "OrvaneLiveLinkRuntimeSettings.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/Text/STextBlock.h"

#define LOCTEXT_NAMESPACE "OrvaneLiveLinkSourceEditor"

namespace
{
	/** What the box falls back to when its text is not an endpoint: fixed, not the project settings. */
	FIPv4Endpoint FallbackEndpoint()
	{
		return FIPv4Endpoint(FIPv4Address::Any, 9001);
	}
}

void SOrvaneLiveLinkSourceFactory::Construct(const FArguments& Args)
{
	OkClicked = Args._OnOkClicked;

	const UOrvaneLiveLinkRuntimeSettings* Settings = GetDefault<UOrvaneLiveLinkRuntimeSettings>();
	FIPv4Address Address;
	if (!FIPv4Address::Parse(Settings->NetworkServerAddressByDefault, Address))
	{
		Address = FIPv4Address::Any;
	}
	// A port edited into the configuration file by hand bypasses the editor's clamp; wrapping it would
	// propose a port nobody chose.
	const int32 Port = Settings->NetworkPortIdByDefault;
	const FIPv4Endpoint Endpoint(Address, Port >= 1 && Port <= 65535 ? static_cast<uint16>(Port) : FallbackEndpoint().Port);

	ChildSlot
		[SNew(SVerticalBox) + SVerticalBox::Slot().AutoHeight().Padding(2.0f)[SNew(SHorizontalBox) + SHorizontalBox::Slot().FillWidth(0.5f).VAlign(VAlign_Center)[SNew(STextBlock).Text(LOCTEXT("OrvanePortNumber", "Network Address:Port"))] + SHorizontalBox::Slot().FillWidth(0.5f)[SAssignNew(EditabledText, SEditableTextBox).Text(FText::FromString(Endpoint.ToString())).OnTextCommitted(this, &SOrvaneLiveLinkSourceFactory::OnEndpointChanged)]] + SVerticalBox::Slot().AutoHeight().HAlign(HAlign_Right).Padding(2.0f)[SNew(SButton).OnClicked(this, &SOrvaneLiveLinkSourceFactory::OnOkClicked)[SNew(STextBlock).Text(LOCTEXT("Ok", "Ok"))]]];
}

void SOrvaneLiveLinkSourceFactory::OnEndpointChanged(const FText& NewValue, ETextCommit::Type CommitType)
{
	TSharedPtr<SEditableTextBox> EditableTextPin = EditabledText.Pin();
	if (!EditableTextPin.IsValid())
	{
		return;
	}
	FIPv4Endpoint Endpoint;
	if (!FIPv4Endpoint::Parse(NewValue.ToString(), Endpoint))
	{
		EditableTextPin->SetText(FText::FromString(FallbackEndpoint().ToString()));
	}
}

FReply SOrvaneLiveLinkSourceFactory::OnOkClicked()
{
	TSharedPtr<SEditableTextBox> EditableTextPin = EditabledText.Pin();
	if (EditableTextPin.IsValid())
	{
		FIPv4Endpoint Endpoint;
		if (FIPv4Endpoint::Parse(EditableTextPin->GetText().ToString(), Endpoint))
		{
			OkClicked.ExecuteIfBound(Endpoint);
		}
	}
	return FReply::Handled();
}

#undef LOCTEXT_NAMESPACE
