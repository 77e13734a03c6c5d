// Copyright Kelmora. All Rights Reserved.
#include "WidgetReflector.h"

#include "Layout/Children.h"
#include "Widgets/Images/SImage.h"
#include "Widgets/Input/SButton.h"
#include "Widgets/Input/SCheckBox.h"
#include "Widgets/Input/SEditableTextBox.h"
#include "Widgets/Layout/SBorder.h"
#include "Widgets/Layout/SBox.h"
#include "Widgets/SBoxPanel.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/Text/STextBlock.h"

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	nlohmann::ordered_json MarginJson(const FMargin& Margin)
	{
		return nlohmann::ordered_json::array({Margin.Left, Margin.Top, Margin.Right, Margin.Bottom});
	}

	bool IsZero(const FMargin& Margin)
	{
		return Margin.Left == 0.0f && Margin.Top == 0.0f && Margin.Right == 0.0f && Margin.Bottom == 0.0f;
	}

	void AddName(nlohmann::ordered_json& Object, const char* Key, FName Name)
	{
		if (!Name.IsNone())
		{
			Object[Key] = Utf8(Name.ToString());
		}
	}

	/** The padding a slot gives its content, for the slot kinds the host has. */
	bool GetSlotPadding(const FSlotBase& Slot, FMargin& OutPadding)
	{
		if (const SBoxPanel::FSlot* BoxSlot = dynamic_cast<const SBoxPanel::FSlot*>(&Slot))
		{
			OutPadding = BoxSlot->GetPadding();
			return true;
		}
		return false;
	}

	nlohmann::ordered_json Reflect(const TSharedRef<SWidget>& Widget)
	{
		nlohmann::ordered_json Object = nlohmann::ordered_json::object();
		SWidget& Raw = Widget.Get();
		Object["type"] = Utf8(Raw.GetTypeAsString());
		Object["enabled"] = Raw.IsEnabled();

		if (const SCheckBox* CheckBox = dynamic_cast<const SCheckBox*>(&Raw))
		{
			Object["checked"] = CheckBox->IsChecked();
		}
		if (const STextBlock* Text = dynamic_cast<const STextBlock*>(&Raw))
		{
			Object["text"] = Utf8(Text->GetText().ToString());
			AddName(Object, "font", Text->GetFont().HostStyleName);
		}
		if (const SEditableTextBox* TextBox = dynamic_cast<const SEditableTextBox*>(&Raw))
		{
			Object["text"] = Utf8(TextBox->GetText().ToString());
			Object["hint"] = Utf8(TextBox->GetHintText().ToString());
		}
		if (const SImage* Image = dynamic_cast<const SImage*>(&Raw))
		{
			if (const FSlateBrush* Brush = Image->HostGetImage())
			{
				AddName(Object, "brush", Brush->HostStyleName);
			}
		}
		if (const SButton* Button = dynamic_cast<const SButton*>(&Raw))
		{
			AddName(Object, "style", Button->HostGetButtonStyle().HostStyleName);
		}
		if (const SBorder* Border = dynamic_cast<const SBorder*>(&Raw))
		{
			if (const FSlateBrush* Brush = Border->HostGetBorderImage())
			{
				AddName(Object, "brush", Brush->HostStyleName);
			}
			// Text boxes are borders in the host only; their padding is not the plug-in's.
			if (!dynamic_cast<const SEditableTextBox*>(&Raw))
			{
				Object["padding"] = MarginJson(Border->HostGetPadding());
			}
		}
		if (const SBox* Box = dynamic_cast<const SBox*>(&Raw))
		{
			const FOptionalSize Width = Box->GetWidthOverride().IsSet() ? Box->GetWidthOverride() : Box->HostGetMinDesiredWidth();
			if (Width.IsSet())
			{
				Object["width"] = Width.Get();
			}
			Object["padding"] = MarginJson(Box->HostGetPadding());
		}
		const FText ToolTip = Raw.HostGetToolTipText();
		if (!ToolTip.IsEmpty())
		{
			Object["tooltip"] = Utf8(ToolTip.ToString());
		}

		nlohmann::ordered_json Children = nlohmann::ordered_json::array();
		FChildren* ChildList = Raw.GetChildren();
		for (int32 Index = 0; ChildList && Index < ChildList->Num(); ++Index)
		{
			const TSharedRef<SWidget> Child = ChildList->GetChildAt(Index);
			if (Child == SNullWidget::NullWidget)
			{
				continue;
			}
			nlohmann::ordered_json ChildObject = Reflect(Child);
			FMargin SlotPadding;
			if (GetSlotPadding(ChildList->GetSlotAt(Index), SlotPadding) && !IsZero(SlotPadding))
			{
				ChildObject["slotPadding"] = MarginJson(SlotPadding);
			}
			Children.push_back(std::move(ChildObject));
		}
		Object["children"] = std::move(Children);
		return Object;
	}
}

nlohmann::ordered_json FWidgetReflector::ToJson(const TSharedRef<SWidget>& Root)
{
	return Reflect(Root);
}
