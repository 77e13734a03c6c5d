// Copyright Kelmora. All Rights Reserved.
#include "Camera/PlayerCameraManager.h"
#include "Editor/EditorEngine.h"
#include "Engine/Engine.h"
#include "Engine/GameViewportClient.h"
#include "Engine/LocalPlayer.h"
#include "GameFramework/PlayerController.h"
#include "OrvaneLiveLinkHelper.h"
#include "SceneQueryFixture.h"
#include "UObject/Class.h"
#include "UObject/Package.h"

#include <limits>

namespace
{
	/**
	 * A play world with player 0 looking down +X from the origin with a 90 degree horizontal field of view
	 * through a 200 x 100 viewport: the centre of the screen looks along (1, 0, 0), its top right corner along
	 * (1, 1, 0.5).
	 */
	class ScreenTrace : public OrvaneTest::SceneQueryTest
	{
	protected:
		void SetUp() override
		{
			SavedEngine = GEngine;
			Engine = NewObject<UEditorEngine>(GetTransientPackage());
			Engine->AddToRoot();
			GEngine = Engine;

			SceneQueryTest::SetUp();
			World->WorldType = EWorldType::PIE;
			Engine->CreateNewWorldContext(EWorldType::PIE).SetCurrentWorld(World);

			Controller = static_cast<APlayerController*>(World->SpawnActor(APlayerController::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
			ASSERT_NE(Controller, nullptr);
			Camera = static_cast<APlayerCameraManager*>(World->SpawnActor(APlayerCameraManager::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator));
			Camera->HostSetCameraView(FVector::ZeroVector, FRotator::ZeroRotator, 90.0f);
			Controller->PlayerCameraManager = Camera;
			Player = NewObject<ULocalPlayer>(GetTransientPackage());
			Player->AddToRoot();
			Player->PlayerController = Controller;
			Viewport = NewObject<UGameViewportClient>(Player);
			Viewport->HostViewportSize = FVector2D(200.0, 100.0);
			Player->ViewportClient = Viewport;
			Controller->Player = Player;

			Near = SpawnEmpty(FVector(500.0, 0.0, 0.0));
			NearBox = AddBlockingBox(Near, FVector(20.0));
			Far = SpawnEmpty(FVector(1000.0, 0.0, 0.0));
			AddBlockingBox(Far, FVector(20.0));
		}

		void TearDown() override
		{
			SceneQueryTest::TearDown();
			Player->RemoveFromRoot();
			GEngine = SavedEngine;
			Engine->RemoveFromRoot();
		}

		AActor* Trace(const FVector2D& Point, float Distance = 10000.0f, const TArray<AActor*>& Ignore = {}, ECollisionChannel Channel = ECC_Visibility)
		{
			return UOrvaneLiveLinkHelper::GetActorUnderNormalizedScreenCoord(Near, Point, Distance, Channel, Ignore, Hit);
		}

		UEngine* SavedEngine = nullptr;
		UEditorEngine* Engine = nullptr;
		APlayerController* Controller = nullptr;
		APlayerCameraManager* Camera = nullptr;
		ULocalPlayer* Player = nullptr;
		UGameViewportClient* Viewport = nullptr;
		AActor* Near = nullptr;
		UBoxComponent* NearBox = nullptr;
		AActor* Far = nullptr;
		FHitResult Hit;
	};

	bool IsFinite(const FVector& V)
	{
		return FMath::IsFinite(V.X) && FMath::IsFinite(V.Y) && FMath::IsFinite(V.Z);
	}

	void ExpectEmpty(const FHitResult& Hit)
	{
		EXPECT_FALSE(Hit.bBlockingHit);
		EXPECT_EQ(Hit.GetActor(), nullptr);
		EXPECT_EQ(Hit.GetComponent(), nullptr);
		EXPECT_TRUE(Hit.TraceStart.IsZero());
		EXPECT_TRUE(Hit.TraceEnd.IsZero());
	}
}

TEST_F(ScreenTrace, ReturnsTheNearestBlockingActorUnderThePoint)
{
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), Near);
	EXPECT_TRUE(Hit.bBlockingHit);
	EXPECT_EQ(Hit.GetComponent(), NearBox);
	// The ray starts on the near clipping plane, 10 cm in front of the camera.
	EXPECT_TRUE(Hit.TraceStart.Equals(FVector(10.0, 0.0, 0.0), 1e-6));
	EXPECT_TRUE(Hit.TraceEnd.Equals(FVector(10010.0, 0.0, 0.0), 1e-3));
	EXPECT_TRUE(Hit.ImpactPoint.Equals(FVector(480.0, 0.0, 0.0), 1e-3));
	EXPECT_NEAR(Hit.Distance, 470.0, 1e-3);
	EXPECT_TRUE(Hit.ImpactNormal.Equals(FVector(-1.0, 0.0, 0.0), 1e-9));

