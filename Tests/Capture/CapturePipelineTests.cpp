// Copyright Kelmora. All Rights Reserved.
#include "HeadlessProject.h"
#include "Camera/CameraComponent.h"
#include "Capture/CaptureTestSupport.h"
#include "Components/SceneCaptureComponentCube.h"
#include "Content/PluginContentSupport.h"
#include "EditorKit.h"
#include "Engine/Engine.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "LogCapture.h"
#include "Materials/Material.h"
#include "Materials/MaterialExpressionCustom.h"
#include "Materials/MaterialInterface.h"
#include "Misc/EngineVersion.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCaptureRequest.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectIterator.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>

using namespace OrvaneCaptureTest;
using Access = FOrvaneCaptureImgTestAccess;

namespace
{
	constexpr double Pi = 3.14159265358979323846;

	/** The stand-in renderer's sky, written out again here so that the tests do not trust the host's copy. */
	FLinearColor ExpectedSky(const FVector& Direction)
	{
		const FVector D = Direction.GetSafeNormal();
		const double Zenith = D.Z > 0.0 ? 16.0 * std::pow(D.Z, 16.0) : 0.0;
		return FLinearColor(float(0.5 + 0.5 * D.X + Zenith), float(0.5 + 0.5 * D.Y + Zenith), float(0.5 + 0.5 * D.Z + Zenith), 1.0f);
	}

	double Encoded(double Linear)
	{
		return std::pow(FMath::Clamp(Linear, 0.0, 1.0), 1.0 / 2.2);
	}

	/** The world direction through pixel (X, Y) of a W x H perspective view with a horizontal angle in degrees. */
	FVector PixelDirection(int32 X, int32 Y, int32 Width, int32 Height, double AngleDegrees, const FRotator& Rotation)
	{
		const double HalfTan = std::tan(AngleDegrees * Pi / 360.0);
		const FVector Local(1.0, (2.0 * (X + 0.5) / Width - 1.0) * HalfTan, (1.0 - 2.0 * (Y + 0.5) / Height) * HalfTan * Height / Width);
		return Rotation.Quaternion().RotateVector(Local);
	}

	/** The direction of pixel (X, Y) of a W x H equirectangular image, in the panorama's frame. */
	FVector PanoramaDirection(int32 X, int32 Y, int32 Width, int32 Height)
	{
		const double Longitude = ((X + 0.5) / Width - 0.5) * 2.0 * Pi;
		const double Latitude = (0.5 - (Y + 0.5) / Height) * Pi;
		return FVector(std::cos(Latitude) * std::cos(Longitude), std::cos(Latitude) * std::sin(Longitude), std::sin(Latitude));
	}

	/** An editor engine of its own with one editor world, the plug-in's content made and the material cache empty. */
	class CapturePipeline : public testing::Test
	{
	protected:
		void SetUp() override
		{
			CameraClass = OrvaneTestContent::LoadVPCameraClass();
			ASSERT_NE(CameraClass, nullptr);
			TestEngine = MakeUnique<FScopedTestEngine>();
			World = TestEngine->AddWorld(EWorldType::Editor, TEXT("CaptureWorld"));
			Access::ResetConversionMaterial();
		}

		void TearDown() override
		{
			Access::ResetConversionMaterial();
			UE::Core::Host::ResetCurrentEngineVersion();
			TestEngine = nullptr;
			FOrvaneContent::CreateMissing();
		}

		/** The virtual-production camera at a place, looking along a rotation, with a field of view. */
		AActor* SpawnCamera(const FVector& Location, const FRotator& Rotation, float FieldOfView = 90.0f)
		{
			AActor* Camera = World->SpawnActor(CameraClass, Location, Rotation);
			UCameraComponent* Component = Camera->FindComponentByClass<UCameraComponent>();
			Component->FieldOfView = FieldOfView;
			Camera->SetActorLocationAndRotation(Location, Rotation);
			return Camera;
		}

