// Copyright Kelmora. All Rights Reserved.
#include "EdGraphSchema_K2.h"

#include "Modules/ModuleManager.h"

const FName UEdGraphSchema_K2::PC_Boolean(TEXT("bool"));
const FName UEdGraphSchema_K2::PC_Object(TEXT("object"));

IMPLEMENT_MODULE(FDefaultModuleImpl, BlueprintGraph)
