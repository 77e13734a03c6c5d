// Copyright Kelmora. All Rights Reserved.
// Test-side render targets: made in the transient package and filled pixel by pixel.
#pragma once

#include "CoreMinimal.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Templates/Function.h"

namespace OrvaneKit
{
	/** A target of the size and format, with its resource (pixels all clear colour until written). */
	UTextureRenderTarget2D* MakeRenderTarget(int32 Width, int32 Height, ETextureRenderTargetFormat Format, float Gamma = 0.0f, bool bForceLinearGamma = false);

	/** Writes every pixel with the colour the function gives for (X, Y). */
	void FillRenderTarget(UTextureRenderTarget2D& Target, TFunctionRef<FLinearColor(int32 X, int32 Y)> ColorAt);
}
