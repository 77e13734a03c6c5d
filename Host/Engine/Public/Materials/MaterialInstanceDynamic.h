// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialInstanceDynamic.h: a material instance whose parameters
// are set at run time.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInstance.h"

#include "MaterialInstanceDynamic.generated.h"

/** A material instance made and changed at run time. */
UCLASS(MinimalAPI)
class UMaterialInstanceDynamic : public UMaterialInstance
{
	GENERATED_BODY()

public:
	/** A new instance of ParentMaterial, in InOuter (the transient package when null). */
	static ENGINE_API UMaterialInstanceDynamic* Create(UMaterialInterface* ParentMaterial, UObject* InOuter);

	/** Sets (or adds) the texture parameter's value on this instance. */
	ENGINE_API void SetTextureParameterValue(FName ParameterName, UTexture* Value);
};
