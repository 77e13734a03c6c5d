// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's TextureResource.h: the render-side resource of a texture. The host's
// render target resource holds the surface's pixels in memory.
#pragma once

#include "CoreMinimal.h"
#include "Math/Float16Color.h"
#include "PixelFormat.h"
#include "UnrealClient.h"

#include <vector>

namespace UE::Engine::Host
{
	struct FRenderTargetPixels;
}

/** The render-side part of a texture. */
class ENGINE_API FTextureResource
{
public:
	virtual ~FTextureResource() = default;

	virtual uint32 GetSizeX() const { return 0; }
	virtual uint32 GetSizeY() const { return 0; }
};

/** The resource of a render target: a surface of the target's size and format. */
class ENGINE_API FTextureRenderTargetResource : public FTextureResource, public FRenderTarget
{
public:
	FTextureRenderTargetResource(uint32 InSizeX, uint32 InSizeY, EPixelFormat InFormat, float InDisplayGamma, const FLinearColor& InClearColor);

	uint32 GetSizeX() const override { return SizeX; }
	uint32 GetSizeY() const override { return SizeY; }
	float GetDisplayGamma() const override { return DisplayGamma; }
	EPixelFormat GetFormat() const { return Format; }

private:
	friend struct UE::Engine::Host::FRenderTargetPixels;

	bool HostReadSurfaceFloatData(TArray<FFloat16Color>& OutImageData) const override;

	/** Allocates the store on the first write; until then every pixel is the clear colour. */
	void Allocate();

	uint32 SizeX;
	uint32 SizeY;
	EPixelFormat Format;
	float DisplayGamma;
	FLinearColor ClearColor;
	std::vector<FFloat16Color> Float16Pixels;
	std::vector<FColor> ColorPixels;
};

/** The resource of a cube render target: six square faces. Host: stored as one surface, the faces one below the other. */
class ENGINE_API FTextureRenderTargetCubeResource : public FTextureRenderTargetResource
{
public:
	FTextureRenderTargetCubeResource(uint32 InFaceSize, EPixelFormat InFormat, float InDisplayGamma, const FLinearColor& InClearColor);

	uint32 GetSizeY() const override { return GetSizeX(); }

private:
	bool HostReadSurfaceFloatData(TArray<FFloat16Color>& OutImageData) const override;
};
