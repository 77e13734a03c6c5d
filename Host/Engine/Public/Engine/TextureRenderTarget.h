// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/TextureRenderTarget.h: the base of render targets.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Texture.h"
#include "PixelFormat.h"

#include "TextureRenderTarget.generated.h"

class FTextureRenderTargetResource;

/** A texture that can be rendered to. */
UCLASS(Abstract)
class ENGINE_API UTextureRenderTarget : public UTexture
{
	GENERATED_BODY()

public:
	UTextureRenderTarget();
	~UTextureRenderTarget() override;

	/** The gamma the target is displayed with; 0 lets the format decide. */
	UPROPERTY()
	float TargetGamma = 0.0f;

	/** The resource, or null until the target has been initialised or updated. */
	FTextureRenderTargetResource* GameThread_GetRenderTargetResource();

	FTextureResource* GetResource() const override;

	/** TargetGamma when set; otherwise 1.0 for float or force-linear targets and 2.2 for the others. */
	float GetDisplayGamma() const;

	/** The surface format. */
	virtual EPixelFormat GetFormat() const { return PF_Unknown; }

protected:
	/** Whether the target keeps linear values whatever its format. */
	virtual bool IsLinearGammaForced() const { return false; }

	/** Replaces the resource; a null one removes it. */
	void SetResource(FTextureRenderTargetResource* InResource);

private:
	FTextureRenderTargetResource* Resource = nullptr;
};
