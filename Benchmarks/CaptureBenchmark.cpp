// Copyright Kelmora. All Rights Reserved.
// The capture writers on a 4096 x 2048 float target. Baselines in the same run: one fwrite of the raw
// 32-bit float buffer for the Radiance writer, and OpenEXR single-threaded for the EXR writer, which
// compresses on OpenEXR's thread pool with one thread per core.
#include "IImageWrapperModule.h"
#include "Math/Float16Color.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCaptureImage.h"
#include "RenderTargetKit.h"

#include <ImfThreading.h>
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

/** The benchmarks' side of the writers' private access. */
struct FOrvaneCaptureImgTestAccess
{
	static bool SaveHDRImage(UTextureRenderTarget2D* Target, const FString& Path) { return UOrvaneCaptureImg::SaveHDRImage(Target, Path); }
};

namespace
{
	constexpr int32 Width = 4096;
	constexpr int32 Height = 2048;

	/** A smooth sky-like picture with a bright band, so every exponent range and the compressor see real work. */
	FLinearColor PixelAt(int32 X, int32 Y)
	{
		const float U = (X + 0.5f) / Width;
		const float V = (Y + 0.5f) / Height;
		const float Z = std::cos(V * 3.14159265f);
		const float Glow = Z > 0.0f ? 16.0f * std::pow(Z, 16.0f) : 0.0f;
		return FLinearColor(0.5f + 0.5f * std::cos(U * 6.2831853f) + Glow, 0.5f + 0.5f * std::sin(U * 6.2831853f) + Glow, 0.5f + 0.5f * Z + Glow, 1.0f);
	}

	UTextureRenderTarget2D* SharedTarget()
	{
		static UTextureRenderTarget2D* Target = []
		{
			UTextureRenderTarget2D* Made = OrvaneKit::MakeRenderTarget(Width, Height, RTF_RGBA16f, 1.0f, true);
			OrvaneKit::FillRenderTarget(*Made, [](int32 X, int32 Y) { return PixelAt(X, Y); });
			return Made;
		}();
		return Target;
	}

	const std::vector<float>& SharedFloats()
	{
		static const std::vector<float> Floats = []
		{
			std::vector<float> Made;
			Made.reserve(size_t(Width) * Height * 4);
			for (int32 Y = 0; Y < Height; ++Y)
			{
				for (int32 X = 0; X < Width; ++X)
				{
					// The values as the render target holds them (rounded to half floats).
					const FFloat16Color Half(PixelAt(X, Y));
					Made.insert(Made.end(), {Half.R.GetFloat(), Half.G.GetFloat(), Half.B.GetFloat(), Half.A.GetFloat()});
				}
			}
			return Made;
		}();
		return Floats;
	}

	std::string ScratchFile(const char* Name)
	{
		return (std::filesystem::temp_directory_path() / ("orvane_capture_bench_" + std::to_string(::getpid()) + "_" + Name)).string();
	}

	void BM_FwriteRawFloatBuffer(benchmark::State& BenchState)
	{
		const std::vector<float>& Floats = SharedFloats();
		const std::string Path = ScratchFile("raw.bin");
		for (auto _ : BenchState)
		{
			FILE* File = std::fopen(Path.c_str(), "wb");
			if (!File || std::fwrite(Floats.data(), sizeof(float), Floats.size(), File) != Floats.size())
			{
				BenchState.SkipWithError("the raw buffer could not be written");
			}
			if (File)
			{
				std::fclose(File);
			}
		}
		std::remove(Path.c_str());
	}
	BENCHMARK(BM_FwriteRawFloatBuffer)->Unit(benchmark::kMillisecond)->UseRealTime();

	void BM_SaveHDRImage(benchmark::State& BenchState)
	{
		UTextureRenderTarget2D* Target = SharedTarget();
		const std::string Path = ScratchFile("capture.hdr");
		const FString FilePath(Path.c_str());
		for (auto _ : BenchState)
		{
			if (!FOrvaneCaptureImgTestAccess::SaveHDRImage(Target, FilePath))
			{
				BenchState.SkipWithError("SaveHDRImage failed");
			}
		}
		std::remove(Path.c_str());
	}
	BENCHMARK(BM_SaveHDRImage)->Unit(benchmark::kMillisecond)->UseRealTime();

	/** The host's EXR writer (the wrapper SaveEXRImage uses) on the target's pixels as 32-bit floats, with OpenEXR's pool at Threads. */
	void RunExrWriter(benchmark::State& BenchState, int Threads)
	{
		const std::vector<float>& Floats = SharedFloats();
		IImageWrapperModule& Module = FModuleManager::LoadModuleChecked<IImageWrapperModule>(TEXT("ImageWrapper"));
		const int HostDefault = Imf::globalThreadCount();
		BenchState.counters["host_default_threads"] = HostDefault;
		Imf::setGlobalThreadCount(Threads);
		for (auto _ : BenchState)
		{
			TSharedPtr<IImageWrapper> Wrapper = Module.CreateImageWrapper(EImageFormat::EXR);
			if (!Wrapper.IsValid() || !Wrapper->SetRaw(Floats.data(), int64(Floats.size() * sizeof(float)), Width, Height, ERGBFormat::RGBAF, 32) || Wrapper->GetCompressed().Num() == 0)
			{
				BenchState.SkipWithError("the EXR writer failed");
			}
		}
		Imf::setGlobalThreadCount(HostDefault);
	}

	void BM_ExrWriterSingleThreaded(benchmark::State& BenchState) { RunExrWriter(BenchState, 0); }
	BENCHMARK(BM_ExrWriterSingleThreaded)->Unit(benchmark::kMillisecond)->UseRealTime();

	void BM_ExrWriterThreadPool(benchmark::State& BenchState) { RunExrWriter(BenchState, static_cast<int>(std::max(1u, std::thread::hardware_concurrency()))); }
	BENCHMARK(BM_ExrWriterThreadPool)->Unit(benchmark::kMillisecond)->UseRealTime();
}
