// Copyright Kelmora. All Rights Reserved.
#include "Engine/Blueprint.h"
#include "Templates/Casts.h"

#include "Components/SceneComponent.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "GameFramework/Actor.h"

#include <type_traits>

DEFINE_LOG_CATEGORY_STATIC(LogBlueprint, Log, All);

namespace
{
	const TCHAR* const TemplateNameSuffix = TEXT("_GEN_VARIABLE");

	// TObjectPtr holds exactly one pointer, so an array of them reads as an array of pointers (engine: ObjectPtrDecay).
	template <typename T>
	const TArray<T*>& Decay(const TArray<TObjectPtr<T>>& Array)
	{
		static_assert(sizeof(TObjectPtr<T>) == sizeof(T*), "TObjectPtr must hold one pointer");
		return reinterpret_cast<const TArray<T*>&>(Array);
	}

	void AddToAllNodes(USimpleConstructionScript* Script, TArray<TObjectPtr<USCS_Node>>& AllNodes, USCS_Node* Node)
	{
		if (!AllNodes.Contains(Node))
		{
			AllNodes.Add(Node);
		}
		for (USCS_Node* Child : Node->ChildNodes)
		{
			if (Child)
			{
				AddToAllNodes(Script, AllNodes, Child);
			}
		}
	}

	void RemoveFromAllNodes(TArray<TObjectPtr<USCS_Node>>& AllNodes, USCS_Node* Node)
	{
		AllNodes.Remove(Node);
		for (USCS_Node* Child : Node->ChildNodes)
		{
			if (Child)
			{
				RemoveFromAllNodes(AllNodes, Child);
			}
		}
	}
}

const TArray<USCS_Node*>& USCS_Node::GetChildNodes() const
{
	return Decay(ChildNodes);
}

void USCS_Node::SetVariableName(const FName& NewName, bool bAuthoritative)
{
	InternalVariableName = NewName;
	if (bAuthoritative && ComponentTemplate && !NewName.IsNone())
	{
		ComponentTemplate->Rename(*(NewName.ToString() + TemplateNameSuffix), nullptr, REN_DoNotDirty);
	}
}

void USCS_Node::AddChildNode(USCS_Node* InNode, bool bAddToAllNodes)
{
	if (!InNode || InNode == this || ChildNodes.Contains(InNode))
	{
		return;
	}
	ChildNodes.Add(InNode);
	USimpleConstructionScript* Script = Cast<USimpleConstructionScript>(GetOuter());
	if (bAddToAllNodes && Script)
	{
		AddToAllNodes(Script, Script->AllNodes, InNode);
	}
}

void USCS_Node::RemoveChildNode(USCS_Node* InNode, bool bRemoveFromAllNodes)
{
	if (!InNode || !ChildNodes.Contains(InNode))
	{
		return;
	}
	ChildNodes.Remove(InNode);
	USimpleConstructionScript* Script = Cast<USimpleConstructionScript>(GetOuter());
	if (bRemoveFromAllNodes && Script)
	{
		RemoveFromAllNodes(Script->AllNodes, InNode);
	}
}

const TArray<USCS_Node*>& USimpleConstructionScript::GetAllNodes() const
{
	return Decay(AllNodes);
}

const TArray<USCS_Node*>& USimpleConstructionScript::GetRootNodes() const
{
	return Decay(RootNodes);
}

UBlueprint* USimpleConstructionScript::GetBlueprint() const
{
	return Cast<UBlueprint>(GetOuter());
}

USCS_Node* USimpleConstructionScript::CreateNode(UClass* NewComponentClass, FName NewComponentVariableName)
{
	if (!NewComponentClass || !NewComponentClass->IsChildOf(UActorComponent::StaticClass()) || NewComponentClass->HasAnyClassFlags(CLASS_Abstract))
	{
		UE_LOG(LogBlueprint, Error, TEXT("CreateNode: %s is not a concrete component class"), NewComponentClass ? *NewComponentClass->GetName() : TEXT("None"));
		return nullptr;
	}
	// Unconfirmed: the engine's exact naming of a node without a requested name and of a taken name.
	FString BaseName = NewComponentVariableName.IsNone() ? NewComponentClass->GetName() : NewComponentVariableName.ToString();
	if (NewComponentVariableName.IsNone() && BaseName.EndsWith(TEXT("Component")) && BaseName.Len() > 9)
	{
		BaseName = BaseName.LeftChop(9);
	}
	FString VariableName = BaseName;
	for (int32 Suffix = 1; FindSCSNode(FName(VariableName)); ++Suffix)
	{
		VariableName = FString::Printf(TEXT("%s%d"), *BaseName, Suffix);
	}
	USCS_Node* Node = NewObject<USCS_Node>(this, MakeUniqueObjectName(this, USCS_Node::StaticClass(), FName(TEXT("SCS_Node"))), RF_Transactional);
	Node->ComponentClass = NewComponentClass;
	Node->ComponentTemplate = NewObject<UActorComponent>(Node, NewComponentClass, FName(VariableName + TemplateNameSuffix), RF_ArchetypeObject | RF_Public | RF_Transactional);
	Node->SetVariableName(FName(VariableName), false);
	return Node;
}

void USimpleConstructionScript::AddNode(USCS_Node* Node)
{
	if (!Node || AllNodes.Contains(Node))
	{
		return;
	}
	RootNodes.Add(Node);
	AddToAllNodes(this, AllNodes, Node);
	ValidateSceneRootNodes();
}

