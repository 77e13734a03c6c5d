// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's IImageWrapper.h: image formats and the encoder interface. The host writes
// PNG with libpng, JPEG with libjpeg-turbo and EXR with OpenEXR.
#pragma once

#include "CoreMinimal.h"
#include "ImageCore.h"

/** Image file formats, with the engine's values. */
enum class EImageFormat : int8
{
	Invalid = -1,
	PNG = 0,
	JPEG,
	GrayscaleJPEG,
	BMP,
	ICO,
	EXR,
	ICNS,
	TGA,
	HDR,
	TIFF,
	DDS,
	UEJPEG,
	GrayscaleUEJPEG,
};

/** Channel layouts of raw pixels handed to a wrapper, with the engine's values. */
enum class ERGBFormat : int8
{
	Invalid = -1,
	RGBA = 0,
	BGRA = 1,
	Gray = 2,
	RGBAF = 3,
	BGRE = 4,
	GrayF = 5,
};

/** Quality arguments of GetCompressed; other values are a JPEG quality in 1..100. */
enum class EImageCompressionQuality : uint8
{
	Default = 0,
	Uncompressed = 1,
	Max = 100,
};

/** Encodes raw pixels into one image file format. */
class IImageWrapper
{
public:
	virtual ~IImageWrapper() = default;

	/**
	 * Hands the wrapper the pixels to encode (copied).
	 * @return false when the format cannot take this layout and depth, or the size does not match
	 */
	virtual bool SetRaw(const void* InRawData, int64 InRawSize, const int32 InWidth, const int32 InHeight, const ERGBFormat InFormat, const int32 InBitDepth, const int32 InBytesPerRow = 0) = 0;

	/** The encoded file bytes; empty on failure. */
	virtual TArray64<uint8> GetCompressed(int32 Quality = 0) = 0;

	virtual int64 GetWidth() const = 0;
	virtual int64 GetHeight() const = 0;
};
