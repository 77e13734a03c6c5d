// Copyright Kelmora. All Rights Reserved.
#include "Capture/CaptureTestSupport.h"
#include "Engine/HostRenderTargetPixels.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "LogCapture.h"
#include "RenderTargetKit.h"
#include "UObject/Class.h"
#include "UObject/Package.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <fstream>
#include <limits>

using namespace OrvaneCaptureTest;
using Access = FOrvaneCaptureImgTestAccess;
using UE::Engine::Host::FRenderTargetPixels;

namespace
{
	const std::string HeaderFor4x2 = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 2 +X 4\n";

	std::vector<uint8_t> Record(uint8_t R, uint8_t G, uint8_t B, uint8_t E) { return {R, G, B, E}; }

	/** The RGBE record of pixel Index of a file written for a target whose header is Header. */
	std::vector<uint8_t> RecordAt(const std::vector<uint8_t>& File, size_t HeaderSize, size_t Index)
	{
		const size_t Offset = HeaderSize + Index * 4;
		return std::vector<uint8_t>(File.begin() + Offset, File.begin() + Offset + 4);
	}

	FFloat16Color HalfPixel(float R, float G, float B, float A = 1.0f) { return FFloat16Color(FLinearColor(R, G, B, A)); }

	/** Lines the writers logged (their category is LogTemp and each begins with the capture prefix). */
	int32 WriterErrors(const FLogCapture& Log) { return Log.CountContaining(TEXT("OrvaneCapture2D:")); }

	class ImageWriters : public ::testing::Test
	{
	protected:
		FScratchDir Dir;
		FLogCapture Log;
	};
}

TEST(CaptureFormat, EnumeratorsHaveTheirValuesAndDisplayNames)
{
	UEnum* Enum = StaticEnum<EOrvaneCaptureFormat>();
	ASSERT_NE(Enum, nullptr);
	EXPECT_EQ(sizeof(EOrvaneCaptureFormat), 1u);
	const struct
	{
		EOrvaneCaptureFormat Value;
		const TCHAR* Name;
		const TCHAR* DisplayName;
	} Expected[] = {
		{EOrvaneCaptureFormat::PNG, TEXT("PNG"), TEXT("PNG (8/16-bit)")},
		{EOrvaneCaptureFormat::JPEG, TEXT("JPEG"), TEXT("JPEG (8-bit)")},
		{EOrvaneCaptureFormat::EXR, TEXT("EXR"), TEXT("EXR (32-bit HDR)")},
		{EOrvaneCaptureFormat::HDR, TEXT("HDR"), TEXT("HDR (32-bit)")},
	};
	for (int32 Index = 0; Index < 4; ++Index)
	{
		EXPECT_EQ(static_cast<int32>(Expected[Index].Value), Index);
		EXPECT_EQ(Enum->GetNameStringByValue(Index), FString(Expected[Index].Name));
		EXPECT_EQ(Enum->GetDisplayNameTextByValue(Index).ToString(), FString(Expected[Index].DisplayName));
	}
	EXPECT_TRUE(UOrvaneCaptureImg::StaticClass()->IsChildOf(UBlueprintFunctionLibrary::StaticClass()));
}

// Radiance RGBE -----------------------------------------------------------------------------------------

TEST_F(ImageWriters, HdrOf4x2TargetHasHeaderThenExactlyEightRecordsTopRowFirst)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	// The worked pixels of the encoding, then values that land on other exponents; the bottom row is distinct
	// from the top so the row order shows.
	const FLinearColor Pixels[8] = {
		{1.0f, 0.5f, 0.25f, 1.0f}, {0.0f, 0.0f, 0.0f, 1.0f}, {-1.0f, -2.0f, -3.0f, 1.0f}, {3.0f, 0.0f, 0.0f, 1.0f},
		{0.0f, 0.0f, 1.0f, 0.0f}, {65504.0f, 1.0f, 0.0f, 1.0f}, {0.5f, 0.5f, 0.5f, 1.0f}, {1.0f, -65504.0f, 0.0f, 1.0f},
	};
	OrvaneKit::FillRenderTarget(*Target, [&](int32 X, int32 Y) { return Pixels[Y * 4 + X]; });

	ASSERT_TRUE(Access::SaveHDRImage(Target, Dir.File("worked.hdr")));
	const std::vector<uint8_t> File = ReadBytes(Dir.Path("worked.hdr"));
	ASSERT_EQ(File.size(), HeaderFor4x2.size() + 32);
	EXPECT_EQ(std::string(File.begin(), File.begin() + HeaderFor4x2.size()), HeaderFor4x2);
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 0), Record(128, 64, 32, 129));
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 1), Record(0, 0, 0, 0));
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 2), Record(0, 0, 0, 0));
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 3), Record(192, 0, 0, 130));
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 4), Record(0, 0, 128, 129));
	// 65504 = 0.99951171875 * 2^16: the factor is 2^-8, so R is 255.875 truncated.
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 5), Record(255, 0, 0, 144));
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 6), Record(128, 128, 128, 128));
	// A large negative component clamps to 0 without disturbing the others.
	EXPECT_EQ(RecordAt(File, HeaderFor4x2.size(), 7), Record(128, 0, 0, 129));
	EXPECT_EQ(WriterErrors(Log), 0);
}

