// Copyright Kelmora. All Rights Reserved.
// The wall mesh builder: stage walls with OBJ mesh data become saved static mesh assets in engine space.
#include "OrvaneStageImporter.h"

#include "Containers/StringConv.h"
#include "Misc/PackageName.h"
#include "OrvaneLiveLinkLog.h"

#if WITH_EDITOR
#include "AssetRegistry/AssetRegistryModule.h"
#include "Engine/StaticMesh.h"
#include "MeshDescription.h"
#include "OrvanePackageSaving.h"
#include "StaticMeshAttributes.h"
#include "Templates/Casts.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#endif

#include <cmath>


namespace
{
	/** One stage unit is this many engine units. */
	constexpr float StageToEngineScale = 100.0f;

	/** The engine's names hold at most this many characters (its name buffer less the terminator); a longer one ends the process. */
	constexpr int32 MaxEngineNameLength = 1023;
	/** The longest file name, in UTF-8 bytes, that the editor's file systems (NTFS, ext4, APFS) hold. */
	constexpr int32 MaxFileNameBytes = 255;

	/**
	 * Characters that a long package name or an object name cannot hold in the engine (it refuses or
	 * misreads them, and a package name with "//" ends the process), and every control character.
	 */
	bool IsInvalidInAssetName(TCHAR Char)
	{
		if (Char < 0x20 || Char == 0x7F)
		{
			return true;
		}
		static constexpr TCHAR Invalid[] = TEXT(" `\\:*?\"<>|',.&!~@#/(){}[]=;^%$");
		for (int32 Index = 0; Index + 1 < static_cast<int32>(UE_ARRAY_COUNT(Invalid)); ++Index)
		{
			if (Char == Invalid[Index])
			{
				return true;
			}
		}
		return false;
	}

#if WITH_EDITOR
	/** Why the engine would refuse Name as the name of a wall mesh and the last part of its package, or null when it takes it. */
	const TCHAR* WhyMeshNameIsRefused(const FString& Name, const FString& PackagePath)
	{
		for (const TCHAR Char : Name)
		{
			if (IsInvalidInAssetName(Char))
			{
				return TEXT("it holds a character that asset names cannot hold");
			}
		}
		if (Name.Equals(TEXT("None"), ESearchCase::IgnoreCase))
		{
			return TEXT("the engine reads it as no name");
		}
		if (PackagePath.Len() > MaxEngineNameLength || FTCHARToUTF8(*Name).Length() + FPackageName::GetAssetPackageExtension().Len() > MaxFileNameBytes)
		{
			return TEXT("it is too long for an asset file");
		}
		if (!FPackageName::IsValidLongPackageName(PackagePath))
		{
			return TEXT("it makes no valid package name");
		}
		return nullptr;
	}
#endif

	/** The sine and cosine of a rotation angle in degrees, computed in float. */
	struct FAngle
	{
		double Sin = 0.0;
		double Cos = 1.0;
		bool bTurns = false;

		explicit FAngle(float AngleDegrees)
			: bTurns(AngleDegrees != 0.0f)
		{
			if (bTurns)
			{
				const float Radians = AngleDegrees * 0.017453292f;
				Sin = FMath::Sin(Radians);
				Cos = FMath::Cos(Radians);
			}
		}
	};

	/** Rotates two coordinates: products in double, results rounded to float. */
	void RotatePair(double& First, double& Second, const FAngle& Angle)
	{
		const double NewFirst = First * Angle.Cos - Second * Angle.Sin;
		const double NewSecond = First * Angle.Sin + Second * Angle.Cos;
		First = static_cast<float>(NewFirst);
		Second = static_cast<float>(NewSecond);
	}

	/** A wall's scale, rotation (X, then Y, then Z) and position, with the angles' sines computed once for all its vertices. */
	struct FWallTransform
	{
		double Scale;
		FAngle AboutX;
		FAngle AboutY;
		FAngle AboutZ;
		FVector Offset;

		FWallTransform(const FOrvanePosition& Position, const FOrvaneRotation& Rotation, float InScale)
			: Scale(InScale)
			, AboutX(Rotation.X)
			, AboutY(Rotation.Y)
			, AboutZ(Rotation.Z)
			, Offset(static_cast<double>(Position.X), static_cast<double>(Position.Y), static_cast<double>(Position.Z))
		{
		}

