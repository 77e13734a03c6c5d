// Copyright Kelmora. All Rights Reserved.
#include "AssetRegistry/AssetRegistryModule.h"
#include "AssetRegistry/HostAssetRegistryRecord.h"
#include "Engine/StaticMesh.h"
#include "HAL/FileManager.h"
#include "HeadlessProject.h"
#include "LogCapture.h"
#include "MeshDescription.h"
#include "Misc/FileHelper.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "StaticMeshAttributes.h"
#include "UObject/Package.h"
#include "UObject/SavePackage.h"
#include "UObject/UObjectGlobals.h"

#include <gtest/gtest.h>

#include <cstring>

namespace
{
	const FVector3f Corners[4] = {FVector3f(0.0f, 0.0f, 0.0f), FVector3f(0.0f, 100.0f, 0.0f), FVector3f(0.0f, 100.0f, 100.0f), FVector3f(-300.0f, 100.0f, 200.0f)};

	/** Builds and saves /Game/Orvane/Meshes/<Name> holding a quad, the way the wall mesh builder does; true if the save succeeded. */
	bool BuildQuadAsset(const FString& Name, const FString& FileName, UStaticMesh*& OutMesh)
	{
		const FString PackagePath = FString(TEXT("/Game/Orvane/Meshes/")) + Name;
		UPackage* Package = CreatePackage(*PackagePath);
		UStaticMesh* StaticMesh = NewObject<UStaticMesh>(Package, FName(*Name), RF_Public | RF_Standalone);
		OutMesh = StaticMesh;
		StaticMesh->GetStaticMaterials().Add(FStaticMaterial());
		FStaticMeshSourceModel& SourceModel = StaticMesh->AddSourceModel();
		SourceModel.BuildSettings.bUseFullPrecisionUVs = true;
		FMeshDescription* MeshDescription = StaticMesh->CreateMeshDescription(0);
		FStaticMeshAttributes Attributes(*MeshDescription);
		Attributes.Register();
		TVertexAttributesRef<FVector3f> VertexPositions = Attributes.GetVertexPositions();
		TVertexInstanceAttributesRef<FVector2f> UVs = Attributes.GetVertexInstanceUVs();
		TPolygonGroupAttributesRef<FName> SlotNames = Attributes.GetPolygonGroupMaterialSlotNames();
		MeshDescription->ReserveNewVertices(4);
		MeshDescription->ReserveNewVertexInstances(6);
		MeshDescription->ReserveNewTriangles(2);
		MeshDescription->ReserveNewPolygonGroups(1);
		TArray<FVertexID> VertexIDs;
		for (const FVector3f& Corner : Corners)
		{
			const FVertexID VertexID = MeshDescription->CreateVertex();
			VertexPositions[VertexID] = Corner;
			VertexIDs.Add(VertexID);
		}
		const FPolygonGroupID GroupID = MeshDescription->CreatePolygonGroup();
		SlotNames[GroupID] = FName(TEXT("Orvane_Material"));
		const int32 Quad[6] = {0, 1, 2, 0, 2, 3};
		TArray<FVertexInstanceID> Instances;
		for (int32 Corner : Quad)
		{
			const FVertexInstanceID InstanceID = MeshDescription->CreateVertexInstance(VertexIDs[Corner]);
			UVs.Set(InstanceID, 0, FVector2f(0.25f * float(Corner), 1.0f - 0.25f));
			Instances.Add(InstanceID);
		}
		MeshDescription->CreateTriangle(GroupID, TArray<FVertexInstanceID>{Instances[0], Instances[1], Instances[2]});
		MeshDescription->CreateTriangle(GroupID, TArray<FVertexInstanceID>{Instances[3], Instances[4], Instances[5]});
		StaticMesh->CommitMeshDescription(0);
		StaticMesh->Build(false);
		Package->FullyLoad();
		Package->MarkPackageDirty();

		FSavePackageArgs SaveArgs;
		SaveArgs.TopLevelFlags = RF_Public | RF_Standalone;
		SaveArgs.SaveFlags = SAVE_NoError;
		SaveArgs.Error = GError;
		if (!UPackage::SavePackage(Package, nullptr, *FileName, SaveArgs))
		{
			return false;
		}
		Package->SetDirtyFlag(false);
		FAssetRegistryModule::AssetCreated(StaticMesh);
		return true;
	}

