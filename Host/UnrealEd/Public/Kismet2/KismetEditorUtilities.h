// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Kismet2/KismetEditorUtilities.h: compiling blueprints.
#pragma once

#include "CoreMinimal.h"
#include "Engine/Blueprint.h"
#include "Engine/BlueprintGeneratedClass.h"
#include "Templates/SubclassOf.h"

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
	/**
	 * Creates a blueprint named NewBPName in Outer deriving from ParentClass, with a construction script for
	 * actor classes, and compiles it. As in the engine, a blueprint of that name already in Outer ends the
	 * process (check). Null (logged) when ParentClass is null or cannot be derived from.
	 */
	static UBlueprint* CreateBlueprint(UClass* ParentClass, UObject* Outer, const FName NewBPName, enum EBlueprintType BlueprintType, TSubclassOf<UBlueprint> BlueprintClassType, TSubclassOf<UBlueprintGeneratedClass> BlueprintGeneratedClassType, FName CallingContext = NAME_None);

	static void CompileBlueprint(UBlueprint* BlueprintObj, EBlueprintCompileOptions CompileFlags = EBlueprintCompileOptions::None, FCompilerResultsLog* pResults = nullptr);
};
