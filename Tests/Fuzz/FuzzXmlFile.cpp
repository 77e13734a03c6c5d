// Copyright Kelmora. All Rights Reserved.
// Any text through the XML reader the stage import uses, against the plain line-by-line reader it replaced:
// both must accept the same documents and build the same tree.
#include "CoreMinimal.h"
#include "FuzzSupport.h"
#include "Xml/XmlReferenceReader.h"
#include "XmlFile.h"
#include "XmlNode.h"

#include <memory>

namespace
{
	void CheckSameTree(const FXmlNode* Node, const OrvaneXmlReference::FReferenceNode* Reference)
	{
		OrvaneFuzz::Check(Node != nullptr && Reference != nullptr, "both readers give the element");
		OrvaneFuzz::Check(Node->GetTag().Equals(Reference->Tag), "same tag");
		OrvaneFuzz::Check(Node->GetContent().Equals(Reference->Content), "same content");
		const TArray<FXmlAttribute>& Attributes = Node->GetAttributes();
		OrvaneFuzz::Check(Attributes.Num() == Reference->Attributes.Num(), "same number of attributes");
		for (int32 Index = 0; Index < Attributes.Num(); ++Index)
		{
			OrvaneFuzz::Check(Attributes[Index].GetTag().Equals(Reference->Attributes[Index].GetTag()), "same attribute name");
			OrvaneFuzz::Check(Attributes[Index].GetValue().Equals(Reference->Attributes[Index].GetValue()), "same attribute value");
		}
		const TArray<FXmlNode*>& Children = Node->GetChildrenNodes();
		OrvaneFuzz::Check(Children.Num() == Reference->Children.Num(), "same number of children");
		for (int32 Index = 0; Index < Children.Num(); ++Index)
		{
			CheckSameTree(Children[Index], Reference->Children[Index]);
		}
	}
}

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
	OrvaneFuzz::QuietLog();
	return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size)
{
	const std::u16string Document = OrvaneFuzz::BytesToText(Data, Size);
	std::u16string Working = Document;
	const std::unique_ptr<OrvaneXmlReference::FReferenceNode> Reference(OrvaneXmlReference::ParseDocument(Working));

	FXmlFile File;
	const bool bLoaded = File.LoadFile(OrvaneFuzz::ToFString(Document), EConstructMethod::ConstructFromBuffer);
	OrvaneFuzz::Check(bLoaded == (Reference != nullptr), "both readers accept the same documents");
	OrvaneFuzz::Check(bLoaded == File.IsValid(), "a loaded file is valid");
	if (bLoaded)
	{
		CheckSameTree(File.GetRootNode(), Reference.get());
	}
	return 0;
}
