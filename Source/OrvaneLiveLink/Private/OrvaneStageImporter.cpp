// Copyright Kelmora. All Rights Reserved.
#include "OrvaneStageImporter.h"

#include "GenericPlatform/GenericPlatformFile.h"
#include "HAL/PlatformFileManager.h"
#include "Misc/FileHelper.h"
#include "OrvaneNumbers.h"
#include "OrvaneObjText.h"
#include "OrvaneTextInPlace.h"
#include "XmlFile.h"
#include "XmlNode.h"


namespace
{
	float ParseFloatAttribute(const FXmlNode* Node, const TCHAR* Name)
	{
		const FString Value = Node->GetAttribute(Name);
		return Value.IsEmpty() ? 0.0f : OrvaneNumbers::NarrowToFloat(FCString::Atod(*Value));
	}

	int32 ParseIntAttribute(const FXmlNode* Node, const TCHAR* Name)
	{
		return FCString::Atoi(*Node->GetAttribute(Name));
	}

	/** The x, y and z attributes of the named child element; zeros when it is missing. */
	template <typename XYZType>
	XYZType ReadXYZElement(const FXmlNode* ParentNode, const FString& ChildName)
	{
		XYZType Result;
		if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
		{
			Result.X = ParseFloatAttribute(Node, TEXT("x"));
			Result.Y = ParseFloatAttribute(Node, TEXT("y"));
			Result.Z = ParseFloatAttribute(Node, TEXT("z"));
		}
		return Result;
	}
}

bool UOrvaneStageImporter::ParseOrvaneFile(const FString& FilePath, FOrvaneStageData& OutStageData, FString& OutErrorMessage)
{
	OutStageData = FOrvaneStageData();

	if (!FPlatformFileManager::Get().GetPlatformFile().FileExists(*FilePath))
	{
		OutErrorMessage = FString::Printf(TEXT("File does not exist: %s"), *FilePath);
		return false;
	}

	TSharedPtr<FXmlFile> XmlFile;
	if (!ParseXMLFile(FilePath, XmlFile, OutErrorMessage))
	{
		return false;
	}

	const FXmlNode* RootNode = XmlFile->GetRootNode();
	if (!RootNode)
	{
		OutErrorMessage = TEXT("No root node found in XML file");
		return false;
	}
	const FXmlNode* StagesNode = RootNode->FindChildNode(TEXT("stages"));
	if (!StagesNode)
	{
		OutErrorMessage = TEXT("No 'stages' element found in XML");
		return false;
	}
	const FXmlNode* StageNode = StagesNode->FindChildNode(TEXT("stage"));
	if (!StageNode)
	{
		OutErrorMessage = TEXT("No 'stage' element found in stages");
		return false;
	}

	ParseStageElement(StageNode, OutStageData);

	if (const FXmlNode* MeshesNode = RootNode->FindChildNode(TEXT("meshes")))
	{
		// Normalized file reference to the index of its mesh in Meshes; a later equal reference wins.
		TMap<FString, int32> MeshByReference;
		for (const FXmlNode* MeshNode : MeshesNode->GetChildrenNodes())
		{
			if (!MeshNode || MeshNode->GetTag() != TEXT("mesh"))
			{
				continue;
			}
			const FString FileRef = MeshNode->GetAttribute(TEXT("fileref"));
			if (FileRef.IsEmpty())
			{
				continue;
			}
			const FString& Content = MeshNode->GetContent();
			if (Content.IsEmpty())
			{
				continue;
			}
			FOrvaneMeshData MeshData;
			if (!ParseOBJContent(Content, MeshData))
			{
				continue;
			}
			MeshByReference.Add(NormalizePath(FileRef), OutStageData.Meshes.Add(MoveTemp(MeshData)));
		}
		// The document can be large; nothing more is read from it.
		XmlFile.Reset();

		for (FOrvaneWallData& Wall : OutStageData.Walls)
		{
			if (const int32* MeshIndex = MeshByReference.Find(NormalizePath(Wall.ModelPath)))
			{
				Wall.MeshData = OutStageData.Meshes[*MeshIndex];
				Wall.bHasMeshData = true;
			}
		}
	}

	OutStageData.WallCount = OutStageData.Walls.Num();
	OutStageData.MeshCount = OutStageData.Meshes.Num();
	OutStageData.MappingCount = OutStageData.Mappings.Num();
	OutErrorMessage = TEXT("Success");
	return true;
}

