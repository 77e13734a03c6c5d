// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MeshDescription.h (MeshDescription module): the editable mesh of
// vertices, vertex instances, edges, triangles, polygons and polygon groups with their attributes.
#pragma once

#include "CoreMinimal.h"
#include "Containers/ArrayView.h"
#include "MeshAttributeArray.h"
#include "MeshElementContainer.h"
#include "MeshTypes.h"

#include <vector>

template <typename AttributeType>
using TVertexAttributesRef = TMeshAttributesRef<FVertexID, AttributeType>;
template <typename AttributeType>
using TVertexInstanceAttributesRef = TMeshAttributesRef<FVertexInstanceID, AttributeType>;
template <typename AttributeType>
using TEdgeAttributesRef = TMeshAttributesRef<FEdgeID, AttributeType>;
template <typename AttributeType>
using TTriangleAttributesRef = TMeshAttributesRef<FTriangleID, AttributeType>;
template <typename AttributeType>
using TPolygonAttributesRef = TMeshAttributesRef<FPolygonID, AttributeType>;
template <typename AttributeType>
using TPolygonGroupAttributesRef = TMeshAttributesRef<FPolygonGroupID, AttributeType>;

template <typename AttributeType>
using TVertexAttributesConstRef = TMeshAttributesConstRef<FVertexID, AttributeType>;
template <typename AttributeType>
using TVertexInstanceAttributesConstRef = TMeshAttributesConstRef<FVertexInstanceID, AttributeType>;
template <typename AttributeType>
using TEdgeAttributesConstRef = TMeshAttributesConstRef<FEdgeID, AttributeType>;
template <typename AttributeType>
using TPolygonGroupAttributesConstRef = TMeshAttributesConstRef<FPolygonGroupID, AttributeType>;

using FVertexArray = TMeshElementContainer<FVertexID>;
using FVertexInstanceArray = TMeshElementContainer<FVertexInstanceID>;
using FEdgeArray = TMeshElementContainer<FEdgeID>;
using FTriangleArray = TMeshElementContainer<FTriangleID>;
using FPolygonArray = TMeshElementContainer<FPolygonID>;
using FPolygonGroupArray = TMeshElementContainer<FPolygonGroupID>;

/**
 * An editable mesh. Creating a triangle also creates its encapsulating polygon and any edge
 * between its vertices that does not exist yet, as the engine does. Misuse (an ID that names no
 * element) is an assertion, as in the engine. The host never removes elements.
 */
struct MESHDESCRIPTION_API FMeshDescription
{
public:
	FMeshDescription() = default;
	FMeshDescription(FMeshDescription&&) = default;
	FMeshDescription& operator=(FMeshDescription&&) = default;
	// The engine's description is copyable; nothing the plug-in does copies one, so the host does not.
	FMeshDescription(const FMeshDescription&) = delete;
	FMeshDescription& operator=(const FMeshDescription&) = delete;

	/** The element lists. */
	const FVertexArray& Vertices() const { return VertexArray; }
	const FVertexInstanceArray& VertexInstances() const { return VertexInstanceArray; }
	const FEdgeArray& Edges() const { return EdgeArray; }
	const FTriangleArray& Triangles() const { return TriangleArray; }
	const FPolygonArray& Polygons() const { return PolygonArray; }
	const FPolygonGroupArray& PolygonGroups() const { return PolygonGroupArray; }

