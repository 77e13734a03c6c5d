// Copyright Kelmora. All Rights Reserved.
#include "Components/StaticMeshComponent.h"
#include "OrvaneLiveLinkHelper.h"
#include "SceneQueryFixture.h"
#include "UObject/Class.h"

namespace
{
	using OrvaneTest::SceneQueryTest;
	using CustomRenderPass = SceneQueryTest;
}

TEST_F(CustomRenderPass, SwitchesEveryPrimitiveComponentAndItsStencil)
{
	AActor* Actor = SpawnEmpty();
	UBoxComponent* Box = AddBlockingBox(Actor, FVector(10.0));
	UStaticMeshComponent* Mesh = NewObject<UStaticMeshComponent>(Actor);
	Mesh->SetCustomDepthStencilValue(7);

	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	EXPECT_TRUE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, true));
	for (const UPrimitiveComponent* Component : {static_cast<UPrimitiveComponent*>(Box), static_cast<UPrimitiveComponent*>(Mesh)})
	{
		EXPECT_TRUE(Component->bRenderCustomDepth);
		EXPECT_EQ(Component->CustomDepthStencilValue, 1);
	}
	EXPECT_TRUE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));

	EXPECT_TRUE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, false));
	for (const UPrimitiveComponent* Component : {static_cast<UPrimitiveComponent*>(Box), static_cast<UPrimitiveComponent*>(Mesh)})
	{
		EXPECT_FALSE(Component->bRenderCustomDepth);
		EXPECT_EQ(Component->CustomDepthStencilValue, 0);
	}
	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	EXPECT_EQ(Log.Num(), 0) << "the render pass functions are silent";
}

TEST_F(CustomRenderPass, ReportsTheFirstPrimitiveComponentOnly)
{
	AActor* Actor = SpawnEmpty();
	UBoxComponent* First = AddBlockingBox(Actor, FVector(10.0));
	UBoxComponent* Second = AddBlockingBox(Actor, FVector(10.0));

	Second->SetRenderCustomDepth(true);
	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	First->SetRenderCustomDepth(true);
	Second->SetRenderCustomDepth(false);
	EXPECT_TRUE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));

	// A component destroyed on its own no longer counts as the first one.
	First->MarkAsGarbage();
	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	EXPECT_TRUE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, true));
	EXPECT_TRUE(Second->bRenderCustomDepth);
}

TEST_F(CustomRenderPass, IsFalseForActorsWithoutPrimitivesAndForNoActor)
{
	AActor* Actor = SpawnEmpty();
	NewObject<USceneComponent>(Actor, FName(TEXT("NotAPrimitive")));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, true));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(nullptr, true));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(nullptr));
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(CustomRenderPass, LeavesAnActorThatIsBeingDestroyedAlone)
{
	AActor* Actor = SpawnEmpty();
	UBoxComponent* Box = AddBlockingBox(Actor, FVector(10.0));
	Box->SetRenderCustomDepth(true);
	Box->SetCustomDepthStencilValue(5);
	ASSERT_TRUE(World->DestroyActor(Actor));
	ASSERT_TRUE(Actor->IsActorBeingDestroyed());

	EXPECT_FALSE(UOrvaneLiveLinkHelper::GetActorCustomRenderPass(Actor));
	EXPECT_FALSE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, false));
	EXPECT_TRUE(Box->bRenderCustomDepth);
	EXPECT_EQ(Box->CustomDepthStencilValue, 5);
}

TEST_F(CustomRenderPass, StencilValuesStayInTheStencilBufferRange)
{
	AActor* Actor = SpawnEmpty();
	UBoxComponent* Box = AddBlockingBox(Actor, FVector(10.0));
	Box->SetCustomDepthStencilValue(300);
	EXPECT_EQ(Box->CustomDepthStencilValue, 255);
	Box->SetCustomDepthStencilValue(-4);
	EXPECT_EQ(Box->CustomDepthStencilValue, 0);
	EXPECT_TRUE(UOrvaneLiveLinkHelper::SetActorCustomRenderPass(Actor, true));
	EXPECT_EQ(Box->CustomDepthStencilValue, 1);
}

TEST(SceneQueryReflection, ExposesTheQueriesToBlueprintsAsTheEditorListsThem)
{
	UClass* Helper = UOrvaneLiveLinkHelper::StaticClass();
	for (const TCHAR* Name : {TEXT("GetActorCustomRenderPass")})
	{
		UFunction* Function = Helper->FindFunctionByName(FName(Name));
		ASSERT_NE(Function, nullptr) << TCHAR_TO_UTF8(Name);
		EXPECT_TRUE(Function->HasAllFunctionFlags(FUNC_BlueprintCallable | FUNC_Static));
		EXPECT_EQ(Function->GetMetaData(TEXT("Category")), TEXT("Input|Trace"));
		EXPECT_EQ(Function->GetMetaData(TEXT("WorldContext")), TEXT("WorldContextObject"));
	}
	EXPECT_EQ(Helper->FindFunctionByName(FName(TEXT("SetActorCustomRenderPass"))), nullptr) << "C++ only";
}
