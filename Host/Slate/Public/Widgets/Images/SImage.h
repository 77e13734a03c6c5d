// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/Images/SImage.h.
#pragma once

#include "CoreMinimal.h"
#include "Styling/SlateBrush.h"
#include "Widgets/DeclarativeSyntaxSupport.h"
#include "Widgets/SLeafWidget.h"

/** Draws a brush. */
class SImage : public SLeafWidget
{
public:
	SLATE_BEGIN_ARGS(SImage)
		: _Image(nullptr)
	{
	}
	/** The brush drawn. */
	SLATE_ATTRIBUTE(const FSlateBrush*, Image)
	SLATE_END_ARGS()

	SImage() = default;

	void Construct(const FArguments& InArgs) { Image = InArgs._Image; }

	/** Sets the brush. */
	void SetImage(TAttribute<const FSlateBrush*> InImage) { Image = MoveTemp(InImage); }
	/** Host only: the brush drawn, or null. */
	const FSlateBrush* HostGetImage() const { return Image.Get(nullptr); }

private:
	TAttribute<const FSlateBrush*> Image;
};
