// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "Engine/Blueprint.h"
#include "Engine/SimpleConstructionScript.h"
#include "GameFramework/Actor.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

UEditorEngine* GEditor = nullptr;

FWorldContext& UEditorEngine::GetEditorWorldContext(bool bEnsureIsGWorld)
{
	for (FWorldContext& Context : WorldList)
	{
		if (Context.WorldType == EWorldType::Editor && Context.World())
		{
			return Context;
		}
	}
	FWorldContext& Context = CreateNewWorldContext(EWorldType::Editor);
	Context.SetCurrentWorld(UWorld::CreateWorld(EWorldType::Editor, true, FName(TEXT("EditorWorld"))));
	if (!GWorld)
	{
		GWorld = Context.World();
	}
	return Context;
}

void FKismetEditorUtilities::CompileBlueprint(UBlueprint* BlueprintObj, EBlueprintCompileOptions CompileFlags, FCompilerResultsLog* pResults)
{
	FHostBlueprintCompiler::Compile(BlueprintObj);
}

UBlueprint* FKismetEditorUtilities::CreateBlueprint(UClass* ParentClass, UObject* Outer, const FName NewBPName, EBlueprintType BlueprintType, TSubclassOf<UBlueprint> BlueprintClassType, TSubclassOf<UBlueprintGeneratedClass> BlueprintGeneratedClassType, FName CallingContext)
{
	checkf(FindObject<UBlueprint>(Outer, *NewBPName.ToString()) == nullptr, TEXT("CreateBlueprint: %s already holds a blueprint %s"), Outer ? *Outer->GetPathName() : TEXT("(null)"), *NewBPName.ToString());
	if (!ParentClass || !Outer || !ParentClass->ClassConstructor || ParentClass->HasAnyClassFlags(CLASS_Deprecated | CLASS_NewerVersionExists))
	{
		UE_LOG(LogTemp, Error, TEXT("CreateBlueprint: %s cannot be a blueprint's parent class"), ParentClass ? *ParentClass->GetName() : TEXT("(null)"));
		return nullptr;
	}
	UClass* BlueprintClass = BlueprintClassType.Get() ? BlueprintClassType.Get() : UBlueprint::StaticClass();
	UBlueprint* Blueprint = NewObject<UBlueprint>(Outer, BlueprintClass, NewBPName, RF_Public | RF_Standalone | RF_Transactional);
	Blueprint->BlueprintType = BlueprintType;
	Blueprint->ParentClass = ParentClass;
	if (ParentClass->IsChildOf(AActor::StaticClass()))
	{
		Blueprint->SimpleConstructionScript = NewObject<USimpleConstructionScript>(Blueprint, FName(TEXT("SimpleConstructionScript")), RF_Transactional);
		Blueprint->SimpleConstructionScript->ValidateSceneRootNodes();
	}
	CompileBlueprint(Blueprint);
	return Blueprint;
}

bool FBlueprintEditorUtils::AddMemberVariable(UBlueprint* Blueprint, const FName& NewVarName, const FEdGraphPinType& NewVarType, const FString& DefaultValue)
{
	if (!Blueprint || NewVarName.IsNone())
	{
		return false;
	}
	for (const FBPVariableDescription& Variable : Blueprint->NewVariables)
	{
		if (Variable.VarName == NewVarName)
		{
			return false;
		}
	}
	if (Blueprint->ParentClass.Get() && Blueprint->ParentClass.Get()->FindPropertyByName(NewVarName))
	{
		return false;
	}
	FBPVariableDescription Variable;
	Variable.VarName = NewVarName;
	Variable.FriendlyName = NewVarName.ToString();
	Variable.VarType = NewVarType;
	Variable.DefaultValue = DefaultValue;
	Variable.PropertyFlags = uint64(CPF_Edit | CPF_BlueprintVisible | CPF_DisableEditOnInstance);
	Blueprint->NewVariables.Add(Variable);
	MarkBlueprintAsStructurallyModified(Blueprint);
	return true;
}

void FBlueprintEditorUtils::SetBlueprintOnlyEditableFlag(UBlueprint* Blueprint, const FName& VarName, const bool bNewBlueprintOnlyEditableFlag)
{
	if (!Blueprint)
	{
		return;
	}
	for (FBPVariableDescription& Variable : Blueprint->NewVariables)
	{
		if (Variable.VarName == VarName)
		{
			Variable.PropertyFlags = bNewBlueprintOnlyEditableFlag ? (Variable.PropertyFlags | uint64(CPF_DisableEditOnInstance)) : (Variable.PropertyFlags & ~uint64(CPF_DisableEditOnInstance));
			MarkBlueprintAsStructurallyModified(Blueprint);
		}
	}
}

void FBlueprintEditorUtils::MarkBlueprintAsStructurallyModified(UBlueprint* Blueprint)
{
	MarkBlueprintAsModified(Blueprint);
}

void FBlueprintEditorUtils::MarkBlueprintAsModified(UBlueprint* Blueprint)
{
	if (Blueprint)
	{
		Blueprint->MarkPackageDirty();
	}
}

/** Starts the editor engine, as the editor does before plug-ins load. */
class FUnrealEdModule : public IModuleInterface
{
public:
	virtual void StartupModule() override
	{
		if (!GEditor)
		{
			GEditor = NewObject<UEditorEngine>(GetTransientPackage(), FName(TEXT("EditorEngine")));
			GEditor->AddToRoot();
			GEngine = GEditor;
			// The editor opens its level before plug-ins load: the editor world is there and is the current one.
			GEditor->GetEditorWorldContext();
		}
	}
};

IMPLEMENT_MODULE(FUnrealEdModule, UnrealEd)
