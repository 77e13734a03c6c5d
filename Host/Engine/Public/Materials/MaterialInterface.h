// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialInterface.h: the base of materials, referred to by mesh
// material slots and drawn into render targets. The host has no shader compiler: a material the host can
// draw says what it draws through the host-only functions below.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "MaterialInterface.generated.h"

class UTexture;

/** The base of materials and material instances. */
UCLASS(Abstract, MinimalAPI)
class UMaterialInterface : public UObject
{
	GENERATED_BODY()

public:
	/**
	 * Host only (no engine counterpart): the colour a full-target draw of this material gives at a texture
	 * coordinate (0..1 across and down the target), reading its parameters from Instance (this material or
	 * an instance made from it). Materials the host cannot draw give opaque black.
	 */
	virtual FLinearColor HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const
	{
		return FLinearColor::Black;
	}

	/** Host only: the texture the parameter is set to on this material or what it derives from; null if unset. */
	virtual UTexture* HostGetTextureParameter(FName ParameterName) const { return nullptr; }
};
