// Copyright Kelmora. All Rights Reserved.
#include "OrvaneCaptureImage.h"

#include "Camera/CameraComponent.h"
#include "Components/SceneCaptureComponent2D.h"
#include "Components/SceneCaptureComponentCube.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Engine/TextureRenderTargetCube.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "HAL/PlatformProcess.h"
#include "IImageWrapper.h"
#include "IImageWrapperModule.h"
#include "ImageCore.h"
#include "ImageUtils.h"
#include "Kismet/KismetRenderingLibrary.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "Misc/FileHelper.h"
#include "Misc/ScopeExit.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCompat.h"
#include "OrvaneLiveLinkHelper.h"
#include "RenderingThread.h"
#include "TextureResource.h"
#include "UObject/Package.h"

#include <cmath>
#include <cstring>

UMaterialInterface* UOrvaneCaptureImg::CachedConversionMaterial = nullptr;

namespace
{
	const TCHAR* const ConversionMaterialPath = TEXT("/Orvane/Materials/M_CubemapToEquirectangular");
	const TCHAR* const ProjectConversionMaterialPath = TEXT("/Game/Orvane/Materials/M_CubemapToEquirectangular");

	/** The largest texture side the engine's renderers create; larger requests would fail there or exhaust memory. */
	constexpr int32 MaxTextureSize = 16384;

	UCameraComponent* FindCameraComponent(const AActor* CameraActor)
	{
		return CameraActor ? CameraActor->FindComponentByClass<UCameraComponent>() : nullptr;
	}

	ESceneCaptureSource CaptureSourceFor(bool bEnableHDR)
	{
		return bEnableHDR ? SCS_SceneColorHDR : SCS_FinalColorLDR;
	}

	/** A still has no motion to blur; the tonemapper makes the LDR image match the camera and stays out of linear HDR. */
	void SetCaptureShowFlags(FEngineShowFlags& ShowFlags, bool bEnableHDR)
	{
		ShowFlags.SetMotionBlur(false);
		ShowFlags.SetTonemapper(!bEnableHDR);
	}

	/** Size, clear colour, gamma, precision and linear-gamma flag of a capture's output target, then its resource. */
	void InitOutputTarget(UTextureRenderTarget2D& Target, int32 Width, int32 Height, bool bFloatTarget, bool bEnableHDR)
	{
		Target.RenderTargetFormat = bFloatTarget ? RTF_RGBA16f : RTF_RGBA8;
		Target.TargetGamma = bEnableHDR ? 1.0f : 2.2f;
		Target.bForceLinearGamma = bEnableHDR;
		Target.bAutoGenerateMips = false;
		Target.InitAutoFormat(static_cast<uint32>(Width), static_cast<uint32>(Height));
		Target.UpdateResourceImmediate(true);
	}

	/**
	 * Reads the whole target as half-float RGBA, top row first. Fails without a resource, on a surface that
	 * is not RGBA16F (the read-back does not convert), and when the pixels widened to 32-bit floats would not
	 * fit an array, so that no size computed from them can wrap.
	 */
	bool ReadHalfFloatPixels(UTextureRenderTarget2D* RenderTarget, TArray<FFloat16Color>& OutPixels)
	{
		if (!RenderTarget)
		{
			return false;
		}
		FTextureRenderTargetResource* Resource = RenderTarget->GameThread_GetRenderTargetResource();
		if (!Resource || RenderTarget->GetFormat() != PF_FloatRGBA)
		{
			return false;
		}
		const int64 Width = RenderTarget->SizeX;
		const int64 Height = RenderTarget->SizeY;
		if (Width <= 0 || Height <= 0 || Width * Height > TNumericLimits<int32>::Max() / 16)
		{
			return false;
		}
		return Resource->ReadFloat16Pixels(OutPixels) && OutPixels.Num() == Width * Height;
	}

	/** A component made finite: NaN and -infinity count as 0, +infinity as the largest finite float. */
	float FiniteComponent(float Value)
	{
		if (std::isnan(Value))
		{
			return 0.0f;
		}
		if (std::isinf(Value))
		{
			return Value > 0.0f ? TNumericLimits<float>::Max() : 0.0f;
		}
		return Value;
	}

