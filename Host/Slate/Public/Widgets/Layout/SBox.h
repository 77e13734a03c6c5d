// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Layout/SBox.h: the size overrides are recorded, not applied.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Margin.h"
#include "Types/SlateEnums.h"
#include "Types/SlateStructs.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SCompoundWidget.h"
#include "Widgets/SPanel.h"

/** A panel with one child whose size can be overridden. */
class SBox : public SPanel
{
public:
	SLATE_BEGIN_ARGS(SBox)
		: _HAlign(HAlign_Fill)
		, _VAlign(VAlign_Fill)
		, _Padding(FMargin(0.0f))
	{
	}
	SLATE_DEFAULT_SLOT(FArguments, Content)
	SLATE_ARGUMENT(EHorizontalAlignment, HAlign)
	SLATE_ARGUMENT(EVerticalAlignment, VAlign)
	SLATE_ATTRIBUTE(FMargin, Padding)
	SLATE_ATTRIBUTE(FOptionalSize, WidthOverride)
	SLATE_ATTRIBUTE(FOptionalSize, HeightOverride)
	SLATE_ATTRIBUTE(FOptionalSize, MinDesiredWidth)
	SLATE_ATTRIBUTE(FOptionalSize, MinDesiredHeight)
	SLATE_ATTRIBUTE(FOptionalSize, MaxDesiredWidth)
	SLATE_ATTRIBUTE(FOptionalSize, MaxDesiredHeight)
	SLATE_END_ARGS()

	SLATE_API SBox();

	/** Sets the content, alignment, padding and size overrides. */
	SLATE_API void Construct(const FArguments& InArgs);

	SLATE_API FChildren* GetChildren() override;

	/** Replaces the content. */
	SLATE_API void SetContent(const TSharedRef<SWidget>& InContent);
	/** Sets the padding around the content. */
	SLATE_API void SetPadding(TAttribute<FMargin> InPadding);
	/** Sets the width the box reports, overriding the content's. */
	SLATE_API void SetWidthOverride(TAttribute<FOptionalSize> InWidthOverride);
	/** Sets the height the box reports, overriding the content's. */
	SLATE_API void SetHeightOverride(TAttribute<FOptionalSize> InHeightOverride);
	/** Sets the smallest width the box reports. */
	SLATE_API void SetMinDesiredWidth(TAttribute<FOptionalSize> InMinDesiredWidth);
	/** Sets the smallest height the box reports. */
	SLATE_API void SetMinDesiredHeight(TAttribute<FOptionalSize> InMinDesiredHeight);
	/** Sets the largest width the box reports. */
	SLATE_API void SetMaxDesiredWidth(TAttribute<FOptionalSize> InMaxDesiredWidth);
	/** Sets the largest height the box reports. */
	SLATE_API void SetMaxDesiredHeight(TAttribute<FOptionalSize> InMaxDesiredHeight);

	/** Host only: the recorded width override, unset when none. */
	FOptionalSize GetWidthOverride() const { return WidthOverride.Get(FOptionalSize()); }
	/** Host only: the recorded height override, unset when none. */
	FOptionalSize GetHeightOverride() const { return HeightOverride.Get(FOptionalSize()); }
	/** Host only: the recorded smallest width, unset when none. */
	FOptionalSize HostGetMinDesiredWidth() const { return MinDesiredWidth.Get(FOptionalSize()); }
	/** Host only: the padding around the content. */
	FMargin HostGetPadding() const { return ChildSlot.GetPadding(); }

protected:
	FCompoundWidgetOneChildSlot ChildSlot;

private:
	TAttribute<FOptionalSize> WidthOverride;
	TAttribute<FOptionalSize> HeightOverride;
	TAttribute<FOptionalSize> MinDesiredWidth;
	TAttribute<FOptionalSize> MinDesiredHeight;
	TAttribute<FOptionalSize> MaxDesiredWidth;
	TAttribute<FOptionalSize> MaxDesiredHeight;
};
