// Copyright Kelmora. All Rights Reserved.
// Test-side controls for the Slate host: find widgets in a tree and act on them as a user would.
#pragma once

#include "CoreMinimal.h"
#include "Input/Reply.h"
#include "Types/SlateEnums.h"
#include "Widgets/SWidget.h"

class SButton;
class SCheckBox;
class SEditableTextBox;

/**
 * Walks widget trees depth-first (a widget before its children, children in slot order) and drives
 * text boxes and buttons. A user can only reach a widget that is visible and enabled along with every
 * parent, so typing, committing and clicking are refused otherwise.
 */
class FSlateTestKit
{
public:
	/** The first widget whose GetType() is TypeName (e.g. "SButton"), or null. */
	static TSharedPtr<SWidget> FindWidgetByType(const TSharedRef<SWidget>& Root, FName TypeName);

	/** The first widget of C++ type WidgetType or a subclass of it, or null. */
	template <class WidgetType>
	static TSharedPtr<WidgetType> FindWidget(const TSharedRef<SWidget>& Root)
	{
		const TSharedPtr<SWidget> Found = FindFirst(Root, [](SWidget& Widget)
			{ return dynamic_cast<WidgetType*>(&Widget) != nullptr; });
		return StaticCastSharedPtr<WidgetType>(Found);
	}

	/** Every widget of C++ type WidgetType or a subclass of it, in depth-first order. */
	template <class WidgetType>
	static TArray<TSharedRef<WidgetType>> FindAllWidgets(const TSharedRef<SWidget>& Root)
	{
		TArray<TSharedRef<WidgetType>> Result;
		ForEachWidget(Root, [&Result](const TSharedRef<SWidget>& Widget)
			{
				if (dynamic_cast<WidgetType*>(&Widget.Get()) != nullptr)
				{
					Result.Add(StaticCastSharedRef<WidgetType>(Widget));
				} });
		return Result;
	}

	/** The first text block or text box whose text is exactly Text (case-sensitive), or null. */
	static TSharedPtr<SWidget> FindWidgetByText(const TSharedRef<SWidget>& Root, const FString& Text);

	/** The first button holding a widget whose text is exactly Text, or null. */
	static TSharedPtr<SButton> FindButtonByText(const TSharedRef<SWidget>& Root, const FString& Text);

	/** The first widget with the given tag, or null. */
	static TSharedPtr<SWidget> FindWidgetByTag(const TSharedRef<SWidget>& Root, FName Tag);

	/** The text a widget shows: a text block's or text box's text; empty for other widgets. */
	static FString GetWidgetText(const SWidget& Widget);

	/** True when the widget and all its parents are visible and enabled. */
	static bool CanUserReach(const SWidget& Widget);

	/**
	 * Replaces the box's text as a user selecting all and typing would, calling OnTextChanged once.
	 * False, and nothing changes, when the box is read-only or out of the user's reach.
	 */
	static bool EnterText(SEditableTextBox& TextBox, const FText& Text);

	/** Commits the box's current text, calling OnTextCommitted. False when out of the user's reach. */
	static bool CommitText(SEditableTextBox& TextBox, ETextCommit::Type CommitType = ETextCommit::OnEnter);

	/** EnterText then CommitText with OnEnter; false when either was refused. */
	static bool TypeAndCommit(SEditableTextBox& TextBox, const FText& Text);

	/**
	 * Clicks the button: returns OnClicked's reply (Handled when no live binding, as in the engine), or
	 * Unhandled without calling anything when the button is out of the user's reach.
	 */
	static FReply Click(SButton& Button);

	/** Ticks or unticks the box as a click would; false, and nothing changes, when it is out of the user's reach. */
	static bool ToggleCheckBox(SCheckBox& CheckBox);

private:
	static void ForEachWidget(const TSharedRef<SWidget>& Root, const TFunction<void(const TSharedRef<SWidget>&)>& Visit);
	static TSharedPtr<SWidget> FindFirst(const TSharedRef<SWidget>& Root, const TFunction<bool(SWidget&)>& Predicate);
};
