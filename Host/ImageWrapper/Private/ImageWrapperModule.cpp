// Copyright Kelmora. All Rights Reserved.
#include "HostImageEncoders.h"
#include "IImageWrapper.h"
#include "IImageWrapperModule.h"
#include "Misc/CString.h"
#include "Modules/ModuleManager.h"

#include <ImfThreading.h>

#include <cstring>
#include <thread>

DEFINE_LOG_CATEGORY_STATIC(LogImageWrapper, Log, All);

namespace UE::ImageWrapper::Host
{
	namespace
	{
		/** Bytes per pixel of a raw layout and depth this host can take; 0 when it cannot. */
		int64 RawBytesPerPixel(ERGBFormat Format, int32 BitDepth)
		{
			switch (Format)
			{
			case ERGBFormat::RGBA:
			case ERGBFormat::BGRA:
				return BitDepth == 8 ? 4 : (BitDepth == 16 ? 8 : 0);
			case ERGBFormat::RGBAF:
				return BitDepth == 16 ? 8 : (BitDepth == 32 ? 16 : 0);
			default:
				return 0;
			}
		}

		/** What each format's encoder accepts, as the engine's wrappers do. */
		bool CanSetRawFormat(EImageFormat ImageFormat, ERGBFormat Format, int32 BitDepth)
		{
			switch (ImageFormat)
			{
			case EImageFormat::PNG:
				return (Format == ERGBFormat::RGBA || Format == ERGBFormat::BGRA) && (BitDepth == 8 || BitDepth == 16);
			case EImageFormat::JPEG:
				return (Format == ERGBFormat::RGBA || Format == ERGBFormat::BGRA) && BitDepth == 8;
			case EImageFormat::EXR:
				return ((Format == ERGBFormat::RGBA || Format == ERGBFormat::BGRA) && BitDepth == 8) || (Format == ERGBFormat::RGBAF && (BitDepth == 16 || BitDepth == 32));
			default:
				return false;
			}
		}

		bool Encode(EImageFormat ImageFormat, const FImageView& Image, int32 Quality, TArray64<uint8>& OutData)
		{
			OutData.Reset();
			if (Image.SizeX <= 0 || Image.SizeY <= 0 || Image.NumSlices != 1 || !Image.RawData)
			{
				return false;
			}
			std::vector<uint8> Bytes;
			bool bEncoded = false;
			switch (ImageFormat)
			{
			case EImageFormat::PNG:
				bEncoded = EncodePng(Image, Bytes);
				break;
			case EImageFormat::JPEG:
				// Quality 0 means the engine's default JPEG quality (85; unconfirmed for 5.6).
				bEncoded = EncodeJpeg(Image, Quality <= 0 ? 85 : FMath::Clamp(Quality, 1, 100), Bytes);
				break;
			case EImageFormat::EXR:
				bEncoded = EncodeExr(Image, Bytes);
				break;
			default:
				break;
			}
			// The host's arrays hold at most 2 GiB: a larger file is a failure, not a wrapped size.
			if (!bEncoded || Bytes.size() > static_cast<size_t>(TNumericLimits<int32>::Max()))
			{
				return false;
			}
			OutData.Append(Bytes.data(), static_cast<int32>(Bytes.size()));
			return true;
		}

		/** One wrapper: keeps a copy of the raw pixels as an image and encodes it on request. */
		class FHostImageWrapper : public IImageWrapper
		{
		public:
			explicit FHostImageWrapper(EImageFormat InFormat)
				: ImageFormat(InFormat)
			{
			}

			bool SetRaw(const void* InRawData, int64 InRawSize, const int32 InWidth, const int32 InHeight, const ERGBFormat InFormat, const int32 InBitDepth, const int32 InBytesPerRow) override
			{
				check(InRawData != nullptr);
				check(InRawSize > 0);
				check(InWidth > 0);
				check(InHeight > 0);
				check(InBytesPerRow >= 0);
				Raw = FImage();
				if (!CanSetRawFormat(ImageFormat, InFormat, InBitDepth))
				{
					UE_LOG(LogImageWrapper, Warning, TEXT("ImageWrapper unsupported format; check CanSetRawFormat"));
					return false;
				}
				const int64 PixelBytes = RawBytesPerPixel(InFormat, InBitDepth);
				const int64 RowBytes = PixelBytes * InWidth;
				if ((InBytesPerRow != 0 && InBytesPerRow != RowBytes) || InRawSize != RowBytes * InHeight || InRawSize > TNumericLimits<int32>::Max())
				{
					return false;
				}
				ERawImageFormat::Type Format = ERawImageFormat::BGRA8;
				if (InFormat == ERGBFormat::RGBAF)
				{
					Format = InBitDepth == 16 ? ERawImageFormat::RGBA16F : ERawImageFormat::RGBA32F;
				}
				else if (InBitDepth == 16)
				{
					Format = ERawImageFormat::RGBA16;
				}
				// Copied in one pass (no zero-filled allocation first): wrappers take whole frames.
				static_cast<FImageInfo&>(Raw) = FImageInfo(InWidth, InHeight, 1, Format, InBitDepth == 8 ? EGammaSpace::sRGB : EGammaSpace::Linear);
				Raw.RawData.Append(static_cast<const uint8*>(InRawData), static_cast<int32>(InRawSize));
				if (InBitDepth == 8 && InFormat == ERGBFormat::RGBA)
				{
					SwapRedBlue(1);
				}
				else if (InBitDepth == 16 && InFormat == ERGBFormat::BGRA)
				{
					SwapRedBlue(2);
				}
				return true;
			}

