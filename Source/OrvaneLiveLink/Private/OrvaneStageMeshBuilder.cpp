// Copyright Kelmora. All Rights Reserved.
// The wall mesh builder: stage walls with OBJ mesh data become saved static mesh assets in engine space.
#include "OrvaneStageImporter.h"

#include "OrvaneLiveLinkLog.h"

#if WITH_EDITOR
#include "AssetRegistry/AssetRegistryModule.h"
#include "Engine/StaticMesh.h"
#include "MeshDescription.h"
#include "Misc/PackageName.h"
#include "OrvanePackageSaving.h"
#include "StaticMeshAttributes.h"
#include "UObject/Package.h"
#endif

#include <cmath>


namespace
{
	/** One stage unit is this many engine units. */
	constexpr float StageToEngineScale = 100.0f;

	/** Rotates two coordinates by an angle in degrees: sine and cosine in float, products in double, results rounded to float. */
	void RotatePair(double& First, double& Second, float AngleDegrees)
	{
		const float Radians = AngleDegrees * 0.017453292f;
		const double Sin = FMath::Sin(Radians);
		const double Cos = FMath::Cos(Radians);
		const double NewFirst = First * Cos - Second * Sin;
		const double NewSecond = First * Sin + Second * Cos;
		First = static_cast<float>(NewFirst);
		Second = static_cast<float>(NewSecond);
	}
}

FVector UOrvaneStageImporter::ApplyWallTransform(const FVector& Vertex, const FOrvanePosition& Position, const FOrvaneRotation& Rotation, float Scale)
{
	double X = Vertex.X * static_cast<double>(Scale);
	double Y = Vertex.Y * static_cast<double>(Scale);
	double Z = Vertex.Z * static_cast<double>(Scale);
	if (Rotation.X != 0.0f)
	{
		RotatePair(Y, Z, Rotation.X);
	}
	if (Rotation.Y != 0.0f)
	{
		// About Y the pair is (z, x): x' = x cos + z sin, z' = z cos - x sin.
		RotatePair(Z, X, Rotation.Y);
	}
	if (Rotation.Z != 0.0f)
	{
		RotatePair(X, Y, Rotation.Z);
	}
	return FVector(X + static_cast<double>(Position.X), Y + static_cast<double>(Position.Y), Z + static_cast<double>(Position.Z));
}

FVector3f UOrvaneStageImporter::TransformVertexForUnreal(const FVector& Vertex, float ScaleFactor)
{
	const double Factor = ScaleFactor;
	return FVector3f(static_cast<float>(-Factor * Vertex.Z), static_cast<float>(Factor * Vertex.X), static_cast<float>(Factor * Vertex.Y));
}