	/** Truncates toward zero and clamps to 0..255 without converting an out-of-range float to an integer. */
	uint8 ToByte(float Value)
	{
		if (!(Value > 0.0f))
		{
			return 0;
		}
		return Value >= 255.0f ? 255 : static_cast<uint8>(Value);
	}

	/** Writes the RGBE record of one linear pixel (alpha ignored) to Out[0..3]. */
	void EncodeRGBE(const FFloat16Color& Pixel, uint8* Out)
	{
		const float R = FiniteComponent(Pixel.R.GetFloat());
		const float G = FiniteComponent(Pixel.G.GetFloat());
		const float B = FiniteComponent(Pixel.B.GetFloat());
		const float M = FMath::Max(R, FMath::Max(G, B));
		if (M < 1e-32f)
		{
			Out[0] = 0;
			Out[1] = 0;
			Out[2] = 0;
			Out[3] = 0;
			return;
		}
		// frexp's split of M, read from its bits: M is at least 1e-32, so always a normal float, and
		// M = F * 2^E with 0.5 <= F < 1 where E is the biased exponent minus 126. The factor F * 256 / M is
		// then exactly 2^(8 - E), a normal float for every such M, built here from its bits.
		uint32 Bits = 0;
		std::memcpy(&Bits, &M, sizeof(Bits));
		const int32 BiasedExponent = static_cast<int32>((Bits >> 23) & 0xFF);
		const int32 Exponent = BiasedExponent - 126;
		const uint32 FactorBits = static_cast<uint32>(8 - Exponent + 127) << 23;
		float Factor = 0.0f;
		std::memcpy(&Factor, &FactorBits, sizeof(Factor));
		Out[0] = ToByte(Factor * R);
		Out[1] = ToByte(Factor * G);
		Out[2] = ToByte(Factor * B);
		Out[3] = static_cast<uint8>(FMath::Clamp(Exponent + 128, 0, 255));
	}
}

bool UOrvaneCaptureImg::SaveImageToFile(UTextureRenderTarget2D* RenderTarget, const FString& FilePath, EOrvaneCaptureFormat Format)
{
	if (!RenderTarget)
	{
		return false;
	}

	// The extension picks the encoder; the format only chooses the fallback below.
	FImage Image;
	if (FImageUtils::GetRenderTargetImage(RenderTarget, Image) && FImageUtils::SaveImageByExtension(*FilePath, Image))
	{
		return true;
	}

	switch (Format)
	{
	case EOrvaneCaptureFormat::EXR:
		return SaveEXRImage(RenderTarget, FilePath);
	case EOrvaneCaptureFormat::HDR:
		return SaveHDRImage(RenderTarget, FilePath);
	default:
		return false;
	}
}

bool UOrvaneCaptureImg::SaveEXRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath)
{
	TArray<FFloat16Color> HalfPixels;
	if (!ReadHalfFloatPixels(RenderTarget, HalfPixels))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to read Float16 pixels for EXR"));
		return false;
	}

	const int32 Width = RenderTarget->SizeX;
	const int32 Height = RenderTarget->SizeY;
	TArray<float> FloatPixels;
	FloatPixels.Reserve(HalfPixels.Num() * 4);
	for (const FFloat16Color& Pixel : HalfPixels)
	{
		FloatPixels.Add(Pixel.R.GetFloat());
		FloatPixels.Add(Pixel.G.GetFloat());
		FloatPixels.Add(Pixel.B.GetFloat());
		FloatPixels.Add(Pixel.A.GetFloat());
	}

	IImageWrapperModule& ImageWrapperModule = FModuleManager::LoadModuleChecked<IImageWrapperModule>(TEXT("ImageWrapper"));
	TSharedPtr<IImageWrapper> ImageWrapper = ImageWrapperModule.CreateImageWrapper(EImageFormat::EXR);
	if (!ImageWrapper.IsValid())
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to create EXR wrapper"));
		return false;
	}

	const int64 RawSize = static_cast<int64>(FloatPixels.Num()) * static_cast<int64>(sizeof(float));
	if (!ImageWrapper->SetRaw(FloatPixels.GetData(), RawSize, Width, Height, ERGBFormat::RGBAF, 32))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to set EXR raw data"));
		return false;
	}

	const TArray64<uint8> Compressed = ImageWrapper->GetCompressed();
	if (Compressed.Num() == 0)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to compress EXR"));
		return false;
	}

	return FFileHelper::SaveArrayToFile(Compressed, *FilePath);
}

