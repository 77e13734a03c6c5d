// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/Material.h: material assets and their expression graphs.
#pragma once

#include "CoreMinimal.h"
#include "Engine/BlendableInterface.h"
#include "Engine/EngineTypes.h"
#include "MaterialDomain.h"
#include "Materials/MaterialExpression.h"
#include "Materials/MaterialInterface.h"
#include "SceneTypes.h"

#include "Material.generated.h"

/**
 * A material: a graph of expressions feeding the material's outputs. Host: the outputs' inputs sit on the
 * material itself (the engine keeps them in its editor-only data); nothing compiles the graph. The host draws
 * only the graph it knows to be the cube-to-equirectangular conversion (see HostShadePixel); any other material
 * draws black.
 */
UCLASS()
class ENGINE_API UMaterial : public UMaterialInterface
{
	GENERATED_BODY()

public:
	UMaterial();

	UPROPERTY()
	TEnumAsByte<EMaterialDomain> MaterialDomain;

	UPROPERTY()
	TEnumAsByte<EBlendableLocation> BlendableLocation;

	/** A post-process material writes alpha too (its Opacity output). */
	UPROPERTY()
	uint8 BlendableOutputAlpha : 1;

	UPROPERTY()
	TEnumAsByte<EMaterialShadingModel> ShadingModel;

	void SetShadingModel(EMaterialShadingModel NewModel) { ShadingModel = NewModel; }

	/** The graph's nodes. */
	TConstArrayView<TObjectPtr<UMaterialExpression>> GetExpressions() const { return HostExpressions; }

	/** Host only: the input of a material output; null for outputs the host does not keep. */
	FExpressionInput* HostGetPropertyInput(EMaterialProperty Property);

	/** Host only: the nodes (the engine keeps them in its editor-only data). */
	UPROPERTY()
	TArray<TObjectPtr<UMaterialExpression>> HostExpressions;

	/** Host only: the outputs' inputs. */
	UPROPERTY()
	FExpressionInput HostEmissiveColor;
	UPROPERTY()
	FExpressionInput HostOpacity;
	UPROPERTY()
	FExpressionInput HostBaseColor;

	/** Host only: how many times the material was recompiled. */
	int32 HostRecompileCount = 0;

	virtual FLinearColor HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const override;
};

namespace UE::Engine::Host
{
	/** The HLSL of the only Custom node the host can evaluate: the equirectangular direction of UV. */
	extern ENGINE_API const TCHAR* const EquirectangularDirectionHlsl;
}
