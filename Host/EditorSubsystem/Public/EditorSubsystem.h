// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's EditorSubsystem.h: objects that live as long as the editor.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "EditorSubsystem.generated.h"

/**
 * The base of the editor's subsystems, one instance of each class per editor, reached through
 * GEditor->GetEditorSubsystem<T>(). Unconfirmed: the engine derives it from UDynamicSubsystem (USubsystem),
 * which the plug-in never names; here it derives from UObject directly.
 */
UCLASS(Abstract)
class EDITORSUBSYSTEM_API UEditorSubsystem : public UObject
{
	GENERATED_BODY()
};
