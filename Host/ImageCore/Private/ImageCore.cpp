// Copyright Kelmora. All Rights Reserved.
#include "ImageCore.h"

#include "Modules/ModuleManager.h"

int64 ERawImageFormat::GetBytesPerPixel(Type Format)
{
	switch (Format)
	{
	case G8:
		return 1;
	case BGRA8:
	case BGRE8:
		return 4;
	case RGBA16:
	case RGBA16F:
		return 8;
	case RGBA32F:
		return 16;
	case G16:
	case R16F:
		return 2;
	case R32F:
		return 4;
	default:
		checkf(false, TEXT("Invalid raw image format"));
		return 0;
	}
}

void FImage::Init(int32 InSizeX, int32 InSizeY, ERawImageFormat::Type InFormat, EGammaSpace InGammaSpace)
{
	SizeX = InSizeX;
	SizeY = InSizeY;
	NumSlices = 1;
	Format = InFormat;
	GammaSpace = InGammaSpace;
	const int64 Bytes = GetImageSizeBytes();
	// The engine's arrays here are 64-bit; the host's hold at most 2 GiB, and says so instead of wrapping.
	checkf(Bytes >= 0 && Bytes <= TNumericLimits<int32>::Max(), TEXT("FImage of %lld bytes exceeds the host's array size"), static_cast<long long>(Bytes));
	RawData.Empty();
	RawData.AddUninitialized(static_cast<int32>(Bytes));
}

IMPLEMENT_MODULE(FDefaultModuleImpl, ImageCore)