	FString MeshFileName(const FString& Name)
	{
		return FPackageName::LongPackageNameToFilename(FString(TEXT("/Game/Orvane/Meshes/")) + Name, FPackageName::GetAssetPackageExtension());
	}

	void Unload(UObject* Asset)
	{
		UPackage* Package = Asset->GetPackage();
		Asset->ClearFlags(RF_Public | RF_Standalone);
		Asset->ConditionalBeginDestroy();
		Package->ConditionalBeginDestroy();
		CollectGarbage(RF_NoFlags);
	}
}

TEST(StaticMeshAsset, SavedMeshReadsBackEqualAfterGarbageCollection)
{
	FScopedHeadlessProject Project;
	UStaticMesh* Mesh = nullptr;
	ASSERT_TRUE(BuildQuadAsset(TEXT("Wall"), MeshFileName(TEXT("Wall")), Mesh));
	EXPECT_TRUE(FPaths::FileExists(Project.GetContentDir() + TEXT("Orvane/Meshes/Wall.uasset")));
	EXPECT_TRUE(UE::AssetRegistry::Host::WasAssetCreated(TEXT("/Game/Orvane/Meshes/Wall.Wall")));
	EXPECT_FALSE(Mesh->GetPackage()->IsDirty());
	EXPECT_EQ(Mesh->GetHostBuildCount(), 1);

	Unload(Mesh);
	UStaticMesh* Loaded = LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Wall.Wall"));
	ASSERT_NE(Loaded, nullptr);
	EXPECT_EQ(Loaded->GetStaticMaterials().Num(), 1);
	ASSERT_EQ(Loaded->GetNumSourceModels(), 1);
	EXPECT_TRUE(Loaded->GetSourceModel(0).BuildSettings.bUseFullPrecisionUVs);
	EXPECT_TRUE(Loaded->GetSourceModel(0).BuildSettings.bRecomputeNormals);
	FMeshDescription* Description = Loaded->GetMeshDescription(0);
	ASSERT_NE(Description, nullptr);
	FStaticMeshAttributes Attributes(*Description);
	ASSERT_EQ(Description->Vertices().Num(), 4);
	ASSERT_EQ(Description->VertexInstances().Num(), 6);
	ASSERT_EQ(Description->Triangles().Num(), 2);
	EXPECT_EQ(Description->Edges().Num(), 5);
	for (int32 Vertex = 0; Vertex < 4; ++Vertex)
	{
		EXPECT_EQ(Attributes.GetVertexPositions()[FVertexID(Vertex)], Corners[Vertex]);
	}
	const FTriangleID Second(1);
	EXPECT_EQ(Description->GetVertexInstanceVertex(Description->GetTriangleVertexInstance(Second, 2)), FVertexID(3));
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().Get(FVertexInstanceID(5), 0), FVector2f(0.75f, 0.75f));
	EXPECT_EQ(Attributes.GetPolygonGroupMaterialSlotNames()[Description->GetTrianglePolygonGroup(Second)], FName(TEXT("Orvane_Material")));
	Unload(Loaded);
}

