// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Materials/MaterialInstance.h: a material that overrides parameters of a parent.
#pragma once

#include "CoreMinimal.h"
#include "Materials/MaterialInterface.h"
#include "UObject/ObjectPtr.h"

#include "MaterialInstance.generated.h"

/** Names a material parameter (the host keeps no association or layer index). */
USTRUCT()
struct ENGINE_API FMaterialParameterInfo
{
	GENERATED_BODY()

	UPROPERTY()
	FName Name;
};

/** A texture parameter value set on an instance. */
USTRUCT()
struct ENGINE_API FTextureParameterValue
{
	GENERATED_BODY()

	UPROPERTY()
	FMaterialParameterInfo ParameterInfo;

	UPROPERTY()
	TObjectPtr<UTexture> ParameterValue;
};

/** A material whose parameters override those of its parent. */
UCLASS(Abstract, MinimalAPI)
class UMaterialInstance : public UMaterialInterface
{
	GENERATED_BODY()

public:
	/** The material this instance derives from. */
	UPROPERTY()
	TObjectPtr<UMaterialInterface> Parent;

	UPROPERTY()
	TArray<FTextureParameterValue> TextureParameterValues;

	FLinearColor HostShadePixel(const FVector2D& UV, const UMaterialInterface& Instance) const override
	{
		return Parent ? Parent->HostShadePixel(UV, Instance) : FLinearColor::Black;
	}

	UTexture* HostGetTextureParameter(FName ParameterName) const override
	{
		for (const FTextureParameterValue& Value : TextureParameterValues)
		{
			if (Value.ParameterInfo.Name == ParameterName)
			{
				return Value.ParameterValue;
			}
		}
		return Parent ? Parent->HostGetTextureParameter(ParameterName) : nullptr;
	}
};