	/** The attribute sets of each element type. */
	TAttributesSet<FVertexID>& VertexAttributes() { return VertexAttributeSet; }
	const TAttributesSet<FVertexID>& VertexAttributes() const { return VertexAttributeSet; }
	TAttributesSet<FVertexInstanceID>& VertexInstanceAttributes() { return VertexInstanceAttributeSet; }
	const TAttributesSet<FVertexInstanceID>& VertexInstanceAttributes() const { return VertexInstanceAttributeSet; }
	TAttributesSet<FEdgeID>& EdgeAttributes() { return EdgeAttributeSet; }
	const TAttributesSet<FEdgeID>& EdgeAttributes() const { return EdgeAttributeSet; }
	TAttributesSet<FTriangleID>& TriangleAttributes() { return TriangleAttributeSet; }
	const TAttributesSet<FTriangleID>& TriangleAttributes() const { return TriangleAttributeSet; }
	TAttributesSet<FPolygonID>& PolygonAttributes() { return PolygonAttributeSet; }
	const TAttributesSet<FPolygonID>& PolygonAttributes() const { return PolygonAttributeSet; }
	TAttributesSet<FPolygonGroupID>& PolygonGroupAttributes() { return PolygonGroupAttributeSet; }
	const TAttributesSet<FPolygonGroupID>& PolygonGroupAttributes() const { return PolygonGroupAttributeSet; }

	/** Reserves room for that many more elements. */
	void ReserveNewVertices(const int32 NumberOfNewVertices);
	void ReserveNewVertexInstances(const int32 NumberOfNewVertexInstances);
	void ReserveNewEdges(const int32 NumberOfNewEdges);
	void ReserveNewTriangles(const int32 NumberOfNewTriangles);
	void ReserveNewPolygons(const int32 NumberOfNewPolygons);
	void ReserveNewPolygonGroups(const int32 NumberOfNewPolygonGroups);

	/** Adds a vertex; its attributes hold their defaults. */
	FVertexID CreateVertex();
	/** Adds a vertex instance on an existing vertex. */
	FVertexInstanceID CreateVertexInstance(const FVertexID VertexID);
	/** Adds an edge between two existing vertices. */
	FEdgeID CreateEdge(const FVertexID VertexID0, const FVertexID VertexID1);
	/** Adds a polygon group. */
	FPolygonGroupID CreatePolygonGroup();
	/**
	 * Adds a triangle of three existing vertex instances to an existing polygon group, with its
	 * encapsulating polygon and any missing edges; the new edges are appended to OutEdgeIDs.
	 */
	FTriangleID CreateTriangle(const FPolygonGroupID PolygonGroupID, TArrayView<const FVertexInstanceID> VertexInstanceIDs, TArray<FEdgeID>* OutEdgeIDs = nullptr);

	bool IsVertexValid(const FVertexID VertexID) const { return VertexArray.IsValid(VertexID); }
	bool IsVertexInstanceValid(const FVertexInstanceID VertexInstanceID) const { return VertexInstanceArray.IsValid(VertexInstanceID); }
	bool IsEdgeValid(const FEdgeID EdgeID) const { return EdgeArray.IsValid(EdgeID); }
	bool IsTriangleValid(const FTriangleID TriangleID) const { return TriangleArray.IsValid(TriangleID); }
	bool IsPolygonValid(const FPolygonID PolygonID) const { return PolygonArray.IsValid(PolygonID); }
	bool IsPolygonGroupValid(const FPolygonGroupID PolygonGroupID) const { return PolygonGroupArray.IsValid(PolygonGroupID); }

	/** The vertex a vertex instance is on. */
	FVertexID GetVertexInstanceVertex(const FVertexInstanceID VertexInstanceID) const;
	/** One of the two vertices of an edge (VertexNumber 0 or 1). */
	FVertexID GetEdgeVertex(const FEdgeID EdgeID, int32 VertexNumber) const;
	/** The edge between two vertices, in either order; FEdgeID::Invalid if there is none. */
	FEdgeID GetVertexPairEdge(const FVertexID VertexID0, const FVertexID VertexID1) const;
	/** The triangles that use an edge (the host searches all triangles). */
	TArray<FTriangleID> GetEdgeConnectedTriangleIDs(const FEdgeID EdgeID) const;
	/** The three vertex instances of a triangle, in the order given. */
	TArrayView<const FVertexInstanceID> GetTriangleVertexInstances(const FTriangleID TriangleID) const;
	/** One vertex instance of a triangle (0, 1 or 2). */
	FVertexInstanceID GetTriangleVertexInstance(const FTriangleID TriangleID, const int32 Index) const;
	/** The three edges of a triangle: corner 0 to 1, 1 to 2 and 2 to 0. */
	TArrayView<const FEdgeID> GetTriangleEdges(const FTriangleID TriangleID) const;
	/** The polygon group a triangle belongs to. */
	FPolygonGroupID GetTrianglePolygonGroup(const FTriangleID TriangleID) const;
	/** The polygon a triangle belongs to. */
	FPolygonID GetTrianglePolygon(const FTriangleID TriangleID) const;
	/** The polygon group a polygon belongs to. */
	FPolygonGroupID GetPolygonPolygonGroup(const FPolygonID PolygonID) const;