TEST_F(ImageWriters, HdrGivesNonFiniteComponentsDefinedRecords)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(3, 2, RTF_RGBA16f, 1.0f, true);
	const float Inf = std::numeric_limits<float>::infinity();
	const float NaN = std::numeric_limits<float>::quiet_NaN();
	// The smallest half subnormal next to the most negative half: the factor is 2^31, so the negative
	// product is far outside any integer and must still clamp to 0.
	const float Tiny = std::ldexp(1.0f, -24);
	const FFloat16Color Pixels[6] = {
		HalfPixel(NaN, 1.0f, 0.5f), HalfPixel(Inf, 0.0f, 0.0f), HalfPixel(-Inf, 1.0f, 0.0f),
		HalfPixel(NaN, NaN, NaN), HalfPixel(Inf, Inf, -Inf), HalfPixel(Tiny, -65504.0f, 0.0f),
	};
	for (int32 Index = 0; Index < 6; ++Index)
	{
		FRenderTargetPixels::WriteFloat16(*Target, Index % 3, Index / 3, Pixels[Index]);
	}
	ASSERT_TRUE(std::isnan(FRenderTargetPixels::Read(*Target, 0, 0).R));

	ASSERT_TRUE(Access::SaveHDRImage(Target, Dir.File("nonfinite.hdr")));
	const std::vector<uint8_t> File = ReadBytes(Dir.Path("nonfinite.hdr"));
	const std::string Header = "#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 2 +X 3\n";
	ASSERT_EQ(File.size(), Header.size() + 24);
	EXPECT_EQ(RecordAt(File, Header.size(), 0), Record(0, 128, 64, 129)) << "NaN counts as 0";
	EXPECT_EQ(RecordAt(File, Header.size(), 1), Record(255, 0, 0, 255)) << "+infinity counts as the largest finite float";
	EXPECT_EQ(RecordAt(File, Header.size(), 2), Record(0, 128, 0, 129)) << "-infinity counts as 0";
	EXPECT_EQ(RecordAt(File, Header.size(), 3), Record(0, 0, 0, 0));
	EXPECT_EQ(RecordAt(File, Header.size(), 4), Record(255, 255, 0, 255));
	EXPECT_EQ(RecordAt(File, Header.size(), 5), Record(128, 0, 0, 105));
}

TEST_F(ImageWriters, HdrAndExrFallbacksRefuseTargetsTheyCannotReadAndWriteNothing)
{
	UTextureRenderTarget2D* Unready = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
	UTextureRenderTarget2D* EightBit = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA8);
	UTextureRenderTarget2D* Targets[3] = {nullptr, Unready, EightBit};
	for (UTextureRenderTarget2D* Target : Targets)
	{
		Log.Clear();
		EXPECT_FALSE(Access::SaveHDRImage(Target, Dir.File("out.hdr")));
		EXPECT_FALSE(Access::SaveEXRImage(Target, Dir.File("out.exr")));
		EXPECT_EQ(Log.Count(TEXT("OrvaneCapture2D: Failed to read Float16 pixels for HDR")), 1);
		EXPECT_EQ(Log.Count(TEXT("OrvaneCapture2D: Failed to read Float16 pixels for EXR")), 1);
		EXPECT_EQ(WriterErrors(Log), 2);
	}
	EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.hdr")));
	EXPECT_FALSE(std::filesystem::exists(Dir.Path("out.exr")));
}

