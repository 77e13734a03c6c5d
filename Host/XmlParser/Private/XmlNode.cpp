// Copyright Kelmora. All Rights Reserved.
#include "XmlNode.h"
#include "Modules/ModuleManager.h"

IMPLEMENT_MODULE(FDefaultModuleImpl, XmlParser)

const FString& FXmlAttribute::GetTag() const
{
	return Tag;
}

const FString& FXmlAttribute::GetValue() const
{
	return Value;
}

void FXmlNode::Delete()
{
	// Gather the whole subtree breadth first, then free it: each node's own destructor then finds no
	// children, so depth never reaches the call stack.
	TArray<FXmlNode*> Doomed = MoveTemp(Children);
	Children.Reset();
	for (int32 Index = 0; Index < Doomed.Num(); ++Index)
	{
		FXmlNode* Node = Doomed[Index];
		Doomed.Append(MoveTemp(Node->Children));
		Node->Children.Reset();
	}
	for (FXmlNode* Node : Doomed)
	{
		delete Node;
	}
}

const FXmlNode* FXmlNode::GetNextNode() const
{
	return NextNode;
}

const TArray<FXmlNode*>& FXmlNode::GetChildrenNodes() const
{
	return Children;
}

const FXmlNode* FXmlNode::GetFirstChildNode() const
{
	return Children.Num() > 0 ? Children[0] : nullptr;
}

const FXmlNode* FXmlNode::FindChildNode(const FString& InTag) const
{
	for (const FXmlNode* Child : Children)
	{
		if (Child != nullptr && Child->Tag == InTag)
		{
			return Child;
		}
	}
	return nullptr;
}

FXmlNode* FXmlNode::FindChildNode(const FString& InTag)
{
	return const_cast<FXmlNode*>(static_cast<const FXmlNode*>(this)->FindChildNode(InTag));
}

const FString& FXmlNode::GetTag() const
{
	return Tag;
}

const FString& FXmlNode::GetContent() const
{
	return Content;
}

void FXmlNode::SetContent(const FString& InContent)
{
	Content = InContent;
}

void FXmlNode::SetAttributes(const TArray<FXmlAttribute>& InAttributes)
{
	Attributes = InAttributes;
}

FString FXmlNode::GetAttribute(const FString& InTag) const
{
	for (const FXmlAttribute& Attribute : Attributes)
	{
		if (Attribute.GetTag() == InTag)
		{
			return Attribute.GetValue();
		}
	}
	return FString();
}

void FXmlNode::AppendChildNode(const FString& InTag, const FString& InContent, const TArray<FXmlAttribute>& InAttributes)
{
	FXmlNode* NewNode = new FXmlNode;
	NewNode->Tag = InTag;
	NewNode->Content = InContent;
	NewNode->Attributes = InAttributes;
	if (Children.Num() > 0)
	{
		Children.Last()->NextNode = NewNode;
	}
	Children.Add(NewNode);
}
