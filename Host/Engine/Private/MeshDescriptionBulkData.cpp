// Copyright Kelmora. All Rights Reserved.
#include "MeshDescriptionBulkData.h"

#include "MeshDescription.h"
#include "StaticMeshAttributes.h"

#include <bit>
#include <cstring>
#include <limits>

static_assert(std::endian::native == std::endian::little, "The host's mesh bulk data is written in native order, which must be little-endian");
// Positions, UVs and element IDs are copied as they lie in memory.
static_assert(sizeof(FVector3f) == 12 && sizeof(FVector2f) == 8 && sizeof(FVertexID) == 4 && sizeof(FVertexInstanceID) == 4 && sizeof(FPolygonGroupID) == 4, "The host's mesh bulk data copies packed values");

namespace UE::Engine::Host::MeshDescriptionBulkData
{
	namespace
	{
		constexpr uint32 Magic = 0x4B42444D;
		constexpr uint32 Version = 2;
		constexpr uint32 OldestVersion = 1;
		constexpr uint32 InstancesInOrder = 1u << 0;
		constexpr uint32 OneGroup = 1u << 1;
		constexpr uint32 KnownLayoutBits = InstancesInOrder | OneGroup;

		/** Fills bytes already allocated, front to back. */
		class FWriter
		{
		public:
			explicit FWriter(uint8* InCursor)
				: Cursor(InCursor)
			{
			}
			template <typename T>
			void Put(const T& Value)
			{
				PutBytes(&Value, sizeof(T));
			}
			void PutBytes(const void* Data, size_t Size)
			{
				if (Size > 0)
				{
					std::memcpy(Cursor, Data, Size);
					Cursor += Size;
				}
			}
			void PutZeros(size_t Size)
			{
				if (Size > 0)
				{
					std::memset(Cursor, 0, Size);
					Cursor += Size;
				}
			}
			const uint8* GetCursor() const { return Cursor; }

		private:
			uint8* Cursor;
		};

		/** Writes a channel's values for NumElements elements: those stored as they lie in memory, then the default for the rest. */
		template <typename T>
		void PutValues(FWriter& Writer, const UE::MeshDescription::Host::TAttributeArray<T>& Array, int32 Channel, int32 NumElements)
		{
			const int32 NumStored = FMath::Min(Array.GetNumStored(Channel), NumElements);
			if (NumStored > 0)
			{
				Writer.PutBytes(Array.GetData(Channel), size_t(NumStored) * sizeof(T));
			}
			for (int32 Element = NumStored; Element < NumElements; ++Element)
			{
				Writer.Put(Array.GetDefaultValue());
			}
		}

		class FReader
		{
		public:
			explicit FReader(TArrayView<const uint8> InBytes)
				: Bytes(InBytes)
			{
			}
			bool Has(uint64 Size) const { return Size <= uint64(Bytes.Num()) - Offset; }
			template <typename T>
			bool Get(T& Out)
			{
				return GetBytes(&Out, sizeof(T));
			}
			bool GetBytes(void* Out, uint64 Size)
			{
				if (!Has(Size))
				{
					return false;
				}
				if (Size > 0)
				{
					std::memcpy(Out, Bytes.GetData() + Offset, size_t(Size));
				}
				Offset += Size;
				return true;
			}
			bool AtEnd() const { return Offset == uint64(Bytes.Num()); }

		private:
			TArrayView<const uint8> Bytes;
			uint64 Offset = 0;
		};
	}

