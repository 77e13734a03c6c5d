// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "EditorKit.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "Modules/ModuleManager.h"

#include <gtest/gtest.h>

TEST(PlaySessionEvents, PostPIEStartedComesOnceThePlayWorldsActorsHaveBegunPlay)
{
	FModuleManager::Get().LoadModule(TEXT("UnrealEd"));
	ASSERT_NE(GEditor, nullptr);
	UWorld* EditorWorld = GEditor->GetEditorWorldContext().World();
	ASSERT_NE(EditorWorld, nullptr);
	AActor* Placed = EditorWorld->SpawnActor(AActor::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator);
	ASSERT_NE(Placed, nullptr);

	int32 Calls = 0;
	bool bWorldReady = false;
	const FName PlacedName = Placed->GetFName();
	const FDelegateHandle Handle = FEditorDelegates::PostPIEStarted.AddLambda([&](const bool bIsSimulating)
		{
			++Calls;
			EXPECT_FALSE(bIsSimulating);
			UWorld* World = GEditor->PlayWorld;
			bWorldReady = World && GEditor->IsPlaySessionInProgress();
			for (AActor* Actor : World ? World->PersistentLevel->Actors : TArray<TObjectPtr<AActor>>())
			{
				if (Actor && Actor->GetFName() == PlacedName)
				{
					EXPECT_TRUE(Actor->HasActorBegunPlay());
				}
			} });

	GEditor->RequestPlaySession(FRequestPlaySessionParams());
	EXPECT_EQ(Calls, 0) << "a session starts on the next editor tick";
	FEditorLoopKit::Tick(0.01f);
	EXPECT_EQ(Calls, 1);
	EXPECT_TRUE(bWorldReady);
	FEditorLoopKit::Tick(0.01f);
	EXPECT_EQ(Calls, 1) << "sent once a session";

	GEditor->RequestEndPlayMap();
	FEditorLoopKit::Tick(0.01f);
	EXPECT_EQ(Calls, 1);
	FEditorDelegates::PostPIEStarted.Remove(Handle);
	Placed->Destroy();
}
