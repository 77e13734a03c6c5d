// Copyright Kelmora. All Rights Reserved.
#include "Engine/Blueprint.h"
#include "Engine/BlueprintGeneratedClass.h"
#include "Templates/Casts.h"

#include "Components/SceneComponent.h"
#include "Engine/SCS_Node.h"
#include "Engine/SimpleConstructionScript.h"
#include "GameFramework/Actor.h"
#include "UObject/GeneratedCppIncludes.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

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

bool UBlueprint::Rename(const TCHAR* NewName, UObject* NewOuter, ERenameFlags Flags)
{
	UClass* Class = GeneratedClass.Get();
	if (!Super::Rename(NewName, NewOuter, Flags))
	{
		return false;
	}
	if (Class && Class->ClassGeneratedBy == this && (Flags & REN_Test) == 0)
	{
		const FString ClassName = GetName() + TEXT("_C");
		if (UObject* DefaultObject = Class->GetDefaultObject(false))
		{
			DefaultObject->Rename(*(TEXT("Default__") + ClassName), GetOuter(), Flags);
		}
		Class->Rename(*ClassName, GetOuter(), Flags);
	}
	return true;
}

void UBlueprint::PostLoad()
{
	Super::PostLoad();
	FHostBlueprintCompiler::Compile(this);
}

UClass* UBlueprintGeneratedClass::GetPrivateStaticClass()
{
	static UE::CoreUObject::Host::FClassRegistration Registration{TEXT("BlueprintGeneratedClass"), TEXT("/Script/Engine"), TEXT(""), UBlueprintGeneratedClass::StaticClassFlags, sizeof(UBlueprintGeneratedClass), alignof(UBlueprintGeneratedClass), &UClass::StaticClass, &UBlueprintGeneratedClass::__DefaultConstructor, nullptr, {}};
	return UE::CoreUObject::Host::GetStaticClass(Registration);
}

namespace
{
	using UE::CoreUObject::Host::EHostVariableKind;

	/** The kind the host lays a variable out as; false for pin types it cannot lay out. */
	bool VariableKind(const FBPVariableDescription& Variable, EHostVariableKind& OutKind, UClass*& OutObjectClass)
	{
		OutObjectClass = nullptr;
		if (Variable.VarType.PinCategory == FName(TEXT("bool")))
		{
			OutKind = EHostVariableKind::Bool;
			return true;
		}
		if (Variable.VarType.PinCategory == FName(TEXT("object")))
		{
			OutKind = EHostVariableKind::Object;
			OutObjectClass = Cast<UClass>(Variable.VarType.PinSubCategoryObject.Get());
			return OutObjectClass != nullptr;
		}
		return false;
	}

	/** True when the class's own properties are exactly the blueprint's variables, with their types and flags. */
	bool ClassHasVariables(const UClass* Class, const TArray<FBPVariableDescription>& Variables)
	{
		const FField* Field = Class->ChildProperties;
		for (const FBPVariableDescription& Variable : Variables)
		{
			const FProperty* Property = static_cast<const FProperty*>(Field);
			EHostVariableKind Kind;
			UClass* ObjectClass = nullptr;
			if (!Property || Property->GetFName() != Variable.VarName || !VariableKind(Variable, Kind, ObjectClass) || uint64(Property->GetPropertyFlags()) != Variable.PropertyFlags)
			{
				return false;
			}
			const FObjectPropertyBase* ObjectProperty = CastField<FObjectPropertyBase>(Property);
			if ((Kind == EHostVariableKind::Bool) != (CastField<FBoolProperty>(Property) != nullptr) || (ObjectProperty && ObjectProperty->PropertyClass != ObjectClass))
			{
				return false;
			}
			Field = Field->Next;
		}
		return Field == nullptr;
	}

	/**
	 * Moves a class whose layout no longer matches its blueprint out of the way, as the engine's reinstancer
	 * does, so a new class can take its name. Unconfirmed: the engine also moves existing objects of the old
	 * class to the new one; the host leaves them with the old class.
	 */
	void RetireClass(UClass* Class)
	{
		UPackage* Transient = GetTransientPackage();
		if (UObject* DefaultObject = Class->GetDefaultObject(false))
		{
			DefaultObject->Rename(*MakeUniqueObjectName(Transient, Class, FName(TEXT("REINST_Default"))).ToString(), Transient, REN_DoNotDirty | REN_DontCreateRedirectors | REN_NonTransactional);
		}
		Class->Rename(*MakeUniqueObjectName(Transient, UClass::StaticClass(), FName(*(TEXT("REINST_") + Class->GetName()))).ToString(), Transient, REN_DoNotDirty | REN_DontCreateRedirectors | REN_NonTransactional);
		Class->ClassGeneratedBy = nullptr;
	}

	/** Lays the blueprint's variables out on a new class; false (logged) for a type or default the host cannot give. */
	bool AddVariables(UBlueprint* Blueprint, UClass* Class)
	{
		for (const FBPVariableDescription& Variable : Blueprint->NewVariables)
		{
			EHostVariableKind Kind;
			UClass* ObjectClass = nullptr;
			if (!VariableKind(Variable, Kind, ObjectClass))
			{
				UE_LOG(LogBlueprint, Error, TEXT("CompileBlueprint: the variable %s of %s has a type the host cannot lay out (%s)"), *Variable.VarName.ToString(), *Blueprint->GetPathName(), *Variable.VarType.PinCategory.ToString());
				return false;
			}
			// Objects start zeroed and the host copies no defaults into them, so only zero defaults are honest.
			if (!Variable.DefaultValue.IsEmpty() && !(Kind == EHostVariableKind::Bool && Variable.DefaultValue.Equals(TEXT("false"), ESearchCase::IgnoreCase)))
			{
				UE_LOG(LogBlueprint, Error, TEXT("CompileBlueprint: the host cannot give the variable %s of %s the default %s"), *Variable.VarName.ToString(), *Blueprint->GetPathName(), *Variable.DefaultValue);
				return false;
			}
			if (!UE::CoreUObject::Host::AddVariableProperty(Class, Variable.VarName, Kind, ObjectClass, EPropertyFlags(Variable.PropertyFlags)))
			{
				return false;
			}
		}
		return true;
	}

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
	const FName ClassName(Blueprint->GetName() + TEXT("_C"));
	UClass* Class = Blueprint->GeneratedClass.Get();
	if (!Class)
	{
		UClass* Existing = Cast<UClass>(StaticFindObjectFast(UClass::StaticClass(), Blueprint->GetOuter(), ClassName));
		Class = Existing && Existing->ClassGeneratedBy == Blueprint ? Existing : nullptr;
	}
	if (Class && !ClassHasVariables(Class, Blueprint->NewVariables))
	{
		RetireClass(Class);
		Class = nullptr;
		Blueprint->GeneratedClass = nullptr;
	}
	if (!Class)
	{
		Class = UE::CoreUObject::Host::CreateDerivedClass(ParentClass, Blueprint->GetOuter(), ClassName, CLASS_CompiledFromBlueprint, UBlueprintGeneratedClass::StaticClass());
		if (!Class)
		{
			UE_LOG(LogBlueprint, Error, TEXT("CompileBlueprint: cannot make the class of %s"), *Blueprint->GetPathName());
			return false;
		}
		Class->ClassGeneratedBy = Blueprint;
		Blueprint->GeneratedClass = Class;
		if (!AddVariables(Blueprint, Class))
		{
			return false;
		}
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
