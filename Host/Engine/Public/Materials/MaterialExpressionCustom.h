// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpressionCustom.h: a node of hand-written HLSL.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialExpression.h"

#include "MaterialExpressionCustom.generated.h"

/** The type a Custom node returns. */
UENUM()
enum ECustomMaterialOutputType : int
{
	CMOT_Float1,
	CMOT_Float2,
	CMOT_Float3,
	CMOT_Float4,
	CMOT_MaterialAttributes,
	CMOT_MAX,
};

/** One named input of a Custom node; the HLSL reads it by that name. */
USTRUCT()
struct ENGINE_API FCustomInput
{
	GENERATED_BODY()

	UPROPERTY()
	FName InputName;

	UPROPERTY()
	FExpressionInput Input;
};

/** Runs Code (the body of an HLSL function of its inputs) and outputs its result. */
UCLASS()
class ENGINE_API UMaterialExpressionCustom : public UMaterialExpression
{
	GENERATED_BODY()

public:
	UMaterialExpressionCustom();

	UPROPERTY()
	FString Code;

	UPROPERTY()
	TEnumAsByte<ECustomMaterialOutputType> OutputType;

	UPROPERTY()
	FString Description;

	/** The engine starts a new node with one input named "Input". */
	UPROPERTY()
	TArray<FCustomInput> Inputs;

	virtual FExpressionInput* GetInput(int32 InputIndex) override { return Inputs.IsValidIndex(InputIndex) ? &Inputs[InputIndex].Input : nullptr; }
	virtual FName GetInputName(int32 InputIndex) const override { return Inputs.IsValidIndex(InputIndex) ? Inputs[InputIndex].InputName : NAME_None; }
};