bool UOrvaneCaptureImg::SaveHDRImage(UTextureRenderTarget2D* RenderTarget, const FString& FilePath)
{
	TArray<FFloat16Color> HalfPixels;
	if (!ReadHalfFloatPixels(RenderTarget, HalfPixels))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to read Float16 pixels for HDR"));
		return false;
	}

	const FString Header = FString::Printf(TEXT("#?RADIANCE\nFORMAT=32-bit_rle_rgbe\n\n-Y %d +X %d\n"), RenderTarget->SizeY, RenderTarget->SizeX);
	const FTCHARToUTF8 HeaderUtf8(*Header);

	// The read-back guarantees that four bytes a pixel plus the header fit an array.
	TArray<uint8> Buffer;
	Buffer.SetNumUninitialized(HeaderUtf8.Length() + HalfPixels.Num() * 4);
	uint8* Out = Buffer.GetData();
	std::memcpy(Out, HeaderUtf8.Get(), HeaderUtf8.Length());
	Out += HeaderUtf8.Length();
	// Top row first, as the "-Y" orientation of the header says; every scanline is written flat.
	for (const FFloat16Color& Pixel : HalfPixels)
	{
		EncodeRGBE(Pixel, Out);
		Out += 4;
	}

	return FFileHelper::SaveArrayToFile(Buffer, *FilePath);
}

bool UOrvaneCaptureImg::Capture2DImageFromVPCamera(const FString& filename, EOrvaneCaptureFormat format, int32 image_width, int32 image_height, bool enable_hdr, float fov_overscan)
{
	AActor* CameraActor = UOrvaneLiveLinkHelper::GetOrvaneVPCamera();
	return CameraActor && Render2DImage(CameraActor, filename, image_width, image_height, format, enable_hdr, fov_overscan);
}

bool UOrvaneCaptureImg::CaptureEqImageFromVPCamera(const FString& filename, EOrvaneCaptureFormat format, int32 image_width, int32 image_height, bool enable_hdr, bool include_rotation)
{
	AActor* CameraActor = UOrvaneLiveLinkHelper::GetOrvaneVPCamera();
	return CameraActor && RenderEqImage(CameraActor, filename, image_width, image_height, format, enable_hdr, include_rotation);
}

bool UOrvaneCaptureImg::Render2DImage(AActor* CameraActor, const FString& FileName, int32 Width, int32 Height, EOrvaneCaptureFormat Format, bool bEnableHDR, float FovOverscan)
{
	if (!CameraActor)
	{
		return false;
	}
	// Sizes and angles arrive from the network: refuse what would stop the engine (a zero-sized target is a
	// failed check) or give no picture, before anything is created.
	if (Width < 1 || Height < 1 || Width > MaxTextureSize || Height > MaxTextureSize)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Image size %dx%d is outside 1..%d"), Width, Height, MaxTextureSize);
		return false;
	}
	const float CaptureAngle = GetVPCameraFOV(CameraActor) * FovOverscan;
	if (!(CaptureAngle > 0.0f && CaptureAngle < 180.0f))
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Capture angle %f (field of view times overscan %f) is outside 0..180 degrees"), CaptureAngle, FovOverscan);
		return false;
	}

	USceneCaptureComponent2D* Capture = NewObject<USceneCaptureComponent2D>(CameraActor);
	if (!Capture)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to create capture component from VP Camera"));
		return false;
	}
	ON_SCOPE_EXIT
	{
		Capture->DestroyComponent();
	};

	Capture->SetWorldTransform(GetVPCameraTransform(CameraActor));
	Capture->FOVAngle = CaptureAngle;
	if (const UCameraComponent* CameraComponent = FindCameraComponent(CameraActor))
	{
		Capture->PostProcessSettings = CameraComponent->PostProcessSettings;
	}
	Capture->CaptureSource = CaptureSourceFor(bEnableHDR);
	Capture->ProjectionType = ECameraProjectionMode::Perspective;
	Capture->bCaptureEveryFrame = false;
	Capture->bCaptureOnMovement = false;
	Capture->bAlwaysPersistRenderingState = true;
	Capture->LODDistanceFactor = 1.0f;

	UTextureRenderTarget2D* Target = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
	if (!Target)
	{
		return false;
	}
	const bool bFloatTarget = Format == EOrvaneCaptureFormat::EXR || Format == EOrvaneCaptureFormat::HDR || (Format == EOrvaneCaptureFormat::PNG && bEnableHDR);
	Target->ClearColor = FLinearColor::Black;
	InitOutputTarget(*Target, Width, Height, bFloatTarget, bEnableHDR);
	Capture->TextureTarget = Target;

	Capture->ShowFlags = FEngineShowFlags(ESFIM_Game);
	SetCaptureShowFlags(Capture->ShowFlags, bEnableHDR);

	Capture->CaptureScene();
	FlushRenderingCommands();
	const bool bSaved = SaveImageToFile(Target, FileName, Format);
	if (!bSaved)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture2D: Failed to save VP Camera capture to %s"), *FileName);
	}
	return bSaved;
}