		FVector Apply(const FVector& Vertex) const
		{
			double X = Vertex.X * Scale;
			double Y = Vertex.Y * Scale;
			double Z = Vertex.Z * Scale;
			if (AboutX.bTurns)
			{
				RotatePair(Y, Z, AboutX);
			}
			if (AboutY.bTurns)
			{
				// About Y the pair is (z, x): x' = x cos + z sin, z' = z cos - x sin.
				RotatePair(Z, X, AboutY);
			}
			if (AboutZ.bTurns)
			{
				RotatePair(X, Y, AboutZ);
			}
			return FVector(X + Offset.X, Y + Offset.Y, Z + Offset.Z);
		}
	};
}

FVector UOrvaneStageImporter::ApplyWallTransform(const FVector& Vertex, const FOrvanePosition& Position, const FOrvaneRotation& Rotation, float Scale)
{
	return FWallTransform(Position, Rotation, Scale).Apply(Vertex);
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
	const FWallTransform WallTransform(WallData.Position, WallData.Rotation, WallData.Scale);
	TArray<FVector3f> Positions;
	Positions.Reserve(Mesh.Vertices.Num());
	for (int32 Index = 0; Index < Mesh.Vertices.Num(); ++Index)
	{
		const FVector3f Position = TransformVertexForUnreal(WallTransform.Apply(Mesh.Vertices[Index]), StageToEngineScale);
		if (!std::isfinite(Position.X) || !std::isfinite(Position.Y) || !std::isfinite(Position.Z))
		{
			UE_LOG(LogTemp, Error, TEXT("CreateStaticMeshFromWallData: Wall '%s' has a vertex that is not a finite number (vertex %d); no mesh created"), *WallData.Label, Index + 1);
			return nullptr;
		}
		Positions.Add(Position);
	}

	const FString AssetName = MeshName.IsEmpty() ? FString(TEXT("Orvane_Mesh")) : MeshName;
	const FString PackagePath = FString::Printf(TEXT("/Game/Orvane/Meshes/%s"), *AssetName);
	// Names the engine cannot take must never reach it: some of them end the process there.
	if (const TCHAR* Reason = WhyMeshNameIsRefused(AssetName, PackagePath))
	{
		UE_LOG(LogTemp, Error, TEXT("CreateStaticMeshFromWallData: Wall '%s' cannot use the mesh name '%s' (%s); no mesh created"), *WallData.Label, *AssetName, Reason);
		return nullptr;
	}
	UPackage* Package = CreatePackage(*PackagePath);
	if (!Package)
	{
		return nullptr;
	}
	// A second import in the same session finds the mesh of the first, which an nDisplay actor may be
	// rendering: its mesh description is rebuilt in place, as the engine's own reimport does, rather than a
	// new object being constructed over the live one.
	UStaticMesh* StaticMesh = nullptr;
	UObject* Existing = StaticFindObjectFast(UObject::StaticClass(), Package, FName(*AssetName));
	if (IsValid(Existing))
	{
		StaticMesh = Cast<UStaticMesh>(Existing);
		if (!StaticMesh)
		{
			UE_LOG(LogTemp, Error, TEXT("CreateStaticMeshFromWallData: Wall '%s' cannot use the mesh name '%s' (%s holds an object that is not a static mesh); no mesh created"), *WallData.Label, *AssetName, *PackagePath);
			return nullptr;
		}
		StaticMesh->Modify();
		StaticMesh->GetStaticMaterials().Reset();
	}
	else
	{
		StaticMesh = NewObject<UStaticMesh>(Package, FName(*AssetName), RF_Public | RF_Standalone);
		if (!StaticMesh)
		{
			return nullptr;
		}
	}

	StaticMesh->GetStaticMaterials().Add(FStaticMaterial());
	FStaticMeshSourceModel& SourceModel = StaticMesh->GetNumSourceModels() > 0 ? StaticMesh->GetSourceModel(0) : StaticMesh->AddSourceModel();
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

	const int32 NumVertices = Mesh.Vertices.Num();
	const int32 NumUVs = Mesh.UVs.Num();
	// Counted first so that every array of the description is allocated once; from the corner counts
	// alone, so the count is exact unless corners are dropped, and the faces' corners are read only once.
	int64 NumInstances = 0;
	int64 NumTriangles = 0;
	for (const FOrvaneFace& Face : Mesh.Faces)
	{
		const int32 NumCorners = Face.Vertices.Num();
		if (NumCorners >= 3)
		{
			NumInstances += NumCorners;
			NumTriangles += NumCorners == 3 ? 1 : (NumCorners == 4 ? 2 : 0);
		}
	}

	MeshDescription->ReserveNewVertices(Positions.Num());
	MeshDescription->ReserveNewVertexInstances(static_cast<int32>(FMath::Min<int64>(NumInstances, TNumericLimits<int32>::Max())));
	MeshDescription->ReserveNewTriangles(static_cast<int32>(FMath::Min<int64>(NumTriangles, TNumericLimits<int32>::Max())));
	MeshDescription->ReserveNewPolygonGroups(1);
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

	// Faces with more than four corners make no triangle, so four instances are all that can be used.
	FVertexInstanceID Instances[4];
	for (const FOrvaneFace& Face : Mesh.Faces)
	{
		if (Face.Vertices.Num() < 3)
		{
			continue;
		}
		int32 NumFaceInstances = 0;
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
			if (NumFaceInstances < 4)
			{
				Instances[NumFaceInstances] = InstanceID;
			}
			++NumFaceInstances;
		}
		if (NumFaceInstances == 3)
		{
			MeshDescription->CreateTriangle(PolygonGroupID, TArrayView<const FVertexInstanceID>(Instances, 3));
		}
		else if (NumFaceInstances == 4)
		{
			const FVertexInstanceID Second[3] = {Instances[0], Instances[2], Instances[3]};
			MeshDescription->CreateTriangle(PolygonGroupID, TArrayView<const FVertexInstanceID>(Instances, 3));
			MeshDescription->CreateTriangle(PolygonGroupID, TArrayView<const FVertexInstanceID>(Second, 3));
		}
	}

	StaticMesh->CommitMeshDescription(0);
	StaticMesh->Build(false);
	if (OrvanePackageSaving::SavePackageFile(Package))
	{
		FAssetRegistryModule::AssetCreated(StaticMesh);
		// The committed bulk data stays; the editable copy is read back from it when asked for.
		// A stage of many large walls would otherwise hold every wall's editable mesh at once.
		StaticMesh->ClearMeshDescription(0);
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

FString UOrvaneStageImporter::MakeMeshNameFromLabel(const FString& Label)
{
	FString Name = Label;
	for (TCHAR& Char : Name)
	{
		if (Char == '-' || IsInvalidInAssetName(Char))
		{
			Char = '_';
		}
	}
	// The engine reads "None" in any letter case as no name at all.
	if (Name.IsEmpty() || FChar::IsDigit(Name[0]) || Name.Equals(TEXT("None"), ESearchCase::IgnoreCase))
	{
		Name = FString::Printf(TEXT("Orvane_Wall_%s"), *Name);
	}
	return Name;
}

TArray<FString> UOrvaneStageImporter::MakeWallMeshNames(const FOrvaneStageData& StageData)
{
	TArray<FString> Names;
	Names.SetNum(StageData.Walls.Num());
	// The names in use, each with the next number to try when a later wall makes it too. Keys compare without
	// regard to case, as the engine compares names; names are only ever added, so every number below a name's
	// next number is taken.
	TMap<FString, int32> Taken;
	for (int32 Index = 0; Index < StageData.Walls.Num(); ++Index)
	{
		const FOrvaneWallData& Wall = StageData.Walls[Index];
		if (!Wall.bHasMeshData)
		{
			continue;
		}
		FString Name = MakeMeshNameFromLabel(Wall.Label);
		if (int32* NextNumber = Taken.Find(Name))
		{
			int32 Number = *NextNumber;
			FString Candidate;
			do
			{
				Candidate = FString::Printf(TEXT("%s_%d"), *Name, Number++);
			} while (Taken.Contains(Candidate));
			*NextNumber = Number;
			Name = MoveTemp(Candidate);
		}
		Taken.Add(Name, 2);
		Names[Index] = MoveTemp(Name);
	}
	return Names;
}

bool UOrvaneStageImporter::ParseAndCreateStaticMeshes(const FString& FilePath, TArray<UStaticMesh*>& OutCreatedMeshes, FString& OutErrorMessage)
{
	OutCreatedMeshes.Empty();
	FOrvaneStageData StageData;
	if (!ParseOrvaneFile(FilePath, StageData, OutErrorMessage))
	{
		return false;
	}
	const TArray<FString> MeshNames = MakeWallMeshNames(StageData);
	int32 Created = 0;
	for (int32 Index = 0; Index < StageData.Walls.Num(); ++Index)
	{
		const FOrvaneWallData& Wall = StageData.Walls[Index];
		if (!Wall.bHasMeshData)
		{
			continue;
		}
		if (UStaticMesh* StaticMesh = CreateStaticMeshFromWallData(Wall, MeshNames[Index]))
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