UStaticMesh* UOrvaneStageImporter::CreateStaticMeshFromWallData(const FOrvaneWallData& WallData, const FString& MeshName)
{
#if WITH_EDITOR
	const FOrvaneMeshData& Mesh = WallData.MeshData;
	if (!WallData.bHasMeshData || Mesh.Vertices.Num() == 0 || Mesh.Faces.Num() == 0)
	{
		return nullptr;
	}

	// Engine positions first: a non-finite coordinate (from the OBJ text or the wall's transform) would
	// otherwise be saved into the asset as garbage.
	TArray<FVector3f> Positions;
	Positions.Reserve(Mesh.Vertices.Num());
	for (int32 Index = 0; Index < Mesh.Vertices.Num(); ++Index)
	{
		const FVector3f Position = TransformVertexForUnreal(ApplyWallTransform(Mesh.Vertices[Index], WallData.Position, WallData.Rotation, WallData.Scale), StageToEngineScale);
		if (!std::isfinite(Position.X) || !std::isfinite(Position.Y) || !std::isfinite(Position.Z))
		{
			UE_LOG(LogTemp, Error, TEXT("CreateStaticMeshFromWallData: Wall '%s' has a vertex that is not a finite number (vertex %d); no mesh created"), *WallData.Label, Index + 1);
			return nullptr;
		}
		Positions.Add(Position);
	}

	const FString AssetName = MeshName.IsEmpty() ? FString(TEXT("Orvane_Mesh")) : MeshName;
	const FString PackagePath = FString::Printf(TEXT("/Game/Orvane/Meshes/%s"), *AssetName);
	UPackage* Package = CreatePackage(*PackagePath);
	if (!Package)
	{
		return nullptr;
	}
	UStaticMesh* StaticMesh = NewObject<UStaticMesh>(Package, FName(*AssetName), RF_Public | RF_Standalone);
	if (!StaticMesh)
	{
		return nullptr;
	}

	StaticMesh->GetStaticMaterials().Add(FStaticMaterial());
	FStaticMeshSourceModel& SourceModel = StaticMesh->AddSourceModel();
	SourceModel.BuildSettings.bUseFullPrecisionUVs = true;
	FMeshDescription* MeshDescription = StaticMesh->CreateMeshDescription(0);
	if (!MeshDescription)
	{
		return nullptr;
	}
	FStaticMeshAttributes Attributes(*MeshDescription);
	Attributes.Register();

	TVertexAttributesRef<FVector3f> VertexPositions = Attributes.GetVertexPositions();
	TVertexInstanceAttributesRef<FVector2f> InstanceUVs = Attributes.GetVertexInstanceUVs();
	TPolygonGroupAttributesRef<FName> SlotNames = Attributes.GetPolygonGroupMaterialSlotNames();

	MeshDescription->ReserveNewVertices(Positions.Num());
	TArray<FVertexID> VertexIDs;
	VertexIDs.Reserve(Positions.Num());
	for (const FVector3f& Position : Positions)
	{
		const FVertexID VertexID = MeshDescription->CreateVertex();
		VertexPositions[VertexID] = Position;
		VertexIDs.Add(VertexID);
	}

	const FPolygonGroupID PolygonGroupID = MeshDescription->CreatePolygonGroup();
	SlotNames[PolygonGroupID] = FName(TEXT("Orvane_Material"));

	const int32 NumVertices = Mesh.Vertices.Num();
	const int32 NumUVs = Mesh.UVs.Num();
	TArray<FVertexInstanceID> Instances;
	for (const FOrvaneFace& Face : Mesh.Faces)
	{
		if (Face.Vertices.Num() < 3)
		{
			continue;
		}
		Instances.Reset();
		for (const FOrvaneVertex& Corner : Face.Vertices)
		{
			if (Corner.VertexIndex < 0 || Corner.VertexIndex >= NumVertices)
			{
				continue;
			}
			const FVertexInstanceID InstanceID = MeshDescription->CreateVertexInstance(VertexIDs[Corner.VertexIndex]);
			FVector2f UV(0.0f, 0.0f);
			if (Corner.UVIndex >= 0 && Corner.UVIndex < NumUVs)
			{
				// OBJ counts v from the bottom, the engine from the top.
				const FVector2D& Source = Mesh.UVs[Corner.UVIndex];
				UV = FVector2f(static_cast<float>(Source.X), static_cast<float>(1.0 - Source.Y));
			}
			InstanceUVs.Set(InstanceID, 0, UV);
			Instances.Add(InstanceID);
		}
		if (Instances.Num() == 3)
		{
			MeshDescription->CreateTriangle(PolygonGroupID, Instances);
		}
		else if (Instances.Num() == 4)
		{
			MeshDescription->CreateTriangle(PolygonGroupID, TArray<FVertexInstanceID>{Instances[0], Instances[1], Instances[2]});
			MeshDescription->CreateTriangle(PolygonGroupID, TArray<FVertexInstanceID>{Instances[0], Instances[2], Instances[3]});
		}
	}

	StaticMesh->CommitMeshDescription(0);
	StaticMesh->Build(false);
	if (OrvanePackageSaving::SavePackageFile(Package))
	{
		FAssetRegistryModule::AssetCreated(StaticMesh);
	}
	else
	{
		// The mesh still exists in memory and callers use it; the missing file must not go unnoticed.
		const FString FileName = FPackageName::LongPackageNameToFilename(PackagePath, FPackageName::GetAssetPackageExtension());
		UE_LOG(LogTemp, Error, TEXT("CreateStaticMeshFromWallData: Failed to save %s"), *FileName);
	}
	return StaticMesh;
#else
	return nullptr;
#endif
}

bool UOrvaneStageImporter::ParseAndCreateStaticMeshes(const FString& FilePath, TArray<UStaticMesh*>& OutCreatedMeshes, FString& OutErrorMessage)
{
	OutCreatedMeshes.Empty();
	FOrvaneStageData StageData;
	if (!ParseOrvaneFile(FilePath, StageData, OutErrorMessage))
	{
		return false;
	}
	int32 Created = 0;
	for (const FOrvaneWallData& Wall : StageData.Walls)
	{
		if (!Wall.bHasMeshData)
		{
			continue;
		}
		if (UStaticMesh* StaticMesh = CreateStaticMeshFromWallData(Wall, MakeMeshNameFromLabel(Wall.Label)))
		{
			OutCreatedMeshes.Add(StaticMesh);
			++Created;
		}
	}
	if (Created == 0)
	{
		OutErrorMessage = TEXT("No static meshes were created (no walls with mesh data found)");
		return false;
	}
	OutErrorMessage = FString::Printf(TEXT("Successfully created %d static meshes"), Created);
	return true;
}
