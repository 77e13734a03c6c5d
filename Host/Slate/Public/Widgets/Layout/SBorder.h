// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Layout/SBorder.h, without brushes or colours.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Margin.h"
#include "Styling/SlateBrush.h"
#include "Types/SlateEnums.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"

/** A widget with one piece of content inside a padded border. */
class SBorder : public SCompoundWidget
{
public:
	SLATE_BEGIN_ARGS(SBorder)
		: _HAlign(HAlign_Fill)
		, _VAlign(VAlign_Fill)
		, _Padding(FMargin(2.0f))
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	/** The brush the border is drawn with. */
	// unconfirmed: the engine's default is the "Border" brush of the core style; the host leaves it unset.
	SLATE_ATTRIBUTE(const FSlateBrush*, BorderImage)
	SLATE_END_ARGS()

	SBorder() = default;

	/** Sets the content, alignment and padding. */
	SLATE_API void Construct(const FArguments& InArgs);

	/** Replaces the content. */
	SLATE_API void SetContent(TSharedRef<SWidget> InContent);
	/** The content; the null widget when there is none. */
	SLATE_API const TSharedRef<SWidget>& GetContent() const;
	/** Removes the content. */
	SLATE_API void ClearContent();
	/** Sets the padding between the border and the content. */
	SLATE_API void SetPadding(TAttribute<FMargin> InPadding);
	/** Sets the horizontal alignment of the content. */
	SLATE_API void SetHAlign(EHorizontalAlignment HAlign);
	/** Sets the vertical alignment of the content. */
	SLATE_API void SetVAlign(EVerticalAlignment VAlign);
	/** Sets the brush the border is drawn with. */
	void SetBorderImage(TAttribute<const FSlateBrush*> InBorderImage) { BorderImage = MoveTemp(InBorderImage); }
	/** Host only: the brush the border is drawn with; null when none was given. */
	const FSlateBrush* HostGetBorderImage() const { return BorderImage.Get(nullptr); }
	/** Host only: the padding between the border and the content. */
	FMargin HostGetPadding() const { return ChildSlot.GetPadding(); }

private:
	TAttribute<const FSlateBrush*> BorderImage;
};
