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

	/** Appends the RGBE record of one linear pixel (alpha ignored). */
	void AppendRGBE(TArray<uint8>& Buffer, const FFloat16Color& Pixel)
	{
		const float R = FiniteComponent(Pixel.R.GetFloat());
		const float G = FiniteComponent(Pixel.G.GetFloat());
		const float B = FiniteComponent(Pixel.B.GetFloat());
		const float M = FMath::Max(R, FMath::Max(G, B));
		if (M < 1e-32f)
		{
			Buffer.Add(0);
			Buffer.Add(0);
			Buffer.Add(0);
			Buffer.Add(0);
			return;
		}
		int Exponent = 0;
		const float Mantissa = std::frexp(M, &Exponent);
		const float Factor = static_cast<float>(static_cast<double>(Mantissa) * 256.0 / static_cast<double>(M));
		Buffer.Add(ToByte(Factor * R));
		Buffer.Add(ToByte(Factor * G));
		Buffer.Add(ToByte(Factor * B));
		Buffer.Add(static_cast<uint8>(FMath::Clamp(Exponent + 128, 0, 255)));
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

	TArray<uint8> Buffer;
	Buffer.Reserve(HeaderUtf8.Length() + HalfPixels.Num() * 4);
	Buffer.Append(reinterpret_cast<const uint8*>(HeaderUtf8.Get()), HeaderUtf8.Length());
	// Top row first, as the "-Y" orientation of the header says; every scanline is written flat.
	for (const FFloat16Color& Pixel : HalfPixels)
	{
		AppendRGBE(Buffer, Pixel);
	}

	return FFileHelper::SaveArrayToFile(Buffer, *FilePath);
}
