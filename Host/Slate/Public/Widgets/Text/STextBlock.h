// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Text/STextBlock.h: the text, font and colour rule, without wrapping.
#pragma once

#include "CoreMinimal.h"
#include "Fonts/SlateFontInfo.h"
#include "Styling/SlateColor.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

/** A piece of static text. */
class STextBlock : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(STextBlock) {}
	/** The text shown. */
	SLATE_ATTRIBUTE(FText, Text)
	/** The font; the normal text font when not given. */
	SLATE_ATTRIBUTE(FSlateFontInfo, Font)
	/** The text colour. */
	SLATE_ATTRIBUTE(FSlateColor, ColorAndOpacity)
	SLATE_END_ARGS()

	STextBlock() = default;

	/** Sets the text. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** The text shown, read from its attribute. */
	const FText& GetText() const { return BoundText.Get(FText::GetEmpty()); }
	/** Sets the text or its binding. */
	// unconfirmed: 5.6 may take TAttribute<FText> by value; callers passing FText or an attribute compile either way.
	SLATE_API void SetText(const TAttribute<FText>& InText);

	/** Sets the font. */
	void SetFont(const TAttribute<FSlateFontInfo>& InFont) { Font = InFont; }
	/** The font, read from its attribute. */
	FSlateFontInfo GetFont() const { return Font.Get(FSlateFontInfo()); }
	/** The text colour, read from its attribute. */
	FSlateColor GetColorAndOpacity() const { return ColorAndOpacity.Get(FSlateColor()); }

private:
	TAttribute<FText> BoundText;
	TAttribute<FSlateFontInfo> Font;
	TAttribute<FSlateColor> ColorAndOpacity;
};
