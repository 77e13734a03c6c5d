// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionTextureCoordinate.h.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionTextureCoordinate.generated.h"

/** The texture coordinates of the pixel drawn; no inputs. */
UCLASS()
class ENGINE_API UMaterialExpressionTextureCoordinate : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionTextureCoordinate();

	UPROPERTY()
	int32 CoordinateIndex = 0;

	UPROPERTY()
	float UTiling = 1.0f;

	UPROPERTY()
	float VTiling = 1.0f;
};
