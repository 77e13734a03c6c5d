// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MeshAttributes.h (MeshDescription module): the attributes every mesh
// description has, and the base of attribute helpers such as FStaticMeshAttributes.
#pragma once

#include "CoreMinimal.h"
#include "Math/Vector.h"
#include "MeshDescription.h"

namespace MeshAttribute
{
	namespace Vertex
	{
		/** FVector3f: the vertex position. */
		extern MESHDESCRIPTION_API const FName Position;
	}
}

/** Registers and reaches the attributes every mesh description has. */
class MESHDESCRIPTION_API FMeshAttributes
{
public:
	explicit FMeshAttributes(FMeshDescription& InMeshDescription)
		: MeshDescription(InMeshDescription)
	{
	}
	virtual ~FMeshAttributes() = default;

	/** Registers the vertex positions; with bKeepExistingAttribute, existing values are kept. */
	virtual void Register(bool bKeepExistingAttribute = false);

	/** The vertex positions. */
	TVertexAttributesRef<FVector3f> GetVertexPositions() { return MeshDescription.VertexAttributes().GetAttributesRef<FVector3f>(MeshAttribute::Vertex::Position); }
	TVertexAttributesConstRef<FVector3f> GetVertexPositions() const { return static_cast<const FMeshDescription&>(MeshDescription).VertexAttributes().GetAttributesRef<FVector3f>(MeshAttribute::Vertex::Position); }

protected:
	FMeshDescription& MeshDescription;
};
