// Copyright Kelmora. All Rights Reserved.
#include "MeshDescription.h"

#include "MeshAttributes.h"
#include "Modules/ModuleManager.h"

const FName MeshAttribute::Vertex::Position(TEXT("Position"));

void FMeshAttributes::Register(bool bKeepExistingAttribute)
{
	if (!bKeepExistingAttribute || !MeshDescription.VertexAttributes().HasAttributeOfType<FVector3f>(MeshAttribute::Vertex::Position))
	{
		MeshDescription.VertexAttributes().RegisterAttribute<FVector3f>(MeshAttribute::Vertex::Position, 1, FVector3f(0.0f, 0.0f, 0.0f), EMeshAttributeFlags::Lerpable | EMeshAttributeFlags::Mandatory);
	}
}

namespace
{
	template <typename ElementIDType>
	void ReserveMore(const TMeshElementContainer<ElementIDType>& Container, TAttributesSet<ElementIDType>& Attributes, int32 NumberOfNew)
	{
		if (NumberOfNew > 0)
		{
			Attributes.Reserve(Container.Num() + NumberOfNew);
		}
	}

	template <typename T>
	void ReserveVector(std::vector<T>& Vector, size_t Count, int32 NumberOfNew, size_t PerElement = 1)
	{
		if (NumberOfNew > 0)
		{
			Vector.reserve((Count + size_t(NumberOfNew)) * PerElement);
		}
	}
}

void FMeshDescription::ReserveNewVertices(const int32 NumberOfNewVertices)
{
	ReserveMore(VertexArray, VertexAttributeSet, NumberOfNewVertices);
	ReserveVector(VertexEdges, size_t(VertexArray.Num()), NumberOfNewVertices);
}

void FMeshDescription::ReserveNewVertexInstances(const int32 NumberOfNewVertexInstances)
{
	ReserveMore(VertexInstanceArray, VertexInstanceAttributeSet, NumberOfNewVertexInstances);
	ReserveVector(VertexInstanceVertex, size_t(VertexInstanceArray.Num()), NumberOfNewVertexInstances);
}

void FMeshDescription::ReserveNewEdges(const int32 NumberOfNewEdges)
{
	ReserveMore(EdgeArray, EdgeAttributeSet, NumberOfNewEdges);
	ReserveVector(EdgeRecords, size_t(EdgeArray.Num()), NumberOfNewEdges);
}

void FMeshDescription::ReserveNewTriangles(const int32 NumberOfNewTriangles)
{
	ReserveMore(TriangleArray, TriangleAttributeSet, NumberOfNewTriangles);
	ReserveVector(TriangleVertexInstanceIDs, size_t(TriangleArray.Num()), NumberOfNewTriangles, 3);
	ReserveVector(TriangleEdgeIDs, size_t(TriangleArray.Num()), NumberOfNewTriangles, 3);
	ReserveVector(TrianglePolygonGroup, size_t(TriangleArray.Num()), NumberOfNewTriangles);
	// Every triangle brings its polygon.
	ReserveNewPolygons(NumberOfNewTriangles);
}

void FMeshDescription::ReserveNewPolygons(const int32 NumberOfNewPolygons)
{
	ReserveMore(PolygonArray, PolygonAttributeSet, NumberOfNewPolygons);
	ReserveVector(PolygonPolygonGroup, size_t(PolygonArray.Num()), NumberOfNewPolygons);
}

void FMeshDescription::ReserveNewPolygonGroups(const int32 NumberOfNewPolygonGroups)
{
	ReserveMore(PolygonGroupArray, PolygonGroupAttributeSet, NumberOfNewPolygonGroups);
}

FVertexID FMeshDescription::CreateVertex()
{
	const FVertexID VertexID = VertexArray.HostAdd();
	VertexAttributeSet.AddElement();
	VertexEdges.emplace_back();
	return VertexID;
}

FVertexInstanceID FMeshDescription::CreateVertexInstance(const FVertexID VertexID)
{
	checkf(IsVertexValid(VertexID), TEXT("CreateVertexInstance: the vertex does not exist"));
	const FVertexInstanceID VertexInstanceID = VertexInstanceArray.HostAdd();
	VertexInstanceAttributeSet.AddElement();
	VertexInstanceVertex.push_back(VertexID);
	return VertexInstanceID;
}

FEdgeID FMeshDescription::CreateEdge(const FVertexID VertexID0, const FVertexID VertexID1)
{
	checkf(IsVertexValid(VertexID0) && IsVertexValid(VertexID1), TEXT("CreateEdge: a vertex does not exist"));
	const FEdgeID EdgeID = EdgeArray.HostAdd();
	EdgeAttributeSet.AddElement();
	EdgeRecords.push_back(FEdgeRecord{{VertexID0, VertexID1}, {FEdgeID::Invalid, FEdgeID::Invalid}});
	LinkEdgeAtVertex(EdgeID, VertexID0, VertexID1);
	if (VertexID1 != VertexID0)
	{
		LinkEdgeAtVertex(EdgeID, VertexID1, VertexID0);
	}
	return EdgeID;
}