TEST_F(ImageWriters, HostileSizesFailCleanlyInsteadOfWrappingTheBufferSize)
{
	// Width x height x 16 bytes of widened pixels exceeds 32 bits; the surfaces are never written, so the
	// host holds no pixels for them.
	const uint32 Sizes[][2] = {{16384, 16384}, {65536, 2048}, {1u << 20, 1u << 20}};
	for (const auto& Size : Sizes)
	{
		UTextureRenderTarget2D* Target = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
		Target->InitCustomFormat(Size[0], Size[1], PF_FloatRGBA, true);
		Log.Clear();
		EXPECT_FALSE(Access::SaveHDRImage(Target, Dir.File("huge.hdr")));
		EXPECT_FALSE(Access::SaveEXRImage(Target, Dir.File("huge.exr")));
		EXPECT_EQ(Log.Count(TEXT("OrvaneCapture2D: Failed to read Float16 pixels for HDR")), 1);
		EXPECT_EQ(Log.Count(TEXT("OrvaneCapture2D: Failed to read Float16 pixels for EXR")), 1);
		EXPECT_FALSE(FRenderTargetPixels::IsAllocated(*Target));
	}
	// Through the entry point: an extension no encoder knows sends the capture to the EXR fallback, which refuses it.
	UTextureRenderTarget2D* Target = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
	Target->InitCustomFormat(16384, 16384, PF_FloatRGBA, true);
	Log.Clear();
	EXPECT_FALSE(Access::SaveImageToFile(Target, Dir.File("huge.raw"), EOrvaneCaptureFormat::EXR));
	EXPECT_EQ(Log.Count(TEXT("OrvaneCapture2D: Failed to read Float16 pixels for EXR")), 1);
	EXPECT_TRUE(std::filesystem::is_empty(Dir.Path("")));
}

TEST_F(ImageWriters, HdrOverwritesAnExistingFileAndFailsSilentlyOnAnUnwritablePath)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(1, 1, RTF_RGBA16f, 1.0f, true);
	FRenderTargetPixels::Write(*Target, 0, 0, FLinearColor(3.0f, 0.0f, 0.0f));
	{
		std::ofstream Existing(Dir.Path("old.hdr"));
		Existing << std::string(1000, 'x');
	}
	ASSERT_TRUE(Access::SaveHDRImage(Target, Dir.File("old.hdr")));
	EXPECT_EQ(ReadBytes(Dir.Path("old.hdr")).size(), std::string("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y 1 +X 1\n").size() + 4);

	// A regular file where a folder should be: the write fails, and the writer has no line for that.
	EXPECT_FALSE(Access::SaveHDRImage(Target, Dir.File("old.hdr/inside.hdr")));
	EXPECT_FALSE(Access::SaveEXRImage(Target, Dir.File("old.hdr/inside.exr")));
	EXPECT_EQ(WriterErrors(Log), 0);
}

// The generic writer and its fallbacks ----------------------------------------------------------------

TEST_F(ImageWriters, PngOf8BitTargetKeepsTheStoredBytes)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA8, 2.2f);
	for (int32 Index = 0; Index < 8; ++Index)
	{
		FRenderTargetPixels::WriteColor(*Target, Index % 4, Index / 4, FColor(uint8(Index * 30), uint8(255 - Index), uint8(Index * 7), 255));
	}
	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("ldr.png"), EOrvaneCaptureFormat::PNG));
	FDecoded Png;
	ASSERT_TRUE(ReadPng(Dir.Path("ldr.png"), Png));
	EXPECT_EQ(Png.Width, 4);
	EXPECT_EQ(Png.Height, 2);
	EXPECT_EQ(Png.BitDepth, 8);
	ASSERT_EQ(Png.Channels, 4);
	for (int32 Index = 0; Index < 8; ++Index)
	{
		EXPECT_EQ(Png.At(Index % 4, Index / 4, 0), Index * 30);
		EXPECT_EQ(Png.At(Index % 4, Index / 4, 1), 255 - Index);
		EXPECT_EQ(Png.At(Index % 4, Index / 4, 2), Index * 7);
		EXPECT_EQ(Png.At(Index % 4, Index / 4, 3), 255);
	}
}

