// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionSceneTexture.h.
#pragma once

#include "CoreMinimal.h"
#include "MaterialSceneTextureId.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionSceneTexture.generated.h"

/** Reads a scene texture; outputs "Color", "Size", "InvSize"; input "UVs". */
UCLASS()
class ENGINE_API UMaterialExpressionSceneTexture : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionSceneTexture();

	UPROPERTY()
	FExpressionInput Coordinates;

	UPROPERTY()
	TEnumAsByte<ESceneTextureId> SceneTextureId;

	virtual FExpressionInput* GetInput(int32 InputIndex) override { return InputIndex == 0 ? &Coordinates : nullptr; }
	virtual FName GetInputName(int32 InputIndex) const override { return InputIndex == 0 ? FName(TEXT("UVs")) : NAME_None; }
};