void FMeshDescription::LinkEdgeAtVertex(const FEdgeID EdgeID, const FVertexID VertexID, const FVertexID OtherVertexID)
{
	FVertexEdges& AtVertex = VertexEdges[size_t(VertexID.GetValue())];
	if (AtVertex.Num < InlineEdges)
	{
		AtVertex.Others[AtVertex.Num] = OtherVertexID;
		AtVertex.Edges[AtVertex.Num] = EdgeID;
	}
	else
	{
		if (AtVertex.OverflowLast == FEdgeID::Invalid)
		{
			AtVertex.OverflowFirst = EdgeID;
		}
		else
		{
			FEdgeRecord& Previous = EdgeRecords[size_t(AtVertex.OverflowLast.GetValue())];
			Previous.Next[Previous.Vertices[0] == VertexID ? 0 : 1] = EdgeID;
		}
		AtVertex.OverflowLast = EdgeID;
	}
	++AtVertex.Num;
}


FPolygonGroupID FMeshDescription::CreatePolygonGroup()
{
	const FPolygonGroupID PolygonGroupID = PolygonGroupArray.HostAdd();
	PolygonGroupAttributeSet.AddElement();
	return PolygonGroupID;
}

FTriangleID FMeshDescription::CreateTriangle(const FPolygonGroupID PolygonGroupID, TArrayView<const FVertexInstanceID> VertexInstanceIDs, TArray<FEdgeID>* OutEdgeIDs)
{
	checkf(IsPolygonGroupValid(PolygonGroupID), TEXT("CreateTriangle: the polygon group does not exist"));
	checkf(VertexInstanceIDs.Num() == 3, TEXT("CreateTriangle: a triangle has three vertex instances"));
	for (const FVertexInstanceID VertexInstanceID : VertexInstanceIDs)
	{
		checkf(IsVertexInstanceValid(VertexInstanceID), TEXT("CreateTriangle: a vertex instance does not exist"));
	}

	const FTriangleID TriangleID = TriangleArray.HostAdd();
	TriangleAttributeSet.AddElement();
	// The corners were checked above.
	const FVertexID CornerVertices[3] = {VertexInstanceVertex[size_t(VertexInstanceIDs[0].GetValue())], VertexInstanceVertex[size_t(VertexInstanceIDs[1].GetValue())], VertexInstanceVertex[size_t(VertexInstanceIDs[2].GetValue())]};
	for (int32 Corner = 0; Corner < 3; ++Corner)
	{
		const FVertexID From = CornerVertices[Corner];
		const FVertexID To = CornerVertices[Corner == 2 ? 0 : Corner + 1];
		FEdgeID EdgeID = GetVertexPairEdge(From, To);
		if (EdgeID == FEdgeID::Invalid)
		{
			EdgeID = CreateEdge(From, To);
			if (OutEdgeIDs)
			{
				OutEdgeIDs->Add(EdgeID);
			}
		}
		TriangleVertexInstanceIDs.push_back(VertexInstanceIDs[Corner]);
		TriangleEdgeIDs.push_back(EdgeID);
	}
	TrianglePolygonGroup.push_back(PolygonGroupID);

	// The encapsulating polygon; the host makes one per triangle, so their IDs match.
	const FPolygonID PolygonID = PolygonArray.HostAdd();
	PolygonAttributeSet.AddElement();
	PolygonPolygonGroup.push_back(PolygonGroupID);
	check(PolygonID.GetValue() == TriangleID.GetValue());
	return TriangleID;
}

FVertexID FMeshDescription::GetVertexInstanceVertex(const FVertexInstanceID VertexInstanceID) const
{
	checkf(IsVertexInstanceValid(VertexInstanceID), TEXT("GetVertexInstanceVertex: the vertex instance does not exist"));
	return VertexInstanceVertex[size_t(VertexInstanceID.GetValue())];
}

FVertexID FMeshDescription::GetEdgeVertex(const FEdgeID EdgeID, int32 VertexNumber) const
{
	checkf(IsEdgeValid(EdgeID) && (VertexNumber == 0 || VertexNumber == 1), TEXT("GetEdgeVertex: no such edge vertex"));
	return EdgeRecords[size_t(EdgeID.GetValue())].Vertices[VertexNumber];
}