			TArray64<uint8> GetCompressed(int32 Quality) override
			{
				TArray64<uint8> Result;
				if (Raw.RawData.Num() > 0)
				{
					Encode(ImageFormat, FImageView(Raw), Quality, Result);
				}
				return Result;
			}

			int64 GetWidth() const override { return Raw.SizeX; }
			int64 GetHeight() const override { return Raw.SizeY; }

		private:
			void SwapRedBlue(int32 ChannelBytes)
			{
				uint8* Bytes = Raw.RawData.GetData();
				const int64 Pixels = Raw.GetNumPixels();
				for (int64 Index = 0; Index < Pixels; ++Index)
				{
					uint8* Pixel = Bytes + Index * 4 * ChannelBytes;
					for (int32 Byte = 0; Byte < ChannelBytes; ++Byte)
					{
						std::swap(Pixel[Byte], Pixel[2 * ChannelBytes + Byte]);
					}
				}
			}

			EImageFormat ImageFormat;
			FImage Raw;
		};

		class FImageWrapperModule : public IImageWrapperModule
		{
		public:
			void StartupModule() override
			{
				// EXR files are compressed on OpenEXR's thread pool, one thread per core.
				Imf::setGlobalThreadCount(static_cast<int>(std::max(1u, std::thread::hardware_concurrency())));
			}

			TSharedPtr<IImageWrapper> CreateImageWrapper(const EImageFormat InFormat, const TCHAR* InOptionalDebugImageName) override
			{
				switch (InFormat)
				{
				case EImageFormat::PNG:
				case EImageFormat::JPEG:
				case EImageFormat::EXR:
					return MakeShared<FHostImageWrapper>(InFormat);
				default:
					// The engine's other writers (BMP, TGA, HDR, ...) have no stand-in here yet.
					return nullptr;
				}
			}

			EImageFormat GetImageFormatFromExtension(const TCHAR* Name) override
			{
				// A full file name or a bare extension: everything after the last dot.
				for (const TCHAR* Cursor = Name; *Cursor; ++Cursor)
				{
					if (*Cursor == TEXT('.'))
					{
						Name = Cursor + 1;
					}
				}
				static const struct
				{
					const TCHAR* Extension;
					EImageFormat Format;
				} Known[] = {
					{TEXT("png"), EImageFormat::PNG},
					{TEXT("jpg"), EImageFormat::JPEG},
					{TEXT("jpeg"), EImageFormat::JPEG},
					{TEXT("bmp"), EImageFormat::BMP},
					{TEXT("ico"), EImageFormat::ICO},
					{TEXT("exr"), EImageFormat::EXR},
					{TEXT("icns"), EImageFormat::ICNS},
					{TEXT("tga"), EImageFormat::TGA},
					{TEXT("hdr"), EImageFormat::HDR},
					{TEXT("tif"), EImageFormat::TIFF},
					{TEXT("tiff"), EImageFormat::TIFF},
					{TEXT("dds"), EImageFormat::DDS},
				};
				for (const auto& Entry : Known)
				{
					if (FCString::Stricmp(Name, Entry.Extension) == 0)
					{
						return Entry.Format;
					}
				}
				return EImageFormat::Invalid;
			}

			bool CompressImage(TArray64<uint8>& OutData, EImageFormat ToFormat, const FImageView& InImage, int32 Quality) override
			{
				switch (InImage.Format)
				{
				case ERawImageFormat::BGRA8:
				case ERawImageFormat::RGBA16:
				case ERawImageFormat::RGBA16F:
				case ERawImageFormat::RGBA32F:
					break;
				default:
					OutData.Reset();
					return false;
				}
				return Encode(ToFormat, InImage, Quality, OutData);
			}
		};
	}
}

IMPLEMENT_MODULE(UE::ImageWrapper::Host::FImageWrapperModule, ImageWrapper)
