// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialExpression.h: the nodes of a material graph.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "MaterialExpression.generated.h"

class UMaterialExpression;

/** The input side of a connection: the node and output feeding an input pin (or a material output). */
USTRUCT()
struct ENGINE_API FExpressionInput
{
	GENERATED_BODY()

	/** The node connected; null when the input is not connected. */
	UPROPERTY()
	TObjectPtr<UMaterialExpression> Expression;

	/** Which of that node's outputs. */
	UPROPERTY()
	int32 OutputIndex = 0;

	UPROPERTY()
	FName InputName;
};

/** One output pin of a node. */
struct FExpressionOutput
{
	FExpressionOutput() = default;
	explicit FExpressionOutput(FName InOutputName)
		: OutputName(InOutputName)
	{
	}

	FName OutputName;
};

/** A node of a material graph, owned by its material. Host: nothing compiles it; the graph is data. */
UCLASS(Abstract)
class ENGINE_API UMaterialExpression : public UObject
{
	GENERATED_BODY()

public:
	UMaterialExpression();

	/** The node's position in the material editor. */
	UPROPERTY()
	int32 MaterialExpressionEditorX = 0;
	UPROPERTY()
	int32 MaterialExpressionEditorY = 0;

	/** The output pins, in order. */
	TArray<FExpressionOutput> Outputs;

	/** The input pin at InputIndex; null past the last. */
	virtual FExpressionInput* GetInput(int32 InputIndex) { return nullptr; }
	/** The name of the input pin at InputIndex (the name the material editor shows). */
	virtual FName GetInputName(int32 InputIndex) const { return NAME_None; }
};
