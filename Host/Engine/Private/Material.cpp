// Copyright Kelmora. All Rights Reserved.
#include "Materials/Material.h"
#include "Templates/Casts.h"

#include "Engine/HostRenderTargetPixels.h"
#include "Engine/TextureRenderTargetCube.h"
#include "Materials/MaterialExpressionComponentMask.h"
#include "Materials/MaterialExpressionCustom.h"
#include "Materials/MaterialExpressionSaturate.h"
#include "Materials/MaterialExpressionSceneTexture.h"
#include "Materials/MaterialExpressionTextureCoordinate.h"
#include "Materials/MaterialExpressionTextureSampleParameterCube.h"

const TCHAR* const UE::Engine::Host::EquirectangularDirectionHlsl = TEXT(
	"float Longitude = (UV.x - 0.5) * 6.283185307179586;\n"
	"float Latitude = (0.5 - UV.y) * 3.141592653589793;\n"
	"float CosLatitude = cos(Latitude);\n"
	"return float3(CosLatitude * cos(Longitude), CosLatitude * sin(Longitude), sin(Latitude));\n");

UMaterialExpression::UMaterialExpression()
{
	Outputs.Emplace(NAME_None);
}

UMaterialExpressionSceneTexture::UMaterialExpressionSceneTexture()
{
	Outputs.Reset();
	Outputs.Emplace(FName(TEXT("Color")));
	Outputs.Emplace(FName(TEXT("Size")));
	Outputs.Emplace(FName(TEXT("InvSize")));
	SceneTextureId = PPI_SceneColor;
}

UMaterialExpressionComponentMask::UMaterialExpressionComponentMask()
{
	R = 0;
	G = 0;
	B = 0;
	A = 0;
}

UMaterialExpressionSaturate::UMaterialExpressionSaturate()
{
}

UMaterialExpressionTextureCoordinate::UMaterialExpressionTextureCoordinate()
{
}

UMaterialExpressionCustom::UMaterialExpressionCustom()
{
	Code = TEXT("1");
	OutputType = CMOT_Float3;
	Description = TEXT("Custom");
	FCustomInput Input;
	Input.InputName = FName(TEXT("Input"));
	Inputs.Add(Input);
}

UMaterialExpressionTextureSampleParameterCube::UMaterialExpressionTextureSampleParameterCube()
{
	Outputs.Reset();
	for (const TCHAR* Name : {TEXT("RGB"), TEXT("R"), TEXT("G"), TEXT("B"), TEXT("A"), TEXT("RGBA")})
	{
		Outputs.Emplace(FName(Name));
	}
	ParameterName = FName(TEXT("Cube"));
}

UMaterial::UMaterial()
{
	MaterialDomain = MD_Surface;
	BlendableLocation = BL_SceneColorAfterTonemapping;
	BlendableOutputAlpha = 0;
	ShadingModel = MSM_DefaultLit;
}

FExpressionInput* UMaterial::HostGetPropertyInput(EMaterialProperty Property)
{
	switch (Property)
	{
	case MP_EmissiveColor:
		return &HostEmissiveColor;
	case MP_Opacity:
		return &HostOpacity;
	case MP_BaseColor:
		return &HostBaseColor;
	default:
		return nullptr;
	}
}

namespace
{
	/**
	 * The cube parameter sampled by the equirectangular conversion graph: emissive colour (RGB) from a cube
	 * parameter whose direction is a Custom node with exactly the conversion's HLSL, fed by texture coordinate 0
	 * untiled, in an unlit surface material. Null for any other graph: the host evaluates nothing else.
	 */
	const UMaterialExpressionTextureSampleParameterCube* ConversionCube(const UMaterial& Material)
	{
		if (Material.MaterialDomain != MD_Surface || Material.ShadingModel != MSM_Unlit || Material.HostEmissiveColor.OutputIndex != 0)
		{
			return nullptr;
		}
		const UMaterialExpressionTextureSampleParameterCube* Cube = Cast<UMaterialExpressionTextureSampleParameterCube>(Material.HostEmissiveColor.Expression.Get());
		const UMaterialExpressionCustom* Custom = Cube ? Cast<UMaterialExpressionCustom>(Cube->Coordinates.Expression.Get()) : nullptr;
		const bool bKnownCode = Custom && Custom->Code.Equals(UE::Engine::Host::EquirectangularDirectionHlsl, ESearchCase::CaseSensitive);
		if (!bKnownCode || Custom->OutputType != CMOT_Float3 || Custom->Inputs.Num() != 1 || Custom->Inputs[0].InputName != FName(TEXT("UV")))
		{
			return nullptr;
		}
		const UMaterialExpressionTextureCoordinate* Coordinates = Cast<UMaterialExpressionTextureCoordinate>(Custom->Inputs[0].Input.Expression.Get());
		if (!Coordinates || Coordinates->CoordinateIndex != 0 || Coordinates->UTiling != 1.0f || Coordinates->VTiling != 1.0f)
		{
			return nullptr;
		}
		return Cube;
	}
}

FLinearColor UMaterial::HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const
{
	const UMaterialExpressionTextureSampleParameterCube* CubeNode = ConversionCube(*this);
	if (!CubeNode)
	{
		return FLinearColor::Black;
	}
	const UTextureRenderTargetCube* Cube = Cast<UTextureRenderTargetCube>(Instance.HostGetTextureParameter(CubeNode->ParameterName));
	if (!Cube || !const_cast<UTextureRenderTargetCube*>(Cube)->GameThread_GetRenderTargetResource())
	{
		return FLinearColor::Black;
	}
	// The same direction the HLSL computes.
	const double Longitude = (UV.X - 0.5) * 2.0 * UE_DOUBLE_PI;
	const double Latitude = (0.5 - UV.Y) * UE_DOUBLE_PI;
	const FVector Direction(FMath::Cos(Latitude) * FMath::Cos(Longitude), FMath::Cos(Latitude) * FMath::Sin(Longitude), FMath::Sin(Latitude));
	return UE::Engine::Host::FRenderTargetPixels::SampleCube(*Cube, Direction);
}
