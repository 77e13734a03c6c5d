// Copyright Kelmora. All Rights Reserved.
// The host's stand-in renderer. There is no GPU and no scene to draw, so every capture sees the same
// analytic sky, a function of the world direction only: pictures are deterministic and tests can predict
// every pixel. Material draws use the host shading of the material (UMaterialInterface::HostShadePixel).
#include "Components/SceneCaptureComponent.h"
#include "Components/SceneCaptureComponent2D.h"
#include "Components/SceneCaptureComponentCube.h"
#include "Engine/Engine.h"
#include "Engine/HostRenderTargetPixels.h"
#include "Engine/TextureRenderTarget2D.h"
#include "Engine/TextureRenderTargetCube.h"
#include "Engine/World.h"
#include "Kismet/KismetRenderingLibrary.h"
#include "Materials/MaterialInstanceDynamic.h"
#include "TextureResource.h"
#include "UObject/Package.h"

#include <cmath>

DEFINE_LOG_CATEGORY_STATIC(LogKismetRenderingLibrary, Log, All);

namespace
{
	using UE::Engine::Host::FRenderTargetPixels;

	/**
	 * The sky's linear scene colour in a unit world direction (X forward, Y right, Z up): each axis
	 * mapped to 0..1 in one channel, plus a bright zenith above 1.0 so that HDR captures have range.
	 */
	FLinearColor SkyColor(const FVector& Direction)
	{
		const double Up = FMath::Max(0.0, Direction.Z);
		const double Zenith = 16.0 * std::pow(Up, 16.0);
		return FLinearColor(float(0.5 + 0.5 * Direction.X + Zenith), float(0.5 + 0.5 * Direction.Y + Zenith), float(0.5 + 0.5 * Direction.Z + Zenith), 1.0f);
	}

	/** What a capture writes for a sky colour: linear scene colour, or the final colour clamped and gamma-encoded. */
	FLinearColor CaptureOutput(const FLinearColor& Scene, ESceneCaptureSource Source)
	{
		if (Source != SCS_FinalColorLDR)
		{
			return Scene;
		}
		auto Encode = [](float Value)
		{ return std::pow(FMath::Clamp(Value, 0.0f, 1.0f), 1.0f / 2.2f); };
		return FLinearColor(Encode(Scene.R), Encode(Scene.G), Encode(Scene.B), Scene.A);
	}
}

USceneCaptureComponent::USceneCaptureComponent()
	: bCaptureEveryFrame(true)
	, bCaptureOnMovement(true)
	, bAlwaysPersistRenderingState(false)
	, ShowFlags(ESFIM_Game)
{
}

void USceneCaptureComponent2D::CaptureScene()
{
	// As in the engine, the component need not be registered: its owner's world is enough.
	UTextureRenderTarget2D* Target = TextureTarget;
	FTextureRenderTargetResource* Resource = Target ? Target->GameThread_GetRenderTargetResource() : nullptr;
	if (!GetWorld() || !Resource)
	{
		return;
	}
	const int32 Width = static_cast<int32>(Resource->GetSizeX());
	const int32 Height = static_cast<int32>(Resource->GetSizeY());
	const FQuat Rotation = GetComponentQuat();
	// Unconfirmed: the engine's projection degenerates at 0 and 180 degrees; the host keeps the angle inside.
	const double HalfTan = std::tan(FMath::Clamp(double(FOVAngle), 0.001, 179.999) * UE_DOUBLE_PI / 360.0);
	const ESceneCaptureSource Source = CaptureSource.GetValue();
	for (int32 Y = 0; Y < Height; ++Y)
	{
		for (int32 X = 0; X < Width; ++X)
		{
			FVector Local(1.0, 0.0, 0.0);
			if (ProjectionType == ECameraProjectionMode::Perspective)
			{
				Local.Y = (2.0 * (X + 0.5) / Width - 1.0) * HalfTan;
				Local.Z = (1.0 - 2.0 * (Y + 0.5) / Height) * HalfTan * Height / Width;
			}
			const FVector Direction = Rotation.RotateVector(Local).GetSafeNormal();
			FRenderTargetPixels::StoreLinear(*Resource, size_t(Y) * Width + X, CaptureOutput(SkyColor(Direction), Source));
		}
	}
}

