// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "OrvaneCaptureImage.generated.h"

class UTextureRenderTarget2D;

/** Image file format of a capture: selects the render target precision and the fallback writer. */
UENUM(BlueprintType)
enum class EOrvaneCaptureFormat : uint8
{
	PNG = 0 UMETA(DisplayName = "PNG (8/16-bit)"),
	JPEG = 1 UMETA(DisplayName = "JPEG (8-bit)"),
	EXR = 2 UMETA(DisplayName = "EXR (32-bit HDR)"),
	HDR = 3 UMETA(DisplayName = "HDR (32-bit)"),
};

/** Still captures from the virtual-production camera, and the writers that save them to image files. */
UCLASS()
class ORVANELIVELINK_API UOrvaneCaptureImg : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

private:
	friend struct FOrvaneCaptureImgTestAccess;

	/** Writes the target with the encoder its file name's extension picks; falls back to the EXR or HDR writer for those formats. */
	static bool SaveImageToFile(UTextureRenderTarget2D* RenderTarget, const FString& FilePath, EOrvaneCaptureFormat Format);
	/** Writes the target's half-float pixels as an OpenEXR file of 32-bit float channels. */
	static bool SaveEXRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath);
	/** Writes the target's half-float pixels as a Radiance RGBE file with flat scanlines. */
	static bool SaveHDRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath);
};