		int32 ActorCount() const
		{
			int32 Count = 0;
			for (TActorIterator<AActor> It(World); It; ++It)
			{
				++Count;
			}
			return Count;
		}

		/** Runs Capture and returns the 2D render targets it made. */
		template <typename CaptureType>
		TArray<UTextureRenderTarget2D*> TargetsMadeBy(CaptureType&& Capture)
		{
			std::set<UTextureRenderTarget2D*> Before;
			for (TObjectIterator<UTextureRenderTarget2D> It; It; ++It)
			{
				Before.insert(*It);
			}
			Capture();
			TArray<UTextureRenderTarget2D*> Made;
			for (TObjectIterator<UTextureRenderTarget2D> It; It; ++It)
			{
				if (!Before.count(*It))
				{
					Made.Add(*It);
				}
			}
			return Made;
		}

		int32 ErrorLines() const
		{
			int32 Errors = 0;
			for (const FCapturedLogLine& Line : Log.Lines())
			{
				Errors += Line.Verbosity == ELogVerbosity::Error ? 1 : 0;
			}
			return Errors;
		}

		UClass* CameraClass = nullptr;
		TUniquePtr<FScopedTestEngine> TestEngine;
		UWorld* World = nullptr;
		FScratchDir Scratch;
		FLogCapture Log;
	};
}

TEST_F(CapturePipeline, FlatCaptureSeesTheCameraViewWidenedByTheOverscan)
{
	const FRotator Rotation(10.0, 30.0, 0.0);
	AActor* Camera = SpawnCamera(FVector(100.0, -50.0, 20.0), Rotation, 90.0f);
	const int32 ComponentsBefore = Camera->K2_GetComponentsByClass(nullptr).Num();
	const FString File = Scratch.File("flat.exr");

	ASSERT_TRUE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::EXR, 32, 18, true, 1.1f));

	FDecoded Image;
	ASSERT_TRUE(ReadExr(Scratch.Path("flat.exr"), Image));
	ASSERT_EQ(Image.Width, 32);
	ASSERT_EQ(Image.Height, 18);
	double WorstAt99 = 0.0;
	double WorstAt90 = 0.0;
	for (int32 Y = 0; Y < 18; ++Y)
	{
		for (int32 X = 0; X < 32; ++X)
		{
			const FLinearColor At99 = ExpectedSky(PixelDirection(X, Y, 32, 18, 99.0, Rotation));
			const FLinearColor At90 = ExpectedSky(PixelDirection(X, Y, 32, 18, 90.0, Rotation));
			WorstAt99 = FMath::Max(WorstAt99, double(FMath::Abs(Image.At(X, Y, 0) - At99.R) + FMath::Abs(Image.At(X, Y, 1) - At99.G) + FMath::Abs(Image.At(X, Y, 2) - At99.B)));
			WorstAt90 = FMath::Max(WorstAt90, double(FMath::Abs(Image.At(X, Y, 0) - At90.R) + FMath::Abs(Image.At(X, Y, 1) - At90.G)));
		}
	}
	EXPECT_LT(WorstAt99, 3e-3) << "half-float precision of the 99 degree view";
	EXPECT_GT(WorstAt90, 0.02) << "the overscan must widen the angle itself";
	EXPECT_EQ(Camera->K2_GetComponentsByClass(nullptr).Num(), ComponentsBefore) << "the capture component is gone afterwards";
	EXPECT_EQ(ErrorLines(), 0);
}

