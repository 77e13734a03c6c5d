// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionSaturate.h.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionSaturate.generated.h"

/** Clamps its input to 0..1. */
UCLASS()
class ENGINE_API UMaterialExpressionSaturate : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionSaturate();

	UPROPERTY()
	FExpressionInput Input;

	virtual FExpressionInput* GetInput(int32 InputIndex) override { return InputIndex == 0 ? &Input : nullptr; }
	virtual FName GetInputName(int32 InputIndex) const override { return InputIndex == 0 ? FName(TEXT("Input")) : NAME_None; }
};
