// Copyright Kelmora. All Rights Reserved.
#include "Engine/StaticMesh.h"

#include "MeshDescription.h"
#include "MeshDescriptionBulkData.h"
#include "StaticMeshAttributes.h"
#include "UObject/HostAssetBulkData.h"

#include <cstring>
#include <limits>

DEFINE_LOG_CATEGORY_STATIC(LogStaticMesh, Log, All);

using namespace UE::Engine::Host;

namespace
{
	const TArray<uint8> NoBytes;

	// The bulk data of a static mesh: a LOD count, then each LOD's size and committed description.
	struct FStaticMeshBulkDataRegistration
	{
		FStaticMeshBulkDataRegistration()
		{
			UE::CoreUObject::Host::FAssetBulkDataHandler Handler;
			Handler.Save = [](const UObject& Object, UE::CoreUObject::Host::FAssetBulkDataWriter& Writer, FString& OutError)
			{
				const UStaticMesh& Mesh = static_cast<const UStaticMesh&>(Object);
				int64 Total = sizeof(int32);
				for (int32 Lod = 0; Lod < Mesh.GetNumSourceModels(); ++Lod)
				{
					Total += sizeof(int32) + Mesh.GetHostCommittedMeshDescription(Lod).Num();
				}
				if (Total + Writer.Num() > int64(std::numeric_limits<int32>::max()))
				{
					OutError = FString(TEXT("the committed mesh descriptions are too large to save"));
					return false;
				}
				const int32 LodCount = Mesh.GetNumSourceModels();
				Writer.Append(&LodCount, sizeof(LodCount));
				for (int32 Lod = 0; Lod < LodCount; ++Lod)
				{
					// The committed bytes do not change while the package is saved, so they are written from where they are.
					const TArray<uint8>& Committed = Mesh.GetHostCommittedMeshDescription(Lod);
					const int32 Size = Committed.Num();
					Writer.Append(&Size, sizeof(Size));
					Writer.AppendReferenced(TArrayView<const uint8>(Committed.GetData(), Size));
				}
				return true;
			};
			Handler.Load = [](UObject& Object, TArrayView<const uint8> Bytes, FString& OutError)
			{
				UStaticMesh& Mesh = static_cast<UStaticMesh&>(Object);
				int64 Offset = 0;
				const auto ReadInt = [&Bytes, &Offset](int32& Out)
				{
					if (Bytes.Num() - Offset < int64(sizeof(int32)))
					{
						return false;
					}
					std::memcpy(&Out, Bytes.GetData() + Offset, sizeof(int32));
					Offset += sizeof(int32);
					return true;
				};
				int32 LodCount = 0;
				if (!ReadInt(LodCount) || LodCount != Mesh.GetNumSourceModels())
				{
					OutError = FString::Printf(TEXT("the bulk data holds %d LODs, the mesh has %d source models"), LodCount, Mesh.GetNumSourceModels());
					return false;
				}
				for (int32 Lod = 0; Lod < LodCount; ++Lod)
				{
					int32 Size = 0;
					if (!ReadInt(Size) || Size < 0 || Size > Bytes.Num() - Offset)
					{
						OutError = FString::Printf(TEXT("LOD %d is cut off"), Lod);
						return false;
					}
					FString LodError;
					if (!Mesh.SetHostCommittedMeshDescription(Lod, TArrayView<const uint8>(Bytes.GetData() + Offset, Size), LodError))
					{
						OutError = FString::Printf(TEXT("LOD %d: %s"), Lod, *LodError);
						return false;
					}
					Offset += Size;
				}
				if (Offset != Bytes.Num())
				{
					OutError = FString(TEXT("unexpected bytes after the last LOD"));
					return false;
				}
				return true;
			};
			UE::CoreUObject::Host::RegisterAssetBulkDataHandler(FString(TEXT("/Script/Engine.StaticMesh")), MoveTemp(Handler));
		}
	} StaticMeshBulkDataRegistration;
}

UStaticMesh::UStaticMesh() = default;

UStaticMesh::~UStaticMesh() = default;

void UStaticMesh::EnsureLodSlots(int32 LodCount)
{
	if (MeshDescriptions.size() < size_t(LodCount))
	{
		MeshDescriptions.resize(size_t(LodCount));
		CommittedMeshDescriptions.resize(size_t(LodCount));
	}
}

FStaticMeshSourceModel& UStaticMesh::AddSourceModel()
{
	FStaticMeshSourceModel& SourceModel = SourceModels.Emplace_GetRef();
	EnsureLodSlots(SourceModels.Num());
	return SourceModel;
}

FStaticMeshSourceModel& UStaticMesh::GetSourceModel(int32 Index)
{
	checkf(SourceModels.IsValidIndex(Index), TEXT("GetSourceModel: no source model at that index"));
	return SourceModels[Index];
}

const FStaticMeshSourceModel& UStaticMesh::GetSourceModel(int32 Index) const
{
	checkf(SourceModels.IsValidIndex(Index), TEXT("GetSourceModel: no source model at that index"));
	return SourceModels[Index];
}

FMeshDescription* UStaticMesh::CreateMeshDescription(int32 LodIndex)
{
	if (!SourceModels.IsValidIndex(LodIndex))
	{
		return nullptr;
	}
	EnsureLodSlots(SourceModels.Num());
	MeshDescriptions[size_t(LodIndex)] = std::make_unique<FMeshDescription>();
	return MeshDescriptions[size_t(LodIndex)].get();
}