TEST(StaticMeshAsset, ClearedDescriptionIsReadBackFromTheCommittedOne)
{
	FScopedHeadlessProject Project;
	UStaticMesh* Mesh = nullptr;
	ASSERT_TRUE(BuildQuadAsset(TEXT("Cleared"), MeshFileName(TEXT("Cleared")), Mesh));
	const TArray<uint8> Committed = Mesh->GetHostCommittedMeshDescription(0);
	// An edit after the commit is not part of the committed description, so clearing drops it.
	Mesh->GetMeshDescription(0)->CreateVertex();
	Mesh->ClearMeshDescription(0);
	EXPECT_TRUE(Mesh->IsMeshDescriptionValid(0));
	FMeshDescription* Description = Mesh->GetMeshDescription(0);
	ASSERT_NE(Description, nullptr);
	EXPECT_EQ(Mesh->GetMeshDescription(0), Description) << "the description read back stays cached";
	ASSERT_EQ(Description->Vertices().Num(), 4);
	EXPECT_EQ(Description->Edges().Num(), 5);
	FStaticMeshAttributes Attributes(*Description);
	EXPECT_EQ(Attributes.GetVertexPositions()[FVertexID(3)], Corners[3]);
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().Get(FVertexInstanceID(5), 0), FVector2f(0.75f, 0.75f));
	EXPECT_EQ(Attributes.GetPolygonGroupMaterialSlotNames()[FPolygonGroupID(0)], FName(TEXT("Orvane_Material")));
	EXPECT_EQ(Mesh->GetHostCommittedMeshDescription(0), Committed);

	// Values never written, in the middle or after the last one written, are saved as the defaults.
	FMeshDescription* Partial = Mesh->CreateMeshDescription(0);
	FStaticMeshAttributes PartialAttributes(*Partial);
	PartialAttributes.Register();
	for (int32 Index = 0; Index < 3; ++Index)
	{
		Partial->CreateVertexInstance(Partial->CreateVertex());
	}
	PartialAttributes.GetVertexPositions()[FVertexID(1)] = FVector3f(1.0f, 2.0f, 3.0f);
	PartialAttributes.GetVertexInstanceUVs().Set(FVertexInstanceID(0), 0, FVector2f(0.5f, 0.5f));
	Mesh->CommitMeshDescription(0);
	Mesh->ClearMeshDescription(0);
	FStaticMeshAttributes ReadBack(*Mesh->GetMeshDescription(0));
	EXPECT_EQ(ReadBack.GetVertexPositions()[FVertexID(0)], FVector3f(0.0f, 0.0f, 0.0f));
	EXPECT_EQ(ReadBack.GetVertexPositions()[FVertexID(1)], FVector3f(1.0f, 2.0f, 3.0f));
	EXPECT_EQ(ReadBack.GetVertexPositions()[FVertexID(2)], FVector3f(0.0f, 0.0f, 0.0f));
	EXPECT_EQ(ReadBack.GetVertexInstanceUVs().Get(FVertexInstanceID(0), 0), FVector2f(0.5f, 0.5f));
	EXPECT_EQ(ReadBack.GetVertexInstanceUVs().Get(FVertexInstanceID(2), 0), FVector2f(0.0f, 0.0f));

	// Without a commit there is nothing to read back.
	Mesh->CreateMeshDescription(0);
	Mesh->CommitMeshDescription(0);
	Mesh->CreateMeshDescription(0)->CreateVertex();
	Mesh->ClearMeshDescription(0);
	ASSERT_NE(Mesh->GetMeshDescription(0), nullptr) << "an empty committed description still reads back";
	EXPECT_EQ(Mesh->GetMeshDescription(0)->Vertices().Num(), 0);
	UStaticMesh* Fresh = NewObject<UStaticMesh>(Mesh->GetPackage(), FName(TEXT("Fresh")));
	Fresh->AddSourceModel();
	Fresh->CreateMeshDescription(0);
	Fresh->ClearMeshDescription(0);
	EXPECT_FALSE(Fresh->IsMeshDescriptionValid(0));
	EXPECT_EQ(Fresh->GetMeshDescription(0), nullptr);
	EXPECT_EQ(Fresh->GetMeshDescription(1), nullptr);
	Unload(Mesh);
}