TEST_F(CapturePipeline, TargetPrecisionAndGammaFollowTheFormatAndTheHdrSwitch)
{
	SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	struct FCase
	{
		const char* File;
		EOrvaneCaptureFormat Format;
		bool bHDR;
		EPixelFormat Surface;
		float Gamma;
	};
	const FCase Cases[] = {
		{"ldr.png", EOrvaneCaptureFormat::PNG, false, PF_B8G8R8A8, 2.2f},
		{"hdr.png", EOrvaneCaptureFormat::PNG, true, PF_FloatRGBA, 1.0f},
		{"hdr.jpg", EOrvaneCaptureFormat::JPEG, true, PF_B8G8R8A8, 1.0f},
		{"ldr.exr", EOrvaneCaptureFormat::EXR, false, PF_FloatRGBA, 2.2f},
		{"ldr.hdr", EOrvaneCaptureFormat::HDR, false, PF_FloatRGBA, 2.2f},
	};
	for (const FCase& Case : Cases)
	{
		SCOPED_TRACE(Case.File);
		const TArray<UTextureRenderTarget2D*> Made = TargetsMadeBy([&]
			{ EXPECT_TRUE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(Scratch.File(Case.File), Case.Format, 16, 8, Case.bHDR, 1.0f)); });
		ASSERT_EQ(Made.Num(), 1);
		EXPECT_EQ(Made[0]->GetFormat(), Case.Surface);
		EXPECT_EQ(Made[0]->TargetGamma, Case.Gamma);
		EXPECT_EQ(bool(Made[0]->bForceLinearGamma), Case.bHDR);
		EXPECT_EQ(Made[0]->ClearColor, FLinearColor::Black);
		EXPECT_EQ(Made[0]->SizeX, 16);
		EXPECT_EQ(Made[0]->SizeY, 8);
	}

	// What lands in the files: LDR is clamped and gamma-encoded, HDR stays linear even in an 8-bit JPEG,
	// and an HDR PNG is 16-bit. The centre pixel looks almost straight ahead: sky (1, 0.5, 0.5).
	FDecoded Ldr;
	ASSERT_TRUE(ReadPng(Scratch.Path("ldr.png"), Ldr));
	EXPECT_EQ(Ldr.BitDepth, 8);
	const FLinearColor Centre = ExpectedSky(PixelDirection(8, 4, 16, 8, 90.0, FRotator::ZeroRotator));
	EXPECT_NEAR(Ldr.At(8, 4, 1), 255.0 * Encoded(Centre.G), 1.0);
	FDecoded HdrPng;
	ASSERT_TRUE(ReadPng(Scratch.Path("hdr.png"), HdrPng));
	EXPECT_EQ(HdrPng.BitDepth, 16);
	EXPECT_NEAR(HdrPng.At(8, 4, 1), 65535.0 * Centre.G, 65535.0 * 1e-3);
	FDecoded Jpeg;
	ASSERT_TRUE(ReadJpeg(Scratch.Path("hdr.jpg"), Jpeg));
	EXPECT_NEAR(Jpeg.At(8, 4, 1), 255.0 * Centre.G, 6.0) << "linear, not gamma-encoded (that would be about 186)";
}

