// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's XmlNode.h.
#pragma once

#include "CoreMinimal.h"

class FXmlFile;

/** One attribute of an element: its name and its value with quotes removed and entities decoded. */
class XMLPARSER_API FXmlAttribute
{
public:
	FXmlAttribute(const FString& InTag, const FString& InValue)
		: Tag(InTag)
		, Value(InValue)
	{
	}

	/** The attribute's name as written. */
	const FString& GetTag() const;
	/** The attribute's value. */
	const FString& GetValue() const;

private:
	FString Tag;
	FString Value;
};

/**
 * One element of a loaded document. Nodes are owned by their FXmlFile (or parent node); the tree is freed
 * without recursion, so documents nested arbitrarily deep are destroyed safely.
 */
class XMLPARSER_API FXmlNode
{
	friend class FXmlFile;
	// The host's parser builds nodes in place.
	friend class FXmlTreeBuilder;

private:
	FXmlNode()
		: NextNode(nullptr)
	{
	}
	FXmlNode(const FXmlNode&) = delete;
	FXmlNode& operator=(const FXmlNode&) = delete;
	~FXmlNode() { Delete(); }

	/** Frees every descendant, one level at a time. */
	void Delete();

public:
	/** The next sibling, or null for the last child. */
	const FXmlNode* GetNextNode() const;
	/** The child elements in document order. */
	const TArray<FXmlNode*>& GetChildrenNodes() const;
	/** The first child element, or null; the rest follow through GetNextNode. */
	const FXmlNode* GetFirstChildNode() const;
	/** The first child whose tag equals InTag, compared without regard to case; null when none does. */
	const FXmlNode* FindChildNode(const FString& InTag) const;
	/** The first child whose tag equals InTag, compared without regard to case; null when none does. */
	FXmlNode* FindChildNode(const FString& InTag);
	/** The element's name as written. */
	const FString& GetTag() const;
	/**
	 * The element's text: its white-space separated words joined with one blank (so line breaks and runs of
	 * white space become one blank), entities left as written.
	 */
	const FString& GetContent() const;
	/** Replaces the element's text. */
	void SetContent(const FString& InContent);
	/** Replaces the element's attributes. */
	void SetAttributes(const TArray<FXmlAttribute>& InAttributes);
	/** The attributes in document order. */
	const TArray<FXmlAttribute>& GetAttributes() const { return Attributes; }
	/** The value of the first attribute named InTag, compared without regard to case; empty when none is. */
	FString GetAttribute(const FString& InTag) const;
	/** Adds a child element after the existing ones. */
	void AppendChildNode(const FString& InTag, const FString& InContent = FString(), const TArray<FXmlAttribute>& InAttributes = TArray<FXmlAttribute>());

private:
	FString Tag;
	FString Content;
	TArray<FXmlAttribute> Attributes;
	TArray<FXmlNode*> Children;
	FXmlNode* NextNode;
};