bool UOrvaneStageImporter::ParseXMLFile(const FString& FilePath, TSharedPtr<FXmlFile>& OutXmlFile, FString& OutErrorMessage)
{
	FString Text;
	if (!FFileHelper::LoadFileToString(Text, *FilePath))
	{
		OutErrorMessage = FString::Printf(TEXT("Failed to load file: %s"), *FilePath);
		return false;
	}
	if (Text.Len() > 0 && Text[0] == 0xFEFF)
	{
		Text.RemoveAt(0, 1);
	}
	Text.TrimStartAndEndInline();
	// CDATA markers go, so that the OBJ text they wrapped becomes ordinary element text; edited in place, as
	// the text can be hundreds of megabytes.
	if (!Text.IsEmpty())
	{
		const int32 Length = OrvaneTextInPlace::RemoveCDataMarkers(&Text[0], Text.Len());
		if (Length < Text.Len())
		{
			Text.RemoveAt(Length, Text.Len() - Length);
		}
	}

	OutXmlFile = MakeShared<FXmlFile>(Text, EConstructMethod::ConstructFromBuffer);
	if (!OutXmlFile->IsValid())
	{
		OutErrorMessage = FString::Printf(TEXT("Invalid XML file: %s. Error: %s"), *FilePath, *OutXmlFile->GetLastError());
		OutXmlFile.Reset();
		return false;
	}
	return true;
}

bool UOrvaneStageImporter::ParseStageElement(const FXmlNode* StageNode, FOrvaneStageData& OutStageData)
{
	OutStageData.StageName = GetElementText(StageNode, TEXT("label"), TEXT("Unknown Stage"));
	OutStageData.Description = GetElementText(StageNode, TEXT("description"), TEXT(""));

	const FXmlNode* WallsNode = StageNode->FindChildNode(TEXT("walls"));
	if (!WallsNode)
	{
		return true;
	}
	for (const FXmlNode* WallNode : WallsNode->GetChildrenNodes())
	{
		if (!WallNode || WallNode->GetTag() != TEXT("wall"))
		{
			continue;
		}
		FOrvaneWallData Wall;
		if (ParseWallElement(WallNode, Wall))
		{
			OutStageData.Walls.Add(MoveTemp(Wall));
		}
	}

	const FXmlNode* MappingsNode = StageNode->FindChildNode(TEXT("mappings"));
	if (!MappingsNode)
	{
		return true;
	}
	for (const FXmlNode* MappingNode : MappingsNode->GetChildrenNodes())
	{
		if (!MappingNode || MappingNode->GetTag() != TEXT("mapping"))
		{
			continue;
		}
		FOrvaneMapping Mapping;
		ParseMappingElement(MappingNode, Mapping);
		OutStageData.Mappings.Add(Mapping);
		if (FOrvaneWallData* Wall = OutStageData.Walls.FindByPredicate([&Mapping](const FOrvaneWallData& Candidate)
				{ return Candidate.UUID == Mapping.WallUUID; }))
		{
			Wall->Mapping = MoveTemp(Mapping);
			Wall->bHasMapping = true;
		}
	}
	return true;
}

bool UOrvaneStageImporter::ParseWallElement(const FXmlNode* WallNode, FOrvaneWallData& OutWallData)
{
	OutWallData.UUID = WallNode->GetAttribute(TEXT("uuid"));
	if (OutWallData.UUID.IsEmpty())
	{
		return false;
	}
	OutWallData.Label = GetElementText(WallNode, TEXT("label"), TEXT(""));
	OutWallData.ModelPath = GetElementText(WallNode, TEXT("model"), TEXT(""));
	OutWallData.bActive = GetElementBool(WallNode, TEXT("active"), false);
	OutWallData.Scale = GetElementFloat(WallNode, TEXT("scale"), 1.0f);
	OutWallData.Position = GetElementPosition(WallNode, TEXT("position"));
	OutWallData.Rotation = GetElementRotation(WallNode, TEXT("rotation"));
	OutWallData.Resolution = GetElementResolution(WallNode, TEXT("resolution"));
	OutWallData.Tiles = GetElementTiles(WallNode, TEXT("tiles"));
	return true;
}

