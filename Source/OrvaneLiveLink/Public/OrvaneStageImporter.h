// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "Containers/StringView.h"
#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "OrvaneStageImporter.generated.h"

class FXmlFile;
class FXmlNode;
class UStaticMesh;

/** A wall position in stage units. */
USTRUCT()
struct ORVANELIVELINK_API FOrvanePosition
{
	GENERATED_BODY()

	UPROPERTY()
	float X = 0.0f;

	UPROPERTY()
	float Y = 0.0f;

	UPROPERTY()
	float Z = 0.0f;
};

/** A wall orientation in degrees about the stage's axes. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneRotation
{
	GENERATED_BODY()

	UPROPERTY()
	float X = 0.0f;

	UPROPERTY()
	float Y = 0.0f;

	UPROPERTY()
	float Z = 0.0f;
};

/** A wall's size in pixels. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneResolution
{
	GENERATED_BODY()

	UPROPERTY()
	int32 X = 0;

	UPROPERTY()
	int32 Y = 0;
};

/** A wall's LED tile layout. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneTiles
{
	GENERATED_BODY()

	UPROPERTY()
	int32 Columns = 0;

	UPROPERTY()
	int32 Rows = 0;
};

/** One corner of an OBJ face: zero-based indices, not validated when read. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneVertex
{
	GENERATED_BODY()

	UPROPERTY()
	int32 VertexIndex = 0;

	/** -1 when the corner names no texture coordinate. */
	UPROPERTY()
	int32 UVIndex = 0;
};

/** One polygon of an OBJ mesh, corners in file order. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneFace
{
	GENERATED_BODY()

	UPROPERTY()
	TArray<FOrvaneVertex> Vertices;
};

/** One OBJ mesh of a stage file. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneMeshData
{
	GENERATED_BODY()

	/** Key/value pairs from comment lines that hold an equals sign. */
	UPROPERTY()
	TMap<FString, FString> Metadata;

	/** Positions in file order; each coordinate was read as a 32-bit float. */
	UPROPERTY()
	TArray<FVector> Vertices;

	/** Texture coordinates in file order, as written (not flipped). */
	UPROPERTY()
	TArray<FVector2D> UVs;

	UPROPERTY()
	TArray<FOrvaneFace> Faces;
};

/** One channel-to-display mapping of a wall. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneMapping
{
	GENERATED_BODY()

	UPROPERTY()
	FString WallUUID;

	UPROPERTY()
	FString Channel;

	UPROPERTY()
	FString Display;

	/** One entry per child element of the mapping: tag to text. */
	UPROPERTY()
	TMap<FString, FString> Properties;
};

/** One LED wall of a stage. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneWallData
{
	GENERATED_BODY()

	UPROPERTY()
	FString UUID;

	UPROPERTY()
	FString Label;

	UPROPERTY()
	FString ModelPath;

	UPROPERTY()
	bool bActive = false;

	UPROPERTY()
	float Scale = 1.0f;

	UPROPERTY()
	FOrvanePosition Position;

	UPROPERTY()
	FOrvaneRotation Rotation;

	UPROPERTY()
	FOrvaneResolution Resolution;

	UPROPERTY()
	FOrvaneTiles Tiles;

	/** A copy of the mesh whose file reference matches ModelPath. */
	UPROPERTY()
	FOrvaneMeshData MeshData;

	/** A copy of the last mapping that names this wall. */
	UPROPERTY()
	FOrvaneMapping Mapping;

	UPROPERTY()
	bool bHasMeshData = false;

	UPROPERTY()
	bool bHasMapping = false;
};

/** Everything read from one stage file. */
USTRUCT()
struct ORVANELIVELINK_API FOrvaneStageData
{
	GENERATED_BODY()

	UPROPERTY()
	FString StageName;

	UPROPERTY()
	FString Description;

	UPROPERTY()
	int32 WallCount = 0;

	UPROPERTY()
	int32 MeshCount = 0;

	UPROPERTY()
	int32 MappingCount = 0;

