// Copyright Kelmora. All Rights Reserved.
#include "MeshDescription.h"
#include "StaticMeshAttributes.h"

#include <gtest/gtest.h>

namespace
{
	/** Two triangles sharing the edge between vertices 0 and 2: a quad split along its diagonal. */
	struct FQuad
	{
		FMeshDescription Mesh;
		FPolygonGroupID Group;
		FTriangleID First;
		FTriangleID Second;
		TArray<FEdgeID> FirstEdges;
		TArray<FEdgeID> SecondEdges;

		FQuad()
		{
			FStaticMeshAttributes Attributes(Mesh);
			Attributes.Register();
			FVertexID Vertices[4];
			for (FVertexID& Vertex : Vertices)
			{
				Vertex = Mesh.CreateVertex();
			}
			FVertexInstanceID Instances[6];
			const int32 Corners[6] = {0, 1, 2, 0, 2, 3};
			for (int32 Index = 0; Index < 6; ++Index)
			{
				Instances[Index] = Mesh.CreateVertexInstance(Vertices[Corners[Index]]);
			}
			Group = Mesh.CreatePolygonGroup();
			First = Mesh.CreateTriangle(Group, TArray<FVertexInstanceID>{Instances[0], Instances[1], Instances[2]}, &FirstEdges);
			Second = Mesh.CreateTriangle(Group, TArray<FVertexInstanceID>{Instances[3], Instances[4], Instances[5]}, &SecondEdges);
		}
	};
}

TEST(MeshDescription, TrianglesCreateTheirPolygonAndOnlyTheMissingEdges)
{
	FQuad Quad;
	EXPECT_EQ(Quad.Mesh.Triangles().Num(), 2);
	EXPECT_EQ(Quad.Mesh.Polygons().Num(), 2);
	EXPECT_EQ(Quad.Mesh.Edges().Num(), 5);
	EXPECT_EQ(Quad.FirstEdges.Num(), 3);
	EXPECT_EQ(Quad.SecondEdges.Num(), 2);

	const FEdgeID Diagonal = Quad.Mesh.GetVertexPairEdge(FVertexID(2), FVertexID(0));
	ASSERT_NE(Diagonal, FEdgeID::Invalid);
	EXPECT_EQ(Quad.Mesh.GetEdgeConnectedTriangleIDs(Diagonal).Num(), 2);
	EXPECT_EQ(Quad.Mesh.GetVertexPairEdge(FVertexID(1), FVertexID(3)), FEdgeID::Invalid);
	EXPECT_EQ(Quad.Mesh.GetTriangleEdges(Quad.Second)[0], Diagonal);
	EXPECT_EQ(Quad.Mesh.GetTrianglePolygonGroup(Quad.Second), Quad.Group);
	EXPECT_EQ(Quad.Mesh.GetTrianglePolygon(Quad.Second), FPolygonID(1));
}

TEST(MeshDescription, TrianglesKeepTheirCornersInOrder)
{
	FQuad Quad;
	const TArrayView<const FVertexInstanceID> Corners = Quad.Mesh.GetTriangleVertexInstances(Quad.Second);
	ASSERT_EQ(Corners.Num(), 3);
	EXPECT_EQ(Corners[0], FVertexInstanceID(3));
	EXPECT_EQ(Corners[2], FVertexInstanceID(5));
	EXPECT_EQ(Quad.Mesh.GetVertexInstanceVertex(Corners[2]), FVertexID(3));
}

