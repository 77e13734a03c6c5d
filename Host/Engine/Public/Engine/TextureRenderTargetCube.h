// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/TextureRenderTargetCube.h: a cube render target of six square faces.
#pragma once

#include "CoreMinimal.h"
#include "Engine/TextureRenderTarget.h"

#include "TextureRenderTargetCube.generated.h"

/** A cube render target. The host stores PF_FloatRGBA (bHDR) and PF_B8G8R8A8 faces. */
UCLASS()
class ENGINE_API UTextureRenderTargetCube : public UTextureRenderTarget
{
	GENERATED_BODY()

public:
	UTextureRenderTargetCube();

	/** The width and height of each face. */
	UPROPERTY()
	int32 SizeX = 0;

	/** The colour the faces are cleared to. */
	FLinearColor ClearColor = FLinearColor(0.0f, 1.0f, 0.0f, 1.0f);

	/** Half-float faces when set (and no override format), else 8-bit. Unconfirmed: on by default, as the host has it. */
	UPROPERTY()
	uint8 bHDR : 1;

	/** Keeps linear values whatever the format. */
	UPROPERTY()
	uint8 bForceLinearGamma : 1;

	/** A surface format that wins over bHDR; PF_Unknown for none. */
	TEnumAsByte<EPixelFormat> OverrideFormat = PF_Unknown;

	/** Sets the face size and surface format and creates the resource (cleared). The size must be positive. */
	void Init(uint32 InSizeX, EPixelFormat InFormat);
	/** Sets the face size and creates the resource (cleared) with the format bHDR picks. The size must be positive. */
	void InitAutoFormat(uint32 InSizeX);
	/** Re-creates the resource now; without clearing, pixels survive when size and format are unchanged. */
	void UpdateResourceImmediate(bool bClearRenderTarget = true);

	void UpdateResource() override;
	EPixelFormat GetFormat() const override;

protected:
	bool IsLinearGammaForced() const override { return bForceLinearGamma; }
};
