// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Styling/SlateBrush.h: nothing is drawn, a brush keeps its image and size.
#pragma once

#include "CoreMinimal.h"
#include "Math/Vector2D.h"

/** How a widget draws an area: an image resource at a size. */
struct FSlateBrush
{
	FSlateBrush() = default;
	virtual ~FSlateBrush() = default;

	/** The image resource (a file path for image brushes); none for plain brushes. */
	FName GetResourceName() const { return ResourceName; }
	/** The size the image is drawn at. */
	const FVector2D& GetImageSize() const { return ImageSize; }

	/** Host only: the style name the brush was registered under in its style set; none for a brush made in place. */
	FName HostStyleName;

	FVector2D ImageSize = FVector2D(32.0, 32.0);

protected:
	FName ResourceName;
};