TEST(StaticMeshAsset, MeshesSavedInOnePackageEachReadBackTheirOwnBulkData)
{
	FScopedHeadlessProject Project;
	UPackage* Package = CreatePackage(TEXT("/Game/Orvane/Meshes/Pair"));
	// Three meshes, the middle one without a committed description: each one's bytes land at its own offset.
	const int32 VertexCounts[3] = {3, 0, 7};
	const TCHAR* Names[3] = {TEXT("A"), TEXT("B"), TEXT("C")};
	for (int32 Index = 0; Index < 3; ++Index)
	{
		UStaticMesh* Mesh = NewObject<UStaticMesh>(Package, FName(Names[Index]), RF_Public | RF_Standalone);
		Mesh->AddSourceModel();
		if (VertexCounts[Index] == 0)
		{
			continue;
		}
		FMeshDescription* Description = Mesh->CreateMeshDescription(0);
		FStaticMeshAttributes Attributes(*Description);
		Attributes.Register();
		for (int32 Vertex = 0; Vertex < VertexCounts[Index]; ++Vertex)
		{
			Attributes.GetVertexPositions()[Description->CreateVertex()] = FVector3f(float(Index), float(Vertex), 0.0f);
		}
		Mesh->CommitMeshDescription(0);
	}
	FSavePackageArgs SaveArgs;
	SaveArgs.TopLevelFlags = RF_Public | RF_Standalone;
	const FString FileName = MeshFileName(TEXT("Pair"));
	ASSERT_TRUE(UPackage::SavePackage(Package, nullptr, *FileName, SaveArgs));
	Package->ClearFlags(RF_Public | RF_Standalone);
	for (const TCHAR* Name : Names)
	{
		UStaticMesh* Mesh = FindObject<UStaticMesh>(Package, Name);
		Mesh->ClearFlags(RF_Public | RF_Standalone);
		Mesh->ConditionalBeginDestroy();
	}
	Package->ConditionalBeginDestroy();
	CollectGarbage(RF_NoFlags);

	for (int32 Index = 0; Index < 3; ++Index)
	{
		UStaticMesh* Loaded = LoadObject<UStaticMesh>(nullptr, *FString::Printf(TEXT("/Game/Orvane/Meshes/Pair.%s"), Names[Index]));
		ASSERT_NE(Loaded, nullptr) << Index;
		FMeshDescription* Description = Loaded->GetMeshDescription(0);
		if (VertexCounts[Index] == 0)
		{
			EXPECT_EQ(Description, nullptr);
			continue;
		}
		ASSERT_NE(Description, nullptr) << Index;
		ASSERT_EQ(Description->Vertices().Num(), VertexCounts[Index]);
		FStaticMeshAttributes Attributes(*Description);
		EXPECT_EQ(Attributes.GetVertexPositions()[FVertexID(VertexCounts[Index] - 1)], FVector3f(float(Index), float(VertexCounts[Index] - 1), 0.0f));
	}
}

TEST(StaticMeshAsset, SaveToAnImpossiblePathFailsWithALogLine)
{
	FScopedHeadlessProject Project;
	const FString Blocker = Project.GetProjectDir() + TEXT("Blocker");
	ASSERT_TRUE(FFileHelper::SaveStringToFile(FString(TEXT("a file, not a folder")), *Blocker));
	FLogCapture Log;
	UStaticMesh* Mesh = nullptr;
	EXPECT_FALSE(BuildQuadAsset(TEXT("Nowhere"), Blocker + TEXT("/Nowhere.uasset"), Mesh));
	EXPECT_GE(Log.CountContaining(TEXT("Nowhere")), 1);
	EXPECT_FALSE(UE::AssetRegistry::Host::WasAssetCreated(TEXT("/Game/Orvane/Meshes/Nowhere.Nowhere")));
	Unload(Mesh);
}

