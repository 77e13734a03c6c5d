// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ImageCore.h: a raw image in memory (FImage) and a view of one (FImageView).
#pragma once

#include "CoreMinimal.h"
#include "Math/Color.h"

/** Pixel layouts of raw images. */
namespace ERawImageFormat
{
	enum Type : uint8
	{
		G8,
		BGRA8,
		BGRE8,
		RGBA16,
		RGBA16F,
		RGBA32F,
		G16,
		R16F,
		R32F,
		MAX,
		Invalid = 0xFF
	};

	/** Bytes of one pixel of the format. */
	IMAGECORE_API int64 GetBytesPerPixel(Type Format);
}

/** The size, layout and gamma of an image. */
struct IMAGECORE_API FImageInfo
{
	int32 SizeX = 0;
	int32 SizeY = 0;
	int32 NumSlices = 0;
	ERawImageFormat::Type Format = ERawImageFormat::Invalid;
	EGammaSpace GammaSpace = EGammaSpace::Linear;

	FImageInfo() = default;
	FImageInfo(int32 InSizeX, int32 InSizeY, int32 InNumSlices, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace)
		: SizeX(InSizeX)
		, SizeY(InSizeY)
		, NumSlices(InNumSlices)
		, Format(InFormat)
		, GammaSpace(InGammaSpace)
	{
	}

	int64 GetNumPixels() const { return int64(SizeX) * SizeY * NumSlices; }
	int64 GetBytesPerPixel() const { return ERawImageFormat::GetBytesPerPixel(Format); }
	int64 GetImageSizeBytes() const { return GetNumPixels() * GetBytesPerPixel(); }
};

/** An image that owns its pixels. */
struct IMAGECORE_API FImage : public FImageInfo
{
	/** Pixels, rows packed top to bottom. */
	TArray64<uint8> RawData;

	FImage() = default;
	FImage(int32 InSizeX, int32 InSizeY, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace = EGammaSpace::Linear)
	{
		Init(InSizeX, InSizeY, InFormat, InGammaSpace);
	}

	/** Sets the layout and allocates the pixels. */
	void Init(int32 InSizeX, int32 InSizeY, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace = EGammaSpace::Linear);
};

/** An image whose pixels belong to someone else. */
struct IMAGECORE_API FImageView : public FImageInfo
{
	void* RawData = nullptr;

	FImageView() = default;
	FImageView(const FImage& Image)
		: FImageInfo(Image)
		, RawData(const_cast<uint8*>(Image.RawData.GetData()))
	{
	}
	FImageView(const void* InRawData, int32 InSizeX, int32 InSizeY, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace = EGammaSpace::Linear)
		: FImageInfo(InSizeX, InSizeY, 1, InFormat, InGammaSpace)
		, RawData(const_cast<void*>(InRawData))
	{
	}
};
