// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Text/STextBlock.h: the text only, without font, colour or wrapping.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

/** A piece of static text. */
class STextBlock : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(STextBlock) {}
	/** The text shown. */
	SLATE_ATTRIBUTE(FText, Text)
	SLATE_END_ARGS()

	STextBlock() = default;

	/** Sets the text. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** The text shown, read from its attribute. */
	const FText& GetText() const { return BoundText.Get(FText::GetEmpty()); }
	/** Sets the text or its binding. */
	// unconfirmed: 5.6 may take TAttribute<FText> by value; callers passing FText or an attribute compile either way.
	SLATE_API void SetText(const TAttribute<FText>& InText);

private:
	TAttribute<FText> BoundText;
};
