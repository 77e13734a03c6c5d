// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's UnrealClient.h: FRenderTarget, the surface a render target or viewport draws
// to, with its read-back.
#pragma once

#include "CoreMinimal.h"
#include "Math/Float16Color.h"

/** Faces of a cube surface (the engine declares these in RHIDefinitions.h). */
enum ECubeFace : uint32
{
	CubeFace_PosX = 0,
	CubeFace_NegX,
	CubeFace_PosY,
	CubeFace_NegY,
	CubeFace_PosZ,
	CubeFace_NegZ,
	CubeFace_MAX
};

/** A surface that can be rendered to and read back. */
class ENGINE_API FRenderTarget
{
public:
	virtual ~FRenderTarget() = default;

	/** The gamma the surface is displayed with. */
	virtual float GetDisplayGamma() const;

	/**
	 * Reads the whole surface as RGBA16F, top row first, values unchanged. Like the engine's RHIs, this only
	 * works on a PF_FloatRGBA surface: it does not convert, and another format is a failed check.
	 * Unconfirmed: the engine documents its default read flags as RCM_UNorm; the float surface data is copied
	 * without conversion, so the host keeps values above 1, infinities and NaNs.
	 * @return true if the read succeeded
	 */
	bool ReadFloat16Pixels(TArray<FFloat16Color>& OutImageData, ECubeFace CubeFace = CubeFace_PosX);

private:
	/** Where the engine asks the RHI for the surface data, the host copies its own pixel store. */
	virtual bool HostReadSurfaceFloatData(TArray<FFloat16Color>& OutImageData) const = 0;
};
