// Copyright Kelmora. All Rights Reserved.
// Stands in for the TextureShare plug-in's private world subsystem, which holds the world's UTextureShare.
// The header is private in the engine too: the plug-in finds the class by its name.
#pragma once

#include "CoreMinimal.h"
#include "Blueprints/TextureShareBlueprintContainers.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/ObjectPtr.h"

#include "TextureShareWorldSubsystem.generated.h"

/** The world's TextureShare API object, with the default share "DefaultShareName" made at initialisation. */
UCLASS()
class TEXTURESHARE_API UTextureShareWorldSubsystem : public UTickableWorldSubsystem
{
	GENERATED_BODY()

public:
	virtual void Initialize() override;

	UFUNCTION(BlueprintCallable, Category = "TextureShare", meta = (HostCallable))
	UTextureShare* GetTextureShare() const { return TextureShare; }

	UPROPERTY(Transient)
	TObjectPtr<UTextureShare> TextureShare;
};