bool UOrvaneStageImporter::ParseMappingElement(const FXmlNode* MappingNode, FOrvaneMapping& OutMapping)
{
	OutMapping.WallUUID = MappingNode->GetAttribute(TEXT("wall"));
	OutMapping.Channel = MappingNode->GetAttribute(TEXT("channel"));
	OutMapping.Display = MappingNode->GetAttribute(TEXT("display"));
	for (const FXmlNode* PropertyNode : MappingNode->GetChildrenNodes())
	{
		if (PropertyNode)
		{
			OutMapping.Properties.Add(PropertyNode->GetTag(), PropertyNode->GetContent());
		}
	}
	return true;
}

FString UOrvaneStageImporter::GetElementText(const FXmlNode* ParentNode, const FString& ChildName, const FString& DefaultValue)
{
	if (!ParentNode)
	{
		return DefaultValue;
	}
	const FXmlNode* ChildNode = ParentNode->FindChildNode(ChildName);
	return ChildNode ? ChildNode->GetContent() : DefaultValue;
}

bool UOrvaneStageImporter::GetElementBool(const FXmlNode* ParentNode, const FString& ChildName, bool bDefaultValue)
{
	const FString Text = GetElementText(ParentNode, ChildName, TEXT(""));
	if (Text.IsEmpty())
	{
		return bDefaultValue;
	}
	return Text.Equals(TEXT("Y"), ESearchCase::IgnoreCase) || Text.Equals(TEXT("true"), ESearchCase::IgnoreCase) || Text.Equals(TEXT("1"), ESearchCase::CaseSensitive);
}

float UOrvaneStageImporter::GetElementFloat(const FXmlNode* ParentNode, const FString& ChildName, float DefaultValue)
{
	const FString Text = GetElementText(ParentNode, ChildName, TEXT(""));
	return Text.IsEmpty() ? DefaultValue : OrvaneNumbers::NarrowToFloat(FCString::Atod(*Text));
}

FOrvanePosition UOrvaneStageImporter::GetElementPosition(const FXmlNode* ParentNode, const FString& ChildName)
{
	return ReadXYZElement<FOrvanePosition>(ParentNode, ChildName);
}

FOrvaneRotation UOrvaneStageImporter::GetElementRotation(const FXmlNode* ParentNode, const FString& ChildName)
{
	return ReadXYZElement<FOrvaneRotation>(ParentNode, ChildName);
}

FOrvaneResolution UOrvaneStageImporter::GetElementResolution(const FXmlNode* ParentNode, const FString& ChildName)
{
	FOrvaneResolution Resolution;
	if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
	{
		Resolution.X = ParseIntAttribute(Node, TEXT("x"));
		Resolution.Y = ParseIntAttribute(Node, TEXT("y"));
	}
	return Resolution;
}

FOrvaneTiles UOrvaneStageImporter::GetElementTiles(const FXmlNode* ParentNode, const FString& ChildName)
{
	FOrvaneTiles Tiles;
	if (const FXmlNode* Node = ParentNode ? ParentNode->FindChildNode(ChildName) : nullptr)
	{
		Tiles.Columns = ParseIntAttribute(Node, TEXT("c"));
		Tiles.Rows = ParseIntAttribute(Node, TEXT("r"));
	}
	return Tiles;
}

FString UOrvaneStageImporter::NormalizePath(const FString& Path)
{
	FString Result = Path;
	if (Result.StartsWith(TEXT("\""), ESearchCase::CaseSensitive))
	{
		Result.RemoveAt(0, 1);
	}
	if (Result.EndsWith(TEXT("\""), ESearchCase::CaseSensitive))
	{
		Result.RemoveAt(Result.Len() - 1, 1);
	}
	Result.ReplaceInline(TEXT("\\\\"), TEXT("\\"), ESearchCase::CaseSensitive);
	Result.ReplaceInline(TEXT("\\"), TEXT("/"), ESearchCase::CaseSensitive);
	return Result;
}

