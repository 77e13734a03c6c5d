// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Input/SEditableTextBox.h. Text arrives through the host's test
// controls (FSlateTestKit), which type and commit as a user would.
#pragma once

#include "CoreMinimal.h"
#include "Framework/SlateDelegates.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

class FSlateTestKit;

/** A single-line text field inside a border. */
class SEditableTextBox : public SBorder
{
public:
	SLATE_BEGIN_ARGS(SEditableTextBox)
		: _IsReadOnly(false)
	{
	}
	/** The text shown; a bound attribute is followed whenever its value changes. */
	SLATE_ATTRIBUTE(FText, Text)
	/** The text shown while the field is empty. */
	SLATE_ATTRIBUTE(FText, HintText)
	/** Whether the user may edit the text. */
	SLATE_ATTRIBUTE(bool, IsReadOnly)
	/** Called on every change of the text by the user. */
	SLATE_EVENT(FOnTextChanged, OnTextChanged)
	/** Called when the user commits the text (Enter, focus moved away, or cleared). */
	SLATE_EVENT(FOnTextCommitted, OnTextCommitted)
	SLATE_END_ARGS()

	SLATE_API SEditableTextBox();

	/** Sets the text, hint, read-only state and delegates. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** The text in the field. */
	SLATE_API FText GetText() const;
	/** Replaces the text, or binds it; the user's pending edit is dropped. */
	// unconfirmed: whether the engine's SetText also calls OnTextChanged; the host does not.
	SLATE_API void SetText(const TAttribute<FText>& InNewText);
	/** The hint shown while the field is empty. */
	SLATE_API FText GetHintText() const;
	/** Sets the hint. */
	SLATE_API void SetHintText(const TAttribute<FText>& InHintText);
	/** Sets whether the user may edit the text. */
	SLATE_API void SetIsReadOnly(TAttribute<bool> InIsReadOnly);
	/** True when the user may not edit the text. */
	bool IsReadOnly() const { return ReadOnly.Get(false); }

protected:
	/** The user changed the text. */
	SLATE_API void OnEditableTextChanged(const FText& InText);
	/** The user committed the text. */
	SLATE_API void OnEditableTextCommitted(const FText& InText, ETextCommit::Type InCommitType);

	FOnTextChanged OnTextChanged;
	FOnTextCommitted OnTextCommitted;

private:
	friend class FSlateTestKit;

	/** Adopts a new value of a bound text attribute, as the engine does on tick. */
	void SyncFromBoundText() const;

	TAttribute<FText> BoundText;
	TAttribute<FText> HintText;
	TAttribute<bool> ReadOnly;
	mutable FText EditedText;
	mutable FText LastBoundText;
};
