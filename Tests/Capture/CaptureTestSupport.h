// Copyright Kelmora. All Rights Reserved.
// Shared by the capture tests: reach the writers, make scratch folders, and read image files back with
// the libraries that write them.
#pragma once

#include "OrvaneCaptureImage.h"

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

/** The test side of UOrvaneCaptureImg's private writers. */
struct FOrvaneCaptureImgTestAccess
{
	static bool SaveImageToFile(UTextureRenderTarget2D* Target, const FString& Path, EOrvaneCaptureFormat Format) { return UOrvaneCaptureImg::SaveImageToFile(Target, Path, Format); }
	static bool SaveEXRImage(UTextureRenderTarget2D* Target, const FString& Path) { return UOrvaneCaptureImg::SaveEXRImage(Target, Path); }
	static bool SaveHDRImage(UTextureRenderTarget2D* Target, const FString& Path) { return UOrvaneCaptureImg::SaveHDRImage(Target, Path); }
	static float GetVPCameraFOV(AActor* Camera) { return UOrvaneCaptureImg::GetVPCameraFOV(Camera); }
	static void CopyVPCameraPostProcessSettings(AActor* Camera, USceneCaptureComponentCube* Capture) { UOrvaneCaptureImg::CopyVPCameraPostProcessSettings(Camera, Capture); }
	static bool IsUnreal55OrHigher() { return UOrvaneCaptureImg::IsUnreal55OrHigher(); }
	static UMaterialInterface* CachedConversionMaterial() { return UOrvaneCaptureImg::CachedConversionMaterial; }
	/** Forgets (and unroots) the cached conversion material, as in a fresh process. */
	static void ResetConversionMaterial();
};

namespace OrvaneCaptureTest
{
	/** A folder of its own for one test, removed afterwards. */
	class FScratchDir
	{
	public:
		FScratchDir();
		~FScratchDir();
		std::filesystem::path Path(const std::string& Name) const { return Root / Name; }
		FString File(const std::string& Name) const { return FString(UTF8_TO_TCHAR(Path(Name).string().c_str())); }

	private:
		std::filesystem::path Root;
	};

	std::vector<uint8_t> ReadBytes(const std::filesystem::path& Path);

	/** A decoded image: samples in file order, one per channel. */
	struct FDecoded
	{
		int32 Width = 0;
		int32 Height = 0;
		int32 Channels = 0;
		int32 BitDepth = 0;
		std::vector<float> Samples;
		float At(int32 X, int32 Y, int32 Channel) const { return Samples[(size_t(Y) * Width + X) * Channels + Channel]; }
	};

	/** PNG with libpng: samples are the raw integer values. */
	bool ReadPng(const std::filesystem::path& Path, FDecoded& Out);
	/** JPEG with libjpeg-turbo: 8-bit samples. */
	bool ReadJpeg(const std::filesystem::path& Path, FDecoded& Out);
	/** OpenEXR: R, G, B, A as floats; BitDepth is 16 when every channel is half, 32 when every one is float. */
	bool ReadExr(const std::filesystem::path& Path, FDecoded& Out);
}
