// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's BlueprintGraph/Classes/EdGraphSchema_K2.h: the blueprint graph schema's pin categories.
#pragma once

#include "CoreMinimal.h"

/** The blueprint graph schema. Host: the engine's class is a reflected schema object; the host gives only the pin category names the plug-in uses. */
class BLUEPRINTGRAPH_API UEdGraphSchema_K2
{
public:
	/** "bool". */
	static const FName PC_Boolean;
	/** "object": a hard object reference; the pin's sub-category object is the class. */
	static const FName PC_Object;
};
