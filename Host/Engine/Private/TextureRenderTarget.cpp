// Copyright Kelmora. All Rights Reserved.
#include "Engine/TextureRenderTarget.h"
#include "Engine/HostRenderTargetPixels.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Engine/TextureRenderTargetCube.h"
#include "IImageWrapperModule.h"
#include "ImageUtils.h"
#include "Misc/FileHelper.h"
#include "Modules/ModuleManager.h"
#include "TextureResource.h"

#include <cstring>

DEFINE_LOG_CATEGORY_STATIC(LogImageUtils, Log, All);

float FRenderTarget::GetDisplayGamma() const
{
	return 2.2f;
}

bool FRenderTarget::ReadFloat16Pixels(TArray<FFloat16Color>& OutImageData, ECubeFace CubeFace)
{
	return HostReadSurfaceFloatData(OutImageData);
}

namespace
{
	FColor QuantiseColor(const FLinearColor& Value)
	{
		auto Channel = [](float C) -> uint8
		{
			if (!(C > 0.0f))
			{
				return 0;
			}
			return C >= 1.0f ? 255 : static_cast<uint8>(C * 255.0f + 0.5f);
		};
		return FColor(Channel(Value.R), Channel(Value.G), Channel(Value.B), Channel(Value.A));
	}
}

FTextureRenderTargetResource::FTextureRenderTargetResource(uint32 InSizeX, uint32 InSizeY, EPixelFormat InFormat, float InDisplayGamma, const FLinearColor& InClearColor)
	: SizeX(InSizeX)
	, SizeY(InSizeY)
	, Format(InFormat)
	, DisplayGamma(InDisplayGamma)
	, ClearColor(InClearColor)
{
}

void FTextureRenderTargetResource::Allocate()
{
	const size_t Count = static_cast<size_t>(SizeX) * SizeY;
	if (Format == PF_FloatRGBA && Float16Pixels.empty())
	{
		Float16Pixels.assign(Count, FFloat16Color(ClearColor));
	}
	else if (Format == PF_B8G8R8A8 && ColorPixels.empty())
	{
		ColorPixels.assign(Count, QuantiseColor(ClearColor));
	}
}

bool FTextureRenderTargetResource::HostReadSurfaceFloatData(TArray<FFloat16Color>& OutImageData) const
{
	// Unconfirmed for every RHI: the D3D RHIs check that the surface is PF_FloatRGBA before reading float data.
	checkf(Format == PF_FloatRGBA, TEXT("ReadFloat16Pixels only works on a PF_FloatRGBA surface"));
	const int64 Count = int64(SizeX) * SizeY;
	checkf(Count <= TNumericLimits<int32>::Max(), TEXT("ReadFloat16Pixels: %lld pixels exceed an array's size"), static_cast<long long>(Count));
	OutImageData.Reset();
	if (Float16Pixels.empty())
	{
		OutImageData.Init(FFloat16Color(ClearColor), static_cast<int32>(Count));
	}
	else
	{
		OutImageData.Append(Float16Pixels.data(), static_cast<int32>(Count));
	}
	return true;
}

UTextureRenderTarget::UTextureRenderTarget() = default;

UTextureRenderTarget::~UTextureRenderTarget()
{
	delete Resource;
}

FTextureRenderTargetResource* UTextureRenderTarget::GameThread_GetRenderTargetResource()
{
	return Resource;
}

FTextureResource* UTextureRenderTarget::GetResource() const
{
	return Resource;
}

float UTextureRenderTarget::GetDisplayGamma() const
{
	if (TargetGamma > UE_KINDA_SMALL_NUMBER * 10.0f)
	{
		return TargetGamma;
	}
	const EPixelFormat Format = GetFormat();
	if (Format == PF_FloatRGB || Format == PF_FloatRGBA || IsLinearGammaForced())
	{
		return 1.0f;
	}
	return 2.2f;
}

void UTextureRenderTarget::SetResource(FTextureRenderTargetResource* InResource)
{
	if (Resource != InResource)
	{
		delete Resource;
		Resource = InResource;
	}
}

EPixelFormat GetPixelFormatFromRenderTargetFormat(ETextureRenderTargetFormat RTFormat)
{
	switch (RTFormat)
	{
	case RTF_RGBA8:
	case RTF_RGBA8_SRGB:
		return PF_B8G8R8A8;
	case RTF_RGBA16f:
		return PF_FloatRGBA;
	case RTF_RGBA32f:
		return PF_A32B32G32R32F;
	default:
		return PF_Unknown;
	}
}

