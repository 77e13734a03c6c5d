// Copyright Kelmora. All Rights Reserved.
#include "SlateTestKit.h"

#include "Layout/Children.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	/** Visits Widget and its descendants depth-first until Visit returns true; returns the widget it stopped at. */
	TSharedPtr<SWidget> Walk(const TSharedRef<SWidget>& Widget, const TFunction<bool(const TSharedRef<SWidget>&)>& Visit)
	{
		if (Widget == SNullWidget::NullWidget)
		{
			return nullptr;
		}
		if (Visit(Widget))
		{
			return Widget;
		}
		FChildren* Children = Widget->GetChildren();
		if (Children == nullptr)
		{
			return nullptr;
		}
		for (int32 Index = 0; Index < Children->Num(); ++Index)
		{
			if (TSharedPtr<SWidget> Found = Walk(Children->GetChildAt(Index), Visit))
			{
				return Found;
			}
		}
		return nullptr;
	}
}

void FSlateTestKit::ForEachWidget(const TSharedRef<SWidget>& Root, const TFunction<void(const TSharedRef<SWidget>&)>& Visit)
{
	Walk(Root, [&Visit](const TSharedRef<SWidget>& Widget)
		{
			Visit(Widget);
			return false; });
}

TSharedPtr<SWidget> FSlateTestKit::FindFirst(const TSharedRef<SWidget>& Root, const TFunction<bool(SWidget&)>& Predicate)
{
	return Walk(Root, [&Predicate](const TSharedRef<SWidget>& Widget)
		{ return Predicate(Widget.Get()); });
}

TSharedPtr<SWidget> FSlateTestKit::FindWidgetByType(const TSharedRef<SWidget>& Root, FName TypeName)
{
	return FindFirst(Root, [TypeName](SWidget& Widget)
		{ return Widget.GetType() == TypeName; });
}

FString FSlateTestKit::GetWidgetText(const SWidget& Widget)
{
	if (const STextBlock* TextBlock = dynamic_cast<const STextBlock*>(&Widget))
	{
		return TextBlock->GetText().ToString();
	}
	if (const SEditableTextBox* TextBox = dynamic_cast<const SEditableTextBox*>(&Widget))
	{
		return TextBox->GetText().ToString();
	}
	return FString();
}

TSharedPtr<SWidget> FSlateTestKit::FindWidgetByText(const TSharedRef<SWidget>& Root, const FString& Text)
{
	return FindFirst(Root, [&Text](SWidget& Widget)
		{ return (dynamic_cast<STextBlock*>(&Widget) || dynamic_cast<SEditableTextBox*>(&Widget)) && GetWidgetText(Widget).Equals(Text, ESearchCase::CaseSensitive); });
}

TSharedPtr<SButton> FSlateTestKit::FindButtonByText(const TSharedRef<SWidget>& Root, const FString& Text)
{
	const TSharedPtr<SWidget> Found = FindFirst(Root, [&Text](SWidget& Widget)
		{
			SButton* Button = dynamic_cast<SButton*>(&Widget);
			return Button != nullptr && FindWidgetByText(Button->AsShared(), Text).IsValid(); });
	return StaticCastSharedPtr<SButton>(Found);
}

TSharedPtr<SWidget> FSlateTestKit::FindWidgetByTag(const TSharedRef<SWidget>& Root, FName Tag)
{
	return FindFirst(Root, [Tag](SWidget& Widget)
		{ return Widget.GetTag() == Tag; });
}

bool FSlateTestKit::CanUserReach(const SWidget& Widget)
{
	if (!Widget.GetVisibility().IsVisible() || !Widget.IsEnabled())
	{
		return false;
	}
	for (TSharedPtr<SWidget> Parent = Widget.GetParentWidget(); Parent.IsValid(); Parent = Parent->GetParentWidget())
	{
		if (!Parent->GetVisibility().IsVisible() || !Parent->IsEnabled())
		{
			return false;
		}
	}
	return true;
}

bool FSlateTestKit::EnterText(SEditableTextBox& TextBox, const FText& Text)
{
	if (TextBox.IsReadOnly() || !CanUserReach(TextBox))
	{
		return false;
	}
	// A pending change of a bound text lands first, as it would have on an earlier tick.
	TextBox.SyncFromBoundText();
	TextBox.OnEditableTextChanged(Text);
	return true;
}

bool FSlateTestKit::CommitText(SEditableTextBox& TextBox, ETextCommit::Type CommitType)
{
	if (!CanUserReach(TextBox))
	{
		return false;
	}
	TextBox.OnEditableTextCommitted(TextBox.GetText(), CommitType);
	return true;
}

bool FSlateTestKit::TypeAndCommit(SEditableTextBox& TextBox, const FText& Text)
{
	return EnterText(TextBox, Text) && CommitText(TextBox, ETextCommit::OnEnter);
}

FReply FSlateTestKit::Click(SButton& Button)
{
	if (!CanUserReach(Button))
	{
		return FReply::Unhandled();
	}
	return Button.ExecuteOnClick();
}

bool FSlateTestKit::ToggleCheckBox(SCheckBox& CheckBox)
{
	if (!CanUserReach(CheckBox))
	{
		return false;
	}
	CheckBox.ToggleCheckedState();
	return true;
}
