// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionComponentMask.h.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionComponentMask.generated.h"

/** Keeps the chosen channels of its input. */
UCLASS()
class ENGINE_API UMaterialExpressionComponentMask : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionComponentMask();

	UPROPERTY()
	FExpressionInput Input;

	UPROPERTY()
	uint32 R : 1;
	UPROPERTY()
	uint32 G : 1;
	UPROPERTY()
	uint32 B : 1;
	UPROPERTY()
	uint32 A : 1;

	virtual FExpressionInput* GetInput(int32 InputIndex) override { return InputIndex == 0 ? &Input : nullptr; }
	virtual FName GetInputName(int32 InputIndex) const override { return InputIndex == 0 ? FName(TEXT("Input")) : NAME_None; }
};
