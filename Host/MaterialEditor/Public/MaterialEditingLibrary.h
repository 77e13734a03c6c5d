// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MaterialEditor/Public/MaterialEditingLibrary.h: editing material graphs from code.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"
#include "SceneTypes.h"
#include "Templates/SubclassOf.h"

#include "MaterialEditingLibrary.generated.h"

class UMaterial;
class UMaterialExpression;

/**
 * Editing material graphs. Names of outputs and inputs are the pin names the material editor shows; an empty
 * name means the node's first output or input. Host: the engine's functions are reflected blueprint functions;
 * the host gives the C++ calls the plug-in makes.
 */
UCLASS()
class MATERIALEDITOR_API UMaterialEditingLibrary : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/** Adds a node of ExpressionClass to Material at the given editor position; null for a null material or class. */
	static UMaterialExpression* CreateMaterialExpression(UMaterial* Material, TSubclassOf<UMaterialExpression> ExpressionClass, int32 NodePosX = 0, int32 NodePosY = 0);

	/** Connects an output of FromExpression to a material output; false when the output name or the property is unknown. */
	static bool ConnectMaterialProperty(UMaterialExpression* FromExpression, FString FromOutputName, EMaterialProperty Property);

	/** Connects an output of FromExpression to an input of ToExpression; false when either name is unknown. */
	static bool ConnectMaterialExpressions(UMaterialExpression* FromExpression, FString FromOutputName, UMaterialExpression* ToExpression, FString ToInputName);

	/** Recompiles the material (host: counts the request; nothing is compiled). */
	static void RecompileMaterial(UMaterial* Material);

	/** The node feeding a material output; null when it is not connected. */
	static UMaterialExpression* GetMaterialPropertyInputNode(UMaterial* Material, EMaterialProperty Property);

	/** The nodes feeding each input of MaterialExpression, in input order (null for unconnected inputs). */
	static TArray<UMaterialExpression*> GetInputsForMaterialExpression(UMaterial* Material, UMaterialExpression* MaterialExpression);

	/** How many nodes the material's graph has. */
	static int32 GetNumMaterialExpressions(const UMaterial* Material);
};