TEST_F(ImageWriters, PngOfFloatTargetIs16BitLinearClampedToOne)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	const FLinearColor Pixels[2] = {{0.5f, 2.0f, -1.0f, 1.0f}, {0.25f, 1.0f, 0.0f, 0.5f}};
	OrvaneKit::FillRenderTarget(*Target, [&](int32 X, int32 Y) { return Pixels[Y]; });
	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("hdr.png"), EOrvaneCaptureFormat::PNG));
	FDecoded Png;
	ASSERT_TRUE(ReadPng(Dir.Path("hdr.png"), Png));
	EXPECT_EQ(Png.Width, 4);
	EXPECT_EQ(Png.Height, 2);
	EXPECT_EQ(Png.BitDepth, 16);
	ASSERT_EQ(Png.Channels, 4);
	// Linear values times 65535, rounded: no sRGB curve.
	EXPECT_EQ(Png.At(3, 0, 0), 32768);
	EXPECT_EQ(Png.At(3, 0, 1), 65535);
	EXPECT_EQ(Png.At(3, 0, 2), 0);
	EXPECT_EQ(Png.At(0, 1, 0), 16384);
	EXPECT_EQ(Png.At(0, 1, 1), 65535);
	EXPECT_EQ(Png.At(0, 1, 3), 32768);
}

TEST_F(ImageWriters, JpegHasTheTargetsSizeAndColours)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(32, 16, RTF_RGBA8, 2.2f);
	// Two flat halves, each a whole number of JPEG blocks, so compression leaves them almost untouched.
	OrvaneKit::FillRenderTarget(*Target, [](int32 X, int32 Y) { return X < 16 ? FLinearColor(200 / 255.0f, 40 / 255.0f, 90 / 255.0f) : FLinearColor(10 / 255.0f, 180 / 255.0f, 250 / 255.0f); });
	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("still.jpg"), EOrvaneCaptureFormat::JPEG));
	FDecoded Jpeg;
	ASSERT_TRUE(ReadJpeg(Dir.Path("still.jpg"), Jpeg));
	EXPECT_EQ(Jpeg.Width, 32);
	EXPECT_EQ(Jpeg.Height, 16);
	ASSERT_EQ(Jpeg.Channels, 3);
	EXPECT_NEAR(Jpeg.At(4, 4, 0), 200, 4);
	EXPECT_NEAR(Jpeg.At(4, 4, 1), 40, 4);
	EXPECT_NEAR(Jpeg.At(4, 4, 2), 90, 4);
	EXPECT_NEAR(Jpeg.At(28, 12, 0), 10, 4);
	EXPECT_NEAR(Jpeg.At(28, 12, 1), 180, 4);
	EXPECT_NEAR(Jpeg.At(28, 12, 2), 250, 4);
}

TEST_F(ImageWriters, ExrOfFloatTargetStoresHalvesWithTheirValues)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	OrvaneKit::FillRenderTarget(*Target, [](int32 X, int32 Y) { return FLinearColor(X * 0.25f, 3.0f + Y, -0.5f, 16.0f); });
	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("still.exr"), EOrvaneCaptureFormat::EXR));
	FDecoded Exr;
	ASSERT_TRUE(ReadExr(Dir.Path("still.exr"), Exr));
	EXPECT_EQ(Exr.Width, 4);
	EXPECT_EQ(Exr.Height, 2);
	EXPECT_EQ(Exr.BitDepth, 16);
	for (int32 Y = 0; Y < 2; ++Y)
	{
		for (int32 X = 0; X < 4; ++X)
		{
			EXPECT_EQ(Exr.At(X, Y, 0), X * 0.25f);
			EXPECT_EQ(Exr.At(X, Y, 1), 3.0f + Y);
			EXPECT_EQ(Exr.At(X, Y, 2), -0.5f);
			EXPECT_EQ(Exr.At(X, Y, 3), 16.0f);
		}
	}
	EXPECT_EQ(WriterErrors(Log), 0);
}