TEST(StaticMeshAttributes, RegisterGivesOneUVChannelAndEngineDefaults)
{
	FMeshDescription Mesh;
	FStaticMeshAttributes Attributes(Mesh);
	EXPECT_FALSE(Attributes.GetVertexInstanceUVs().IsValid());
	Attributes.Register();
	const FVertexInstanceID Instance = Mesh.CreateVertexInstance(Mesh.CreateVertex());
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().GetNumChannels(), 1);
	EXPECT_EQ(Attributes.GetVertexInstanceColors()[Instance], FVector4f(1.0f, 1.0f, 1.0f, 1.0f));
	EXPECT_EQ(Attributes.GetVertexInstanceNormals()[Instance], FVector3f(0.0f, 0.0f, 0.0f));
	EXPECT_TRUE(Attributes.GetPolygonGroupMaterialSlotNames().IsValid());
	EXPECT_TRUE(Attributes.GetEdgeHardnesses().IsValid());
}

TEST(StaticMeshAttributes, ValuesWrittenThroughSetAndSubscriptReadBack)
{
	FMeshDescription Mesh;
	FStaticMeshAttributes Attributes(Mesh);
	Attributes.Register();
	TVertexAttributesRef<FVector3f> Positions = Attributes.GetVertexPositions();
	TVertexInstanceAttributesRef<FVector2f> UVs = Attributes.GetVertexInstanceUVs();
	TPolygonGroupAttributesRef<FName> SlotNames = Attributes.GetPolygonGroupMaterialSlotNames();
	Mesh.ReserveNewVertices(2);
	const FVertexID A = Mesh.CreateVertex();
	const FVertexID B = Mesh.CreateVertex();
	Positions[B] = FVector3f(-300.0f, 100.0f, 200.0f);
	const FVertexInstanceID First = Mesh.CreateVertexInstance(A);
	const FVertexInstanceID Second = Mesh.CreateVertexInstance(B);
	UVs.Set(First, 0, FVector2f(0.25f, 0.75f));
	UVs[Second] = FVector2f(1.0f, 0.5f);
	const FPolygonGroupID Group = Mesh.CreatePolygonGroup();
	SlotNames[Group] = FName(TEXT("Orvane_Material"));

	EXPECT_EQ(Positions[A], FVector3f(0.0f, 0.0f, 0.0f));
	EXPECT_EQ(Positions.Get(B), FVector3f(-300.0f, 100.0f, 200.0f));
	EXPECT_EQ(UVs.Get(First, 0), FVector2f(0.25f, 0.75f));
	EXPECT_EQ(UVs.Get(Second), FVector2f(1.0f, 0.5f));
	EXPECT_EQ(SlotNames[Group], FName(TEXT("Orvane_Material")));
	// Elements created after a value was written leave it alone.
	Mesh.CreateVertex();
	EXPECT_EQ(Positions.Get(B), FVector3f(-300.0f, 100.0f, 200.0f));
}

TEST(StaticMeshAttributes, RegisteringAgainKeepsValuesAndResetsTheChannelsUnlessKept)
{
	FMeshDescription Mesh;
	FStaticMeshAttributes Attributes(Mesh);
	Attributes.Register();
	const FVertexInstanceID Instance = Mesh.CreateVertexInstance(Mesh.CreateVertex());
	Attributes.GetVertexInstanceUVs().SetNumChannels(3);
	Attributes.GetVertexInstanceUVs().Set(Instance, 2, FVector2f(0.5f, 0.5f));
	Attributes.GetVertexInstanceUVs()[Instance] = FVector2f(0.25f, 0.0f);
	Attributes.Register(true);
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().GetNumChannels(), 3);
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().Get(Instance, 2), FVector2f(0.5f, 0.5f));
	Attributes.Register();
	EXPECT_EQ(Attributes.GetVertexInstanceUVs().GetNumChannels(), 1);
	EXPECT_EQ(Attributes.GetVertexInstanceUVs()[Instance], FVector2f(0.25f, 0.0f));
}

