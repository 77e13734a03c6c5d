// Copyright Kelmora. All Rights Reserved.
// The library-backed encoders behind the host's image wrappers.
#pragma once

#include "CoreMinimal.h"
#include "ImageCore.h"

#include <vector>

namespace UE::ImageWrapper::Host
{
	/** PNG through libpng: 8-bit for 8-bit images, 16-bit linear for 16-bit and float images. */
	bool EncodePng(const FImageView& Image, std::vector<uint8>& Out);
	/** JPEG through libjpeg-turbo, 8-bit sRGB, quality 1..100. */
	bool EncodeJpeg(const FImageView& Image, int32 Quality, std::vector<uint8>& Out);
	/** OpenEXR, ZIP compressed (the engine's default compression; unconfirmed for 5.6), on OpenEXR's global thread pool: float images keep their channel type, others are stored as half. */
	bool EncodeExr(const FImageView& Image, std::vector<uint8>& Out);

	/** One pixel's linear RGBA (8-bit values decoded by the image's gamma). */
	void ReadLinearPixel(const FImageView& Image, int64 Index, float OutRGBA[4]);
}