	/** Walls in file order. */
	TArray<FOrvaneWallData> Walls;
	/** Every mesh read, in file order, referenced or not. */
	TArray<FOrvaneMeshData> Meshes;
	/** Every mapping, in file order, matched or not. */
	TArray<FOrvaneMapping> Mappings;
};

/**
 * Importer Class
 */
UCLASS()
class ORVANELIVELINK_API UOrvaneStageImporter : public UObject
{
	GENERATED_BODY()

public:
	/** Parse ORVS file and extract stage data */
	UFUNCTION()
	static bool ParseOrvaneFile(const FString& FilePath, FOrvaneStageData& OutStageData, FString& OutErrorMessage);

	/** Parse ORVS file and create static meshes */
	UFUNCTION()
	static bool ParseAndCreateStaticMeshes(const FString& FilePath, TArray<UStaticMesh*>& OutCreatedMeshes, FString& OutErrorMessage);

	/** Builds and saves the static mesh asset of one wall that carries mesh data; null when it cannot. */
	static UStaticMesh* CreateStaticMeshFromWallData(const FOrvaneWallData& WallData, const FString& MeshName);

	/** Scales, rotates (X, then Y, then Z, degrees) and moves a stage-space vertex by a wall's transform. */
	static FVector ApplyWallTransform(const FVector& Vertex, const FOrvanePosition& Position, const FOrvaneRotation& Rotation, float Scale);

	/** Stage axes to engine axes: (-f Z, f X, f Y). */
	static FVector3f TransformVertexForUnreal(const FVector& Vertex, float ScaleFactor);

	/**
	 * The mesh asset name of a wall label: every character that package or object names cannot hold, every
	 * control character and the hyphen become underscores; "Orvane_Wall_" goes in front when the result is
	 * empty, starts with a digit or reads "None" in any case.
	 */
	static FString MakeMeshNameFromLabel(const FString& Label);
	/**
	 * One mesh name per wall (empty for walls without mesh data), unique among the stage's walls without
	 * regard to case: a later wall whose name an earlier one uses takes the first free NAME_2, NAME_3, ...
	 */
	static TArray<FString> MakeWallMeshNames(const FOrvaneStageData& StageData);


	/** Removes one pair of enclosing quotes and turns backslashes (doubled or not) into forward slashes. */
	static FString NormalizePath(const FString& Path);

	/** Decodes OBJ text into the mesh record (appending); true when it holds at least one vertex and one face. */
	static bool ParseOBJContent(const FString& Content, FOrvaneMeshData& OutMeshData);

private:
	static bool ParseXMLFile(const FString& FilePath, TSharedPtr<FXmlFile>& OutXmlFile, FString& OutErrorMessage);
	static bool ParseStageElement(const FXmlNode* StageNode, FOrvaneStageData& OutStageData);
	static bool ParseWallElement(const FXmlNode* WallNode, FOrvaneWallData& OutWallData);
	static bool ParseMappingElement(const FXmlNode* MappingNode, FOrvaneMapping& OutMapping);

	static FString GetElementText(const FXmlNode* ParentNode, const FString& ChildName, const FString& DefaultValue);
	static bool GetElementBool(const FXmlNode* ParentNode, const FString& ChildName, bool bDefaultValue);
	static float GetElementFloat(const FXmlNode* ParentNode, const FString& ChildName, float DefaultValue);
	static FOrvanePosition GetElementPosition(const FXmlNode* ParentNode, const FString& ChildName);
	static FOrvaneRotation GetElementRotation(const FXmlNode* ParentNode, const FString& ChildName);
	static FOrvaneResolution GetElementResolution(const FXmlNode* ParentNode, const FString& ChildName);
	static FOrvaneTiles GetElementTiles(const FXmlNode* ParentNode, const FString& ChildName);

	static bool ParseOBJVertex(FStringView Line, FVector& OutVertex);
	static bool ParseOBJUV(FStringView Line, FVector2D& OutUV);
	static bool ParseOBJFace(FStringView Line, TArray<FOrvaneVertex>& OutVertices);

};
