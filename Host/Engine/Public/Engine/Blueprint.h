// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/Blueprint.h: blueprint assets, their parent class and construction script.
#pragma once

#include "CoreMinimal.h"
#include "EdGraph/EdGraphPin.h"
#include "Engine/BlueprintCore.h"
#include "Templates/Casts.h"
#include "UObject/ObjectPtr.h"

#include "Blueprint.generated.h"

class UActorComponent;
class USimpleConstructionScript;

/** What kind of blueprint an asset is. */
UENUM()
enum EBlueprintType : int
{
	BPTYPE_Normal,
	BPTYPE_Const,
	BPTYPE_MacroLibrary,
	BPTYPE_Interface,
	BPTYPE_LevelScript,
	BPTYPE_FunctionLibrary,
	BPTYPE_MAX,
};

/** A member variable a blueprint adds to its class. */
USTRUCT()
struct ENGINE_API FBPVariableDescription
{
	GENERATED_BODY()

	UPROPERTY()
	FName VarName;

	UPROPERTY()
	FString FriendlyName;

	UPROPERTY()
	FEdGraphPinType VarType;

	/** The property flags the variable's property gets (CPF_Edit, CPF_DisableEditOnInstance, ...). */
	UPROPERTY()
	uint64 PropertyFlags = 0;

	/** The default value as text ("true", "false", or empty). */
	UPROPERTY()
	FString DefaultValue;
};

/**
 * A blueprint asset: a class made from a parent class plus the components of its construction script.
 * Host: compiling makes GeneratedClass ("<Name>_C" in the blueprint's package) from the parent class's C++
 * constructor and layout and takes a snapshot of the script's nodes; spawning an actor of the class makes
 * one component per snapshot entry; member variables of the kinds bool and object become properties of the
 * class. Graphs of the engine's blueprints do not exist here.
 */
UCLASS()
class ENGINE_API UBlueprint : public UBlueprintCore
{
	GENERATED_BODY()

public:
	/** The class the generated class derives from. */
	UPROPERTY()
	TSubclassOf<UObject> ParentClass;

	/** What kind of blueprint this is. */
	UPROPERTY()
	TEnumAsByte<EBlueprintType> BlueprintType;

	/** The member variables the blueprint adds to its class, in the order they were added. */
	UPROPERTY()
	TArray<FBPVariableDescription> NewVariables;

	/** The components the generated class's actors are made with (actor blueprints only). */
	UPROPERTY()
	TObjectPtr<USimpleConstructionScript> SimpleConstructionScript;

	/** Rebuilds the generated class, which the host does not save. */
	virtual void PostLoad() override;

	/** Moves the generated class (and its default object) along with the blueprint, as the engine does. */
	virtual bool Rename(const TCHAR* NewName = nullptr, UObject* NewOuter = nullptr, ERenameFlags Flags = REN_None) override;

	/** Host only: how many times the blueprint was compiled, for tests. */
	int32 GetHostCompileCount() const { return HostCompileCount; }

	/** Host only: called at the end of each compile, once the generated class and its default object exist. */
	virtual void HostPostCompile() {}

	/** Host only: the component templates of the last compile, parents before children. */
	UPROPERTY(Transient)
	TArray<TObjectPtr<UActorComponent>> HostCompiledTemplates;
	/** Host only: the variable name of each compiled template. */
	UPROPERTY(Transient)
	TArray<FName> HostCompiledVariableNames;
	/** Host only: the index of each compiled template's parent in HostCompiledTemplates, or -1 for a root. */
	UPROPERTY(Transient)
	TArray<int32> HostCompiledParents;

private:
	friend struct FHostBlueprintCompiler;
	int32 HostCompileCount = 0;
};

/**
 * Host only (the engine's Kismet compiler lives in the Kismet editor modules): builds or refreshes the
 * blueprint's generated class and takes the snapshot of its construction script. False (logged) when the
 * blueprint has no parent class or the class cannot be made.
 */
struct ENGINE_API FHostBlueprintCompiler
{
	static bool Compile(UBlueprint* Blueprint);
};