	EXPECT_EQ(World->HostLastTraceTag, FName(TEXT("NormalizedClickTrace")));
	EXPECT_EQ(World->HostLastTraceStatName, FName(TEXT("STAT_NormalizedClickTrace")));
	EXPECT_TRUE(World->bHostLastTraceComplex);
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(ScreenTrace, ClampsPointsOutsideTheScreenToItsEdges)
{
	// The top right corner looks along (1, 1, 0.5): a box there is hit from (1.5, -0.2) as from (1, 0).
	AActor* Corner = SpawnEmpty(FVector(1000.0, 1000.0, 500.0));
	AddBlockingBox(Corner, FVector(20.0));

	EXPECT_EQ(Trace(FVector2D(1.0, 0.0)), Corner);
	const FVector EdgeEnd = Hit.TraceEnd;
	EXPECT_EQ(Trace(FVector2D(1.5, -0.2)), Corner);
	EXPECT_TRUE(Hit.TraceEnd.Equals(EdgeEnd, 1e-6));
	EXPECT_EQ(Trace(FVector2D(1e30, -1e30)), Corner);
	EXPECT_TRUE(Hit.TraceEnd.Equals(EdgeEnd, 1e-6));
	const FVector Direction = (Hit.TraceEnd - Hit.TraceStart).GetSafeNormal();
	EXPECT_TRUE(Direction.Equals(FVector(1.0, 1.0, 0.5).GetSafeNormal(), 1e-6));
}

TEST_F(ScreenTrace, PassesThroughIgnoredActorsEvenWhenTheyAreNearest)
{
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {Near}), Far);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {Near, Far}), nullptr);
	EXPECT_FALSE(Hit.bBlockingHit);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {nullptr}), Near) << "a null entry ignores nothing";
}

TEST_F(ScreenTrace, HitsOnlyComponentsThatBlockTheChannel)
{
	NearBox->SetCollisionResponseToChannel(ECC_Visibility, ECR_Ignore);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {}, ECC_Visibility), Far);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {}, ECC_Camera), Near);

	// Overlapping is not blocking; nor is a box with its queries switched off.
	NearBox->SetCollisionResponseToChannel(ECC_Camera, ECR_Overlap);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {}, ECC_Camera), Far);
	NearBox->SetCollisionResponseToAllChannels(ECR_Block);
	NearBox->SetCollisionEnabled(ECollisionEnabled::PhysicsOnly);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), Far);

	// A box left at its defaults is a trigger: it overlaps and never blocks.
	AActor* Trigger = SpawnEmpty(FVector(100.0, 0.0, 0.0));
	UBoxComponent* TriggerBox = NewObject<UBoxComponent>(Trigger);
	TriggerBox->AttachToComponent(Trigger->GetRootComponent(), FAttachmentTransformRules::KeepRelativeTransform);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), Far);
}

TEST_F(ScreenTrace, FollowsTheCameraAndTheBoxesTransforms)
{
	// Turned 90 degrees to the right, the camera looks down +Y.
	Camera->HostSetCameraView(FVector::ZeroVector, FRotator(0.0, 90.0, 0.0), 90.0f);
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), nullptr);
	AActor* Side = SpawnEmpty(FVector(0.0, 300.0, 0.0));
	UBoxComponent* SideBox = AddBlockingBox(Side, FVector(10.0), FVector(0.0, 0.0, 200.0));
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), nullptr) << "the box sits 200 above the actor";
	Side->GetRootComponent()->SetRelativeScale3D(FVector(1.0, 1.0, 0.0));
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), Side) << "the root's scale brings the box down and flattens it";
	EXPECT_TRUE(Hit.ImpactPoint.Equals(FVector(0.0, 290.0, 0.0), 1e-6));
	EXPECT_EQ(Hit.GetComponent(), SideBox);
}

TEST_F(ScreenTrace, ACameraInsideABoxHitsThatBoxAtTheStart)
{
	AActor* Around = SpawnEmpty();
	AddBlockingBox(Around, FVector(50.0));
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5)), Around);
	EXPECT_TRUE(Hit.bBlockingHit);
	EXPECT_TRUE(Hit.bStartPenetrating);
	EXPECT_FALSE(Hit.IsValidBlockingHit());
	EXPECT_EQ(Hit.Distance, 0.0f);
	EXPECT_TRUE(Hit.ImpactPoint.Equals(Hit.TraceStart, 1e-9));
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 10000.0f, {Around}), Near);
}

