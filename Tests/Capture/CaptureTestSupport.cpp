// Copyright Kelmora. All Rights Reserved.
#include "Capture/CaptureTestSupport.h"

#include "Materials/MaterialInterface.h"

#include <ImfChannelList.h>
#include <ImfFrameBuffer.h>
#include <ImfHeader.h>
#include <ImfInputFile.h>
#include <jpeglib.h>
#include <png.h>
#include <unistd.h>

#include <atomic>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

namespace OrvaneCaptureTest
{
	FScratchDir::FScratchDir()
	{
		static std::atomic<int> Counter{0};
		Root = std::filesystem::temp_directory_path() / ("orvane_capture_" + std::to_string(::getpid()) + "_" + std::to_string(Counter++));
		std::filesystem::remove_all(Root);
		std::filesystem::create_directories(Root);
	}

	FScratchDir::~FScratchDir()
	{
		std::error_code Ignored;
		std::filesystem::remove_all(Root, Ignored);
	}

	std::vector<uint8_t> ReadBytes(const std::filesystem::path& Path)
	{
		std::ifstream File(Path, std::ios::binary);
		return std::vector<uint8_t>(std::istreambuf_iterator<char>(File), std::istreambuf_iterator<char>());
	}

	bool ReadPng(const std::filesystem::path& Path, FDecoded& Out)
	{
		FILE* File = std::fopen(Path.string().c_str(), "rb");
		if (!File)
		{
			return false;
		}
		png_structp Png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
		png_infop Info = png_create_info_struct(Png);
		if (setjmp(png_jmpbuf(Png)))
		{
			png_destroy_read_struct(&Png, &Info, nullptr);
			std::fclose(File);
			return false;
		}
		png_init_io(Png, File);
		png_read_info(Png, Info);
		Out.Width = static_cast<int32>(png_get_image_width(Png, Info));
		Out.Height = static_cast<int32>(png_get_image_height(Png, Info));
		Out.Channels = png_get_channels(Png, Info);
		Out.BitDepth = png_get_bit_depth(Png, Info);
		const size_t RowBytes = png_get_rowbytes(Png, Info);
		std::vector<uint8_t> Row(RowBytes);
		Out.Samples.clear();
		for (int32 Y = 0; Y < Out.Height; ++Y)
		{
			png_read_row(Png, Row.data(), nullptr);
			for (size_t Sample = 0; Sample < size_t(Out.Width) * Out.Channels; ++Sample)
			{
				Out.Samples.push_back(Out.BitDepth == 16 ? float((Row[Sample * 2] << 8) | Row[Sample * 2 + 1]) : float(Row[Sample]));
			}
		}
		png_destroy_read_struct(&Png, &Info, nullptr);
		std::fclose(File);
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

	bool ReadJpeg(const std::filesystem::path& Path, FDecoded& Out)
	{
		const std::vector<uint8_t> Bytes = ReadBytes(Path);
		if (Bytes.empty())
		{
			return false;
		}
		jpeg_decompress_struct Decompress;
		FJpegError Error;
		Decompress.err = jpeg_std_error(&Error.Manager);
		Error.Manager.error_exit = JpegErrorExit;
		if (setjmp(Error.Jump))
		{
			jpeg_destroy_decompress(&Decompress);
			return false;
		}
		jpeg_create_decompress(&Decompress);
		jpeg_mem_src(&Decompress, Bytes.data(), static_cast<unsigned long>(Bytes.size()));
		jpeg_read_header(&Decompress, TRUE);
		jpeg_start_decompress(&Decompress);
		Out.Width = static_cast<int32>(Decompress.output_width);
		Out.Height = static_cast<int32>(Decompress.output_height);
		Out.Channels = Decompress.output_components;
		Out.BitDepth = 8;
		Out.Samples.clear();
		std::vector<uint8_t> Row(size_t(Out.Width) * Out.Channels);
		while (Decompress.output_scanline < Decompress.output_height)
		{
			JSAMPROW RowPointer = Row.data();
			jpeg_read_scanlines(&Decompress, &RowPointer, 1);
			Out.Samples.insert(Out.Samples.end(), Row.begin(), Row.end());
		}
		jpeg_finish_decompress(&Decompress);
		jpeg_destroy_decompress(&Decompress);
		return true;
	}

	bool ReadExr(const std::filesystem::path& Path, FDecoded& Out)
	{
		try
		{
			Imf::InputFile File(Path.string().c_str());
			const Imath::Box2i Window = File.header().dataWindow();
			Out.Width = Window.max.x - Window.min.x + 1;
			Out.Height = Window.max.y - Window.min.y + 1;
			Out.Channels = 4;
			int32 Halves = 0;
			int32 Floats = 0;
			for (auto Channel = File.header().channels().begin(); Channel != File.header().channels().end(); ++Channel)
			{
				Halves += Channel.channel().type == Imf::HALF;
				Floats += Channel.channel().type == Imf::FLOAT;
			}
			Out.BitDepth = Halves == 4 ? 16 : (Floats == 4 ? 32 : 0);
			Out.Samples.assign(size_t(Out.Width) * Out.Height * 4, -1.0f);
			Imf::FrameBuffer Frame;
			const char* Names[4] = {"R", "G", "B", "A"};
			char* Base = reinterpret_cast<char*>(Out.Samples.data()) - (size_t(Window.min.y) * Out.Width + Window.min.x) * 16;
			for (int32 Channel = 0; Channel < 4; ++Channel)
			{
				Frame.insert(Names[Channel], Imf::Slice(Imf::FLOAT, Base + Channel * 4, 16, size_t(Out.Width) * 16));
			}
			File.setFrameBuffer(Frame);
			File.readPixels(Window.min.y, Window.max.y);
			return true;
		}
		catch (const std::exception&)
		{
			return false;
		}
	}
}

void FOrvaneCaptureImgTestAccess::ResetConversionMaterial()
{
	UMaterialInterface*& Cached = UOrvaneCaptureImg::CachedConversionMaterial;
	// The plug-in's own content stays mounted (rooted) for the process; only project content is let go.
	if (Cached && !Cached->GetPathName().StartsWith(TEXT("/Orvane/")))
	{
		Cached->RemoveFromRoot();
	}
	Cached = nullptr;
}
