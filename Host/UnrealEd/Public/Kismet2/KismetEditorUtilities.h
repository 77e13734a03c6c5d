// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet2/KismetEditorUtilities.h: compiling blueprints.
#pragma once

#include "CoreMinimal.h"

class UBlueprint;
class FCompilerResultsLog;

/** Options of a blueprint compile; the host honours none of them. */
enum class EBlueprintCompileOptions
{
	None = 0x0,
	SkipGarbageCollection = 0x1,
	SaveIntermediateProducts = 0x2,
	SkeletonUpToDate = 0x4,
	BatchCompile = 0x8,
	SkipSave = 0x10,
	SkipDefaultObjectValidation = 0x20,
	SkipReinstancing = 0x40,
	SkipFiBSearchMetaUpdate = 0x80,
	UseDeltaSerializationDuringReinstancing = 0x100,
	IncludeCDOInReferenceReplacement = 0x200,
};

/** Editor helpers for blueprints. */
class UNREALED_API FKismetEditorUtilities
{
public:
	/**
	 * Compiles the blueprint: (re)makes its generated class and the component list its actors are spawned
	 * with from the construction script. Null is ignored; failures are logged.
	 */
	static void CompileBlueprint(UBlueprint* BlueprintObj, EBlueprintCompileOptions CompileFlags = EBlueprintCompileOptions::None, FCompilerResultsLog* pResults = nullptr);
};
