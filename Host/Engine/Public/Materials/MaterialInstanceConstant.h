// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialInstanceConstant.h: material instances saved as assets.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInstance.h"

#include "MaterialInstanceConstant.generated.h"

/** A material instance asset. */
UCLASS()
class ENGINE_API UMaterialInstanceConstant : public UMaterialInstance
{
	GENERATED_BODY()

public:
	/** Sets the parent material (editor only). */
	void SetParentEditorOnly(UMaterialInterface* NewParent, bool RecacheShader = true) { Parent = NewParent; }
};