	bool Write(const FMeshDescription& MeshDescription, TArray<uint8>& OutBytes, FString& OutError)
	{
		const int32 NumVertices = MeshDescription.Vertices().Num();
		const int32 NumInstances = MeshDescription.VertexInstances().Num();
		const int32 NumTriangles = MeshDescription.Triangles().Num();
		const int32 NumGroups = MeshDescription.PolygonGroups().Num();
		const TVertexAttributesConstRef<FVector3f> Positions = MeshDescription.VertexAttributes().GetAttributesRef<FVector3f>(MeshAttribute::Vertex::Position);
		const TVertexInstanceAttributesConstRef<FVector2f> UVs = MeshDescription.VertexInstanceAttributes().GetAttributesRef<FVector2f>(MeshAttribute::VertexInstance::TextureCoordinate);
		const TPolygonGroupAttributesConstRef<FName> SlotNames = MeshDescription.PolygonGroupAttributes().GetAttributesRef<FName>(MeshAttribute::PolygonGroup::ImportedMaterialSlotName);
		const int32 NumUVChannels = UVs.GetNumChannels();

		TArray<std::string> Names;
		uint64 NameBytes = 0;
		for (int32 Group = 0; Group < NumGroups; ++Group)
		{
			const FName Name = SlotNames.IsValid() ? SlotNames.Get(FPolygonGroupID(Group)) : FName();
			const FTCHARToUTF8 Utf8(Name.IsNone() ? TEXT("") : *Name.ToString());
			Names.Add(std::string(Utf8.Get(), size_t(Utf8.Length())));
			NameBytes += sizeof(int32) + uint64(Utf8.Length());
		}
		const TArrayView<const FVertexInstanceID> TriangleInstances = MeshDescription.GetHostTriangleVertexInstances();
		const TArrayView<const FPolygonGroupID> TriangleGroups = MeshDescription.GetHostTrianglePolygonGroups();
		check(TriangleInstances.Num() == NumTriangles * 3 && TriangleGroups.Num() == NumTriangles);
		// Meshes built one vertex instance per triangle corner, in one material, need neither array.
		uint32 Layout = InstancesInOrder | (NumTriangles > 0 ? OneGroup : 0u);
		for (int32 Index = 0; Index < TriangleInstances.Num() && (Layout & InstancesInOrder); ++Index)
		{
			Layout &= TriangleInstances[Index].GetValue() == Index ? ~0u : ~InstancesInOrder;
		}
		for (int32 Triangle = 1; Triangle < NumTriangles && (Layout & OneGroup); ++Triangle)
		{
			Layout &= TriangleGroups[Triangle] == TriangleGroups[0] ? ~0u : ~OneGroup;
		}
		const uint64 TriangleInstanceBytes = (Layout & InstancesInOrder) ? 0 : uint64(NumTriangles) * 12;
		const uint64 TriangleGroupBytes = (Layout & OneGroup) ? sizeof(int32) : uint64(NumTriangles) * 4;
		const uint64 Size = 3 * sizeof(uint32) + 5 * sizeof(int32) + uint64(NumVertices) * 12 + uint64(NumInstances) * 4 + uint64(NumUVChannels) * uint64(NumInstances) * 8 + TriangleInstanceBytes + TriangleGroupBytes + NameBytes;
		if (Size + uint64(OutBytes.Num()) > uint64(std::numeric_limits<int32>::max()))
		{
			OutError = FString::Printf(TEXT("the mesh description is too large to save (%llu bytes)"), (unsigned long long)Size);
			return false;
		}
		const int32 Start = OutBytes.AddUninitialized(int32(Size));
		FWriter Writer(OutBytes.GetData() + Start);
		Writer.Put(Magic);
		Writer.Put(Version);
		Writer.Put(NumVertices);
		Writer.Put(NumInstances);
		Writer.Put(NumTriangles);
		Writer.Put(NumGroups);
		Writer.Put(NumUVChannels);
		Writer.Put(Layout);
		if (Positions.IsValid())
		{
			PutValues(Writer, *Positions.GetHostArray(), 0, NumVertices);
		}
		else
		{
			Writer.PutZeros(size_t(NumVertices) * sizeof(FVector3f));
		}
		const TArrayView<const FVertexID> InstanceVertices = MeshDescription.GetHostVertexInstanceVertices();
		check(InstanceVertices.Num() == NumInstances);
		Writer.PutBytes(InstanceVertices.GetData(), size_t(NumInstances) * sizeof(FVertexID));
		for (int32 Channel = 0; Channel < NumUVChannels; ++Channel)
		{
			PutValues(Writer, *UVs.GetHostArray(), Channel, NumInstances);
		}
		Writer.PutBytes(TriangleInstances.GetData(), size_t(TriangleInstanceBytes));
		Writer.PutBytes(TriangleGroups.GetData(), size_t(TriangleGroupBytes));
		for (const std::string& Name : Names)
		{
			Writer.Put(int32(Name.size()));
			Writer.PutBytes(Name.data(), Name.size());
		}
		check(Writer.GetCursor() == OutBytes.GetData() + OutBytes.Num());
		return true;
	}

