// Copyright Kelmora. All Rights Reserved.
#include "HostImageEncoders.h"

#include "Math/Float16.h"

#include <ImfChannelList.h>
#include <ImfCompression.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfIO.h>
#include <ImfOutputFile.h>
#include <ImfThreading.h>
#include <jpeglib.h>
#include <png.h>

#include <algorithm>
#include <cmath>
#include <csetjmp>
#include <cstring>
#include <exception>

namespace UE::ImageWrapper::Host
{
	namespace
	{
		float SrgbToLinear(float Value)
		{
			return Value <= 0.04045f ? Value / 12.92f : std::pow((Value + 0.055f) / 1.055f, 2.4f);
		}

		float LinearToSrgb(float Value)
		{
			return Value <= 0.0031308f ? Value * 12.92f : 1.055f * std::pow(Value, 1.0f / 2.4f) - 0.055f;
		}

		/** Clamps to 0..1 (NaN counts as 0) and scales to 0..Max with rounding. */
		uint32 Quantise(float Value, uint32 Max)
		{
			if (!(Value > 0.0f))
			{
				return 0;
			}
			if (Value >= 1.0f)
			{
				return Max;
			}
			return static_cast<uint32>(Value * static_cast<float>(Max) + 0.5f);
		}

		bool IsEightBit(const FImageView& Image)
		{
			return Image.Format == ERawImageFormat::BGRA8;
		}
	}

	void ReadLinearPixel(const FImageView& Image, int64 Index, float OutRGBA[4])
	{
		const uint8* Bytes = static_cast<const uint8*>(Image.RawData);
		switch (Image.Format)
		{
		case ERawImageFormat::BGRA8:
		{
			const uint8* Pixel = Bytes + Index * 4;
			const float Encoded[3] = {Pixel[2] / 255.0f, Pixel[1] / 255.0f, Pixel[0] / 255.0f};
			for (int32 Channel = 0; Channel < 3; ++Channel)
			{
				switch (Image.GammaSpace)
				{
				case EGammaSpace::sRGB:
					OutRGBA[Channel] = SrgbToLinear(Encoded[Channel]);
					break;
				case EGammaSpace::Pow22:
					OutRGBA[Channel] = std::pow(Encoded[Channel], 2.2f);
					break;
				default:
					OutRGBA[Channel] = Encoded[Channel];
					break;
				}
			}
			OutRGBA[3] = Pixel[3] / 255.0f;
			break;
		}
		case ERawImageFormat::RGBA16:
		{
			uint16 Pixel[4];
			std::memcpy(Pixel, Bytes + Index * 8, sizeof(Pixel));
			for (int32 Channel = 0; Channel < 4; ++Channel)
			{
				OutRGBA[Channel] = Pixel[Channel] / 65535.0f;
			}
			break;
		}
		case ERawImageFormat::RGBA16F:
		{
			FFloat16 Pixel[4];
			std::memcpy(Pixel, Bytes + Index * 8, sizeof(Pixel));
			for (int32 Channel = 0; Channel < 4; ++Channel)
			{
				OutRGBA[Channel] = Pixel[Channel].GetFloat();
			}
			break;
		}
		case ERawImageFormat::RGBA32F:
			std::memcpy(OutRGBA, Bytes + Index * 16, 16);
			break;
		default:
			checkf(false, TEXT("The host's encoders take BGRA8, RGBA16, RGBA16F and RGBA32F images"));
			break;
		}
	}

	namespace
	{
		void PngWrite(png_structp Png, png_bytep Data, png_size_t Length)
		{
			auto* Out = static_cast<std::vector<uint8>*>(png_get_io_ptr(Png));
			Out->insert(Out->end(), Data, Data + Length);
		}

		void PngFlush(png_structp)
		{
		}
	}

