// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/BlueprintGeneratedClass.h: the class a blueprint compiles to.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Class.h"

/** The class a blueprint compiles to. Host: a class made by CreateDerivedClass, with the blueprint's variables. */
class ENGINE_API UBlueprintGeneratedClass : public UClass
{
	DECLARE_CLASS(UBlueprintGeneratedClass, UClass, CLASS_Native | CLASS_Intrinsic, CASTCLASS_None, TEXT("/Script/Engine"), ENGINE_API)
	DEFINE_DEFAULT_CONSTRUCTOR_CALL(UBlueprintGeneratedClass)

public:
	UBlueprintGeneratedClass() = default;
};