USceneCaptureComponentCube::USceneCaptureComponentCube()
	: bCaptureRotation(false)
{
}

void USceneCaptureComponentCube::CaptureScene()
{
	UTextureRenderTargetCube* Target = TextureTarget;
	FTextureRenderTargetResource* Resource = Target ? Target->GameThread_GetRenderTargetResource() : nullptr;
	if (!GetWorld() || !Resource || Resource->GetSizeX() == 0)
	{
		return;
	}
	const int32 Size = static_cast<int32>(Resource->GetSizeX());
	// World-aligned faces unless the capture follows its rotation, whatever the component's rotation.
	const FQuat Rotation = bCaptureRotation ? GetComponentQuat() : FQuat::Identity;
	const ESceneCaptureSource Source = CaptureSource.GetValue();
	for (uint32 Face = 0; Face < CubeFace_MAX; ++Face)
	{
		for (int32 Y = 0; Y < Size; ++Y)
		{
			for (int32 X = 0; X < Size; ++X)
			{
				const FVector Local = FRenderTargetPixels::CubeTexelDirection(ECubeFace(Face), X, Y, Size);
				const FVector Direction = Rotation.RotateVector(Local);
				FRenderTargetPixels::WriteCube(*Target, ECubeFace(Face), X, Y, CaptureOutput(SkyColor(Direction), Source));
			}
		}
	}
}

UMaterialInstanceDynamic* UMaterialInstanceDynamic::Create(UMaterialInterface* ParentMaterial, UObject* InOuter)
{
	UMaterialInstanceDynamic* Instance = NewObject<UMaterialInstanceDynamic>(InOuter ? InOuter : GetTransientPackageAsObject());
	Instance->Parent = ParentMaterial;
	return Instance;
}

void UMaterialInstanceDynamic::SetTextureParameterValue(FName ParameterName, UTexture* Value)
{
	for (FTextureParameterValue& Existing : TextureParameterValues)
	{
		if (Existing.ParameterInfo.Name == ParameterName)
		{
			Existing.ParameterValue = Value;
			return;
		}
	}
	FTextureParameterValue& Added = TextureParameterValues.Emplace_GetRef();
	Added.ParameterInfo.Name = ParameterName;
	Added.ParameterValue = Value;
}

void UKismetRenderingLibrary::DrawMaterialToRenderTarget(UObject* WorldContextObject, UTextureRenderTarget2D* TextureRenderTarget, UMaterialInterface* Material)
{
	check(WorldContextObject);
	UWorld* World = GEngine ? GEngine->GetWorldFromContextObject(WorldContextObject, EGetWorldErrorMode::LogAndReturnNull) : nullptr;
	FTextureRenderTargetResource* Resource = TextureRenderTarget ? TextureRenderTarget->GameThread_GetRenderTargetResource() : nullptr;
	if (!World)
	{
		UE_LOG(LogKismetRenderingLibrary, Warning, TEXT("DrawMaterialToRenderTarget: WorldContextObject is not valid."));
		return;
	}
	if (!Material)
	{
		UE_LOG(LogKismetRenderingLibrary, Warning, TEXT("DrawMaterialToRenderTarget: Material must be non-null."));
		return;
	}
	if (!Resource)
	{
		UE_LOG(LogKismetRenderingLibrary, Warning, TEXT("DrawMaterialToRenderTarget: TextureRenderTarget must be non-null and have a resource."));
		return;
	}
	const int32 Width = static_cast<int32>(Resource->GetSizeX());
	const int32 Height = static_cast<int32>(Resource->GetSizeY());
	for (int32 Y = 0; Y < Height; ++Y)
	{
		for (int32 X = 0; X < Width; ++X)
		{
			const FVector2D UV((X + 0.5) / Width, (Y + 0.5) / Height);
			FRenderTargetPixels::StoreLinear(*Resource, size_t(Y) * Width + X, Material->HostShadePixel(UV, *Material));
		}
	}
}