USCS_Node* USimpleConstructionScript::FindParentNode(USCS_Node* InNode) const
{
	for (USCS_Node* Node : AllNodes)
	{
		if (Node && Node->ChildNodes.Contains(InNode))
		{
			return Node;
		}
	}
	return nullptr;
}

void USimpleConstructionScript::RemoveNode(USCS_Node* Node, bool bValidateSceneRootNodes)
{
	if (!Node)
	{
		return;
	}
	if (RootNodes.Contains(Node))
	{
		RootNodes.Remove(Node);
		RemoveFromAllNodes(AllNodes, Node);
	}
	else if (USCS_Node* Parent = FindParentNode(Node))
	{
		Parent->RemoveChildNode(Node);
	}
	if (Node == DefaultSceneRootNode)
	{
		DefaultSceneRootNode = nullptr;
	}
	if (bValidateSceneRootNodes)
	{
		ValidateSceneRootNodes();
	}
}

USCS_Node* USimpleConstructionScript::FindSCSNode(const FName InName) const
{
	for (USCS_Node* Node : AllNodes)
	{
		if (Node && Node->GetVariableName() == InName)
		{
			return Node;
		}
	}
	return nullptr;
}

void USimpleConstructionScript::ValidateSceneRootNodes()
{
	const UBlueprint* Blueprint = GetBlueprint();
	UClass* ParentClass = Blueprint ? Blueprint->ParentClass.Get() : nullptr;
	const AActor* ParentDefault = ParentClass && ParentClass->IsChildOf(AActor::StaticClass()) ? static_cast<AActor*>(ParentClass->GetDefaultObject()) : nullptr;
	if (!ParentDefault || ParentDefault->GetRootComponent())
	{
		// The parent class brings its own root component: the script needs none.
		return;
	}
	bool bHasOtherSceneRoot = false;
	for (USCS_Node* Node : RootNodes)
	{
		bHasOtherSceneRoot = bHasOtherSceneRoot || (Node && Node != DefaultSceneRootNode && Cast<USceneComponent>(Node->ComponentTemplate));
	}
	const bool bDefaultIsRoot = DefaultSceneRootNode && RootNodes.Contains(DefaultSceneRootNode.Get());
	if (bHasOtherSceneRoot && bDefaultIsRoot)
	{
		RootNodes.Remove(DefaultSceneRootNode);
		AllNodes.Remove(DefaultSceneRootNode);
	}
	else if (!bHasOtherSceneRoot && !bDefaultIsRoot)
	{
		if (!DefaultSceneRootNode)
		{
			DefaultSceneRootNode = CreateNode(USceneComponent::StaticClass(), FName(TEXT("DefaultSceneRoot")));
		}
		RootNodes.Add(DefaultSceneRootNode);
		AllNodes.AddUnique(DefaultSceneRootNode);
	}
}

void UBlueprint::PostLoad()
{
	Super::PostLoad();
	FHostBlueprintCompiler::Compile(this);
}

namespace
{
	void SnapshotNode(UBlueprint* Blueprint, USCS_Node* Node, int32 ParentIndex)
	{
		if (!Node || !Node->ComponentTemplate)
		{
			return;
		}
		const int32 Index = Blueprint->HostCompiledTemplates.Add(Node->ComponentTemplate.Get());
		Blueprint->HostCompiledVariableNames.Add(Node->GetVariableName());
		Blueprint->HostCompiledParents.Add(ParentIndex);
		for (USCS_Node* Child : Node->ChildNodes)
		{
			SnapshotNode(Blueprint, Child, Index);
		}
	}
}

bool FHostBlueprintCompiler::Compile(UBlueprint* Blueprint)
{
	if (!Blueprint)
	{
		return false;
	}
	UClass* ParentClass = Blueprint->ParentClass.Get();
	if (!ParentClass)
	{
		UE_LOG(LogBlueprint, Error, TEXT("CompileBlueprint: %s has no parent class"), *Blueprint->GetPathName());
		return false;
	}
	UClass* Class = Blueprint->GeneratedClass.Get();
	if (!Class)
	{
		const FName ClassName(Blueprint->GetName() + TEXT("_C"));
		UClass* Existing = Cast<UClass>(StaticFindObjectFast(UClass::StaticClass(), Blueprint->GetOuter(), ClassName));
		Class = Existing && Existing->ClassGeneratedBy == Blueprint ? Existing : UE::CoreUObject::Host::CreateDerivedClass(ParentClass, Blueprint->GetOuter(), ClassName, CLASS_CompiledFromBlueprint);
		if (!Class)
		{
			UE_LOG(LogBlueprint, Error, TEXT("CompileBlueprint: cannot make the class of %s"), *Blueprint->GetPathName());
			return false;
		}
		Class->ClassGeneratedBy = Blueprint;
		Blueprint->GeneratedClass = Class;
	}
	else if (Class->GetSuperClass() != ParentClass)
	{
		// Unconfirmed: the engine reparents by remaking the class; the host keeps the class it made first.
		UE_LOG(LogBlueprint, Warning, TEXT("CompileBlueprint: %s keeps its first parent class %s"), *Blueprint->GetPathName(), *Class->GetSuperClass()->GetName());
	}
	Blueprint->HostCompiledTemplates.Reset();
	Blueprint->HostCompiledVariableNames.Reset();
	Blueprint->HostCompiledParents.Reset();
	if (Blueprint->SimpleConstructionScript)
	{
		for (USCS_Node* Root : Blueprint->SimpleConstructionScript->GetRootNodes())
		{
			SnapshotNode(Blueprint, Root, INDEX_NONE);
		}
	}
	Class->GetDefaultObject();
	++Blueprint->HostCompileCount;
	Blueprint->HostPostCompile();
	return true;
}
