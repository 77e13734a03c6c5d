// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Brushes/SlateImageBrush.h.
#pragma once

#include "CoreMinimal.h"
#include "Styling/SlateBrush.h"

/** A brush drawing a vector image file (.svg). */
struct FSlateVectorImageBrush : public FSlateBrush
{
	// unconfirmed: the engine adds tint and tiling parameters with defaults; the host takes the path and size.
	FSlateVectorImageBrush(const FString& ImagePath, const FVector2D& InImageSize)
	{
		ResourceName = FName(*ImagePath);
		ImageSize = InImageSize;
	}
};
