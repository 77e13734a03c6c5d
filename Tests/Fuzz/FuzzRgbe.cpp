// Copyright Kelmora. All Rights Reserved.
// Any pixels (NaN, infinities, subnormals, both signs) through the Radiance writer; every record must be the
// one the RGBE formula gives, computed here the slow way with the C library's frexp.
#include "CoreMinimal.h"
#include "Engine/HostRenderTargetPixels.h"
#include "Engine/TextureRenderTarget2D.h"
#include "FuzzSupport.h"
#include "OrvaneCaptureImage.h"
#include "RenderTargetKit.h"

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <limits>
#include <map>
#include <string>
#include <utility>
#include <vector>

/** Reaches the writer the capture functions keep to themselves. */
struct FOrvaneCaptureImgTestAccess
{
	static bool SaveHDRImage(UTextureRenderTarget2D* Target, const FString& Path) { return UOrvaneCaptureImg::SaveHDRImage(Target, Path); }
};

namespace
{
	using UE::Engine::Host::FRenderTargetPixels;

	constexpr int32 MaxWidth = 8;
	constexpr int32 MaxPixels = 256;

	/** One half-float target per size, kept for the whole run so the object count stays flat. */
	UTextureRenderTarget2D* TargetOfSize(int32 Width, int32 Height)
	{
		static std::map<std::pair<int32, int32>, UTextureRenderTarget2D*> Targets;
		UTextureRenderTarget2D*& Target = Targets[{Width, Height}];
		if (!Target)
		{
			Target = OrvaneKit::MakeRenderTarget(Width, Height, RTF_RGBA16f, 1.0f, true);
			Target->AddToRoot();
		}
		return Target;
	}

	/** A component as the encoder must see it: NaN and -infinity as 0, +infinity as the largest float. */
	float Finite(float Value)
	{
		if (std::isnan(Value))
		{
			return 0.0f;
		}
		if (std::isinf(Value))
		{
			return Value > 0.0f ? std::numeric_limits<float>::max() : 0.0f;
		}
		return Value;
	}

	uint8_t ReferenceByte(float Product)
	{
		if (!(Product > 0.0f))
		{
			return 0;
		}
		const double Truncated = std::trunc(static_cast<double>(Product));
		return static_cast<uint8_t>(std::min(Truncated, 255.0));
	}

	/** The RGBE record of one pixel, step by step as the format defines it. */
	void ReferenceRecord(const FLinearColor& Pixel, uint8_t* Out)
	{
		const float R = Finite(Pixel.R);
		const float G = Finite(Pixel.G);
		const float B = Finite(Pixel.B);
		const float M = std::max(R, std::max(G, B));
		if (M < 1e-32f)
		{
			std::memset(Out, 0, 4);
			return;
		}
		int Exponent = 0;
		const double Mantissa = std::frexp(static_cast<double>(M), &Exponent);
		const float Factor = static_cast<float>(Mantissa * 256.0 / static_cast<double>(M));
		Out[0] = ReferenceByte(Factor * R);
		Out[1] = ReferenceByte(Factor * G);
		Out[2] = ReferenceByte(Factor * B);
		Out[3] = static_cast<uint8_t>(std::clamp(Exponent + 128, 0, 255));
	}

	float ReadFloat(const uint8_t* Bytes)
	{
		float Value = 0.0f;
		std::memcpy(&Value, Bytes, sizeof(Value));
		return Value;
	}

	FFloat16 ReadHalf(const uint8_t* Bytes)
	{
		FFloat16 Value;
		Value.Encoded = static_cast<uint16>(Bytes[0] | (Bytes[1] << 8));
		return Value;
	}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	OrvaneFuzz::QuietLog();
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	if (Size < 2)
	{
		return 0;
	}
	// First byte: the width and whether the pixels come as 32-bit floats (converted to half as a render
	// target stores them) or as raw half bits. The rest: R, G, B of each pixel.
	const bool bRawHalf = (Data[0] & 0x80) != 0;
	const int32 Width = 1 + (Data[0] & (MaxWidth - 1));
	const size_t ComponentSize = bRawHalf ? 2 : 4;
	const int32 PixelCount = std::min<int32>(MaxPixels, static_cast<int32>((Size - 1) / (ComponentSize * 3)));
	if (PixelCount == 0)
	{
		return 0;
	}
	const int32 Height = (PixelCount + Width - 1) / Width;
	UTextureRenderTarget2D* Target = TargetOfSize(Width, Height);
	const uint8_t* Pixels = Data + 1;
	for (int32 Index = 0; Index < Width * Height; ++Index)
	{
		FFloat16Color Pixel(FLinearColor(0.0f, 0.0f, 0.0f, 1.0f));
		if (Index < PixelCount)
		{
			const uint8_t* At = Pixels + static_cast<size_t>(Index) * ComponentSize * 3;
			if (bRawHalf)
			{
				Pixel.R = ReadHalf(At);
				Pixel.G = ReadHalf(At + 2);
				Pixel.B = ReadHalf(At + 4);
			}
			else
			{
				Pixel.R = FFloat16(ReadFloat(At));
				Pixel.G = FFloat16(ReadFloat(At + 4));
				Pixel.B = FFloat16(ReadFloat(At + 8));
			}
		}
		FRenderTargetPixels::WriteFloat16(*Target, Index % Width, Index / Width, Pixel);
	}

	static const std::string Path = []()
	{
		static std::string Made = "/tmp/orvane-fuzz-rgbe-" + std::to_string(getpid()) + ".hdr";
		std::atexit([]()
			{ std::remove(Made.c_str()); });
		return Made;
	}();
	OrvaneFuzz::Check(FOrvaneCaptureImgTestAccess::SaveHDRImage(Target, FString(Path.c_str())), "the writer writes a readable target");
	std::ifstream File(Path, std::ios::binary);
	const std::vector<uint8_t> Bytes((std::istreambuf_iterator<char>(File)), std::istreambuf_iterator<char>());

	const std::string Header = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y " + std::to_string(Height) + " +X " + std::to_string(Width) + "\n";
	OrvaneFuzz::Check(Bytes.size() == Header.size() + static_cast<size_t>(Width * Height) * 4, "the header and one record a pixel");
	OrvaneFuzz::Check(std::equal(Header.begin(), Header.end(), Bytes.begin()), "the header names the size");
	for (int32 Index = 0; Index < Width * Height; ++Index)
	{
		uint8_t Expected[4];
		ReferenceRecord(FRenderTargetPixels::Read(*Target, Index % Width, Index / Width), Expected);
		OrvaneFuzz::Check(std::memcmp(Expected, Bytes.data() + Header.size() + static_cast<size_t>(Index) * 4, 4) == 0, "the record the formula gives");
	}
	return 0;
}
