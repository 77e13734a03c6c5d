// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/SCS_Node.h: one component of a blueprint's construction script.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "SCS_Node.generated.h"

class UActorComponent;

/**
 * A construction-script node: the component class, its template (the values spawned components start
 * with) and its child nodes. Host: the template lives inside the node (the engine keeps it in the
 * generated class), so it is saved with the blueprint.
 */
UCLASS()
class ENGINE_API USCS_Node : public UObject
{
	GENERATED_BODY()

public:
	/** The class of the component. */
	UPROPERTY()
	TObjectPtr<UClass> ComponentClass;

	/** The template the component is copied from. */
	UPROPERTY()
	TObjectPtr<UActorComponent> ComponentTemplate;

	/** Nodes attached below this one. */
	UPROPERTY()
	TArray<TObjectPtr<USCS_Node>> ChildNodes;

	/** The name of the component's variable (and of the spawned component). */
	FName GetVariableName() const { return InternalVariableName; }
	/** Renames the variable; when authoritative the template is renamed to match. */
	void SetVariableName(const FName& NewName, bool bAuthoritative = true);

	/** Attaches a node below this one. */
	void AddChildNode(USCS_Node* InNode, bool bAddToAllNodes = true);
	void RemoveChildNode(USCS_Node* InNode, bool bRemoveFromAllNodes = true);
	const TArray<USCS_Node*>& GetChildNodes() const;

private:
	UPROPERTY()
	FName InternalVariableName;
};