TEST_F(CapturePipeline, ACameraWithoutACameraComponentIsCapturedFromItsRootWithNinetyDegrees)
{
	AActor* Camera = World->SpawnActor(CameraClass, FVector::ZeroVector, FRotator::ZeroRotator);
	// Replace the camera component root by a plain scene component.
	UCameraComponent* CameraComponent = Camera->FindComponentByClass<UCameraComponent>();
	CameraComponent->DestroyComponent();
	USceneComponent* Root = NewObject<USceneComponent>(Camera, FName(TEXT("Root")));
	Camera->SetRootComponent(Root);
	const FRotator Rotation(0.0, -90.0, 0.0);
	Root->SetWorldLocationAndRotation(FVector(0.0, 0.0, 500.0), Rotation);
	ASSERT_EQ(Camera->FindComponentByClass<UCameraComponent>(), nullptr);
	EXPECT_EQ(Access::GetVPCameraFOV(Camera), 90.0f);

	ASSERT_TRUE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(Scratch.File("root.exr"), EOrvaneCaptureFormat::EXR, 8, 8, true, 1.0f));
	FDecoded Image;
	ASSERT_TRUE(ReadExr(Scratch.Path("root.exr"), Image));
	for (int32 Y = 0; Y < 8; Y += 7)
	{
		for (int32 X = 0; X < 8; X += 7)
		{
			const FLinearColor Expected = ExpectedSky(PixelDirection(X, Y, 8, 8, 90.0, Rotation));
			EXPECT_NEAR(Image.At(X, Y, 0), Expected.R, 2e-3);
			EXPECT_NEAR(Image.At(X, Y, 1), Expected.G, 2e-3);
		}
	}

	// A camera component attached below another root still gives its field of view.
	UCameraComponent* Attached = NewObject<UCameraComponent>(World->SpawnActor(AActor::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
	Attached->FieldOfView = 40.0f;
	Attached->AttachToComponent(Root, FAttachmentTransformRules::KeepRelativeTransform);
	EXPECT_EQ(Access::GetVPCameraFOV(Camera), 40.0f);
}

TEST_F(CapturePipeline, PanoramaIsFourByTwoTimesTheWidthAndTurnsWithTheCameraOnlyWhenAsked)
{
	SpawnCamera(FVector(0.0, 0.0, 150.0), FRotator(0.0, 90.0, 0.0));
	const TArray<UTextureRenderTarget2D*> Made = TargetsMadeBy([&]
		{ EXPECT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("world.exr"), EOrvaneCaptureFormat::EXR, 64, 300, true, false)); });
	ASSERT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("turned.exr"), EOrvaneCaptureFormat::EXR, 64, 300, true, true));
	ASSERT_EQ(Made.Num(), 1);
	EXPECT_EQ(Made[0]->GetFormat(), PF_FloatRGBA);
	EXPECT_EQ(Made[0]->TargetGamma, 1.0f);

	FDecoded WorldAligned;
	FDecoded Turned;
	ASSERT_TRUE(ReadExr(Scratch.Path("world.exr"), WorldAligned));
	ASSERT_TRUE(ReadExr(Scratch.Path("turned.exr"), Turned));
	ASSERT_EQ(WorldAligned.Width, 256) << "image_height has no effect";
	ASSERT_EQ(WorldAligned.Height, 128);
	const FQuat Yaw90 = FRotator(0.0, 90.0, 0.0).Quaternion();
	double WorstWorld = 0.0;
	double WorstTurned = 0.0;
	// Up to 45 degrees above the horizon: nearest-texel sampling of a 64-texel face stays within 0.02 there.
	for (int32 Y = 32; Y < 128; Y += 3)
	{
		for (int32 X = 0; X < 256; X += 5)
		{
			const FVector Direction = PanoramaDirection(X, Y, 256, 128);
			const FLinearColor World = ExpectedSky(Direction);
			const FLinearColor Rotated = ExpectedSky(Yaw90.RotateVector(Direction));
			for (int32 Channel = 0; Channel < 3; ++Channel)
			{
				const float ExpectedWorld = Channel == 0 ? World.R : Channel == 1 ? World.G
																				  : World.B;
				const float ExpectedTurned = Channel == 0 ? Rotated.R : Channel == 1 ? Rotated.G
																					 : Rotated.B;
				WorstWorld = FMath::Max(WorstWorld, double(FMath::Abs(WorldAligned.At(X, Y, Channel) - ExpectedWorld)));
				WorstTurned = FMath::Max(WorstTurned, double(FMath::Abs(Turned.At(X, Y, Channel) - ExpectedTurned)));
			}
		}
	}
	EXPECT_LT(WorstWorld, 0.02);
	EXPECT_LT(WorstTurned, 0.02);
	// The middle column looks forward: +X in the world, +Y once turned with the camera.
	EXPECT_NEAR(WorldAligned.At(128, 64, 0), 1.0f, 0.02f);
	EXPECT_NEAR(Turned.At(128, 64, 1), 1.0f, 0.02f);
	EXPECT_EQ(Log.Count(TEXT("=== OrvaneCapture360: Applying UE5.5+ Stitching Fix ===")), 2);
}