FMeshDescription* UStaticMesh::GetMeshDescription(int32 LodIndex) const
{
	if (LodIndex < 0 || size_t(LodIndex) >= MeshDescriptions.size() || !SourceModels.IsValidIndex(LodIndex))
	{
		return nullptr;
	}
	std::unique_ptr<FMeshDescription>& Cached = MeshDescriptions[size_t(LodIndex)];
	const TArray<uint8>& Committed = CommittedMeshDescriptions[size_t(LodIndex)];
	if (!Cached && Committed.Num() > 0)
	{
		// As the engine does, a cleared description is unpacked again from the committed bulk data.
		std::unique_ptr<FMeshDescription> Loaded = std::make_unique<FMeshDescription>();
		FString Error;
		if (!MeshDescriptionBulkData::Read(TArrayView<const uint8>(Committed.GetData(), Committed.Num()), *Loaded, Error))
		{
			UE_LOG(LogStaticMesh, Error, TEXT("GetMeshDescription: %s LOD %d: %s"), *GetPathName(), LodIndex, *Error);
			return nullptr;
		}
		Cached = std::move(Loaded);
	}
	return Cached.get();
}

bool UStaticMesh::IsMeshDescriptionValid(int32 LodIndex) const
{
	if (LodIndex < 0 || size_t(LodIndex) >= MeshDescriptions.size() || !SourceModels.IsValidIndex(LodIndex))
	{
		return false;
	}
	return MeshDescriptions[size_t(LodIndex)] != nullptr || CommittedMeshDescriptions[size_t(LodIndex)].Num() > 0;
}

void UStaticMesh::CommitMeshDescription(int32 LodIndex, const FCommitMeshDescriptionParams& Params)
{
	FMeshDescription* MeshDescription = GetMeshDescription(LodIndex);
	if (!SourceModels.IsValidIndex(LodIndex))
	{
		UE_LOG(LogStaticMesh, Error, TEXT("CommitMeshDescription: %s has no LOD %d"), *GetPathName(), LodIndex);
		return;
	}
	TArray<uint8>& Committed = CommittedMeshDescriptions[size_t(LodIndex)];
	Committed.Empty();
	if (MeshDescription)
	{
		FString Error;
		if (!MeshDescriptionBulkData::Write(*MeshDescription, Committed, Error))
		{
			Committed.Empty();
			UE_LOG(LogStaticMesh, Error, TEXT("CommitMeshDescription: %s LOD %d: %s"), *GetPathName(), LodIndex, *Error);
		}
	}
	if (Params.bMarkPackageDirty)
	{
		MarkPackageDirty();
	}
}

void UStaticMesh::ClearMeshDescription(int32 LodIndex)
{
	if (LodIndex >= 0 && size_t(LodIndex) < MeshDescriptions.size())
	{
		MeshDescriptions[size_t(LodIndex)].reset();
	}
}

void UStaticMesh::Build(bool bInSilent, TArray<FText>* OutErrors)
{
	++HostBuildCount;
	if (SourceModels.Num() == 0)
	{
		const FString Message = FString::Printf(TEXT("%s has no source model to build"), *GetPathName());
		if (!bInSilent)
		{
			UE_LOG(LogStaticMesh, Warning, TEXT("Build: %s"), *Message);
		}
		if (OutErrors)
		{
			OutErrors->Add(FText::FromString(Message));
		}
		return;
	}
	for (int32 Lod = 0; Lod < SourceModels.Num(); ++Lod)
	{
		if (GetHostCommittedMeshDescription(Lod).Num() == 0)
		{
			const FString Message = FString::Printf(TEXT("%s LOD %d has no committed mesh description"), *GetPathName(), Lod);
			if (!bInSilent)
			{
				UE_LOG(LogStaticMesh, Warning, TEXT("Build: %s"), *Message);
			}
			if (OutErrors)
			{
				OutErrors->Add(FText::FromString(Message));
			}
		}
	}
}

const TArray<uint8>& UStaticMesh::GetHostCommittedMeshDescription(int32 LodIndex) const
{
	if (LodIndex < 0 || size_t(LodIndex) >= CommittedMeshDescriptions.size())
	{
		return NoBytes;
	}
	return CommittedMeshDescriptions[size_t(LodIndex)];
}

bool UStaticMesh::SetHostCommittedMeshDescription(int32 LodIndex, TArrayView<const uint8> Bytes, FString& OutError)
{
	if (!SourceModels.IsValidIndex(LodIndex))
	{
		OutError = FString::Printf(TEXT("no LOD %d"), LodIndex);
		return false;
	}
	EnsureLodSlots(SourceModels.Num());
	if (Bytes.Num() == 0)
	{
		MeshDescriptions[size_t(LodIndex)].reset();
		CommittedMeshDescriptions[size_t(LodIndex)].Empty();
		return true;
	}
	std::unique_ptr<FMeshDescription> MeshDescription = std::make_unique<FMeshDescription>();
	if (!MeshDescriptionBulkData::Read(Bytes, *MeshDescription, OutError))
	{
		return false;
	}
	MeshDescriptions[size_t(LodIndex)] = std::move(MeshDescription);
	CommittedMeshDescriptions[size_t(LodIndex)] = TArray<uint8>(Bytes.GetData(), Bytes.Num());
	return true;
}