TEST(StaticMeshAsset, DamagedBulkDataFailsTheLoadCleanly)
{
	FScopedHeadlessProject Project;
	UStaticMesh* Mesh = nullptr;
	ASSERT_TRUE(BuildQuadAsset(TEXT("Damaged"), MeshFileName(TEXT("Damaged")), Mesh));
	Unload(Mesh);
	const FString BulkFile = Project.GetContentDir() + TEXT("Orvane/Meshes/Damaged.ubulk");
	TArray<uint8> Original;
	ASSERT_TRUE(FFileHelper::LoadFileToArray(Original, *BulkFile));

	// Cut short, an index pointing past the vertices, and a missing sidecar.
	TArray<uint8> Truncated(Original.GetData(), Original.Num() - 7);
	TArray<uint8> BadIndex = Original;
	const int32 FirstInstanceVertex = 4 + 4 + 4 + 4 + 5 * 4 + 4 + 4 * 12;
	BadIndex[FirstInstanceVertex] = 0xFF;
	BadIndex[FirstInstanceVertex + 3] = 0x7F;
	for (const TArray<uint8>* Variant : {&Truncated, &BadIndex})
	{
		ASSERT_TRUE(FFileHelper::SaveArrayToFile(*Variant, *BulkFile));
		FLogCapture Log;
		EXPECT_EQ(LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Damaged.Damaged")), nullptr);
		EXPECT_EQ(FindObject<UPackage>(nullptr, TEXT("/Game/Orvane/Meshes/Damaged")), nullptr);
	}
	ASSERT_TRUE(IFileManager::Get().Delete(*BulkFile));
	FLogCapture Log;
	EXPECT_EQ(LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Damaged.Damaged")), nullptr);
	EXPECT_GE(Log.CountContaining(TEXT("ubulk")), 1);
}

namespace
{
	/** A saved asset whose committed mesh description bytes can be replaced, the sidecar and asset file kept consistent around them. */
	struct FReplaceableDescription
	{
		FString AssetText;
		FString BulkFile;
		FString AssetFile;
		int32 BulkSize = 0;
		TArray<uint8> Description;

		explicit FReplaceableDescription(const FString& ContentDir)
			: BulkFile(ContentDir + TEXT("Orvane/Meshes/Layout.ubulk"))
			, AssetFile(MeshFileName(TEXT("Layout")))
		{
			TArray<uint8> Bulk;
			FFileHelper::LoadFileToArray(Bulk, *BulkFile);
			FFileHelper::LoadFileToString(AssetText, *AssetFile);
			BulkSize = Bulk.Num();
			// The sidecar holds the LOD count and the LOD's size before the description.
			Description = TArray<uint8>(Bulk.GetData() + 8, Bulk.Num() - 8);
		}

		/** Saves Bytes as the description and loads the asset: the number of its triangles, or -1 if the load failed. */
		int32 Load(const TArray<uint8>& Bytes) const
		{
			TArray<uint8> Bulk;
			const int32 Header[2] = {1, Bytes.Num()};
			Bulk.Append(reinterpret_cast<const uint8*>(Header), sizeof(Header));
			Bulk.Append(Bytes);
			const FString Size = FString::Printf(TEXT("%d"), BulkSize);
			const FString NewSize = FString::Printf(TEXT("%d"), Bulk.Num());
			FString Text = AssetText.Replace(*(FString(TEXT("\"Size\": ")) + Size), *(FString(TEXT("\"Size\": ")) + NewSize));
			Text = Text.Replace(*(FString(TEXT("\"BulkDataSize\": ")) + Size), *(FString(TEXT("\"BulkDataSize\": ")) + NewSize));
			if (!FFileHelper::SaveArrayToFile(Bulk, *BulkFile) || !FFileHelper::SaveStringToFile(Text, *AssetFile))
			{
				return -2;
			}
			FLogCapture Log;
			UStaticMesh* Loaded = LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Layout.Layout"));
			if (!Loaded)
			{
				return -1;
			}
			const FMeshDescription* Description = Loaded->GetMeshDescription(0);
			const int32 Triangles = Description ? Description->Triangles().Num() : -3;
			Unload(Loaded);
			return Triangles;
		}

		/** The description with the int32 at Offset replaced. */
		TArray<uint8> WithInt(int32 Offset, int32 Value) const
		{
			TArray<uint8> Bytes = Description;
			std::memcpy(Bytes.GetData() + Offset, &Value, sizeof(Value));
			return Bytes;
		}
	};

	// Offsets in the description: magic, version, the five counts, the layout, then the positions.
	constexpr int32 VersionOffset = 4;
	constexpr int32 TriangleCountOffset = 8 + 2 * 4;
	constexpr int32 LayoutOffset = 8 + 5 * 4;
}

TEST(StaticMeshAsset, CompactBulkDataLayoutsAreCheckedBeforeUse)
{
	FScopedHeadlessProject Project;
	UStaticMesh* Mesh = nullptr;
	ASSERT_TRUE(BuildQuadAsset(TEXT("Layout"), MeshFileName(TEXT("Layout")), Mesh));
	Unload(Mesh);
	const FReplaceableDescription Asset(Project.GetContentDir());
	const TArray<uint8>& Saved = Asset.Description;
	ASSERT_GT(Saved.Num(), LayoutOffset + 4);
	int32 Layout = 0;
	std::memcpy(&Layout, Saved.GetData() + LayoutOffset, sizeof(Layout));
	ASSERT_EQ(Layout, 3) << "a quad of one vertex instance per corner in one material stores neither triangle array";
	EXPECT_EQ(Asset.Load(Saved), 2);

	EXPECT_EQ(Asset.Load(Asset.WithInt(LayoutOffset, 3 | 4)), -1) << "an unknown layout bit";
	EXPECT_EQ(Asset.Load(Asset.WithInt(TriangleCountOffset, 3)), -1) << "more triangles than the instances in order allow";
	EXPECT_EQ(Asset.Load(Asset.WithInt(TriangleCountOffset, 0x7fffffff)), -1) << "a huge triangle count is refused before anything is allocated";
	EXPECT_EQ(Asset.Load(Asset.WithInt(Saved.Num() - 4 - 4 - 15, 1)), -1) << "the one polygon group does not exist";
	EXPECT_EQ(Asset.Load(Asset.WithInt(VersionOffset, 3)), -1) << "a version from the future";

	// The same mesh written in the first layout, every array stored, still loads.
	TArray<uint8> First(Saved.GetData(), LayoutOffset);
	const int32 One = 1;
	std::memcpy(First.GetData() + VersionOffset, &One, sizeof(One));
	const int32 ArraysStart = LayoutOffset + 4;
	const int32 ArraysEnd = ArraysStart + 4 * 12 + 6 * 4 + 6 * 8;
	First.Append(Saved.GetData() + ArraysStart, ArraysEnd - ArraysStart);
	const int32 Triangles[8] = {0, 1, 2, 3, 4, 5, 0, 0};
	First.Append(reinterpret_cast<const uint8*>(Triangles), sizeof(Triangles));
	First.Append(Saved.GetData() + ArraysEnd + 4, Saved.Num() - ArraysEnd - 4);
	EXPECT_EQ(Asset.Load(First), 2);

	// Cut anywhere, or with any byte of the counts and layout flipped, the description fails cleanly or loads.
	// (No bytes at all means the LOD has no description, which loads.)
	for (int32 Length = 1; Length < Saved.Num(); ++Length)
	{
		EXPECT_EQ(Asset.Load(TArray<uint8>(Saved.GetData(), Length)), -1) << "cut at " << Length;
	}
	for (int32 Offset = 8; Offset < ArraysStart; ++Offset)
	{
		TArray<uint8> Flipped = Saved;
		Flipped[Offset] ^= 0xA5;
		EXPECT_GE(Asset.Load(Flipped), -1) << "flipped at " << Offset;
	}
}

TEST(StaticMeshAsset, GarbledAssetFileFailsTheLoadCleanly)
{
	FScopedHeadlessProject Project;
	UStaticMesh* Mesh = nullptr;
	ASSERT_TRUE(BuildQuadAsset(TEXT("Garbled"), MeshFileName(TEXT("Garbled")), Mesh));
	Unload(Mesh);
	FString Text;
	ASSERT_TRUE(FFileHelper::LoadFileToString(Text, *MeshFileName(TEXT("Garbled"))));
	ASSERT_TRUE(FFileHelper::SaveStringToFile(Text.Replace(TEXT("\"Offset\": 0"), TEXT("\"Offset\": 99999")), *MeshFileName(TEXT("Garbled"))));
	FLogCapture Log;
	EXPECT_EQ(LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Garbled.Garbled")), nullptr);
	EXPECT_GE(Log.CountContaining(TEXT("outside the bulk data file")), 1);
	ASSERT_TRUE(FFileHelper::SaveStringToFile(Text.Left(Text.Len() / 2), *MeshFileName(TEXT("Garbled"))));
	EXPECT_EQ(LoadObject<UStaticMesh>(nullptr, TEXT("/Game/Orvane/Meshes/Garbled.Garbled")), nullptr);
}
