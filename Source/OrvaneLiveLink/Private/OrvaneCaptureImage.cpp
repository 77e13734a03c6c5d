// Copyright Kelmora. All Rights Reserved.
#include "OrvaneCaptureImage.h"

#include "Engine/TextureRenderTarget2D.h"
#include "IImageWrapper.h"
#include "IImageWrapperModule.h"
#include "ImageCore.h"
#include "ImageUtils.h"
#include "Misc/FileHelper.h"
#include "Modules/ModuleManager.h"
#include "TextureResource.h"

#include <cmath>
#include <cstring>

namespace
{
	/**
	 * Reads the whole target as half-float RGBA, top row first. Fails without a resource, on a surface that
	 * is not RGBA16F (the read-back does not convert), and when the pixels widened to 32-bit floats would not
	 * fit an array, so that no size computed from them can wrap.
	 */
	bool ReadHalfFloatPixels(UTextureRenderTarget2D* RenderTarget, TArray<FFloat16Color>& OutPixels)
	{
		if (!RenderTarget)
		{
			return false;
		}
		FTextureRenderTargetResource* Resource = RenderTarget->GameThread_GetRenderTargetResource();
		if (!Resource || RenderTarget->GetFormat() != PF_FloatRGBA)
		{
			return false;
		}
		const int64 Width = RenderTarget->SizeX;
		const int64 Height = RenderTarget->SizeY;
		if (Width <= 0 || Height <= 0 || Width * Height > TNumericLimits<int32>::Max() / 16)
		{
			return false;
		}
		return Resource->ReadFloat16Pixels(OutPixels) && OutPixels.Num() == Width * Height;
	}

	/** A component made finite: NaN and -infinity count as 0, +infinity as the largest finite float. */
	float FiniteComponent(float Value)
	{
		if (std::isnan(Value))
		{
			return 0.0f;
		}
		if (std::isinf(Value))
		{
			return Value > 0.0f ? TNumericLimits<float>::Max() : 0.0f;
		}
		return Value;
	}

	/** Truncates toward zero and clamps to 0..255 without converting an out-of-range float to an integer. */
	uint8 ToByte(float Value)
	{
		if (!(Value > 0.0f))
		{
			return 0;
		}
		return Value >= 255.0f ? 255 : static_cast<uint8>(Value);
	}

	/** Writes the RGBE record of one linear pixel (alpha ignored) to Out[0..3]. */
	void EncodeRGBE(const FFloat16Color& Pixel, uint8* Out)
	{
		const float R = FiniteComponent(Pixel.R.GetFloat());
		const float G = FiniteComponent(Pixel.G.GetFloat());
		const float B = FiniteComponent(Pixel.B.GetFloat());
		const float M = FMath::Max(R, FMath::Max(G, B));
		if (M < 1e-32f)
		{
			Out[0] = 0;
			Out[1] = 0;
			Out[2] = 0;
			Out[3] = 0;
			return;
		}
		// frexp's split of M, read from its bits: M is at least 1e-32, so always a normal float, and
		// M = F * 2^E with 0.5 <= F < 1 where E is the biased exponent minus 126. The factor F * 256 / M is
		// then exactly 2^(8 - E), a normal float for every such M, built here from its bits.
		uint32 Bits = 0;
		std::memcpy(&Bits, &M, sizeof(Bits));
		const int32 BiasedExponent = static_cast<int32>((Bits >> 23) & 0xFF);
		const int32 Exponent = BiasedExponent - 126;
		const uint32 FactorBits = static_cast<uint32>(8 - Exponent + 127) << 23;
		float Factor = 0.0f;
		std::memcpy(&Factor, &FactorBits, sizeof(Factor));
		Out[0] = ToByte(Factor * R);
		Out[1] = ToByte(Factor * G);
		Out[2] = ToByte(Factor * B);
		Out[3] = static_cast<uint8>(FMath::Clamp(Exponent + 128, 0, 255));
	}
}

bool UOrvaneCaptureImg::SaveImageToFile(UTextureRenderTarget2D* RenderTarget, const FString& FilePath, EOrvaneCaptureFormat Format)
{
	if (!RenderTarget)
	{
		return false;
	}

	// The extension picks the encoder; the format only chooses the fallback below.
	FImage Image;
	if (FImageUtils::GetRenderTargetImage(RenderTarget, Image) && FImageUtils::SaveImageByExtension(*FilePath, Image))
	{
		return true;
	}

	switch (Format)
	{
	case EOrvaneCaptureFormat::EXR:
		return SaveEXRImage(RenderTarget, FilePath);
	case EOrvaneCaptureFormat::HDR:
		return SaveHDRImage(RenderTarget, FilePath);
	default:
		return false;
	}
}

bool UOrvaneCaptureImg::SaveEXRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath)
{
	TArray<FFloat16Color> HalfPixels;
	if (!ReadHalfFloatPixels(RenderTarget, HalfPixels))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to read Float16 pixels for EXR"));
		return false;
	}

	const int32 Width = RenderTarget->SizeX;
	const int32 Height = RenderTarget->SizeY;
	TArray<float> FloatPixels;
	FloatPixels.Reserve(HalfPixels.Num() * 4);
	for (const FFloat16Color& Pixel : HalfPixels)
	{
		FloatPixels.Add(Pixel.R.GetFloat());
		FloatPixels.Add(Pixel.G.GetFloat());
		FloatPixels.Add(Pixel.B.GetFloat());
		FloatPixels.Add(Pixel.A.GetFloat());
	}

	IImageWrapperModule& ImageWrapperModule = FModuleManager::LoadModuleChecked<IImageWrapperModule>(TEXT("ImageWrapper"));
	TSharedPtr<IImageWrapper> ImageWrapper = ImageWrapperModule.CreateImageWrapper(EImageFormat::EXR);
	if (!ImageWrapper.IsValid())
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to create EXR wrapper"));
		return false;
	}

	const int64 RawSize = static_cast<int64>(FloatPixels.Num()) * static_cast<int64>(sizeof(float));
	if (!ImageWrapper->SetRaw(FloatPixels.GetData(), RawSize, Width, Height, ERGBFormat::RGBAF, 32))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to set EXR raw data"));
		return false;
	}

	const TArray64<uint8> Compressed = ImageWrapper->GetCompressed();
	if (Compressed.Num() == 0)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to compress EXR"));
		return false;
	}

	return FFileHelper::SaveArrayToFile(Compressed, *FilePath);
}

bool UOrvaneCaptureImg::SaveHDRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath)
{
	TArray<FFloat16Color> HalfPixels;
	if (!ReadHalfFloatPixels(RenderTarget, HalfPixels))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to read Float16 pixels for HDR"));
		return false;
	}

	const FString Header = FString::Printf(TEXT("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y %d +X %d\n"), RenderTarget->SizeY, RenderTarget->SizeX);
	const FTCHARToUTF8 HeaderUtf8(*Header);

	// The read-back guarantees that four bytes a pixel plus the header fit an array.
	TArray<uint8> Buffer;
	Buffer.SetNumUninitialized(HeaderUtf8.Length() + HalfPixels.Num() * 4);
	uint8* Out = Buffer.GetData();
	std::memcpy(Out, HeaderUtf8.Get(), HeaderUtf8.Length());
	Out += HeaderUtf8.Length();
	// Top row first, as the "-Y" orientation of the header says; every scanline is written flat.
	for (const FFloat16Color& Pixel : HalfPixels)
	{
		EncodeRGBE(Pixel, Out);
		Out += 4;
	}

	return FFileHelper::SaveArrayToFile(Buffer, *FilePath);
}
