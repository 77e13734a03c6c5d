// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "Dom/JsonObject.h"
#include "OrvaneStageImporter.h"
#include "StageWarnings.h"
#include "ToolJson.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

namespace
{
	/** Lines printed per kind of warning before the rest are only counted. */
	constexpr int32 MaxWarningsPerKind = 20;

	TSharedPtr<FJsonObject> XYZ(float X, float Y, float Z)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetField(TEXT("X"), JsonNumber(X));
		Object->SetField(TEXT("Y"), JsonNumber(Y));
		Object->SetField(TEXT("Z"), JsonNumber(Z));
		return Object;
	}

	TSharedPtr<FJsonObject> StringMap(const TMap<FString, FString>& Map)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		for (const TPair<FString, FString>& Pair : Map)
		{
			Object->SetStringField(Pair.Key, Pair.Value);
		}
		return Object;
	}

	TSharedPtr<FJsonObject> MeshToJson(const FOrvaneMeshData& Mesh, bool bWithArrays)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetObjectField(TEXT("Metadata"), StringMap(Mesh.Metadata));
		Object->SetNumberField(TEXT("VertexCount"), Mesh.Vertices.Num());
		Object->SetNumberField(TEXT("UVCount"), Mesh.UVs.Num());
		Object->SetNumberField(TEXT("FaceCount"), Mesh.Faces.Num());
		if (!bWithArrays)
		{
			return Object;
		}
		TArray<TSharedPtr<FJsonValue>> Vertices;
		Vertices.Reserve(Mesh.Vertices.Num());
		for (const FVector& Vertex : Mesh.Vertices)
		{
			Vertices.Add(JsonNumbers({Vertex.X, Vertex.Y, Vertex.Z}));
		}
		TArray<TSharedPtr<FJsonValue>> UVs;
		UVs.Reserve(Mesh.UVs.Num());
		for (const FVector2D& UV : Mesh.UVs)
		{
			UVs.Add(JsonNumbers({UV.X, UV.Y}));
		}
		TArray<TSharedPtr<FJsonValue>> Faces;
		Faces.Reserve(Mesh.Faces.Num());
		for (const FOrvaneFace& Face : Mesh.Faces)
		{
			TArray<TSharedPtr<FJsonValue>> Corners;
			for (const FOrvaneVertex& Corner : Face.Vertices)
			{
				Corners.Add(JsonNumbers({static_cast<double>(Corner.VertexIndex), static_cast<double>(Corner.UVIndex)}));
			}
			Faces.Add(MakeShared<FJsonValueArray>(Corners));
		}
		Object->SetArrayField(TEXT("Vertices"), MoveTemp(Vertices));
		Object->SetArrayField(TEXT("UVs"), MoveTemp(UVs));
		Object->SetArrayField(TEXT("Faces"), MoveTemp(Faces));
		return Object;
	}

	TSharedPtr<FJsonObject> MappingToJson(const FOrvaneMapping& Mapping)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("WallUUID"), Mapping.WallUUID);
		Object->SetStringField(TEXT("Channel"), Mapping.Channel);
		Object->SetStringField(TEXT("Display"), Mapping.Display);
		Object->SetObjectField(TEXT("Properties"), StringMap(Mapping.Properties));
		return Object;
	}

	TSharedPtr<FJsonObject> WallToJson(const FOrvaneWallData& Wall, bool bWithArrays)
	{
		TSharedPtr<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("UUID"), Wall.UUID);
		Object->SetStringField(TEXT("Label"), Wall.Label);
		Object->SetStringField(TEXT("ModelPath"), Wall.ModelPath);
		Object->SetBoolField(TEXT("bActive"), Wall.bActive);
		Object->SetField(TEXT("Scale"), JsonNumber(Wall.Scale));
		Object->SetObjectField(TEXT("Position"), XYZ(Wall.Position.X, Wall.Position.Y, Wall.Position.Z));
		Object->SetObjectField(TEXT("Rotation"), XYZ(Wall.Rotation.X, Wall.Rotation.Y, Wall.Rotation.Z));
		TSharedPtr<FJsonObject> Resolution = MakeShared<FJsonObject>();
		Resolution->SetNumberField(TEXT("X"), Wall.Resolution.X);
		Resolution->SetNumberField(TEXT("Y"), Wall.Resolution.Y);
		Object->SetObjectField(TEXT("Resolution"), Resolution);
		TSharedPtr<FJsonObject> Tiles = MakeShared<FJsonObject>();
		Tiles->SetNumberField(TEXT("Columns"), Wall.Tiles.Columns);
		Tiles->SetNumberField(TEXT("Rows"), Wall.Tiles.Rows);
		Object->SetObjectField(TEXT("Tiles"), Tiles);
		Object->SetBoolField(TEXT("bHasMeshData"), Wall.bHasMeshData);
		Object->SetBoolField(TEXT("bHasMapping"), Wall.bHasMapping);
		Object->SetObjectField(TEXT("MeshData"), MeshToJson(Wall.MeshData, bWithArrays));
		Object->SetObjectField(TEXT("Mapping"), MappingToJson(Wall.Mapping));
		return Object;
	}

	TSharedRef<FJsonObject> StageToJson(const FOrvaneStageData& Stage, bool bWithArrays)
	{
		TSharedRef<FJsonObject> Object = MakeShared<FJsonObject>();
		Object->SetStringField(TEXT("StageName"), Stage.StageName);
		Object->SetStringField(TEXT("Description"), Stage.Description);
		Object->SetNumberField(TEXT("WallCount"), Stage.WallCount);
		Object->SetNumberField(TEXT("MeshCount"), Stage.MeshCount);
		Object->SetNumberField(TEXT("MappingCount"), Stage.MappingCount);
		TArray<TSharedPtr<FJsonValue>> Walls;
		for (const FOrvaneWallData& Wall : Stage.Walls)
		{
			Walls.Add(MakeShared<FJsonValueObject>(WallToJson(Wall, bWithArrays)));
		}
		TArray<TSharedPtr<FJsonValue>> Meshes;
		for (const FOrvaneMeshData& Mesh : Stage.Meshes)
		{
			Meshes.Add(MakeShared<FJsonValueObject>(MeshToJson(Mesh, bWithArrays)));
		}
		TArray<TSharedPtr<FJsonValue>> Mappings;
		for (const FOrvaneMapping& Mapping : Stage.Mappings)
		{
			Mappings.Add(MakeShared<FJsonValueObject>(MappingToJson(Mapping)));
		}
		Object->SetArrayField(TEXT("Walls"), MoveTemp(Walls));
		Object->SetArrayField(TEXT("Meshes"), MoveTemp(Meshes));
		Object->SetArrayField(TEXT("Mappings"), MoveTemp(Mappings));
		return Object;
	}

	/** Hands the warnings of one kind to the sink, with the walls they concern. */
	class FWarningKind
	{
	public:
		FWarningKind(const FStageWarningSink& InSink, int32 InKind)
			: Sink(InSink)
			, Kind(InKind)
		{
		}

		void Add(const FString& Message, const TArray<int32>& Walls = TArray<int32>())
		{
			Sink(Kind, Message, Walls);
		}

	private:
		const FStageWarningSink& Sink;
		int32 Kind;
	};

	/** The walls whose mesh is a copy of this mesh of the stage. */
	TArray<int32> WallsUsingMesh(const FOrvaneStageData& Stage, const FOrvaneMeshData& Mesh);

	FString DescribeWall(const FOrvaneWallData& Wall)
	{
		return FString::Printf(TEXT("wall '%s' (%s)"), *Wall.Label, *Wall.UUID);
	}

	/** Bitwise, so that copies holding NaN still compare equal. */
	template <typename ElementType>
	bool SameBits(const TArray<ElementType>& A, const TArray<ElementType>& B)
	{
		return A.Num() == B.Num() && (A.Num() == 0 || std::memcmp(A.GetData(), B.GetData(), sizeof(ElementType) * A.Num()) == 0);
	}

	/** Whether a wall's mesh is a copy of this mesh of the stage: the records keep no file reference to compare. */
	bool IsCopyOf(const FOrvaneMeshData& Copy, const FOrvaneMeshData& Mesh)
	{
		if (Copy.Vertices.Num() != Mesh.Vertices.Num() || Copy.UVs.Num() != Mesh.UVs.Num() || Copy.Faces.Num() != Mesh.Faces.Num() || !SameBits(Copy.Vertices, Mesh.Vertices) || !SameBits(Copy.UVs, Mesh.UVs))
		{
			return false;
		}
		for (int32 Index = 0; Index < Mesh.Faces.Num(); ++Index)
		{
			if (!SameBits(Copy.Faces[Index].Vertices, Mesh.Faces[Index].Vertices))
			{
				return false;
			}
		}
		if (Copy.Metadata.Num() != Mesh.Metadata.Num())
		{
			return false;
		}
		for (const TPair<FString, FString>& Pair : Mesh.Metadata)
		{
			const FString* Value = Copy.Metadata.Find(Pair.Key);
			if (!Value || !Value->Equals(Pair.Value, ESearchCase::CaseSensitive))
			{
				return false;
			}
		}
		return true;
	}

	TArray<int32> WallsUsingMesh(const FOrvaneStageData& Stage, const FOrvaneMeshData& Mesh)
	{
		TArray<int32> Walls;
		for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
		{
			if (Stage.Walls[Index].bHasMeshData && IsCopyOf(Stage.Walls[Index].MeshData, Mesh))
			{
				Walls.Add(Index);
			}
		}
		return Walls;
	}

	void WarnAboutModels(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Warnings(Sink, 0);
		for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
		{
			const FOrvaneWallData& Wall = Stage.Walls[Index];
			if (Wall.ModelPath.IsEmpty())
			{
				Warnings.Add(FString::Printf(TEXT("%s names no model; it gets no mesh"), *DescribeWall(Wall)), {Index});
			}
			else if (!Wall.bHasMeshData)
			{
				Warnings.Add(FString::Printf(TEXT("%s: model '%s' matches no mesh of the file; it gets no mesh"), *DescribeWall(Wall), *Wall.ModelPath), {Index});
			}
		}
	}

	void WarnAboutLabels(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Empty(Sink, 1);
		// Asset names ignore case, and so do the map's string keys.
		TMap<FString, TArray<int32>> WallsByMeshName;
		for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
		{
			const FOrvaneWallData& Wall = Stage.Walls[Index];
			if (Wall.Label.IsEmpty())
			{
				Empty.Add(FString::Printf(TEXT("wall (%s) has an empty label"), *Wall.UUID), {Index});
			}
			WallsByMeshName.FindOrAdd(UOrvaneStageImporter::MakeMeshNameFromLabel(Wall.Label)).Add(Index);
		}
		FWarningKind Duplicates(Sink, 2);
		for (const TPair<FString, TArray<int32>>& Pair : WallsByMeshName)
		{
			if (Pair.Value.Num() < 2)
			{
				continue;
			}
			FString Walls;
			for (const int32 Index : Pair.Value)
			{
				Walls += (Walls.IsEmpty() ? TEXT("") : TEXT(", ")) + DescribeWall(Stage.Walls[Index]);
			}
			Duplicates.Add(FString::Printf(TEXT("%d walls make the mesh name '%s'; the later ones get numbered names (NAME_2, ...): %s"), Pair.Value.Num(), *Pair.Key, *Walls), Pair.Value);
		}
	}

	void WarnAboutUnusedMeshes(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Warnings(Sink, 3);
		for (int32 MeshIndex = 0; MeshIndex < Stage.Meshes.Num(); ++MeshIndex)
		{
			const FOrvaneMeshData& Mesh = Stage.Meshes[MeshIndex];
			const bool bUsed = Stage.Walls.ContainsByPredicate([&Mesh](const FOrvaneWallData& Wall)
				{ return Wall.bHasMeshData && IsCopyOf(Wall.MeshData, Mesh); });
			if (!bUsed)
			{
				Warnings.Add(FString::Printf(TEXT("mesh %d is used by no wall"), MeshIndex));
			}
		}
	}

	void WarnAboutResolutions(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Warnings(Sink, 4);
		for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
		{
			const FOrvaneWallData& Wall = Stage.Walls[Index];
			if (Wall.Resolution.X <= 0 || Wall.Resolution.Y <= 0)
			{
				Warnings.Add(FString::Printf(TEXT("%s has the resolution %d x %d"), *DescribeWall(Wall), Wall.Resolution.X, Wall.Resolution.Y), {Index});
			}
		}
	}

	void WarnAboutFaces(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Warnings(Sink, 5);
		for (int32 MeshIndex = 0; MeshIndex < Stage.Meshes.Num(); ++MeshIndex)
		{
			const FOrvaneMeshData& Mesh = Stage.Meshes[MeshIndex];
			const TArray<int32> Users = Mesh.Faces.Num() > 0 ? WallsUsingMesh(Stage, Mesh) : TArray<int32>();
			for (int32 FaceIndex = 0; FaceIndex < Mesh.Faces.Num(); ++FaceIndex)
			{
				const FOrvaneFace& Face = Mesh.Faces[FaceIndex];
				if (Face.Vertices.Num() > 4)
				{
					Warnings.Add(FString::Printf(TEXT("mesh %d face %d has %d corners; no polygon is made from more than four"), MeshIndex, FaceIndex, Face.Vertices.Num()), Users);
				}
				for (int32 CornerIndex = 0; CornerIndex < Face.Vertices.Num(); ++CornerIndex)
				{
					const FOrvaneVertex& Corner = Face.Vertices[CornerIndex];
					if (Corner.VertexIndex < 0 || Corner.VertexIndex >= Mesh.Vertices.Num())
					{
						Warnings.Add(FString::Printf(TEXT("mesh %d face %d corner %d: vertex index %d is outside 0..%d"), MeshIndex, FaceIndex, CornerIndex, Corner.VertexIndex, Mesh.Vertices.Num() - 1), Users);
					}
					if (Corner.UVIndex != -1 && (Corner.UVIndex < 0 || Corner.UVIndex >= Mesh.UVs.Num()))
					{
						Warnings.Add(FString::Printf(TEXT("mesh %d face %d corner %d: UV index %d is outside 0..%d"), MeshIndex, FaceIndex, CornerIndex, Corner.UVIndex, Mesh.UVs.Num() - 1), Users);
					}
				}
			}
		}
	}

	void WarnAboutNonFiniteNumbers(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
	{
		FWarningKind Warnings(Sink, 6);
		for (int32 Index = 0; Index < Stage.Walls.Num(); ++Index)
		{
			const FOrvaneWallData& Wall = Stage.Walls[Index];
			const float Transform[] = {Wall.Scale, Wall.Position.X, Wall.Position.Y, Wall.Position.Z, Wall.Rotation.X, Wall.Rotation.Y, Wall.Rotation.Z};
			for (const float Value : Transform)
			{
				if (!std::isfinite(Value))
				{
					Warnings.Add(FString::Printf(TEXT("%s has a scale, position or rotation that is not a finite number; it gets no mesh"), *DescribeWall(Wall)), {Index});
					break;
				}
			}
		}
		for (int32 MeshIndex = 0; MeshIndex < Stage.Meshes.Num(); ++MeshIndex)
		{
			const TArray<FVector>& Vertices = Stage.Meshes[MeshIndex].Vertices;
			for (int32 VertexIndex = 0; VertexIndex < Vertices.Num(); ++VertexIndex)
			{
				const FVector& Vertex = Vertices[VertexIndex];
				if (!std::isfinite(Vertex.X) || !std::isfinite(Vertex.Y) || !std::isfinite(Vertex.Z))
				{
					Warnings.Add(FString::Printf(TEXT("mesh %d vertex %d is not a finite number; walls using the mesh get no mesh"), MeshIndex, VertexIndex), WallsUsingMesh(Stage, Stage.Meshes[MeshIndex]));
				}
			}
		}
	}

	int StageInspect(const std::string& PathText, bool bWithArrays)
	{
		const char* Path = PathText.c_str();
		FOrvaneStageData Stage;
		FString ErrorMessage;
		if (!UOrvaneStageImporter::ParseOrvaneFile(UTF8_TO_TCHAR(Path), Stage, ErrorMessage))
		{
			std::fprintf(stderr, "orvane stage inspect: %s\n", TCHAR_TO_UTF8(*ErrorMessage));
			return 1;
		}

		std::fputs(TCHAR_TO_UTF8(*ToJsonLine(StageToJson(Stage, bWithArrays))), stdout);
		std::fputc('\n', stdout);
		std::fflush(stdout);

		// The first few of each kind are printed, the rest only counted.
		int32 CurrentKind = -1;
		int32 CountOfKind = 0;
		const auto PrintMore = [&]()
		{
			if (CountOfKind > MaxWarningsPerKind)
			{
				std::fprintf(stderr, "warning: ... and %d more\n", CountOfKind - MaxWarningsPerKind);
			}
		};
		CollectStageWarnings(Stage, [&](int32 Kind, const FString& Message, const TArray<int32>&)
			{
			if (Kind != CurrentKind)
			{
				PrintMore();
				CurrentKind = Kind;
				CountOfKind = 0;
			}
			if (++CountOfKind <= MaxWarningsPerKind)
			{
				std::fprintf(stderr, "warning: %s\n", TCHAR_TO_UTF8(*Message));
			} });
		PrintMore();
		return 0;
	}
}

