// Copyright Kelmora. All Rights Reserved.
// A world of actors for the scene query tests, removed again when the test ends.
#pragma once

#include "CoreMinimal.h"
#include "Components/BoxComponent.h"
#include "Components/SceneComponent.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "LogCapture.h"

#include <gtest/gtest.h>

namespace OrvaneTest
{
	class SceneQueryTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			World = UWorld::CreateWorld(EWorldType::Editor, false, FName(TEXT("SceneQueryWorld")));
			ASSERT_NE(World, nullptr);
		}

		void TearDown() override
		{
			if (World)
			{
				World->RemoveFromRoot();
				World->MarkAsGarbage();
			}
		}

		/** An actor with a root scene component at Location. */
		AActor* SpawnEmpty(const FVector& Location = FVector::ZeroVector)
		{
			AActor* Actor = World->SpawnActor(AActor::StaticClass(), Location, FRotator::ZeroRotator);
			USceneComponent* Root = NewObject<USceneComponent>(Actor, FName(TEXT("Root")));
			Actor->SetRootComponent(Root);
			Root->SetRelativeLocation(Location);
			return Actor;
		}

		/** A box that blocks every channel, attached to the actor's root. */
		UBoxComponent* AddBlockingBox(AActor* Actor, const FVector& Extent, const FVector& RelativeLocation = FVector::ZeroVector)
		{
			UBoxComponent* Box = NewObject<UBoxComponent>(Actor);
			Box->SetBoxExtent(Extent);
			Box->SetCollisionEnabled(ECollisionEnabled::QueryAndPhysics);
			Box->SetCollisionResponseToAllChannels(ECR_Block);
			Box->AttachToComponent(Actor->GetRootComponent(), FAttachmentTransformRules::KeepRelativeTransform);
			Box->SetRelativeLocation(RelativeLocation);
			return Box;
		}

		UWorld* World = nullptr;
		FLogCapture Log;
	};
}