UTextureRenderTarget2D::UTextureRenderTarget2D()
	: bForceLinearGamma(false)
	, bAutoGenerateMips(false)
{
}

void UTextureRenderTarget2D::InitCustomFormat(uint32 InSizeX, uint32 InSizeY, EPixelFormat InOverrideFormat, bool bInForceLinearGamma)
{
	check(InSizeX > 0 && InSizeY > 0);
	SizeX = static_cast<int32>(InSizeX);
	SizeY = static_cast<int32>(InSizeY);
	OverrideFormat = InOverrideFormat;
	bForceLinearGamma = bInForceLinearGamma;
	UpdateResourceImmediate(true);
}

void UTextureRenderTarget2D::InitAutoFormat(uint32 InSizeX, uint32 InSizeY)
{
	check(InSizeX > 0 && InSizeY > 0);
	SizeX = static_cast<int32>(InSizeX);
	SizeY = static_cast<int32>(InSizeY);
	UpdateResourceImmediate(true);
}

void UTextureRenderTarget2D::UpdateResourceImmediate(bool bClearRenderTarget)
{
	FTextureRenderTargetResource* Old = GameThread_GetRenderTargetResource();
	auto* Fresh = new FTextureRenderTargetResource(static_cast<uint32>(FMath::Max(SizeX, 0)), static_cast<uint32>(FMath::Max(SizeY, 0)), GetFormat(), GetDisplayGamma(), ClearColor);
	if (!bClearRenderTarget && Old && Old->GetSizeX() == Fresh->GetSizeX() && Old->GetSizeY() == Fresh->GetSizeY() && Old->GetFormat() == Fresh->GetFormat())
	{
		UE::Engine::Host::FRenderTargetPixels::CopyStore(*Old, *Fresh);
	}
	SetResource(Fresh);
}

void UTextureRenderTarget2D::UpdateResource()
{
	UpdateResourceImmediate(true);
}

EPixelFormat UTextureRenderTarget2D::GetFormat() const
{
	return OverrideFormat == PF_Unknown ? GetPixelFormatFromRenderTargetFormat(RenderTargetFormat) : OverrideFormat.GetValue();
}

namespace UE::Engine::Host
{
	namespace
	{
		FTextureRenderTargetResource& ResourceOf(const UTextureRenderTarget2D& Target, int32 X, int32 Y)
		{
			FTextureRenderTargetResource* Resource = const_cast<UTextureRenderTarget2D&>(Target).GameThread_GetRenderTargetResource();
			checkf(Resource, TEXT("The render target has no resource"));
			checkf(X >= 0 && Y >= 0 && uint32(X) < Resource->GetSizeX() && uint32(Y) < Resource->GetSizeY(), TEXT("Pixel (%d, %d) is outside the render target"), X, Y);
			return *Resource;
		}
	}

	void FRenderTargetPixels::CopyStore(const FTextureRenderTargetResource& From, FTextureRenderTargetResource& To)
	{
		To.Float16Pixels = From.Float16Pixels;
		To.ColorPixels = From.ColorPixels;
	}

	void FRenderTargetPixels::Write(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FLinearColor& Value)
	{
		FTextureRenderTargetResource& Resource = ResourceOf(Target, X, Y);
		Resource.Allocate();
		const size_t Index = size_t(Y) * Resource.SizeX + size_t(X);
		if (Resource.Format == PF_FloatRGBA)
		{
			Resource.Float16Pixels[Index] = FFloat16Color(Value);
		}
		else if (Resource.Format == PF_B8G8R8A8)
		{
			Resource.ColorPixels[Index] = QuantiseColor(Value);
		}
		else
		{
			checkf(false, TEXT("The host stores only PF_FloatRGBA and PF_B8G8R8A8 surfaces"));
		}
	}

	void FRenderTargetPixels::WriteFloat16(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FFloat16Color& Value)
	{
		FTextureRenderTargetResource& Resource = ResourceOf(Target, X, Y);
		checkf(Resource.Format == PF_FloatRGBA, TEXT("Not a PF_FloatRGBA surface"));
		Resource.Allocate();
		Resource.Float16Pixels[size_t(Y) * Resource.SizeX + size_t(X)] = Value;
	}

	void FRenderTargetPixels::WriteColor(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FColor& Value)
	{
		FTextureRenderTargetResource& Resource = ResourceOf(Target, X, Y);
		checkf(Resource.Format == PF_B8G8R8A8, TEXT("Not a PF_B8G8R8A8 surface"));
		Resource.Allocate();
		Resource.ColorPixels[size_t(Y) * Resource.SizeX + size_t(X)] = Value;
	}

