// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MeshTypes.h (MeshDescription module): the typed element IDs.
#pragma once

#include "CoreMinimal.h"
#include "Templates/TypeHash.h"

/** The index of an element of a mesh description; INDEX_NONE when it names no element. */
struct FElementID
{
	constexpr FElementID()
		: IDValue(INDEX_NONE)
	{
	}
	constexpr FElementID(const int32 InitIDValue)
		: IDValue(InitIDValue)
	{
	}

	/** The element's index. */
	constexpr int32 GetValue() const { return IDValue; }
	// 5.x IDs convert to their index implicitly; unconfirmed for 5.6 headers, kept because it is harmless.
	constexpr operator int32() const { return IDValue; }

	friend constexpr bool operator==(const FElementID& A, const FElementID& B) { return A.IDValue == B.IDValue; }
	friend constexpr bool operator!=(const FElementID& A, const FElementID& B) { return A.IDValue != B.IDValue; }
	friend constexpr bool operator<(const FElementID& A, const FElementID& B) { return A.IDValue < B.IDValue; }
	friend uint32 GetTypeHash(const FElementID& Element) { return GetTypeHash(Element.IDValue); }

protected:
	int32 IDValue;
};

#define HOST_MESH_ELEMENT_ID(TypeName)  \
	struct TypeName : public FElementID \
	{                                   \
		using FElementID::FElementID;   \
		constexpr TypeName() = default; \
		static const TypeName Invalid;  \
	};                                  \
	inline constexpr TypeName TypeName::Invalid = TypeName(INDEX_NONE);

/** A point in space; vertex instances and edges refer to it. */
HOST_MESH_ELEMENT_ID(FVertexID)
/** A corner of a triangle on a vertex, carrying per-corner attributes such as UVs. */
HOST_MESH_ELEMENT_ID(FVertexInstanceID)
/** A line between two vertices, shared by the triangles on both sides. */
HOST_MESH_ELEMENT_ID(FEdgeID)
/** A triangle of three vertex instances. */
HOST_MESH_ELEMENT_ID(FTriangleID)
/** A polygon made of one or more triangles. */
HOST_MESH_ELEMENT_ID(FPolygonID)
/** A group of polygons sharing a material section. */
HOST_MESH_ELEMENT_ID(FPolygonGroupID)

#undef HOST_MESH_ELEMENT_ID
