// Copyright Kelmora. All Rights Reserved.
#include "Components/BoxComponent.h"
#include "Components/SceneComponent.h"
#include "Editor.h"
#include "EditorKit.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "LogCapture.h"
#include "Modules/ModuleManager.h"
#include "PlayTickFixture.h"

#include <gtest/gtest.h>

namespace
{
	/** The headless editor's play sessions, with one actor placed in the editor level. */
	class FPlaySession : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("UnrealEd"));
			ASSERT_NE(GEditor, nullptr);
			EditorWorld = GEditor->GetEditorWorldContext().World();
			Placed = EditorWorld->SpawnActor(AActor::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator);
			USceneComponent* Root = NewObject<USceneComponent>(Placed, FName(TEXT("Root")));
			Placed->SetRootComponent(Root);
			Root->SetRelativeLocation(FVector(100.0, 0.0, 50.0));
			Box = NewObject<UBoxComponent>(Placed, FName(TEXT("Bounds")));
			Box->SetBoxExtent(FVector(20.0, 30.0, 40.0));
			Box->AttachToComponent(Root, FAttachmentTransformRules::KeepRelativeTransform);
			Box->SetRelativeLocation(FVector(0.0, 10.0, 0.0));
		}

		void TearDown() override
		{
			GEditor->RequestEndPlayMap();
			FEditorLoopKit::Tick(0.016f);
			EditorWorld->DestroyActor(Placed);
		}

		static UWorld* FindPlayWorld()
		{
			for (const FWorldContext& Context : GEditor->GetWorldContexts())
			{
				if (Context.WorldType == EWorldType::PIE)
				{
					return Context.World();
				}
			}
			return nullptr;
		}

		/** The play copy of the placed actor. */
		AActor* FindCopy(UWorld* World) const
		{
			for (AActor* Actor : World->PersistentLevel->Actors)
			{
				if (Actor && Actor->GetFName() == Placed->GetFName())
				{
					return Actor;
				}
			}
			return nullptr;
		}

		UWorld* EditorWorld = nullptr;
		AActor* Placed = nullptr;
		UBoxComponent* Box = nullptr;
	};
}

TEST_F(FPlaySession, StartsOnTheNextTickWithCopiesOfTheEditorActorsThatBeginPlay)
{
	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	EXPECT_EQ(FindPlayWorld(), nullptr) << "not before the next tick";
	FEditorLoopKit::Tick(0.016f);
	UWorld* PlayWorld = FindPlayWorld();
	ASSERT_NE(PlayWorld, nullptr);
	EXPECT_EQ(PlayWorld, GEditor->PlayWorld.Get());
	EXPECT_EQ(PlayWorld->WorldType, EWorldType::PIE);
	EXPECT_TRUE(PlayWorld->HasBegunPlay());

	AActor* Copy = FindCopy(PlayWorld);
	ASSERT_NE(Copy, nullptr);
	EXPECT_NE(Copy, Placed);
	EXPECT_EQ(Copy->GetWorld(), PlayWorld);
	EXPECT_TRUE(Copy->HasActorBegunPlay());
	EXPECT_FALSE(Placed->HasActorBegunPlay()) << "the editor's actors never play";

	// The copy has its own components, in the same places, attached among themselves.
	UBoxComponent* CopyBox = Copy->FindComponentByClass<UBoxComponent>();
	ASSERT_NE(CopyBox, nullptr);
	EXPECT_NE(CopyBox, Box);
	EXPECT_EQ(CopyBox->GetOwner(), Copy);
	EXPECT_EQ(CopyBox->GetAttachParent(), Copy->GetRootComponent());
	EXPECT_NE(Copy->GetRootComponent(), Placed->GetRootComponent());
	EXPECT_TRUE(CopyBox->GetUnscaledBoxExtent().Equals(FVector(20.0, 30.0, 40.0)));
	EXPECT_TRUE(CopyBox->GetComponentLocation().Equals(FVector(100.0, 10.0, 50.0), 1e-9));
	EXPECT_TRUE(CopyBox->HasBegunPlay());
	EXPECT_FALSE(Box->HasBegunPlay());

	// Moving the copy leaves the editor's actor where it was.
	Copy->SetActorLocation(FVector(0.0));
	EXPECT_TRUE(Placed->GetActorLocation().Equals(FVector(100.0, 0.0, 50.0)));

	// Spawned during play: begins at once.
	AActor* Spawned = PlayWorld->SpawnActor(AActor::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator);
	EXPECT_TRUE(Spawned->HasActorBegunPlay());

	GEditor->RequestEndPlayMap();
	EXPECT_NE(FindPlayWorld(), nullptr) << "not before the next tick";
	FEditorLoopKit::Tick(0.016f);
	EXPECT_EQ(FindPlayWorld(), nullptr);
	EXPECT_EQ(GEditor->PlayWorld.Get(), nullptr);
	EXPECT_FALSE(Copy->HasActorBegunPlay()) << "play ended for the copies";
	EXPECT_FALSE(CopyBox->HasBegunPlay());
	EXPECT_FALSE(Spawned->HasActorBegunPlay());
}