TEST_F(CapturePipeline, LdrPanoramaIsEightBitAndGammaEncoded)
{
	SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	const TArray<UTextureRenderTarget2D*> Made = TargetsMadeBy([&]
		{ EXPECT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("pano.png"), EOrvaneCaptureFormat::PNG, 32, 32, false, false)); });
	ASSERT_EQ(Made.Num(), 1);
	EXPECT_EQ(Made[0]->GetFormat(), PF_B8G8R8A8);
	EXPECT_EQ(Made[0]->TargetGamma, 2.2f);
	EXPECT_FALSE(bool(Made[0]->bForceLinearGamma));
	FDecoded Image;
	ASSERT_TRUE(ReadPng(Scratch.Path("pano.png"), Image));
	ASSERT_EQ(Image.Width, 128);
	ASSERT_EQ(Image.Height, 64);
	EXPECT_EQ(Image.BitDepth, 8);
	// Straight ahead on the horizon: sky (1, 0.5, 0.5), so green is 0.5 encoded.
	EXPECT_NEAR(Image.At(64, 32, 1), 255.0 * Encoded(0.5), 5.0);
	EXPECT_NEAR(Image.At(64, 32, 0), 255.0, 3.0);
}

TEST_F(CapturePipeline, MissingConversionMaterialFailsQuietlyAndLeavesNoActorBehind)
{
	SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	// Taking the material away deletes its file too: loaded here, then taken away in a project of its own, since
	// other test processes read the default one.
	ASSERT_NE(LoadObject<UObject>(nullptr, *FOrvaneContent::GetObjectPath(EOrvaneContentAsset::ConversionMaterial)), nullptr);
	FScopedHeadlessProject OwnProject;
	UObject* PluginMaterial = OrvaneTestContent::TakeAssetAway(EOrvaneContentAsset::ConversionMaterial);
	ASSERT_NE(PluginMaterial, nullptr);
	const int32 ActorsBefore = ActorCount();

	EXPECT_FALSE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("none.png"), EOrvaneCaptureFormat::PNG, 16, 16, false, false));
	EXPECT_FALSE(std::filesystem::exists(Scratch.Path("none.png")));
	EXPECT_EQ(ErrorLines(), 0);
	EXPECT_EQ(ActorCount(), ActorsBefore);

	// The project's copy is found next, and the next call tries again.
	UPackage* Package = CreatePackage(TEXT("/Game/Orvane/Materials/M_CubemapToEquirectangular"));
	ASSERT_TRUE(PluginMaterial->Rename(TEXT("M_CubemapToEquirectangular"), Package, REN_DontCreateRedirectors | REN_NonTransactional | REN_DoNotDirty));
	UMaterialInterface* ProjectMaterial = Cast<UMaterialInterface>(PluginMaterial);
	EXPECT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("project.png"), EOrvaneCaptureFormat::PNG, 16, 16, false, false));
	EXPECT_EQ(Access::CachedConversionMaterial(), ProjectMaterial);
	EXPECT_EQ(ActorCount(), ActorsBefore);

	// Nothing else refers to the project material: the cache must keep it through a garbage collection.
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("again.png"), EOrvaneCaptureFormat::PNG, 16, 16, false, false));
	EXPECT_TRUE(std::filesystem::exists(Scratch.Path("again.png")));

	Access::ResetConversionMaterial();
	ProjectMaterial->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
}