	FLinearColor FRenderTargetPixels::Read(const UTextureRenderTarget2D& Target, int32 X, int32 Y)
	{
		FTextureRenderTargetResource& Resource = ResourceOf(Target, X, Y);
		const size_t Index = size_t(Y) * Resource.SizeX + size_t(X);
		if (Resource.Format == PF_FloatRGBA)
		{
			const FFloat16Color Pixel = Resource.Float16Pixels.empty() ? FFloat16Color(Resource.ClearColor) : Resource.Float16Pixels[Index];
			return FLinearColor(Pixel.R.GetFloat(), Pixel.G.GetFloat(), Pixel.B.GetFloat(), Pixel.A.GetFloat());
		}
		const FColor Pixel = Resource.ColorPixels.empty() ? QuantiseColor(Resource.ClearColor) : Resource.ColorPixels[Index];
		return FLinearColor(Pixel.R / 255.0f, Pixel.G / 255.0f, Pixel.B / 255.0f, Pixel.A / 255.0f);
	}

	bool FRenderTargetPixels::IsAllocated(const UTextureRenderTarget2D& Target)
	{
		const FTextureRenderTargetResource* Resource = const_cast<UTextureRenderTarget2D&>(Target).GameThread_GetRenderTargetResource();
		return Resource && !(Resource->Float16Pixels.empty() && Resource->ColorPixels.empty());
	}
}

bool FImageUtils::GetRenderTargetImage(UTextureRenderTarget* TexRT, FImage& OutImage)
{
	FTextureRenderTargetResource* Resource = TexRT ? TexRT->GameThread_GetRenderTargetResource() : nullptr;
	if (!Resource)
	{
		return false;
	}
	const EPixelFormat Format = Resource->GetFormat();
	const int64 Pixels = int64(Resource->GetSizeX()) * Resource->GetSizeY();
	const int64 BytesPerPixel = Format == PF_FloatRGBA ? 8 : 4;
	if ((Format != PF_FloatRGBA && Format != PF_B8G8R8A8) || Pixels <= 0 || Pixels * BytesPerPixel > TNumericLimits<int32>::Max())
	{
		return false;
	}
	const int32 Width = static_cast<int32>(Resource->GetSizeX());
	const int32 Height = static_cast<int32>(Resource->GetSizeY());
	if (Format == PF_FloatRGBA)
	{
		OutImage.Init(Width, Height, ERawImageFormat::RGBA16F, EGammaSpace::Linear);
		UE::Engine::Host::FRenderTargetPixels::CopyFloat16(*Resource, OutImage.RawData.GetData());
	}
	else
	{
		OutImage.Init(Width, Height, ERawImageFormat::BGRA8, Resource->GetDisplayGamma() == 1.0f ? EGammaSpace::Linear : EGammaSpace::sRGB);
		UE::Engine::Host::FRenderTargetPixels::CopyColor(*Resource, OutImage.RawData.GetData());
	}
	return true;
}

namespace UE::Engine::Host
{
	void FRenderTargetPixels::CopyFloat16(const FTextureRenderTargetResource& Resource, uint8* Out)
	{
		const size_t Count = size_t(Resource.SizeX) * Resource.SizeY;
		if (Resource.Float16Pixels.empty())
		{
			const FFloat16Color Clear(Resource.ClearColor);
			for (size_t Index = 0; Index < Count; ++Index)
			{
				std::memcpy(Out + Index * sizeof(Clear), &Clear, sizeof(Clear));
			}
			return;
		}
		std::memcpy(Out, Resource.Float16Pixels.data(), Count * sizeof(FFloat16Color));
	}

	void FRenderTargetPixels::CopyColor(const FTextureRenderTargetResource& Resource, uint8* Out)
	{
		const size_t Count = size_t(Resource.SizeX) * Resource.SizeY;
		const FColor Clear = QuantiseColor(Resource.ClearColor);
		for (size_t Index = 0; Index < Count; ++Index)
		{
			const FColor& Pixel = Resource.ColorPixels.empty() ? Clear : Resource.ColorPixels[Index];
			// BGRA8 images hold blue, green, red, alpha in that byte order.
			const uint8 Bytes[4] = {Pixel.B, Pixel.G, Pixel.R, Pixel.A};
			std::memcpy(Out + Index * 4, Bytes, 4);
		}
	}
}

