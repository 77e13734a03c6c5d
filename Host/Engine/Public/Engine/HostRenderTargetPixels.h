// Copyright Kelmora. All Rights Reserved.
// Host only (no engine counterpart): direct access to a render target's pixel store, for the host's
// stand-in renderer and for tests. The plug-in never includes this header.
#pragma once

#include "CoreMinimal.h"
#include "Math/Float16Color.h"
#include "UnrealClient.h"

class FTextureRenderTargetResource;
class UTextureRenderTarget2D;
class UTextureRenderTargetCube;

namespace UE::Engine::Host
{
	/** Reads and writes the pixels of a render target's resource (which must exist). */
	struct ENGINE_API FRenderTargetPixels
	{
		/** Writes one pixel: a float surface stores the value as half floats, an 8-bit one stores it clamped to 0..1 and rounded to 8 bits. */
		static void Write(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FLinearColor& Value);
		/** Writes the exact half-float bits of one pixel of a PF_FloatRGBA surface. */
		static void WriteFloat16(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FFloat16Color& Value);
		/** Writes the exact bytes of one pixel of a PF_B8G8R8A8 surface. */
		static void WriteColor(UTextureRenderTarget2D& Target, int32 X, int32 Y, const FColor& Value);
		/** One pixel as stored (8-bit values scaled to 0..1, not decoded). */
		static FLinearColor Read(const UTextureRenderTarget2D& Target, int32 X, int32 Y);
		/** Whether the store has been allocated (a surface that was never written holds only its clear colour). */
		static bool IsAllocated(const UTextureRenderTarget2D& Target);

		/** Writes one texel of a cube face (X right, Y down on the face), stored as Write stores it. */
		static void WriteCube(UTextureRenderTargetCube& Target, ECubeFace Face, int32 X, int32 Y, const FLinearColor& Value);
		/** The texel of the cube in a direction (nearest texel, no filtering), as Read gives it. */
		static FLinearColor SampleCube(const UTextureRenderTargetCube& Target, const FVector& Direction);
		/**
		 * The unit direction through the centre of a face texel. Faces look along +X, -X, +Y, -Y, +Z, -Z;
		 * the side faces have +Z up, the top and bottom faces have +Y to the right. SampleCube inverts it.
		 */
		static FVector CubeTexelDirection(ECubeFace Face, int32 X, int32 Y, int32 FaceSize);

		/** One element of the store, by index (the store is allocated on the first write). */
		static void StoreLinear(FTextureRenderTargetResource& Resource, size_t Index, const FLinearColor& Value);
		static void StoreFloat16(FTextureRenderTargetResource& Resource, size_t Index, const FFloat16Color& Value);
		static void StoreColor(FTextureRenderTargetResource& Resource, size_t Index, const FColor& Value);
		static FLinearColor LoadTexel(const FTextureRenderTargetResource& Resource, size_t Index);

		/** The engine's own copies between resources and images. */
		static void CopyStore(const FTextureRenderTargetResource& From, FTextureRenderTargetResource& To);
		static void CopyFloat16(const FTextureRenderTargetResource& Resource, uint8* Out);
		static void CopyColor(const FTextureRenderTargetResource& Resource, uint8* Out);
	};
}