FEdgeID FMeshDescription::GetVertexPairEdge(const FVertexID VertexID0, const FVertexID VertexID1) const
{
	if (!IsVertexValid(VertexID0) || !IsVertexValid(VertexID1))
	{
		return FEdgeID::Invalid;
	}
	const FVertexEdges& AtVertex = VertexEdges[size_t(VertexID0.GetValue())];
	const int32 NumInline = FMath::Min(AtVertex.Num, InlineEdges);
	for (int32 Index = 0; Index < NumInline; ++Index)
	{
		if (AtVertex.Others[Index] == VertexID1)
		{
			return AtVertex.Edges[Index];
		}
	}
	const FEdgeRecord* Records = EdgeRecords.data();
	for (FEdgeID EdgeID = AtVertex.OverflowFirst; EdgeID != FEdgeID::Invalid;)
	{
		const FEdgeRecord& Record = Records[size_t(EdgeID.GetValue())];
		const FVertexID A = Record.Vertices[0];
		const FVertexID B = Record.Vertices[1];
		if ((A == VertexID0 && B == VertexID1) || (A == VertexID1 && B == VertexID0))
		{
			return EdgeID;
		}
		EdgeID = Record.Next[A == VertexID0 ? 0 : 1];
	}
	return FEdgeID::Invalid;
}

TArray<FTriangleID> FMeshDescription::GetEdgeConnectedTriangleIDs(const FEdgeID EdgeID) const
{
	TArray<FTriangleID> Result;
	for (size_t Index = 0; Index < TriangleEdgeIDs.size(); ++Index)
	{
		if (TriangleEdgeIDs[Index] == EdgeID)
		{
			Result.Add(FTriangleID(int32(Index / 3)));
		}
	}
	return Result;
}

TArrayView<const FVertexInstanceID> FMeshDescription::GetTriangleVertexInstances(const FTriangleID TriangleID) const
{
	checkf(IsTriangleValid(TriangleID), TEXT("GetTriangleVertexInstances: the triangle does not exist"));
	return TArrayView<const FVertexInstanceID>(TriangleVertexInstanceIDs.data() + size_t(TriangleID.GetValue()) * 3, 3);
}

FVertexInstanceID FMeshDescription::GetTriangleVertexInstance(const FTriangleID TriangleID, const int32 Index) const
{
	checkf(Index >= 0 && Index < 3, TEXT("GetTriangleVertexInstance: a triangle has three corners"));
	return GetTriangleVertexInstances(TriangleID)[Index];
}

TArrayView<const FEdgeID> FMeshDescription::GetTriangleEdges(const FTriangleID TriangleID) const
{
	checkf(IsTriangleValid(TriangleID), TEXT("GetTriangleEdges: the triangle does not exist"));
	return TArrayView<const FEdgeID>(TriangleEdgeIDs.data() + size_t(TriangleID.GetValue()) * 3, 3);
}

FPolygonGroupID FMeshDescription::GetTrianglePolygonGroup(const FTriangleID TriangleID) const
{
	checkf(IsTriangleValid(TriangleID), TEXT("GetTrianglePolygonGroup: the triangle does not exist"));
	return TrianglePolygonGroup[size_t(TriangleID.GetValue())];
}

FPolygonID FMeshDescription::GetTrianglePolygon(const FTriangleID TriangleID) const
{
	checkf(IsTriangleValid(TriangleID), TEXT("GetTrianglePolygon: the triangle does not exist"));
	return FPolygonID(TriangleID.GetValue());
}

FPolygonGroupID FMeshDescription::GetPolygonPolygonGroup(const FPolygonID PolygonID) const
{
	checkf(IsPolygonValid(PolygonID), TEXT("GetPolygonPolygonGroup: the polygon does not exist"));
	return PolygonPolygonGroup[size_t(PolygonID.GetValue())];
}

bool FMeshDescription::IsEmpty() const
{
	return VertexArray.Num() == 0 && VertexInstanceArray.Num() == 0 && EdgeArray.Num() == 0 && TriangleArray.Num() == 0 && PolygonArray.Num() == 0 && PolygonGroupArray.Num() == 0;
}

void FMeshDescription::Empty()
{
	VertexArray = FVertexArray();
	VertexInstanceArray = FVertexInstanceArray();
	EdgeArray = FEdgeArray();
	TriangleArray = FTriangleArray();
	PolygonArray = FPolygonArray();
	PolygonGroupArray = FPolygonGroupArray();
	VertexAttributeSet.SetNumElements(0);
	VertexInstanceAttributeSet.SetNumElements(0);
	EdgeAttributeSet.SetNumElements(0);
	TriangleAttributeSet.SetNumElements(0);
	PolygonAttributeSet.SetNumElements(0);
	PolygonGroupAttributeSet.SetNumElements(0);
	VertexInstanceVertex.clear();
	EdgeRecords.clear();
	VertexEdges.clear();
	TriangleVertexInstanceIDs.clear();
	TriangleEdgeIDs.clear();
	TrianglePolygonGroup.clear();
	PolygonPolygonGroup.clear();
}

IMPLEMENT_MODULE(FDefaultModuleImpl, MeshDescription)
