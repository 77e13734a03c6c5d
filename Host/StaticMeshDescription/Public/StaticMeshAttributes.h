// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's StaticMeshAttributes.h (StaticMeshDescription module): the attributes
// of a static mesh's description and the helper that registers and reaches them.
#pragma once

#include "CoreMinimal.h"
#include "Math/Vector.h"
#include "Math/Vector2D.h"
#include "Math/Vector4.h"
#include "MeshAttributes.h"
#include "MeshDescription.h"

namespace MeshAttribute
{
	namespace VertexInstance
	{
		/** FVector2f, one channel per UV set. */
		extern STATICMESHDESCRIPTION_API const FName TextureCoordinate;
		/** FVector3f. */
		extern STATICMESHDESCRIPTION_API const FName Normal;
		/** FVector3f. */
		extern STATICMESHDESCRIPTION_API const FName Tangent;
		/** float. */
		extern STATICMESHDESCRIPTION_API const FName BinormalSign;
		/** FVector4f, linear colour. */
		extern STATICMESHDESCRIPTION_API const FName Color;
	}
	namespace Edge
	{
		/** bool. */
		extern STATICMESHDESCRIPTION_API const FName IsHard;
	}
	namespace PolygonGroup
	{
		/** FName: the material slot name the group's polygons use. */
		extern STATICMESHDESCRIPTION_API const FName ImportedMaterialSlotName;
	}
}

/** Registers and reaches the attributes of a static mesh's description. */
class STATICMESHDESCRIPTION_API FStaticMeshAttributes : public FMeshAttributes
{
public:
	explicit FStaticMeshAttributes(FMeshDescription& InMeshDescription)
		: FMeshAttributes(InMeshDescription)
	{
	}

	/**
	 * Registers the vertex positions, the vertex instance UVs (one channel), normals, tangents,
	 * binormal signs and colours (white), the edge hardness and the polygon group material slot
	 * names. With bKeepExistingAttribute, attributes already registered keep their values.
	 */
	virtual void Register(bool bKeepExistingAttribute = false) override;

	TVertexInstanceAttributesRef<FVector2f> GetVertexInstanceUVs() { return MeshDescription.VertexInstanceAttributes().GetAttributesRef<FVector2f>(MeshAttribute::VertexInstance::TextureCoordinate); }
	TVertexInstanceAttributesRef<FVector3f> GetVertexInstanceNormals() { return MeshDescription.VertexInstanceAttributes().GetAttributesRef<FVector3f>(MeshAttribute::VertexInstance::Normal); }
	TVertexInstanceAttributesRef<FVector3f> GetVertexInstanceTangents() { return MeshDescription.VertexInstanceAttributes().GetAttributesRef<FVector3f>(MeshAttribute::VertexInstance::Tangent); }
	TVertexInstanceAttributesRef<float> GetVertexInstanceBinormalSigns() { return MeshDescription.VertexInstanceAttributes().GetAttributesRef<float>(MeshAttribute::VertexInstance::BinormalSign); }
	TVertexInstanceAttributesRef<FVector4f> GetVertexInstanceColors() { return MeshDescription.VertexInstanceAttributes().GetAttributesRef<FVector4f>(MeshAttribute::VertexInstance::Color); }
	TEdgeAttributesRef<bool> GetEdgeHardnesses() { return MeshDescription.EdgeAttributes().GetAttributesRef<bool>(MeshAttribute::Edge::IsHard); }
	TPolygonGroupAttributesRef<FName> GetPolygonGroupMaterialSlotNames() { return MeshDescription.PolygonGroupAttributes().GetAttributesRef<FName>(MeshAttribute::PolygonGroup::ImportedMaterialSlotName); }
};