TEST_F(CapturePipeline, UnwritableFilesFailAndOnlyTheFlatCaptureSaysWhere)
{
	SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	const int32 ActorsBefore = ActorCount();
	// A file below a regular file cannot be created.
	const std::filesystem::path Blocker = Scratch.Path("blocker");
	{
		std::ofstream(Blocker.string()) << "x";
	}
	const FString Flat = Scratch.File("blocker/flat.png");
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(Flat, EOrvaneCaptureFormat::PNG, 8, 8, false, 1.0f));
	EXPECT_EQ(Log.Count(*FString::Printf(TEXT("OrvaneCapture2D: Failed to save VP Camera capture to %s"), *Flat)), 1);

	Log.Clear();
	EXPECT_FALSE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("blocker/pano.hdr"), EOrvaneCaptureFormat::HDR, 8, 8, true, false));
	EXPECT_EQ(ErrorLines(), 0);
	EXPECT_EQ(ActorCount(), ActorsBefore);
}

TEST_F(CapturePipeline, RefusesSizesAndAnglesThatCannotMakeAPicture)
{
	AActor* Camera = SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator, 90.0f);
	const int32 ComponentsBefore = Camera->K2_GetComponentsByClass(nullptr).Num();
	const int32 ActorsBefore = ActorCount();
	const FString File = Scratch.File("bad.png");
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 0, 8, false, 1.0f));
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 8, -3, false, 1.0f));
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 100000, 8, false, 1.0f));
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 8, 8, false, 2.0f)) << "180 degrees";
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 8, 8, false, 0.0f));
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 8, 8, false, std::nanf("")));
	EXPECT_FALSE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 0, 8, false, false));
	EXPECT_FALSE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(File, EOrvaneCaptureFormat::PNG, 4097, 8, false, false));
	EXPECT_EQ(ErrorLines(), 8);
	EXPECT_FALSE(std::filesystem::exists(Scratch.Path("bad.png")));
	EXPECT_EQ(Camera->K2_GetComponentsByClass(nullptr).Num(), ComponentsBefore);
	EXPECT_EQ(ActorCount(), ActorsBefore);
}

TEST_F(CapturePipeline, WithoutACameraNothingIsCaptured)
{
	EXPECT_FALSE(UOrvaneCaptureImg::Capture2DImageFromVPCamera(Scratch.File("a.png"), EOrvaneCaptureFormat::PNG, 8, 8, false, 1.0f));
	EXPECT_FALSE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("b.png"), EOrvaneCaptureFormat::PNG, 8, 8, false, false));
	EXPECT_EQ(Log.Count(TEXT("OrvaneCaptureImg: No Orvane VP Camera found in world")), 2);
	EXPECT_FALSE(std::filesystem::exists(Scratch.Path("a.png")));
}

TEST_F(CapturePipeline, OlderEnginesSkipTheStitchingFixAndThePostProcessCopy)
{
	AActor* Camera = SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	UObject* Blendable = NewObject<UObject>(GetTransientPackage(), UObject::StaticClass());
	Camera->FindComponentByClass<UCameraComponent>()->PostProcessSettings.WeightedBlendables.Array.Add(FWeightedBlendable(1.0f, Blendable));

	UE::Core::Host::SetCurrentEngineVersion(FEngineVersion(5, 4, 2));
	EXPECT_FALSE(Access::IsUnreal55OrHigher());
	ASSERT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("old.png"), EOrvaneCaptureFormat::PNG, 8, 8, false, false));
	EXPECT_EQ(Log.CountContaining(TEXT("Stitching Fix")), 0);
	USceneCaptureComponentCube* Cube = NewObject<USceneCaptureComponentCube>(GetTransientPackage());
	Access::CopyVPCameraPostProcessSettings(Camera, Cube);
	EXPECT_EQ(Cube->PostProcessSettings.WeightedBlendables.Array.Num(), 1) << "5.4 has the property";

	UE::Core::Host::SetCurrentEngineVersion(FEngineVersion(5, 3, 0));
	USceneCaptureComponentCube* OldCube = NewObject<USceneCaptureComponentCube>(GetTransientPackage());
	Access::CopyVPCameraPostProcessSettings(Camera, OldCube);
	EXPECT_EQ(OldCube->PostProcessSettings.WeightedBlendables.Array.Num(), 0) << "5.3 has no such property on the cube capture";

	UE::Core::Host::SetCurrentEngineVersion(FEngineVersion(5, 5, 0));
	EXPECT_TRUE(Access::IsUnreal55OrHigher());
	UE::Core::Host::SetCurrentEngineVersion(FEngineVersion(6, 0, 0));
	EXPECT_TRUE(Access::IsUnreal55OrHigher());
}

