// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/SimpleConstructionScript.h: the component tree of an actor blueprint.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"
#include "UObject/ObjectPtr.h"

#include "SimpleConstructionScript.generated.h"

class UBlueprint;
class USCS_Node;

/** The component tree of an actor blueprint: root nodes with their children. */
UCLASS()
class ENGINE_API USimpleConstructionScript : public UObject
{
	GENERATED_BODY()

public:
	/** Every node of the tree, in the order they were added. */
	const TArray<USCS_Node*>& GetAllNodes() const;
	/** The nodes at the top of the tree. */
	const TArray<USCS_Node*>& GetRootNodes() const;

	/**
	 * Makes a node (not yet in the tree) with a new template of NewComponentClass. The variable name is
	 * NewComponentVariableName, or the class name without a "Component" suffix, made unique among the
	 * script's nodes by a number suffix. Null (logged) for a class that is not a concrete component class.
	 */
	USCS_Node* CreateNode(UClass* NewComponentClass, FName NewComponentVariableName = NAME_None);
	/** Adds a node as a root node; a node already in the tree is left where it is. */
	void AddNode(USCS_Node* Node);
	/**
	 * Takes a node and everything below it out of the tree. With bValidateSceneRootNodes, a blueprint
	 * whose parent class has no root component gets a "DefaultSceneRoot" node when no scene root remains.
	 */
	void RemoveNode(USCS_Node* Node, bool bValidateSceneRootNodes = true);
	/** The node with this variable name; null if none. */
	USCS_Node* FindSCSNode(const FName InName) const;
	/** Keeps a scene root: adds or removes the default root node as described for RemoveNode. */
	void ValidateSceneRootNodes();
	/** The blueprint this script belongs to. */
	UBlueprint* GetBlueprint() const;
	/** The parent node of InNode; null for a root node or a node outside the tree. */
	USCS_Node* FindParentNode(USCS_Node* InNode) const;

private:
	friend class USCS_Node;

	UPROPERTY()
	TArray<TObjectPtr<USCS_Node>> RootNodes;

	UPROPERTY()
	TArray<TObjectPtr<USCS_Node>> AllNodes;

	UPROPERTY()
	TObjectPtr<USCS_Node> DefaultSceneRootNode;
};