bool UOrvaneCaptureImg::RenderEqImage(AActor* CameraActor, const FString& FileName, int32 Width, int32 Height, EOrvaneCaptureFormat Format, bool bEnableHDR, bool bIncludeRotation)
{
	UWorld* World = CameraActor ? CameraActor->GetWorld() : nullptr;
	if (!World)
	{
		return false;
	}
	// The panorama is four times as wide as the requested width.
	if (Width < 1 || Width > MaxTextureSize / 4)
	{
		UE_LOG(LogTemp, Error, TEXT("OrvaneCapture360: Image width %d is outside 1..%d"), Width, MaxTextureSize / 4);
		return false;
	}

	AActor* CaptureActor = World->SpawnActor<AActor>();
	if (!CaptureActor)
	{
		return false;
	}
	ON_SCOPE_EXIT
	{
		CaptureActor->Destroy();
	};

	const FTransform CameraTransform = GetVPCameraTransform(CameraActor);
	const FVector CaptureLocation = CameraTransform.GetLocation();
	const FRotator CaptureRotation = bIncludeRotation ? CameraTransform.Rotator() : FRotator::ZeroRotator;
	CaptureActor->SetActorLocationAndRotation(CaptureLocation, CaptureRotation);

	USceneCaptureComponentCube* Capture = NewObject<USceneCaptureComponentCube>(CaptureActor);
	CaptureActor->SetRootComponent(Capture);
	Capture->RegisterComponent();
	Capture->SetWorldLocationAndRotation(CaptureLocation, CaptureRotation);
	// A cube capture renders along the world axes unless told to follow its own rotation.
	Capture->bCaptureRotation = bIncludeRotation;

	UTextureRenderTargetCube* CubeTarget = NewObject<UTextureRenderTargetCube>(GetTransientPackage());
	CubeTarget->InitAutoFormat(static_cast<uint32>(Width));
	CubeTarget->bHDR = bEnableHDR;
	CubeTarget->TargetGamma = bEnableHDR ? 1.0f : 2.2f;
	CubeTarget->UpdateResourceImmediate(true);
	Capture->TextureTarget = CubeTarget;

	const bool bStitchingFix = IsUnreal55OrHigher();
	if (bStitchingFix)
	{
		ApplyUE55StitchingFix(Capture);
	}
	else
	{
		Capture->bCaptureEveryFrame = false;
		Capture->bCaptureOnMovement = false;
	}
	CopyVPCameraPostProcessSettings(CameraActor, Capture);
	ConfigureCaptureQuality(Capture, bEnableHDR, Format);

	Capture->CaptureScene();
	FlushRenderingCommands();
	FPlatformProcess::Sleep(0.1f);
	if (bStitchingFix)
	{
		Capture->bCaptureEveryFrame = false;
	}

	UTextureRenderTarget2D* Output = NewObject<UTextureRenderTarget2D>(GetTransientPackage());
	InitOutputTarget(*Output, 4 * Width, 2 * Width, bEnableHDR, bEnableHDR);

	UMaterialInterface* ConversionMaterial = LoadConversionMaterial();
	if (!ConversionMaterial)
	{
		return false;
	}
	UMaterialInstanceDynamic* Conversion = UMaterialInstanceDynamic::Create(ConversionMaterial, nullptr);
	if (!Conversion || !CubeTarget->GetResource())
	{
		return false;
	}
	Conversion->SetTextureParameterValue(FName(TEXT("CubemapTexture")), CubeTarget);
	UKismetRenderingLibrary::DrawMaterialToRenderTarget(World, Output, Conversion);

	return SaveImageToFile(Output, FileName, Format);
}

