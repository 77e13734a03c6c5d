// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/TextureRenderTarget2D.h: a 2D render target with its size, format,
// gamma and clear colour.
#pragma once

#include "CoreMinimal.h"
#include "Engine/TextureRenderTarget.h"

#include "TextureRenderTarget2D.generated.h"

/** Formats a render target can be given, with the engine's values. */
UENUM()
enum ETextureRenderTargetFormat : int
{
	RTF_R8,
	RTF_RG8,
	RTF_RGBA8,
	RTF_RGBA8_SRGB,
	RTF_R16f,
	RTF_RG16f,
	RTF_RGBA16f,
	RTF_R32f,
	RTF_RG32f,
	RTF_RGBA32f,
	RTF_RGB10A2,
};

/** The surface format of a render target format (PF_Unknown for those the host does not store). */
ENGINE_API EPixelFormat GetPixelFormatFromRenderTargetFormat(ETextureRenderTargetFormat RTFormat);

/** A 2D render target. The host stores PF_FloatRGBA and PF_B8G8R8A8 surfaces. */
UCLASS()
class ENGINE_API UTextureRenderTarget2D : public UTextureRenderTarget
{
	GENERATED_BODY()

public:
	UPROPERTY()
	int32 SizeX = 0;

	UPROPERTY()
	int32 SizeY = 0;

	/** The colour the surface is cleared to. */
	FLinearColor ClearColor = FLinearColor(0.0f, 1.0f, 0.0f, 1.0f);

	/** Keeps linear values whatever the format. */
	uint8 bForceLinearGamma : 1;

	uint8 bAutoGenerateMips : 1;

	/** The format used when no override is set. */
	TEnumAsByte<ETextureRenderTargetFormat> RenderTargetFormat = RTF_RGBA16f;

	/** A surface format that wins over RenderTargetFormat; PF_Unknown for none. */
	TEnumAsByte<EPixelFormat> OverrideFormat = PF_Unknown;

	UTextureRenderTarget2D();

	/** Sets size, surface format and linear gamma, and creates the resource (cleared). Sizes must be positive. */
	void InitCustomFormat(uint32 InSizeX, uint32 InSizeY, EPixelFormat InOverrideFormat, bool bInForceLinearGamma);
	/** Sets the size and creates the resource (cleared) with the format of RenderTargetFormat. */
	void InitAutoFormat(uint32 InSizeX, uint32 InSizeY);
	/** Re-creates the resource now; without clearing, pixels survive when size and format are unchanged. */
	void UpdateResourceImmediate(bool bClearRenderTarget = true);

	void UpdateResource() override;
	EPixelFormat GetFormat() const override;

protected:
	bool IsLinearGammaForced() const override { return bForceLinearGamma; }
};
