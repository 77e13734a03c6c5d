// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ImageUtils.h: reading a render target into an image, and writing an image
// with the encoder its file name's extension picks.
#pragma once

#include "CoreMinimal.h"
#include "ImageCore.h"

class UTextureRenderTarget;

/** Image helpers of the engine. */
class ENGINE_API FImageUtils
{
public:
	/**
	 * Gets the contents of a render target into an image: a PF_FloatRGBA surface as RGBA16F (linear), a
	 * PF_B8G8R8A8 surface as BGRA8 (sRGB unless the display gamma is 1).
	 * @return false without a resource, for a surface format the host does not store, or for an image
	 *         larger than the host's 2 GiB arrays
	 */
	static bool GetRenderTargetImage(UTextureRenderTarget* TexRT, FImage& OutImage);

	/** Encodes with the format the file name's extension names and writes the file; false when the extension is unknown or either step fails. */
	static bool SaveImageByExtension(const TCHAR* Filename, const FImageView& InImage, int32 Quality = 0);

	/** Encodes with the format the extension names (a file name or a bare extension). */
	static bool CompressImage(TArray64<uint8>& OutData, const TCHAR* ToFormatExtension, const FImageView& InImage, int32 Quality = 0);
};
