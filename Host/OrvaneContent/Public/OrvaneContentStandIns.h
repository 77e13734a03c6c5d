// Copyright Kelmora. All Rights Reserved.
// Stand-ins for the plug-in's own content, which only the editor can author: the virtual-production camera
// and game mode blueprints and the stencil mask material. The module mounts them at the plug-in's content
// paths (/Orvane/...) when it starts, so code loads them by path as it would in the editor.
#pragma once

#include "CoreMinimal.h"
#include "CineCameraActor.h"
#include "LiveLinkPreset.h"
#include "Materials/MaterialInterface.h"

#include "OrvaneContentStandIns.generated.h"

/**
 * The native part of the camera blueprint "/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C": a cine camera with
 * the blueprint's two variables. Its construction script applies the preset when "Set LiveLink Preset" is on.
 */
UCLASS()
class AOrvaneVPCameraStandIn : public ACineCameraActor
{
	GENERATED_BODY()

public:
	/** The blueprint variable "LiveLinkPreset": the preset that drives the camera. */
	UPROPERTY(meta = (HostPropertyName = "LiveLinkPreset"))
	TObjectPtr<ULiveLinkPreset> LiveLinkPreset;

	/** The blueprint variable "Set LiveLink Preset": apply LiveLinkPreset when the construction script runs. */
	UPROPERTY(meta = (HostPropertyName = "Set LiveLink Preset"))
	bool bSetLiveLinkPreset = false;

	/** The preset the construction script applied last; null until one was applied. */
	UPROPERTY(Transient)
	TObjectPtr<ULiveLinkPreset> AppliedPreset;

	virtual void OnConstruction(const FTransform& Transform) override;
};

/** The stand-in of the mask material instance "/Orvane/Materials/Orvane_MI_MaskStencil". */
UCLASS()
class UOrvaneMaskMaterialStandIn : public UMaterialInterface
{
	GENERATED_BODY()
};

/**
 * The stand-in of the conversion material "/Orvane/Materials/M_CubemapToEquirectangular": draws the
 * equirectangular projection of the cube texture parameter "CubemapTexture". An output pixel at texture
 * coordinate (u, v) samples the cube in the direction of longitude (u - 0.5) * 2pi and latitude
 * (0.5 - v) * pi: (cos lat cos lon, cos lat sin lon, sin lat) in the cube's frame. Without a cube
 * texture it draws black.
 */
UCLASS()
class UOrvaneCubemapToEquirectangularStandIn : public UMaterialInterface
{
	GENERATED_BODY()

public:
	virtual FLinearColor HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const override;
};

namespace UE::OrvaneContent
{
	inline constexpr const TCHAR* VPCameraClassPath = TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C");
	inline constexpr const TCHAR* GameModeClassPath = TEXT("/Orvane/Orvane_GM.Orvane_GM_C");
	inline constexpr const TCHAR* MaskMaterialPath = TEXT("/Orvane/Materials/Orvane_MI_MaskStencil.Orvane_MI_MaskStencil");
	inline constexpr const TCHAR* ConversionMaterialPath = TEXT("/Orvane/Materials/M_CubemapToEquirectangular.M_CubemapToEquirectangular");

	/** Takes the conversion material away, as in a project whose plug-in content lacks it (collected at once; nothing may still point to it). */
	void UnmountConversionMaterial();
	/** Puts the conversion material back when it is not there. */
	void MountConversionMaterial();
}