float UOrvaneCaptureImg::GetVPCameraFOV(AActor* CameraActor)
{
	if (const UCameraComponent* CameraComponent = FindCameraComponent(CameraActor))
	{
		return CameraComponent->FieldOfView;
	}
	if (const USceneComponent* Root = CameraActor ? CameraActor->GetRootComponent() : nullptr)
	{
		for (const USceneComponent* Child : Root->GetAttachChildren())
		{
			if (const UCameraComponent* CameraComponent = Cast<UCameraComponent>(Child))
			{
				return CameraComponent->FieldOfView;
			}
		}
	}
	return 90.0f;
}

FTransform UOrvaneCaptureImg::GetVPCameraTransform(AActor* CameraActor)
{
	if (const UCameraComponent* CameraComponent = FindCameraComponent(CameraActor))
	{
		return CameraComponent->GetComponentTransform();
	}
	if (const USceneComponent* Root = CameraActor ? CameraActor->GetRootComponent() : nullptr)
	{
		return Root->GetComponentTransform();
	}
	return FTransform::Identity;
}

void UOrvaneCaptureImg::CopyVPCameraPostProcessSettings(AActor* CameraActor, USceneCaptureComponentCube* CaptureComponent)
{
	const UCameraComponent* CameraComponent = FindCameraComponent(CameraActor);
	if (!CameraComponent || !CaptureComponent)
	{
		return;
	}
	if (FPostProcessSettings* CaptureSettings = OrvaneCompat::FindCubeCapturePostProcessSettings(*CaptureComponent))
	{
		*CaptureSettings = CameraComponent->PostProcessSettings;
	}
}

void UOrvaneCaptureImg::ConfigureCaptureQuality(USceneCaptureComponentCube* CaptureComponent, bool bEnableHDR, EOrvaneCaptureFormat Format)
{
	if (!CaptureComponent)
	{
		return;
	}
	CaptureComponent->CaptureSource = CaptureSourceFor(bEnableHDR);
	SetCaptureShowFlags(CaptureComponent->ShowFlags, bEnableHDR);
}

void UOrvaneCaptureImg::ApplyUE55StitchingFix(USceneCaptureComponentCube* CaptureComponent)
{
	UE_LOG(LogTemp, Warning, TEXT("=== OrvaneCapture360: Applying UE5.5+ Stitching Fix ==="));
	if (CaptureComponent)
	{
		CaptureComponent->bCaptureEveryFrame = true;
		CaptureComponent->bCaptureOnMovement = false;
	}
}

bool UOrvaneCaptureImg::IsUnreal55OrHigher()
{
	return OrvaneCompat::IsRunningEngineAtLeast(5, 5);
}

UMaterialInterface* UOrvaneCaptureImg::LoadConversionMaterial()
{
	if (IsValid(CachedConversionMaterial))
	{
		return CachedConversionMaterial;
	}
	UMaterialInterface* Material = LoadObject<UMaterialInterface>(nullptr, ConversionMaterialPath);
	if (!Material)
	{
		Material = LoadObject<UMaterialInterface>(nullptr, ProjectConversionMaterialPath);
	}
	if (Material)
	{
		// The cache is a plain pointer the garbage collector cannot see: root the material so that it stays.
		Material->AddToRoot();
	}
	CachedConversionMaterial = Material;
	return Material;
}