	bool EncodePng(const FImageView& Image, std::vector<uint8>& Out)
	{
		png_structp Png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
		if (!Png)
		{
			return false;
		}
		png_infop Info = png_create_info_struct(Png);
		if (!Info)
		{
			png_destroy_write_struct(&Png, nullptr);
			return false;
		}
		const bool bEightBit = IsEightBit(Image);
		const int64 Width = Image.SizeX;
		std::vector<uint8> Row(static_cast<size_t>(Width * (bEightBit ? 4 : 8)));
		if (setjmp(png_jmpbuf(Png)))
		{
			png_destroy_write_struct(&Png, &Info);
			Out.clear();
			return false;
		}
		png_set_write_fn(Png, &Out, PngWrite, PngFlush);
		png_set_IHDR(Png, Info, static_cast<png_uint_32>(Image.SizeX), static_cast<png_uint_32>(Image.SizeY), bEightBit ? 8 : 16, PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
		png_write_info(Png, Info);
		const uint8* Bytes = static_cast<const uint8*>(Image.RawData);
		for (int64 Y = 0; Y < Image.SizeY; ++Y)
		{
			for (int64 X = 0; X < Width; ++X)
			{
				const int64 Index = Y * Width + X;
				if (bEightBit)
				{
					const uint8* Pixel = Bytes + Index * 4;
					uint8* Target = Row.data() + X * 4;
					Target[0] = Pixel[2];
					Target[1] = Pixel[1];
					Target[2] = Pixel[0];
					Target[3] = Pixel[3];
					continue;
				}
				uint16 Values[4];
				if (Image.Format == ERawImageFormat::RGBA16)
				{
					std::memcpy(Values, Bytes + Index * 8, sizeof(Values));
				}
				else
				{
					// Float images go out as 16-bit linear values, as the engine's 16-bit format is linear.
					float Linear[4];
					ReadLinearPixel(Image, Index, Linear);
					for (int32 Channel = 0; Channel < 4; ++Channel)
					{
						Values[Channel] = static_cast<uint16>(Quantise(Linear[Channel], 65535));
					}
				}
				uint8* Target = Row.data() + X * 8;
				for (int32 Channel = 0; Channel < 4; ++Channel)
				{
					// PNG stores 16-bit samples big-endian.
					Target[Channel * 2] = static_cast<uint8>(Values[Channel] >> 8);
					Target[Channel * 2 + 1] = static_cast<uint8>(Values[Channel] & 0xFF);
				}
			}
			png_write_row(Png, Row.data());
		}
		png_write_end(Png, Info);
		png_destroy_write_struct(&Png, &Info);
		return true;
	}

	namespace
	{
		struct FJpegError
		{
			jpeg_error_mgr Manager;
			std::jmp_buf Jump;
		};

		void JpegErrorExit(j_common_ptr Info)
		{
			std::longjmp(reinterpret_cast<FJpegError*>(Info->err)->Jump, 1);
		}
	}

	bool EncodeJpeg(const FImageView& Image, int32 Quality, std::vector<uint8>& Out)
	{
		jpeg_compress_struct Compress;
		FJpegError Error;
		Compress.err = jpeg_std_error(&Error.Manager);
		Error.Manager.error_exit = JpegErrorExit;
		unsigned char* Buffer = nullptr;
		unsigned long BufferSize = 0;
		std::vector<uint8> Row(static_cast<size_t>(Image.SizeX) * 3);
		if (setjmp(Error.Jump))
		{
			jpeg_destroy_compress(&Compress);
			std::free(Buffer);
			return false;
		}
		jpeg_create_compress(&Compress);
		jpeg_mem_dest(&Compress, &Buffer, &BufferSize);
		Compress.image_width = static_cast<JDIMENSION>(Image.SizeX);
		Compress.image_height = static_cast<JDIMENSION>(Image.SizeY);
		Compress.input_components = 3;
		Compress.in_color_space = JCS_RGB;
		jpeg_set_defaults(&Compress);
		jpeg_set_quality(&Compress, Quality, TRUE);
		jpeg_start_compress(&Compress, TRUE);
		const uint8* Bytes = static_cast<const uint8*>(Image.RawData);
		for (int64 Y = 0; Y < Image.SizeY; ++Y)
		{
			for (int64 X = 0; X < Image.SizeX; ++X)
			{
				const int64 Index = Y * Image.SizeX + X;
				uint8* Target = Row.data() + X * 3;
				if (IsEightBit(Image))
				{
					const uint8* Pixel = Bytes + Index * 4;
					Target[0] = Pixel[2];
					Target[1] = Pixel[1];
					Target[2] = Pixel[0];
					continue;
				}
				// Wider images are linear: they are encoded to 8-bit sRGB.
				float Linear[4];
				ReadLinearPixel(Image, Index, Linear);
				for (int32 Channel = 0; Channel < 3; ++Channel)
				{
					const float Clamped = Linear[Channel] > 0.0f ? std::min(Linear[Channel], 1.0f) : 0.0f;
					Target[Channel] = static_cast<uint8>(Quantise(LinearToSrgb(Clamped), 255));
				}
			}
			JSAMPROW RowPointer = Row.data();
			jpeg_write_scanlines(&Compress, &RowPointer, 1);
		}
		jpeg_finish_compress(&Compress);
		Out.assign(Buffer, Buffer + BufferSize);
		jpeg_destroy_compress(&Compress);
		std::free(Buffer);
		return true;
	}

	namespace
	{
		/** An OpenEXR output stream into memory. */
		class FMemoryExrStream : public Imf::OStream
		{
		public:
			explicit FMemoryExrStream(std::vector<uint8>& InOut)
				: Imf::OStream("memory")
				, Out(InOut)
			{
			}

			void write(const char Chars[], int Count) override
			{
				const size_t Start = static_cast<size_t>(Position);
				const size_t End = Start + static_cast<size_t>(Count);
				// Appends grow the buffer without zero-filling it first; only the offset table is rewritten in place.
				if (Start == Out.size())
				{
					Out.insert(Out.end(), reinterpret_cast<const uint8*>(Chars), reinterpret_cast<const uint8*>(Chars) + Count);
				}
				else
				{
					if (End > Out.size())
					{
						Out.resize(End);
					}
					std::memcpy(Out.data() + Start, Chars, static_cast<size_t>(Count));
				}
				Position = End;
			}

			uint64_t tellp() override { return Position; }
			void seekp(uint64_t Pos) override { Position = Pos; }

		private:
			std::vector<uint8>& Out;
			uint64_t Position = 0;
		};
	}

	bool EncodeExr(const FImageView& Image, std::vector<uint8>& Out)
	{
		const bool bFloat32 = Image.Format == ERawImageFormat::RGBA32F;
		const Imf::PixelType Type = bFloat32 ? Imf::FLOAT : Imf::HALF;
		const size_t ChannelBytes = bFloat32 ? 4 : 2;
		const char* Names[4] = {"R", "G", "B", "A"};

		// Half and float images are stored as they are; other layouts are converted to half first.
		const char* Base = static_cast<const char*>(Image.RawData);
		std::vector<FFloat16> Converted;
		if (Image.Format != ERawImageFormat::RGBA16F && !bFloat32)
		{
			Converted.resize(static_cast<size_t>(Image.GetNumPixels()) * 4);
			for (int64 Index = 0; Index < Image.GetNumPixels(); ++Index)
			{
				float Linear[4];
				ReadLinearPixel(Image, Index, Linear);
				for (int32 Channel = 0; Channel < 4; ++Channel)
				{
					Converted[static_cast<size_t>(Index * 4 + Channel)] = FFloat16(Linear[Channel]);
				}
			}
			Base = reinterpret_cast<const char*>(Converted.data());
		}
		try
		{
			Imf::Header Header(Image.SizeX, Image.SizeY);
			Header.compression() = Imf::ZIP_COMPRESSION;
			Imf::FrameBuffer Frame;
			const size_t XStride = ChannelBytes * 4;
			const size_t YStride = XStride * static_cast<size_t>(Image.SizeX);
			for (int32 Channel = 0; Channel < 4; ++Channel)
			{
				Header.channels().insert(Names[Channel], Imf::Channel(Type));
				Frame.insert(Names[Channel], Imf::Slice(Type, const_cast<char*>(Base) + Channel * ChannelBytes, XStride, YStride));
			}
			Out.reserve(static_cast<size_t>(Image.GetImageSizeBytes() / 2));
			FMemoryExrStream Stream(Out);
			// The default thread count is OpenEXR's global one, which the module sets to the machine's cores.
			Imf::OutputFile File(Stream, Header);
			File.setFrameBuffer(Frame);
			File.writePixels(Image.SizeY);
		}
		catch (const std::exception&)
		{
			Out.clear();
			return false;
		}
		return true;
	}
}