bool FImageUtils::CompressImage(TArray64<uint8>& OutData, const TCHAR* ToFormatExtension, const FImageView& InImage, int32 Quality)
{
	IImageWrapperModule& ImageWrapperModule = FModuleManager::LoadModuleChecked<IImageWrapperModule>(TEXT("ImageWrapper"));
	const EImageFormat ToFormat = ImageWrapperModule.GetImageFormatFromExtension(ToFormatExtension);
	if (ToFormat == EImageFormat::Invalid)
	{
		UE_LOG(LogImageUtils, Warning, TEXT("ImageWrapper: No image format for extension: %s"), ToFormatExtension);
		return false;
	}
	return ImageWrapperModule.CompressImage(OutData, ToFormat, InImage, Quality);
}

bool FImageUtils::SaveImageByExtension(const TCHAR* Filename, const FImageView& InImage, int32 Quality)
{
	TArray64<uint8> CompressedData;
	if (!CompressImage(CompressedData, Filename, InImage, Quality))
	{
		return false;
	}
	return FFileHelper::SaveArrayToFile(CompressedData, Filename);
}

FTextureRenderTargetCubeResource::FTextureRenderTargetCubeResource(uint32 InFaceSize, EPixelFormat InFormat, float InDisplayGamma, const FLinearColor& InClearColor)
	: FTextureRenderTargetResource(InFaceSize, InFaceSize * 6u, InFormat, InDisplayGamma, InClearColor)
{
}

bool FTextureRenderTargetCubeResource::HostReadSurfaceFloatData(TArray<FFloat16Color>& OutImageData) const
{
	checkf(false, TEXT("Host: reading a cube face back is not supported"));
	return false;
}

UTextureRenderTargetCube::UTextureRenderTargetCube()
	: bHDR(true)
	, bForceLinearGamma(false)
{
}

void UTextureRenderTargetCube::Init(uint32 InSizeX, EPixelFormat InFormat)
{
	check(InSizeX > 0);
	SizeX = static_cast<int32>(InSizeX);
	OverrideFormat = InFormat;
	UpdateResourceImmediate(true);
}

void UTextureRenderTargetCube::InitAutoFormat(uint32 InSizeX)
{
	check(InSizeX > 0);
	SizeX = static_cast<int32>(InSizeX);
	UpdateResourceImmediate(true);
}

void UTextureRenderTargetCube::UpdateResourceImmediate(bool bClearRenderTarget)
{
	FTextureRenderTargetResource* Old = GameThread_GetRenderTargetResource();
	auto* Fresh = new FTextureRenderTargetCubeResource(static_cast<uint32>(FMath::Max(SizeX, 0)), GetFormat(), GetDisplayGamma(), ClearColor);
	if (!bClearRenderTarget && Old && Old->GetSizeX() == Fresh->GetSizeX() && Old->GetFormat() == Fresh->GetFormat())
	{
		UE::Engine::Host::FRenderTargetPixels::CopyStore(*Old, *Fresh);
	}
	SetResource(Fresh);
}

void UTextureRenderTargetCube::UpdateResource()
{
	UpdateResourceImmediate(true);
}

EPixelFormat UTextureRenderTargetCube::GetFormat() const
{
	if (OverrideFormat != PF_Unknown)
	{
		return OverrideFormat.GetValue();
	}
	return bHDR ? PF_FloatRGBA : PF_B8G8R8A8;
}

namespace UE::Engine::Host
{
	namespace
	{
		FTextureRenderTargetResource& CubeResourceOf(const UTextureRenderTargetCube& Target)
		{
			FTextureRenderTargetResource* Resource = const_cast<UTextureRenderTargetCube&>(Target).GameThread_GetRenderTargetResource();
			checkf(Resource && Resource->GetSizeX() > 0, TEXT("The cube render target has no resource"));
			return *Resource;
		}
	}

	void FRenderTargetPixels::StoreLinear(FTextureRenderTargetResource& Resource, size_t Index, const FLinearColor& Value)
	{
		if (Resource.GetFormat() == PF_FloatRGBA)
		{
			StoreFloat16(Resource, Index, FFloat16Color(Value));
		}
		else
		{
			checkf(Resource.GetFormat() == PF_B8G8R8A8, TEXT("The host stores only PF_FloatRGBA and PF_B8G8R8A8 surfaces"));
			StoreColor(Resource, Index, QuantiseColor(Value));
		}
	}

	void FRenderTargetPixels::StoreFloat16(FTextureRenderTargetResource& Resource, size_t Index, const FFloat16Color& Value)
	{
		Resource.Allocate();
		Resource.Float16Pixels[Index] = Value;
	}

	void FRenderTargetPixels::StoreColor(FTextureRenderTargetResource& Resource, size_t Index, const FColor& Value)
	{
		Resource.Allocate();
		Resource.ColorPixels[Index] = Value;
	}

