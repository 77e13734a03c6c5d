// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "Engine/Engine.h"
#include "Modules/ModuleManager.h"
#include "SceneQueryFixture.h"

namespace
{
	using HostWorld = OrvaneTest::SceneQueryTest;
}

TEST_F(HostWorld, ComposesWorldTransformsThroughAttachParents)
{
	AActor* Actor = SpawnEmpty(FVector(100.0, 0.0, 0.0));
	Actor->GetRootComponent()->SetRelativeRotation(FRotator(0.0, 90.0, 0.0));
	Actor->GetRootComponent()->SetRelativeScale3D(FVector(2.0));
	UBoxComponent* Box = AddBlockingBox(Actor, FVector(5.0), FVector(10.0, 0.0, 0.0));

	// Ten forward in the root's frame is twenty along +Y once turned and scaled.
	EXPECT_TRUE(Box->GetComponentLocation().Equals(FVector(100.0, 20.0, 0.0), 1e-9));
	EXPECT_TRUE(Box->GetComponentScale().Equals(FVector(2.0), 1e-12));
	EXPECT_TRUE(Box->GetScaledBoxExtent().Equals(FVector(10.0), 1e-12));

	AActor* Child = SpawnEmpty();
	Child->AttachToActor(Actor, FAttachmentTransformRules::KeepRelativeTransform);
	ASSERT_TRUE(Child->SetActorLocation(FVector(100.0, 50.0, 0.0)));
	EXPECT_TRUE(Child->GetActorLocation().Equals(FVector(100.0, 50.0, 0.0), 1e-9)) << "a world location, whatever the parent";
	EXPECT_TRUE(Child->GetRootComponent()->GetRelativeLocation().Equals(FVector(25.0, 0.0, 0.0), 1e-9));
}

TEST_F(HostWorld, BoundsCoverEveryPrimitiveWithGeometry)
{
	AActor* Actor = SpawnEmpty(FVector(0.0, 0.0, 100.0));
	AddBlockingBox(Actor, FVector(10.0), FVector(-50.0, 0.0, 0.0));
	UBoxComponent* Trigger = AddBlockingBox(Actor, FVector(10.0), FVector(50.0, 0.0, 0.0));
	Trigger->SetCollisionEnabled(ECollisionEnabled::NoCollision);

	FVector Origin;
	FVector Extent;
	Actor->GetActorBounds(false, Origin, Extent);
	EXPECT_TRUE(Origin.Equals(FVector(0.0, 0.0, 100.0), 1e-9));
	EXPECT_TRUE(Extent.Equals(FVector(60.0, 10.0, 10.0), 1e-9));
	Actor->GetActorBounds(true, Origin, Extent);
	EXPECT_TRUE(Origin.Equals(FVector(-50.0, 0.0, 100.0), 1e-9)) << "only the colliding box";
	EXPECT_TRUE(Extent.Equals(FVector(10.0), 1e-9));

	AActor* Empty = SpawnEmpty(FVector(5.0));
	Empty->GetActorBounds(false, Origin, Extent);
	EXPECT_TRUE(Origin.IsZero());
	EXPECT_TRUE(Extent.IsZero());
}

TEST(HostEngine, StartsWithTheEditorWorldAsTheCurrentWorld)
{
	FModuleManager::Get().LoadModule(TEXT("UnrealEd"));
	ASSERT_NE(GEditor, nullptr);
	UWorld* EditorWorld = GEditor->GetEditorWorldContext().World();
	ASSERT_NE(EditorWorld, nullptr);
	EXPECT_EQ(EditorWorld->WorldType, EWorldType::Editor);
	EXPECT_EQ(static_cast<UWorld*>(GWorld), EditorWorld);
	bool bListed = false;
	for (const FWorldContext& Context : GEditor->GetWorldContexts())
	{
		bListed |= Context.World() == EditorWorld;
	}
	EXPECT_TRUE(bListed);

	// Contexts keep their place while others are added and removed.
	FWorldContext& Added = GEditor->CreateNewWorldContext(EWorldType::PIE);
	FWorldContext& Editor = GEditor->GetEditorWorldContext();
	for (int32 Index = 0; Index < 20; ++Index)
	{
		GEditor->CreateNewWorldContext(EWorldType::GamePreview);
	}
	EXPECT_EQ(&GEditor->GetEditorWorldContext(), &Editor);
	EXPECT_EQ(Added.WorldType, EWorldType::PIE);
	for (int32 Index = 0; Index < 21; ++Index)
	{
		GEditor->DestroyWorldContext(nullptr);
	}
	EXPECT_EQ(GEditor->GetEditorWorldContext().World(), EditorWorld);
}