bool UOrvaneStageImporter::ParseOBJContent(const FString& Content, FOrvaneMeshData& OutMeshData)
{
	TArray<FOrvaneVertex> Corners;
	auto ReadLine = [&](FStringView RawLine)
	{
		const FStringView Line = OrvaneObjText::TrimView(RawLine);
		if (Line.IsEmpty())
		{
			return;
		}
		if (Line[0] == '#')
		{
			const FStringView Remainder = OrvaneObjText::TrimView(Line.RightChop(1));
			for (int32 Index = 0; Index < Remainder.Len(); ++Index)
			{
				if (Remainder[Index] == '=')
				{
					const FStringView Key = OrvaneObjText::TrimView(Remainder.Left(Index));
					const FStringView Value = OrvaneObjText::TrimView(Remainder.RightChop(Index + 1));
					OutMeshData.Metadata.Add(FString(Key.Len(), Key.GetData()), FString(Value.Len(), Value.GetData()));
					break;
				}
			}
		}
		else if (OrvaneObjText::StartsWithIgnoreCase(Line, TEXT("v ")))
		{
			FVector Vertex;
			if (ParseOBJVertex(Line, Vertex))
			{
				OutMeshData.Vertices.Add(Vertex);
			}
		}
		else if (OrvaneObjText::StartsWithIgnoreCase(Line, TEXT("vt ")))
		{
			FVector2D UV;
			if (ParseOBJUV(Line, UV))
			{
				OutMeshData.UVs.Add(UV);
			}
		}
		else if (OrvaneObjText::StartsWithIgnoreCase(Line, TEXT("f ")))
		{
			if (ParseOBJFace(Line, Corners))
			{
				FOrvaneFace& Face = OutMeshData.Faces.Emplace_GetRef();
				Face.Vertices = Corners;
			}
		}
	};
	OrvaneObjText::ForEachLine(Content, ReadLine);

	return OutMeshData.Vertices.Num() > 0 && OutMeshData.Faces.Num() > 0;
}

bool UOrvaneStageImporter::ParseOBJVertex(FStringView Line, FVector& OutVertex)
{
	double Coordinates[3] = {0.0, 0.0, 0.0};
	if (!OrvaneObjText::ReadCoordinates(Line, Coordinates))
	{
		return false;
	}
	OutVertex = FVector(Coordinates[0], Coordinates[1], Coordinates[2]);
	return true;
}

bool UOrvaneStageImporter::ParseOBJUV(FStringView Line, FVector2D& OutUV)
{
	double Coordinates[2] = {0.0, 0.0};
	if (!OrvaneObjText::ReadCoordinates(Line, Coordinates))
	{
		return false;
	}
	OutUV = FVector2D(Coordinates[0], Coordinates[1]);
	return true;
}

bool UOrvaneStageImporter::ParseOBJFace(FStringView Line, TArray<FOrvaneVertex>& OutVertices)
{
	OutVertices.Reset();
	// One pass: the corners are read as the words are counted, and dropped when there are too few.
	const int32 Tokens = OrvaneObjText::ForEachToken(Line, [&OutVertices](int32 Index, FStringView Token)
		{
			if (Index == 0)
			{
				return true;
			}
			// v, v/t, v/t/n or v//n: the parts between slashes, empty ones kept.
			FOrvaneVertex Corner;
			int32 FirstSlash = INDEX_NONE;
			int32 SecondSlash = INDEX_NONE;
			for (int32 Offset = 0; Offset < Token.Len(); ++Offset)
			{
				if (Token.GetData()[Offset] == '/')
				{
					if (FirstSlash == INDEX_NONE)
					{
						FirstSlash = Offset;
					}
					else
					{
						SecondSlash = Offset;
						break;
					}
				}
			}
			Corner.VertexIndex = OrvaneObjText::ToZeroBased(FirstSlash == INDEX_NONE ? Token : Token.Left(FirstSlash));
			Corner.UVIndex = -1;
			if (FirstSlash != INDEX_NONE)
			{
				const int32 UVEnd = SecondSlash == INDEX_NONE ? Token.Len() : SecondSlash;
				const FStringView UVPart(Token.GetData() + FirstSlash + 1, UVEnd - FirstSlash - 1);
				if (!UVPart.IsEmpty())
				{
					Corner.UVIndex = OrvaneObjText::ToZeroBased(UVPart);
				}
			}
			OutVertices.Add(Corner);
			return true; });
	if (Tokens < 4)
	{
		OutVertices.Reset();
		return false;
	}
	return true;
}