TEST_F(ScreenTrace, MissesReturnNullButKeepTheTrace)
{
	Hit.bBlockingHit = true;
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 100.0f), nullptr);
	EXPECT_FALSE(Hit.bBlockingHit);
	EXPECT_TRUE(Hit.TraceEnd.Equals(FVector(110.0, 0.0, 0.0), 1e-4));
	EXPECT_EQ(Trace(FVector2D(0.0, 1.0)), nullptr) << "nothing in the bottom left corner";
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), -10000.0f), nullptr) << "behind the camera";
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), 0.0f), nullptr);
	EXPECT_EQ(Log.Num(), 0);
}

TEST_F(ScreenTrace, ReturnsNullWithAnEmptyHitWithoutAPlayersViewport)
{
	const auto ExpectNoTrace = [this](const TCHAR* Why, UObject* Context)
	{
		Hit.bBlockingHit = true;
		Hit.TraceEnd = FVector(1.0);
		EXPECT_EQ(UOrvaneLiveLinkHelper::GetActorUnderNormalizedScreenCoord(Context, FVector2D(0.5, 0.5), 10000.0f, ECC_Visibility, {}, Hit), nullptr) << TCHAR_TO_UTF8(Why);
		ExpectEmpty(Hit);
	};
	ExpectNoTrace(TEXT("no context object"), nullptr);
	ExpectNoTrace(TEXT("a context object outside any world"), GetTransientPackage());

	Viewport->HostViewportSize = FVector2D(0.0, 100.0);
	ExpectNoTrace(TEXT("a viewport without area"), Near);
	Viewport->HostViewportSize = FVector2D(200.0, 100.0);
	Player->ViewportClient = nullptr;
	ExpectNoTrace(TEXT("no viewport client"), Near);
	Player->ViewportClient = Viewport;
	Controller->Player = NewObject<UPlayer>(GetTransientPackage());
	ExpectNoTrace(TEXT("a player that is not local"), Near);
	Controller->Player = Player;
	World->DestroyActor(Controller);
	ExpectNoTrace(TEXT("no player controller"), Near);

	GEngine = nullptr;
	ExpectNoTrace(TEXT("no engine"), Near);
	GEngine = Engine;
	EXPECT_EQ(Log.Num(), 0) << "the screen query fails silently";
}

TEST_F(ScreenTrace, SurvivesHostileCoordinatesAndDistances)
{
	const double NaN = std::numeric_limits<double>::quiet_NaN();
	const double Inf = std::numeric_limits<double>::infinity();
	for (const FVector2D Point : {FVector2D(NaN, NaN), FVector2D(Inf, -Inf), FVector2D(-Inf, Inf), FVector2D(1e300, -1e300), FVector2D(NaN, 0.5)})
	{
		Trace(Point);
		EXPECT_TRUE(IsFinite(Hit.TraceStart) && IsFinite(Hit.TraceEnd)) << Point.X << ", " << Point.Y;
	}
	for (const float Distance : {std::numeric_limits<float>::quiet_NaN(), std::numeric_limits<float>::infinity(), -std::numeric_limits<float>::infinity()})
	{
		EXPECT_EQ(Trace(FVector2D(0.5, 0.5), Distance), nullptr);
		ExpectEmpty(Hit);
	}
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), std::numeric_limits<float>::max()), Near) << "the longest finite trace still hits";
	EXPECT_EQ(Trace(FVector2D(0.5, 0.5), std::numeric_limits<float>::denorm_min()), nullptr);
}

TEST_F(ScreenTrace, IsExposedToBlueprintsWithItsWorldContext)
{
	UFunction* Function = UOrvaneLiveLinkHelper::StaticClass()->FindFunctionByName(FName(TEXT("GetActorUnderNormalizedScreenCoord")));
	ASSERT_NE(Function, nullptr);
	EXPECT_TRUE(Function->HasAllFunctionFlags(FUNC_BlueprintCallable | FUNC_Static));
	EXPECT_EQ(Function->GetMetaData(TEXT("Category")), TEXT("Input|Trace"));
	EXPECT_EQ(Function->GetMetaData(TEXT("WorldContext")), TEXT("WorldContextObject"));
	EXPECT_EQ(UOrvaneLiveLinkHelper::StaticClass()->FindFunctionByName(FName(TEXT("GetOrvaneVPCamera"))), nullptr) << "C++ only";
}
