// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's EdGraph/EdGraphPin.h: the type of a graph pin, which is also the type of a blueprint variable.
#pragma once

#include "CoreMinimal.h"
#include "UObject/ObjectPtr.h"

#include "EdGraphPin.generated.h"

/** What a pin (or variable) holds: a category such as "bool" or "object" and, for objects, their class. */
USTRUCT()
struct ENGINE_API FEdGraphPinType
{
	GENERATED_BODY()

	UPROPERTY()
	FName PinCategory;

	UPROPERTY()
	FName PinSubCategory;

	/** The class of an object pin. Unconfirmed: the engine holds a TWeakObjectPtr<UObject>, which the host does not reflect. */
	UPROPERTY()
	TObjectPtr<UObject> PinSubCategoryObject;
};