	/** Host: the vertex of each vertex instance, in instance order. */
	TArrayView<const FVertexID> GetHostVertexInstanceVertices() const { return TArrayView<const FVertexID>(VertexInstanceVertex.data(), int32(VertexInstanceVertex.size())); }
	/** Host: the three vertex instances of each triangle, triangle after triangle. */
	TArrayView<const FVertexInstanceID> GetHostTriangleVertexInstances() const { return TArrayView<const FVertexInstanceID>(TriangleVertexInstanceIDs.data(), int32(TriangleVertexInstanceIDs.size())); }
	/** Host: the polygon group of each triangle, in triangle order. */
	TArrayView<const FPolygonGroupID> GetHostTrianglePolygonGroups() const { return TArrayView<const FPolygonGroupID>(TrianglePolygonGroup.data(), int32(TrianglePolygonGroup.size())); }

	/** True if the description has no element of any type. */
	bool IsEmpty() const;
	/** Removes every element, keeping the registered attributes. */
	void Empty();

private:
	/** Appends an edge to the edges at one of its vertices; OtherVertexID is at its other end. */
	void LinkEdgeAtVertex(const FEdgeID EdgeID, const FVertexID VertexID, const FVertexID OtherVertexID);

	FVertexArray VertexArray;
	FVertexInstanceArray VertexInstanceArray;
	FEdgeArray EdgeArray;
	FTriangleArray TriangleArray;
	FPolygonArray PolygonArray;
	FPolygonGroupArray PolygonGroupArray;

	TAttributesSet<FVertexID> VertexAttributeSet;
	TAttributesSet<FVertexInstanceID> VertexInstanceAttributeSet;
	TAttributesSet<FEdgeID> EdgeAttributeSet;
	TAttributesSet<FTriangleID> TriangleAttributeSet;
	TAttributesSet<FPolygonID> PolygonAttributeSet;
	TAttributesSet<FPolygonGroupID> PolygonGroupAttributeSet;

	// Connectivity, indexed by element.
	std::vector<FVertexID> VertexInstanceVertex;
	// The edges at each vertex, in creation order: the first InlineEdges of them in the vertex's own
	// record, beside the vertex at their other end, so that finding an edge mostly reads one cache
	// line; the others in a list threaded through the edges (each edge's next one at each of its two
	// ends; end 0 only for an edge from a vertex to itself). No allocation per vertex.
	static constexpr int32 InlineEdges = 6;
	struct alignas(64) FVertexEdges
	{
		FVertexID Others[InlineEdges];
		FEdgeID Edges[InlineEdges];
		int32 Num = 0;
		FEdgeID OverflowFirst = FEdgeID::Invalid;
		FEdgeID OverflowLast = FEdgeID::Invalid;
	};
	struct FEdgeRecord
	{
		FVertexID Vertices[2];
		FEdgeID Next[2];
	};
	std::vector<FEdgeRecord> EdgeRecords;
	std::vector<FVertexEdges> VertexEdges;
	std::vector<FVertexInstanceID> TriangleVertexInstanceIDs;
	std::vector<FEdgeID> TriangleEdgeIDs;
	std::vector<FPolygonGroupID> TrianglePolygonGroup;
	std::vector<FPolygonGroupID> PolygonPolygonGroup;
};