	bool Read(TArrayView<const uint8> Bytes, FMeshDescription& OutMeshDescription, FString& OutError)
	{
		FReader Reader(Bytes);
		uint32 FileMagic = 0;
		uint32 FileVersion = 0;
		if (!Reader.Get(FileMagic) || FileMagic != Magic || !Reader.Get(FileVersion) || FileVersion < OldestVersion || FileVersion > Version)
		{
			OutError = FString(TEXT("not mesh description bulk data of version 1 or 2"));
			return false;
		}
		int32 NumVertices = 0, NumInstances = 0, NumTriangles = 0, NumGroups = 0, NumUVChannels = 0;
		if (!Reader.Get(NumVertices) || !Reader.Get(NumInstances) || !Reader.Get(NumTriangles) || !Reader.Get(NumGroups) || !Reader.Get(NumUVChannels))
		{
			OutError = FString(TEXT("the element counts are cut off"));
			return false;
		}
		if (NumVertices < 0 || NumInstances < 0 || NumTriangles < 0 || NumGroups < 0 || NumUVChannels < 0 || NumUVChannels > 8)
		{
			OutError = FString(TEXT("an element count is out of range"));
			return false;
		}
		uint32 Layout = 0;
		if (FileVersion >= 2 && !Reader.Get(Layout))
		{
			OutError = FString(TEXT("the layout is cut off"));
			return false;
		}
		if ((Layout & ~KnownLayoutBits) != 0)
		{
			OutError = FString::Printf(TEXT("unknown layout bits 0x%x"), Layout & ~KnownLayoutBits);
			return false;
		}
		// Triangles that are not stored use the instances in order, so there cannot be more of them than instances allow.
		if ((Layout & InstancesInOrder) && int64(NumTriangles) * 3 > int64(NumInstances))
		{
			OutError = FString::Printf(TEXT("%d triangles cannot use %d vertex instances in order"), NumTriangles, NumInstances);
			return false;
		}
		if ((Layout & OneGroup) && NumTriangles == 0)
		{
			OutError = FString(TEXT("a polygon group for all triangles is named, but there are none"));
			return false;
		}
		const uint64 TriangleInstanceBytes = (Layout & InstancesInOrder) ? 0 : uint64(NumTriangles) * 12;
		const uint64 TriangleGroupBytes = (Layout & OneGroup) ? sizeof(int32) : uint64(NumTriangles) * 4;
		// The fixed-size arrays must fit before anything is allocated for them.
		const uint64 ArrayBytes = uint64(NumVertices) * 12 + uint64(NumInstances) * 4 + uint64(NumUVChannels) * uint64(NumInstances) * 8 + TriangleInstanceBytes + TriangleGroupBytes + uint64(NumGroups) * 4;
		if (!Reader.Has(ArrayBytes))
		{
			OutError = FString(TEXT("the data is shorter than its element counts say"));
			return false;
		}

		FStaticMeshAttributes Attributes(OutMeshDescription);
		Attributes.Register();
		TVertexAttributesRef<FVector3f> Positions = Attributes.GetVertexPositions();
		TVertexInstanceAttributesRef<FVector2f> UVs = Attributes.GetVertexInstanceUVs();
		TPolygonGroupAttributesRef<FName> SlotNames = Attributes.GetPolygonGroupMaterialSlotNames();
		if (NumUVChannels > 0)
		{
			UVs.SetNumChannels(NumUVChannels);
		}
		OutMeshDescription.ReserveNewVertices(NumVertices);
		OutMeshDescription.ReserveNewVertexInstances(NumInstances);
		OutMeshDescription.ReserveNewTriangles(NumTriangles);
		OutMeshDescription.ReserveNewPolygonGroups(NumGroups);

		for (int32 Vertex = 0; Vertex < NumVertices; ++Vertex)
		{
			float Components[3];
			Reader.GetBytes(Components, sizeof(Components));
			Positions[OutMeshDescription.CreateVertex()] = FVector3f(Components[0], Components[1], Components[2]);
		}
		for (int32 Instance = 0; Instance < NumInstances; ++Instance)
		{
			int32 Vertex = 0;
			Reader.Get(Vertex);
			if (Vertex < 0 || Vertex >= NumVertices)
			{
				OutError = FString::Printf(TEXT("vertex instance %d is on vertex %d, which does not exist"), Instance, Vertex);
				return false;
			}
			OutMeshDescription.CreateVertexInstance(FVertexID(Vertex));
		}
		for (int32 Channel = 0; Channel < NumUVChannels; ++Channel)
		{
			for (int32 Instance = 0; Instance < NumInstances; ++Instance)
			{
				float Components[2];
				Reader.GetBytes(Components, sizeof(Components));
				UVs.Set(FVertexInstanceID(Instance), Channel, FVector2f(Components[0], Components[1]));
			}
		}
		TArray<int32> TriangleInstances;
		if (!(Layout & InstancesInOrder))
		{
			TriangleInstances.SetNumUninitialized(NumTriangles * 3);
			Reader.GetBytes(TriangleInstances.GetData(), TriangleInstanceBytes);
		}
		TArray<int32> TriangleGroups;
		TriangleGroups.SetNumUninitialized((Layout & OneGroup) ? 1 : NumTriangles);
		Reader.GetBytes(TriangleGroups.GetData(), TriangleGroupBytes);
		for (int32 Group = 0; Group < NumGroups; ++Group)
		{
			OutMeshDescription.CreatePolygonGroup();
		}
		for (int32 Triangle = 0; Triangle < NumTriangles; ++Triangle)
		{
			const int32 Group = TriangleGroups[(Layout & OneGroup) ? 0 : Triangle];
			const int32 InOrder[3] = {Triangle * 3, Triangle * 3 + 1, Triangle * 3 + 2};
			const int32* Corners = (Layout & InstancesInOrder) ? InOrder : TriangleInstances.GetData() + size_t(Triangle) * 3;
			for (int32 Corner = 0; Corner < 3; ++Corner)
			{
				if (Corners[Corner] < 0 || Corners[Corner] >= NumInstances)
				{
					OutError = FString::Printf(TEXT("triangle %d uses vertex instance %d, which does not exist"), Triangle, Corners[Corner]);
					return false;
				}
			}
			if (Group < 0 || Group >= NumGroups)
			{
				OutError = FString::Printf(TEXT("triangle %d is in polygon group %d, which does not exist"), Triangle, Group);
				return false;
			}
			const FVertexInstanceID Instances[3] = {FVertexInstanceID(Corners[0]), FVertexInstanceID(Corners[1]), FVertexInstanceID(Corners[2])};
			OutMeshDescription.CreateTriangle(FPolygonGroupID(Group), TArrayView<const FVertexInstanceID>(Instances, 3));
		}
		for (int32 Group = 0; Group < NumGroups; ++Group)
		{
			int32 Length = 0;
			if (!Reader.Get(Length) || Length < 0 || !Reader.Has(uint64(Length)))
			{
				OutError = FString::Printf(TEXT("the slot name of polygon group %d is cut off"), Group);
				return false;
			}
			std::string Utf8(size_t(Length), '\0');
			Reader.GetBytes(Utf8.data(), uint64(Length));
			const FUTF8ToTCHAR Name(Utf8.data(), Length);
			SlotNames[FPolygonGroupID(Group)] = Length == 0 ? FName() : FName(FString(Name.Get()));
		}
		if (!Reader.AtEnd())
		{
			OutError = FString(TEXT("unexpected bytes after the mesh description"));
			return false;
		}
		return true;
	}
}
