// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's XmlFile.h.
#pragma once

#include "CoreMinimal.h"
#include "XmlNode.h"

namespace EConstructMethod
{
	/** What LoadFile's string is: a path to read, or the document itself. */
	enum Type
	{
		ConstructFromFile,
		ConstructFromBuffer,
	};
}

/**
 * An XML document read by the engine's simple rules: the text is split into words at white space outside
 * double quotes, element text is those words joined with one blank and keeps entities as written, attribute
 * values lose their quotes and have the five predefined entities decoded, comments and lines starting with
 * "<?xml" or "<!DOCTYPE" are skipped, and there is no DTD, entity expansion or CDATA. Reading stops at the
 * root element's end tag.
 */
class XMLPARSER_API FXmlFile
{
public:
	/** An empty, invalid file. */
	FXmlFile()
		: RootNode(nullptr)
		, bFileLoaded(false)
	{
	}
	/** Loads at once, as LoadFile does. */
	FXmlFile(const FString& InFile, EConstructMethod::Type ConstructMethod = EConstructMethod::ConstructFromFile);
	~FXmlFile() { Clear(); }
	FXmlFile(const FXmlFile&) = delete;
	FXmlFile& operator=(const FXmlFile&) = delete;

	/**
	 * Reads a document from the file at InFile, or from InFile itself with ConstructFromBuffer. False, with no
	 * root node and GetLastError saying why, when the file cannot be read or the document is malformed.
	 */
	bool LoadFile(const FString& InFile, EConstructMethod::Type ConstructMethod = EConstructMethod::ConstructFromFile);
	/** What the last load, save or clear reported. */
	FString GetLastError() const;
	/** Frees the document. */
	void Clear();
	/** True when a document is loaded. */
	bool IsValid() const;
	/** The root element, or null when nothing is loaded. */
	const FXmlNode* GetRootNode() const;
	/** The root element, or null when nothing is loaded. */
	FXmlNode* GetRootNode();
	/** Writes the document as UTF-8 with an XML declaration; false when the file cannot be written. */
	bool Save(const FString& Path);

private:
	FXmlNode* RootNode;
	bool bFileLoaded;
	FString ErrorMessage;
	FString LoadedFile;
};