TEST(CaptureFormat, FollowsTheExtensionInAnyLetterCase)
{
	struct FCase
	{
		const TCHAR* File;
		EOrvaneCaptureFormat Format;
		bool bHDR;
	};
	const FCase Cases[] = {
		{TEXT("/shots/a.PNG"), EOrvaneCaptureFormat::PNG, false},
		{TEXT("/shots/a.Jpg"), EOrvaneCaptureFormat::JPEG, false},
		{TEXT("/shots/a.jpeg"), EOrvaneCaptureFormat::EXR, true},
		{TEXT("/shots/a.hdr"), EOrvaneCaptureFormat::HDR, true},
		{TEXT("/shots/a.exr"), EOrvaneCaptureFormat::EXR, true},
		{TEXT("/shots/noext"), EOrvaneCaptureFormat::EXR, true},
		{TEXT("/shots.png/noext"), EOrvaneCaptureFormat::EXR, true},
		{TEXT(""), EOrvaneCaptureFormat::EXR, true},
		{TEXT("."), EOrvaneCaptureFormat::EXR, true},
	};
	for (const FCase& Case : Cases)
	{
		EOrvaneCaptureFormat Format = EOrvaneCaptureFormat::PNG;
		bool bHDR = false;
		OrvaneCaptureRequest::FormatFromFileName(Case.File, Format, bHDR);
		EXPECT_EQ(Format, Case.Format) << TCHAR_TO_UTF8(Case.File);
		EXPECT_EQ(bHDR, Case.bHDR) << TCHAR_TO_UTF8(Case.File);
	}
}

TEST_F(CapturePipeline, OnlyTheGeneratedConversionGraphDrawsThePanorama)
{
	SpawnCamera(FVector::ZeroVector, FRotator::ZeroRotator);
	UMaterial* Material = LoadObject<UMaterial>(nullptr, *FOrvaneContent::GetObjectPath(EOrvaneContentAsset::ConversionMaterial));
	ASSERT_NE(Material, nullptr);
	UMaterialExpressionCustom* Custom = nullptr;
	for (UMaterialExpression* Expression : Material->GetExpressions())
	{
		Custom = Custom ? Custom : Cast<UMaterialExpressionCustom>(Expression);
	}
	ASSERT_NE(Custom, nullptr);
	const FString Generated = Custom->Code;

	// Any other HLSL is not evaluated as if it were the conversion: the picture stays black.
	Custom->Code = TEXT("return float3(UV.y, UV.x, 0.0);");
	ASSERT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("other.png"), EOrvaneCaptureFormat::PNG, 32, 32, false, false));
	FDecoded Other;
	ASSERT_TRUE(ReadPng(Scratch.Path("other.png"), Other));
	EXPECT_EQ(Other.At(64, 32, 0), 0.0);
	EXPECT_EQ(Other.At(64, 32, 1), 0.0);

	Custom->Code = Generated;
	ASSERT_TRUE(UOrvaneCaptureImg::CaptureEqImageFromVPCamera(Scratch.File("generated.png"), EOrvaneCaptureFormat::PNG, 32, 32, false, false));
	FDecoded Image;
	ASSERT_TRUE(ReadPng(Scratch.Path("generated.png"), Image));
	EXPECT_NEAR(Image.At(64, 32, 0), 255.0, 3.0);
}
