// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Input/SButton.h, without styles, sounds or press states.
#pragma once

#include "CoreMinimal.h"
#include "Framework/SlateDelegates.h"
#include "Input/Reply.h"
#include "Layout/Margin.h"
#include "Styling/SlateTypes.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/Layout/SBorder.h"

class FSlateTestKit;

/** A clickable button around content, or around a text when Text is given. */
class SButton : public SBorder
{
public:
	SLATE_BEGIN_ARGS(SButton)
		: _HAlign(HAlign_Fill)
		, _VAlign(VAlign_Fill)
		, _ContentPadding(FMargin(4.0f, 2.0f))
	{
	}
	/** The content; ignored when Text is given. */
	SLATE_DEFAULT_SLOT(FArguments, Content)
	/** A text to show instead of content. */
	SLATE_ATTRIBUTE(FText, Text)
	/** Called when the button is clicked. */
	SLATE_EVENT(FOnClicked, OnClicked)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	/** Space between the border and the content. */
	// unconfirmed: the engine's default comes from the button style; the host uses FMargin(4, 2).
	SLATE_ATTRIBUTE(FMargin, ContentPadding)
	/** How the button looks; the default button style when not given. */
	SLATE_STYLE_ARGUMENT(FButtonStyle, ButtonStyle)
	SLATE_END_ARGS()

	SButton() = default;

	/** Sets the content (or text), padding, alignment and click delegate. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** Replaces the click delegate. */
	SLATE_API void SetOnClicked(FOnClicked InOnClicked);
	/** Sets the space between the border and the content. */
	SLATE_API void SetContentPadding(TAttribute<FMargin> InContentPadding);
	/** Sets how the button looks; null for the default style. */
	SLATE_API void SetButtonStyle(const FButtonStyle* InButtonStyle);
	/** Host only: the button's style. */
	const FButtonStyle& HostGetButtonStyle() const { return *Style; }

	/** Runs the click delegate as a click would; the reply is dropped. */
	SLATE_API void SimulateClick();

protected:
	/** Runs the click delegate; unbound (or bound to a dead object) answers Handled, as in the engine. */
	SLATE_API FReply ExecuteOnClick();

	FOnClicked OnClicked;

private:
	friend class FSlateTestKit;

	const FButtonStyle* Style = &FButtonStyle::GetDefault();
};
