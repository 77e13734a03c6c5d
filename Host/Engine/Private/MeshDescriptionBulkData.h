// Copyright Kelmora. All Rights Reserved.
// The host's bulk data for a committed static mesh description, saved beside the asset file.
//
// Little-endian, packed, no padding:
//   uint32 Magic 'MDBK' (0x4B42444D), uint32 Version (2; version 1 is still read)
//   int32  NumVertices V, NumVertexInstances I, NumTriangles T, NumPolygonGroups G, NumUVChannels C
//   uint32 Layout (version 2 only): bit 0 = the triangles use the vertex instances in order (triangle t
//          uses 3t, 3t+1 and 3t+2) and TriangleInstances is left out; bit 1 = every triangle is in one
//          polygon group and TriangleGroup is one int32; no other bit may be set
//   float  Positions[V][3]                      vertex positions (x, y, z)
//   int32  InstanceVertex[I]                    the vertex each vertex instance is on
//   float  UVs[C][I][2]                         instance UVs, channel by channel
//   int32  TriangleInstances[T][3]              the vertex instances of each triangle, in order
//   int32  TriangleGroup[T]                     each triangle's polygon group
//   G x { int32 Length; Length bytes of UTF-8 } each group's material slot name ("" = None)
// Edges and polygons are not stored: loading re-creates the triangles in order, which re-creates
// them exactly. Normals, tangents, binormal signs, colours and edge hardness are not stored either
// (the build derives them); they load as their defaults.
#pragma once

#include "CoreMinimal.h"
#include "Containers/ArrayView.h"

struct FMeshDescription;

namespace UE::Engine::Host::MeshDescriptionBulkData
{
	/** Appends the description's bulk data to OutBytes; false with OutError when it is too large. */
	bool Write(const FMeshDescription& MeshDescription, TArray<uint8>& OutBytes, FString& OutError);

	/** Fills an empty description (static mesh attributes registered) from Bytes; false with OutError when they are not valid. */
	bool Read(TArrayView<const uint8> Bytes, FMeshDescription& OutMeshDescription, FString& OutError);
}