TEST_F(ImageWriters, ExtensionWinsOverTheFormatArgument)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	OrvaneKit::FillRenderTarget(*Target, [](int32 X, int32 Y) { return FLinearColor(0.5f, 0.5f, 0.5f); });

	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("asked_exr.png"), EOrvaneCaptureFormat::EXR));
	FDecoded Png;
	ASSERT_TRUE(ReadPng(Dir.Path("asked_exr.png"), Png));
	EXPECT_EQ(Png.BitDepth, 16);

	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("asked_png.EXR"), EOrvaneCaptureFormat::PNG));
	FDecoded Exr;
	ASSERT_TRUE(ReadExr(Dir.Path("asked_png.EXR"), Exr));
	EXPECT_EQ(Exr.At(0, 0, 0), 0.5f);

	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("asked_hdr.jpeg"), EOrvaneCaptureFormat::HDR));
	FDecoded Jpeg;
	ASSERT_TRUE(ReadJpeg(Dir.Path("asked_hdr.jpeg"), Jpeg));
	// Linear 0.5 encoded to sRGB.
	EXPECT_NEAR(Jpeg.At(0, 0, 0), 188, 2);
	EXPECT_EQ(WriterErrors(Log), 0);
}

TEST_F(ImageWriters, UnknownExtensionFailsForPngAndJpegAndFallsBackForExrAndHdr)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	OrvaneKit::FillRenderTarget(*Target, [](int32 X, int32 Y) { return FLinearColor(1.0f, 0.5f, 0.25f, 1.0f); });

	EXPECT_FALSE(Access::SaveImageToFile(Target, Dir.File("still.foo"), EOrvaneCaptureFormat::PNG));
	EXPECT_FALSE(Access::SaveImageToFile(Target, Dir.File("still.foo"), EOrvaneCaptureFormat::JPEG));
	EXPECT_FALSE(Access::SaveImageToFile(Target, Dir.File("no_extension"), EOrvaneCaptureFormat::PNG));
	EXPECT_FALSE(std::filesystem::exists(Dir.Path("still.foo")));
	EXPECT_FALSE(std::filesystem::exists(Dir.Path("no_extension")));
	EXPECT_EQ(WriterErrors(Log), 0);

	// The EXR fallback hands the wrapper 32-bit floats, and they stay 32-bit in the file.
	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("fallback.exr_"), EOrvaneCaptureFormat::EXR));
	FDecoded Exr;
	ASSERT_TRUE(ReadExr(Dir.Path("fallback.exr_"), Exr));
	EXPECT_EQ(Exr.Width, 4);
	EXPECT_EQ(Exr.Height, 2);
	EXPECT_EQ(Exr.BitDepth, 32);
	EXPECT_EQ(Exr.At(3, 1, 0), 1.0f);
	EXPECT_EQ(Exr.At(3, 1, 1), 0.5f);
	EXPECT_EQ(Exr.At(3, 1, 2), 0.25f);

	ASSERT_TRUE(Access::SaveImageToFile(Target, Dir.File("fallback.rgbe"), EOrvaneCaptureFormat::HDR));
	const std::vector<uint8_t> Hdr = ReadBytes(Dir.Path("fallback.rgbe"));
	ASSERT_EQ(Hdr.size(), HeaderFor4x2.size() + 32);
	EXPECT_EQ(RecordAt(Hdr, HeaderFor4x2.size(), 7), Record(128, 64, 32, 129));
	EXPECT_EQ(WriterErrors(Log), 0);
}

TEST_F(ImageWriters, UnwritablePathFailsForEveryFormat)
{
	UTextureRenderTarget2D* Target = OrvaneKit::MakeRenderTarget(4, 2, RTF_RGBA16f, 1.0f, true);
	{
		std::ofstream Blocker(Dir.Path("blocker"));
		Blocker << "a file, not a folder";
	}
	const EOrvaneCaptureFormat Formats[4] = {EOrvaneCaptureFormat::PNG, EOrvaneCaptureFormat::JPEG, EOrvaneCaptureFormat::EXR, EOrvaneCaptureFormat::HDR};
	const char* Names[4] = {"blocker/a.png", "blocker/a.jpg", "blocker/a.exr", "blocker/a.hdr"};
	for (int32 Index = 0; Index < 4; ++Index)
	{
		EXPECT_FALSE(Access::SaveImageToFile(Target, Dir.File(Names[Index]), Formats[Index])) << Names[Index];
	}
	EXPECT_FALSE(Access::SaveImageToFile(nullptr, Dir.File("null.png"), EOrvaneCaptureFormat::PNG));
	EXPECT_FALSE(std::filesystem::exists(Dir.Path("null.png")));
	EXPECT_EQ(WriterErrors(Log), 0);
}