TEST_F(FPlaySession, OneSessionAtATimeAndEndingWithoutOneDoesNothing)
{
	FLogCapture Log;
	GEditor->RequestEndPlayMap();
	FEditorLoopKit::Tick(0.016f);
	EXPECT_EQ(FindPlayWorld(), nullptr);

	const int32 Started = GEditor->GetHostStartedSessionCount();
	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	FEditorLoopKit::Tick(0.016f);
	UWorld* First = FindPlayWorld();
	ASSERT_NE(First, nullptr);
	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	FEditorLoopKit::Tick(0.016f);
	EXPECT_EQ(FindPlayWorld(), First);
	EXPECT_EQ(GEditor->GetHostStartedSessionCount(), Started + 1);
	EXPECT_EQ(Log.CountContaining(TEXT("already running")), 1);
	int32 PlayContexts = 0;
	for (const FWorldContext& Context : GEditor->GetWorldContexts())
	{
		PlayContexts += Context.WorldType == EWorldType::PIE ? 1 : 0;
	}
	EXPECT_EQ(PlayContexts, 1);
}

TEST_F(FPlaySession, DestroyingAPlayingActorEndsItsPlay)
{
	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	FEditorLoopKit::Tick(0.016f);
	UWorld* PlayWorld = FindPlayWorld();
	ASSERT_NE(PlayWorld, nullptr);
	AActor* Copy = FindCopy(PlayWorld);
	ASSERT_NE(Copy, nullptr);
	UBoxComponent* CopyBox = Copy->FindComponentByClass<UBoxComponent>();
	ASSERT_TRUE(PlayWorld->DestroyActor(Copy));
	EXPECT_FALSE(Copy->HasActorBegunPlay());
	EXPECT_FALSE(CopyBox->HasBegunPlay());
}

TEST_F(FPlaySession, PlayingComponentsTickEachEditorFrameGroupByGroupInThePlayWorld)
{
	UPlayTickLateComponent* Late = NewObject<UPlayTickLateComponent>(Placed, FName(TEXT("Late")));
	NewObject<UPlayTickEarlyComponent>(Placed, FName(TEXT("Early")));
	UPlayTickDisabledComponent* Disabled = NewObject<UPlayTickDisabledComponent>(Placed, FName(TEXT("Disabled")));
	PlayTickRecords().Reset();

	FEditorLoopKit::Tick(0.02f);
	EXPECT_EQ(PlayTickRecords().Num(), 0) << "the editor level does not tick";

	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	const uint64 FrameBefore = GFrameCounter;
	FEditorLoopKit::Tick(0.02f);
	UWorld* PlayWorld = FindPlayWorld();
	ASSERT_NE(PlayWorld, nullptr);
	EXPECT_EQ(GFrameCounter, FrameBefore + 1) << "each editor frame is counted";
	// The session starts at the beginning of the frame, so its components tick in that frame already.
	ASSERT_EQ(PlayTickRecords().Num(), 2);
	EXPECT_EQ(PlayTickRecords()[0].Component, FName(TEXT("Early")));
	EXPECT_EQ(PlayTickRecords()[0].Group, TG_PrePhysics);
	EXPECT_EQ(PlayTickRecords()[1].Component, FName(TEXT("Late")));
	EXPECT_EQ(PlayTickRecords()[1].Group, TG_PostUpdateWork) << "after the default group, although made first";
	EXPECT_FLOAT_EQ(PlayTickRecords()[1].DeltaTime, 0.02f);
	EXPECT_EQ(PlayTickRecords()[1].CurrentWorld, PlayWorld) << "the play world is the current world while it ticks";
	EXPECT_NE(static_cast<UWorld*>(GWorld), PlayWorld);
	EXPECT_EQ(PlayTickRecords()[1].Frame, FrameBefore);

	// The disabled one ticks once enabled on its play copy; the editor's own component is not the one that plays.
	AActor* Copy = FindCopy(PlayWorld);
	ASSERT_NE(Copy, nullptr);
	UPlayTickDisabledComponent* CopyDisabled = Copy->FindComponentByClass<UPlayTickDisabledComponent>();
	ASSERT_NE(CopyDisabled, nullptr);
	EXPECT_FALSE(CopyDisabled->IsComponentTickEnabled());
	CopyDisabled->SetComponentTickEnabled(true);
	Copy->FindComponentByClass<UPlayTickLateComponent>()->SetComponentTickEnabled(false);
	PlayTickRecords().Reset();
	FEditorLoopKit::Tick(0.03f);
	ASSERT_EQ(PlayTickRecords().Num(), 2);
	EXPECT_EQ(PlayTickRecords()[0].Component, FName(TEXT("Early")));
	EXPECT_EQ(PlayTickRecords()[1].Component, FName(TEXT("Disabled")));
	EXPECT_EQ(PlayTickRecords()[1].Frame, FrameBefore + 1);

	GEditor->RequestEndPlayMap();
	FEditorLoopKit::Tick(0.02f);
	PlayTickRecords().Reset();
	FEditorLoopKit::Tick(0.02f);
	EXPECT_EQ(PlayTickRecords().Num(), 0) << "nothing ticks once the session has ended";
	EXPECT_FALSE(Late->HasBegunPlay());
	EXPECT_FALSE(Disabled->HasBegunPlay());
}
