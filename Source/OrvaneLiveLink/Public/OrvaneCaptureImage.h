// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "OrvaneCaptureImage.generated.h"

class AActor;
class UMaterialInterface;
class USceneCaptureComponentCube;
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

public:
	/**
	 * Renders the view of the level's virtual-production camera and saves it; the file name's extension picks the encoding.
	 * @param filename Full path of the image file, extension included
	 * @param format Selects the render target precision and the writer used when the extension has no encoder
	 * @param fov_overscan Scales the camera's field of view angle
	 * @return true if the image was written
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane|Capture2D", meta = (ToolTip = "Capture 2D image from current VP camera"))
	static bool Capture2DImageFromVPCamera(const FString& filename, EOrvaneCaptureFormat format, int32 image_width, int32 image_height, bool enable_hdr, float fov_overscan);

	/**
	 * Renders a 360-degree panorama from the camera's position and saves it as a 4 x image_width by 2 x image_width equirectangular image.
	 * @param image_height Not used: the panorama's height follows its width
	 * @param include_rotation Turn the panorama with the camera instead of aligning it to the world axes
	 * @return true if the image was written
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane|Capture2D", meta = (ToolTip = "Capture Equirectangular image from current VP camera"))
	static bool CaptureEqImageFromVPCamera(const FString& filename, EOrvaneCaptureFormat format, int32 image_width, int32 image_height, bool enable_hdr, bool include_rotation);

private:
	friend struct FOrvaneCaptureImgTestAccess;

	static bool Render2DImage(AActor* CameraActor, const FString& FileName, int32 Width, int32 Height, EOrvaneCaptureFormat Format, bool bEnableHDR, float FovOverscan);
	static bool RenderEqImage(AActor* CameraActor, const FString& FileName, int32 Width, int32 Height, EOrvaneCaptureFormat Format, bool bEnableHDR, bool bIncludeRotation);
	/** The camera component's field of view in degrees; 90 when the actor has none. */
	static float GetVPCameraFOV(AActor* CameraActor);
	/** The camera component's world transform, else the root component's, else identity. */
	static FTransform GetVPCameraTransform(AActor* CameraActor);
	/** Copies the camera's post-process settings onto the cube capture where the engine gives it such settings. */
	static void CopyVPCameraPostProcessSettings(AActor* CameraActor, USceneCaptureComponentCube* CaptureComponent);
	/** Capture source and show flags of the panorama. */
	static void ConfigureCaptureQuality(USceneCaptureComponentCube* CaptureComponent, bool bEnableHDR, EOrvaneCaptureFormat Format);
	/** Renders the cube on a frame update as well, which keeps its faces in step on engines from 5.5 on. */
	static void ApplyUE55StitchingFix(USceneCaptureComponentCube* CaptureComponent);
	static bool IsUnreal55OrHigher();
	/** The cube-to-equirectangular material, loaded once and kept. */
	static UMaterialInterface* LoadConversionMaterial();

	/** The conversion material once it has loaded; kept (rooted) for the rest of the process. */
	static UMaterialInterface* CachedConversionMaterial;

	/** Writes the target with the encoder its file name's extension picks; falls back to the EXR or HDR writer for those formats. */
	static bool SaveImageToFile(UTextureRenderTarget2D* RenderTarget, const FString& FilePath, EOrvaneCaptureFormat Format);
	/** Writes the target's half-float pixels as an OpenEXR file of 32-bit float channels. */
	static bool SaveEXRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath);
	/** Writes the target's half-float pixels as a Radiance RGBE file with flat scanlines. */
	static bool SaveHDRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath);
};
