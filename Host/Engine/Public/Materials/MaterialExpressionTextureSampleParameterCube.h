// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionTextureSampleParameterCube.h. The engine derives it
// through UMaterialExpressionTextureSampleParameter and UMaterialExpressionTextureSample; the host folds those in.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionTextureSampleParameterCube.generated.h"

class UTexture;

/** Samples the cube texture parameter ParameterName by direction; outputs "RGB", "R", "G", "B", "A", "RGBA". */
UCLASS()
class ENGINE_API UMaterialExpressionTextureSampleParameterCube : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionTextureSampleParameterCube();

	/** The lookup direction (the pin the editor shows as "UVs"). */
	UPROPERTY()
	FExpressionInput Coordinates;

	UPROPERTY()
	FName ParameterName;

	/** The default texture; the engine refuses to compile a texture parameter without one. */
	UPROPERTY()
	TObjectPtr<UTexture> Texture;

	virtual FExpressionInput* GetInput(int32 InputIndex) override { return InputIndex == 0 ? &Coordinates : nullptr; }
	virtual FName GetInputName(int32 InputIndex) const override { return InputIndex == 0 ? FName(TEXT("UVs")) : NAME_None; }
};