void CollectStageWarnings(const FOrvaneStageData& Stage, const FStageWarningSink& Sink)
{
	WarnAboutModels(Stage, Sink);
	WarnAboutLabels(Stage, Sink);
	WarnAboutUnusedMeshes(Stage, Sink);
	WarnAboutResolutions(Stage, Sink);
	WarnAboutFaces(Stage, Sink);
	WarnAboutNonFiniteNumbers(Stage, Sink);
}

void AddStageInspectCommand(CLI::App& Stage, FToolCommand& OutCommand)
{
	struct FInspectOptions
	{
		std::string Path;
		bool bWithArrays = false;
	};
	const auto Options = std::make_shared<FInspectOptions>();
	CLI::App* Command = Stage.add_subcommand("inspect", "read a stage file and print its records as one JSON line, then one \"warning: \" line each on standard error for what the import would get wrong");
	Command->add_option("FILE", Options->Path, "the stage file (.orvs)")->required()->type_name("")->transform(OrvaneOptions::NotEmpty("a stage file"));
	Command->add_flag("--meshes", Options->bWithArrays, "add each mesh's Vertices, UVs and Faces arrays");
	Command->callback([Options, &OutCommand]()
		{ OutCommand = [Options]()
		  { return StageInspect(Options->Path, Options->bWithArrays); }; });
}
