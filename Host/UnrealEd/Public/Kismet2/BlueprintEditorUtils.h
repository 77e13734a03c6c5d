// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet2/BlueprintEditorUtils.h: marking blueprints as changed.
#pragma once

#include "CoreMinimal.h"

class UBlueprint;

/** Editor helpers for blueprints. */
class UNREALED_API FBlueprintEditorUtils
{
public:
	/** Marks the blueprint's package dirty; the next compile picks the change up. Null is ignored. */
	static void MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint);
	/** Marks the blueprint's package dirty. Null is ignored. */
	static void MarkBlueprintAsModified(UBlueprint* Blueprint);
};