	FLinearColor FRenderTargetPixels::LoadTexel(const FTextureRenderTargetResource& Resource, size_t Index)
	{
		if (Resource.Format == PF_FloatRGBA)
		{
			const FFloat16Color Pixel = Resource.Float16Pixels.empty() ? FFloat16Color(Resource.ClearColor) : Resource.Float16Pixels[Index];
			return FLinearColor(Pixel.R.GetFloat(), Pixel.G.GetFloat(), Pixel.B.GetFloat(), Pixel.A.GetFloat());
		}
		const FColor Pixel = Resource.ColorPixels.empty() ? QuantiseColor(Resource.ClearColor) : Resource.ColorPixels[Index];
		return FLinearColor(Pixel.R / 255.0f, Pixel.G / 255.0f, Pixel.B / 255.0f, Pixel.A / 255.0f);
	}

	void FRenderTargetPixels::WriteCube(UTextureRenderTargetCube& Target, ECubeFace Face, int32 X, int32 Y, const FLinearColor& Value)
	{
		FTextureRenderTargetResource& Resource = CubeResourceOf(Target);
		const int32 Size = static_cast<int32>(Resource.GetSizeX());
		checkf(uint32(Face) < CubeFace_MAX && X >= 0 && Y >= 0 && X < Size && Y < Size, TEXT("Texel (%d, %d) of face %u is outside the cube"), X, Y, unsigned(Face));
		StoreLinear(Resource, (size_t(Face) * size_t(Size) + size_t(Y)) * size_t(Size) + size_t(X), Value);
	}

	FVector FRenderTargetPixels::CubeTexelDirection(ECubeFace Face, int32 X, int32 Y, int32 FaceSize)
	{
		const double S = 2.0 * (X + 0.5) / FaceSize - 1.0;
		const double T = 2.0 * (Y + 0.5) / FaceSize - 1.0;
		FVector Direction;
		switch (Face)
		{
		case CubeFace_PosX:
			Direction = FVector(1.0, S, -T);
			break;
		case CubeFace_NegX:
			Direction = FVector(-1.0, -S, -T);
			break;
		case CubeFace_PosY:
			Direction = FVector(-S, 1.0, -T);
			break;
		case CubeFace_NegY:
			Direction = FVector(S, -1.0, -T);
			break;
		case CubeFace_PosZ:
			Direction = FVector(-T, S, 1.0);
			break;
		default:
			Direction = FVector(T, S, -1.0);
			break;
		}
		return Direction.GetSafeNormal();
	}

	FLinearColor FRenderTargetPixels::SampleCube(const UTextureRenderTargetCube& Target, const FVector& Direction)
	{
		const FTextureRenderTargetResource& Resource = CubeResourceOf(Target);
		const double AX = FMath::Abs(Direction.X);
		const double AY = FMath::Abs(Direction.Y);
		const double AZ = FMath::Abs(Direction.Z);
		ECubeFace Face;
		double S;
		double T;
		if (AX >= AY && AX >= AZ && AX > 0.0)
		{
			Face = Direction.X > 0.0 ? CubeFace_PosX : CubeFace_NegX;
			S = (Direction.X > 0.0 ? Direction.Y : -Direction.Y) / AX;
			T = -Direction.Z / AX;
		}
		else if (AY >= AZ && AY > 0.0)
		{
			Face = Direction.Y > 0.0 ? CubeFace_PosY : CubeFace_NegY;
			S = (Direction.Y > 0.0 ? -Direction.X : Direction.X) / AY;
			T = -Direction.Z / AY;
		}
		else if (AZ > 0.0)
		{
			Face = Direction.Z > 0.0 ? CubeFace_PosZ : CubeFace_NegZ;
			S = Direction.Y / AZ;
			T = (Direction.Z > 0.0 ? -Direction.X : Direction.X) / AZ;
		}
		else
		{
			// A zero or NaN direction samples the first texel, as a GPU gives some texel rather than failing.
			Face = CubeFace_PosX;
			S = -1.0;
			T = -1.0;
		}
		const int32 Size = static_cast<int32>(Resource.GetSizeX());
		auto Texel = [Size](double Coordinate)
		{
			const double Scaled = (Coordinate + 1.0) * 0.5 * Size;
			return Scaled >= 0.0 ? FMath::Min(static_cast<int32>(Scaled), Size - 1) : 0;
		};
		return LoadTexel(Resource, (size_t(Face) * size_t(Size) + size_t(Texel(T))) * size_t(Size) + size_t(Texel(S)));
	}
}
