// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet2/BlueprintEditorUtils.h: marking blueprints as changed.
#pragma once

#include "CoreMinimal.h"
#include "EdGraph/EdGraphPin.h"

class UBlueprint;

/** Editor helpers for blueprints. */
class UNREALED_API FBlueprintEditorUtils
{
public:
	/** Marks the blueprint's package dirty; the next compile picks the change up. Null is ignored. */
	static void MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint);
	/** Marks the blueprint's package dirty. Null is ignored. */
	static void MarkBlueprintAsModified(UBlueprint* Blueprint);

	/**
	 * Adds a member variable (editable in the blueprint, not on instances, until SetBlueprintOnlyEditableFlag
	 * says otherwise); the class gets it at the next compile. False when the blueprint is null or the name is
	 * taken by a variable or by a property of the parent class.
	 */
	static bool AddMemberVariable(UBlueprint* Blueprint, const FName& NewVarName, const FEdGraphPinType& NewVarType, const FString& DefaultValue = FString());

	/** With false, the variable becomes editable on instances too; with true, only in the blueprint. Unknown names are ignored. */
	static void SetBlueprintOnlyEditableFlag(UBlueprint* Blueprint, const FName& VarName, const bool bNewBlueprintOnlyEditableFlag);
};