TEST(MeshDescription, EdgesAreFoundFromEitherEndAmongManyAtOneVertex)
{
	// A fan: vertex 0 is the hub of 8 triangles, so it carries 16 edges; each rim vertex carries 3.
	FMeshDescription Mesh;
	FStaticMeshAttributes Attributes(Mesh);
	Attributes.Register();
	constexpr int32 Rim = 16;
	const FVertexID Hub = Mesh.CreateVertex();
	for (int32 Index = 0; Index < Rim; ++Index)
	{
		Mesh.CreateVertex();
	}
	const FPolygonGroupID Group = Mesh.CreatePolygonGroup();
	for (int32 Index = 0; Index < Rim; Index += 2)
	{
		const FVertexInstanceID Corners[3] = {Mesh.CreateVertexInstance(Hub), Mesh.CreateVertexInstance(FVertexID(1 + Index)), Mesh.CreateVertexInstance(FVertexID(2 + Index))};
		Mesh.CreateTriangle(Group, TArrayView<const FVertexInstanceID>(Corners, 3));
	}
	ASSERT_EQ(Mesh.Edges().Num(), 24);
	for (int32 Edge = 0; Edge < Mesh.Edges().Num(); ++Edge)
	{
		const FVertexID A = Mesh.GetEdgeVertex(FEdgeID(Edge), 0);
		const FVertexID B = Mesh.GetEdgeVertex(FEdgeID(Edge), 1);
		EXPECT_EQ(Mesh.GetVertexPairEdge(A, B), FEdgeID(Edge));
		EXPECT_EQ(Mesh.GetVertexPairEdge(B, A), FEdgeID(Edge));
	}
	EXPECT_EQ(Mesh.GetVertexPairEdge(FVertexID(2), FVertexID(3)), FEdgeID::Invalid) << "neighbouring triangles of the fan share no rim edge";
	EXPECT_EQ(Mesh.GetVertexPairEdge(Hub, Hub), FEdgeID::Invalid);

	// An edge from a vertex to itself, and a second edge between the same pair: the first one made is found.
	const FEdgeID Loop = Mesh.CreateEdge(Hub, Hub);
	const FEdgeID Again = Mesh.CreateEdge(FVertexID(2), Hub);
	EXPECT_EQ(Mesh.GetVertexPairEdge(Hub, Hub), Loop);
	EXPECT_NE(Mesh.GetVertexPairEdge(Hub, FVertexID(2)), Again);
	EXPECT_EQ(Mesh.GetVertexPairEdge(Hub, FVertexID(2)), Mesh.GetVertexPairEdge(FVertexID(2), Hub));
	EXPECT_EQ(Mesh.GetVertexPairEdge(Hub, FVertexID(16)), FEdgeID(23)) << "the hub's last triangle edge is far down its list";
	const FVertexID Late = Mesh.CreateVertex();
	const FEdgeID LateEdge = Mesh.CreateEdge(Late, Hub);
	EXPECT_EQ(Mesh.GetVertexPairEdge(Hub, Late), LateEdge) << "an edge after the loop on the hub's list is still reached";
	EXPECT_EQ(Mesh.GetVertexPairEdge(Late, Hub), LateEdge);
	const FEdgeID RimLoop = Mesh.CreateEdge(FVertexID(1), FVertexID(1));
	EXPECT_EQ(Mesh.GetVertexPairEdge(FVertexID(1), FVertexID(1)), RimLoop) << "a loop at a vertex with few edges";
	EXPECT_EQ(Mesh.GetVertexPairEdge(FVertexID(1), Hub), FEdgeID(0));

	Mesh.Empty();
	const FVertexID First = Mesh.CreateVertex();
	const FVertexID Second = Mesh.CreateVertex();
	EXPECT_EQ(Mesh.GetVertexPairEdge(First, Second), FEdgeID::Invalid) << "emptying forgets the edges";
	EXPECT_EQ(Mesh.CreateEdge(First, Second), FEdgeID(0));
	EXPECT_EQ(Mesh.GetVertexPairEdge(Second, First), FEdgeID(0));
}

