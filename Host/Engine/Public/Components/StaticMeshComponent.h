// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Components/StaticMeshComponent.h: a component showing a static mesh asset.
#pragma once

#include "CoreMinimal.h"
#include "Components/MeshComponent.h"
#include "UObject/ObjectPtr.h"

#include "StaticMeshComponent.generated.h"

class UStaticMesh;

/** Shows one static mesh asset. */
UCLASS()
class ENGINE_API UStaticMeshComponent : public UMeshComponent
{
	GENERATED_BODY()

public:
	/** Sets the mesh; false when it is already the mesh shown. */
	virtual bool SetStaticMesh(UStaticMesh* NewMesh);
	UStaticMesh* GetStaticMesh() const { return StaticMesh; }

private:
	UPROPERTY()
	TObjectPtr<UStaticMesh> StaticMesh;
};