TEST(StaticMeshAttributes, ChannelsNeverWrittenReadAsDefaultsWhateverTheElementCount)
{
	FMeshDescription Mesh;
	FStaticMeshAttributes Attributes(Mesh);
	Attributes.Register();
	Mesh.ReserveNewVertexInstances(1000);
	const FVertexID Vertex = Mesh.CreateVertex();
	for (int32 Index = 0; Index < 1000; ++Index)
	{
		Mesh.CreateVertexInstance(Vertex);
	}
	const FMeshDescription& ReadOnly = Mesh;
	const TVertexInstanceAttributesConstRef<FVector4f> Colors = ReadOnly.VertexInstanceAttributes().GetAttributesRef<FVector4f>(MeshAttribute::VertexInstance::Color);
	ASSERT_TRUE(Colors.IsValid());
	EXPECT_EQ(Colors.GetNumElements(), 1000);
	EXPECT_EQ(Colors[FVertexInstanceID(999)], FVector4f(1.0f, 1.0f, 1.0f, 1.0f));
	EXPECT_EQ(Attributes.GetVertexInstanceTangents().Get(FVertexInstanceID(500)), FVector3f(0.0f, 0.0f, 0.0f));

	// A second channel written in the middle: its other elements, and channel 0, stay at the default,
	// also for elements made afterwards.
	TVertexInstanceAttributesRef<FVector2f> UVs = Attributes.GetVertexInstanceUVs();
	UVs.SetNumChannels(2);
	UVs.Set(FVertexInstanceID(500), 1, FVector2f(0.5f, 0.25f));
	const FVertexInstanceID Later = Mesh.CreateVertexInstance(Vertex);
	EXPECT_EQ(UVs.Get(FVertexInstanceID(500), 1), FVector2f(0.5f, 0.25f));
	EXPECT_EQ(UVs.Get(FVertexInstanceID(499), 1), FVector2f(0.0f, 0.0f));
	EXPECT_EQ(UVs.Get(FVertexInstanceID(500), 0), FVector2f(0.0f, 0.0f));
	EXPECT_EQ(UVs.Get(Later, 1), FVector2f(0.0f, 0.0f));
	EXPECT_EQ(UVs.GetNumElements(), 1001);

	// Dropping the written channel and adding it again gives back defaults.
	UVs.SetNumChannels(1);
	UVs.SetNumChannels(2);
	EXPECT_EQ(UVs.Get(FVertexInstanceID(500), 1), FVector2f(0.0f, 0.0f));
}

TEST(StaticMeshAttributes, AMovedDescriptionKeepsItsValuesAndGrowsOnItsOwn)
{
	FMeshDescription Source;
	FStaticMeshAttributes(Source).Register();
	const FVertexInstanceID First = Source.CreateVertexInstance(Source.CreateVertex());
	FStaticMeshAttributes(Source).GetVertexInstanceUVs().Set(First, 0, FVector2f(0.5f, 0.25f));

	FMeshDescription Moved(MoveTemp(Source));
	FMeshDescription Assigned;
	Assigned = MoveTemp(Moved);
	// New elements count in the description that now owns the attributes.
	const FVertexInstanceID Second = Assigned.CreateVertexInstance(FVertexID(0));
	FStaticMeshAttributes Attributes(Assigned);
	TVertexInstanceAttributesRef<FVector2f> UVs = Attributes.GetVertexInstanceUVs();
	EXPECT_EQ(UVs.GetNumElements(), 2);
	EXPECT_EQ(UVs.Get(First, 0), FVector2f(0.5f, 0.25f));
	EXPECT_EQ(UVs.Get(Second, 0), FVector2f(0.0f, 0.0f));
	UVs.Set(Second, 0, FVector2f(1.0f, 1.0f));
	EXPECT_EQ(UVs.Get(Second, 0), FVector2f(1.0f, 1.0f));
	EXPECT_EQ(Attributes.GetVertexInstanceColors().GetNumElements(), 2);
}
