// Copyright Kelmora. All Rights Reserved.
#include "Blueprint/UserWidget.h"
#include "Blueprints/TextureShareBlueprintContainers.h"
#include "Engine/World.h"
#include "GameFramework/Actor.h"
#include "LogCapture.h"
#include "Modules/ModuleManager.h"
#include "OrvaneFrameComponent.h"
#include "OrvaneFrameExchange.h"
#include "Orvane_CameraOverlayBase.h"
#include "Subsystems/WorldSubsystem.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

namespace
{
	using UE::TextureShare::Host::FSentCustomData;

	/** A play world with an actor carrying the frame component; Live Link is not loaded, so frames come from the exchange. */
	class FrameComponent : public testing::Test
	{
	protected:
		void SetUp() override
		{
			FModuleManager::Get().LoadModule(TEXT("OrvaneLiveLink"));
			UE::TextureShare::Host::ResetSentCustomData();
			UOrvaneFrameComponent::LastSentFrame = -1;
			World = UWorld::CreateWorld(EWorldType::PIE, false, FName(TEXT("FrameWorld")));
		}

		void TearDown() override
		{
			if (Component && Component->HasBegunPlay())
			{
				Component->EndPlay(EEndPlayReason::EndPlayInEditor);
			}
			World->RemoveFromRoot();
			World->MarkAsGarbage();
		}

		/** The world's TextureShare object, as the TextureShare plug-in makes it. */
		UTextureShare* TextureShare() const
		{
			UClass* SubsystemClass = FindFirstObject<UClass>(TEXT("TextureShareWorldSubsystem"));
			UWorldSubsystem* Subsystem = World->GetSubsystemBase(SubsystemClass);
			const FObjectPropertyBase* Property = FindFProperty<FObjectPropertyBase>(SubsystemClass, TEXT("TextureShare"));
			return Cast<UTextureShare>(Property->GetObjectPropertyValue_InContainer(Subsystem));
		}

		UOrvaneFrameComponent* StartComponent()
		{
			AActor* Actor = World->SpawnActor(AActor::StaticClass(), FVector::ZeroVector, FRotator::ZeroRotator);
			Component = NewObject<UOrvaneFrameComponent>(Actor);
			Component->BeginPlay();
			return Component;
		}

		void Tick(float DeltaTime = 0.02f) { Component->TickComponent(DeltaTime, LEVELTICK_All, &Component->PrimaryComponentTick); }

		/** Sends one pose through the exchange as the source would, with the sender's switches. */
		void Sender(int32 FrameNumber, bool bReportSkips = true, int32 State = 1)
		{
			ORVCameraSetup Setup;
			Setup.bReportSkips = bReportSkips;
			Setup.State = State;
			FOrvaneFrameExchange::Get()->SetSetup(Setup);
			ORVCameraPose Pose;
			Pose.FrameNumber = FrameNumber;
			FOrvaneFrameExchange::Get()->PushPose(Pose);
		}

		const FSentCustomData& LastSent() const { return UE::TextureShare::Host::GetSentCustomData().Last(); }

		static FString Value(const FSentCustomData& Sent, const TCHAR* Key)
		{
			for (const TPair<FString, FString>& Pair : Sent.Parameters)
			{
				if (Pair.Key == Key)
				{
					return Pair.Value;
				}
			}
			return TEXT("<missing>");
		}

		UWorld* World = nullptr;
		UOrvaneFrameComponent* Component = nullptr;
		FLogCapture Log;
	};
}

TEST_F(FrameComponent, IsReflectedAsABlueprintComponentThatTicksAfterTheFramesWork)
{
	UClass* Class = UOrvaneFrameComponent::StaticClass();
	EXPECT_TRUE(Class->HasMetaData(TEXT("BlueprintSpawnableComponent")));
	EXPECT_EQ(Class->ClassConfigName, FName(TEXT("Engine")));
	const FProperty* Event = Class->FindPropertyByName(FName(TEXT("OnOrvaneFrameSend")));
	ASSERT_NE(Event, nullptr);
	EXPECT_TRUE(Event->IsA<FMulticastInlineDelegateProperty>());
	EXPECT_TRUE(Event->HasAnyPropertyFlags(CPF_BlueprintAssignable));
	const FProperty* ExtendedLog = Class->FindPropertyByName(FName(TEXT("bExtendedLog")));
	ASSERT_NE(ExtendedLog, nullptr);
	EXPECT_TRUE(ExtendedLog->IsA<FBoolProperty>());
	const UOrvaneFrameComponent* Defaults = GetDefault<UOrvaneFrameComponent>();
	EXPECT_TRUE(Defaults->PrimaryComponentTick.bCanEverTick);
	EXPECT_TRUE(Defaults->PrimaryComponentTick.bStartWithTickEnabled);
	EXPECT_EQ(Defaults->PrimaryComponentTick.TickGroup, TG_PostUpdateWork);
}

TEST_F(FrameComponent, SendsTheFrameTheEngineCountAndTheAnswersEveryTick)
{
	StartComponent();
	EXPECT_EQ(Log.Count(TEXT("Orvane Texture Share: Begin Play")), 1);
	Tick();
	ASSERT_EQ(UE::TextureShare::Host::GetSentCustomData().Num(), 1);
	EXPECT_EQ(Value(LastSent(), TEXT("ORV_LiveLink_FrameNumber")), TEXT("-1")) << "nothing known yet";
	EXPECT_EQ(LastSent().ShareName, TEXT("DefaultShareName"));

	const uint64 SavedFrameCounter = GFrameCounter;
	GFrameCounter = (uint64(7) << 32) + 0xFFFFFFFEull;
	Sender(1234);
	TMap<FString, FString> Answers;
	Answers.Add(TEXT("AName"), TEXT("Chair"));
	Answers.Add(TEXT("ORV_LiveLink_FrameNumber"), TEXT("from an answer"));
	FOrvaneFrameExchange::Get()->AddAnswers(Answers);
	Tick();
	const FSentCustomData& Sent = LastSent();
	EXPECT_EQ(Value(Sent, TEXT("ORV_LiveLink_FrameNumber")), TEXT("1234")) << "the component's own value wins";
	EXPECT_EQ(Value(Sent, TEXT("EngineCount")), TEXT("-2")) << "the low 32 bits, signed";
	EXPECT_EQ(Value(Sent, TEXT("AName")), TEXT("Chair"));
	GFrameCounter = SavedFrameCounter;
	Tick();
	EXPECT_EQ(Value(LastSent(), TEXT("AName")), TEXT("<missing>")) << "answers go once";
}

TEST_F(FrameComponent, ReportsSkipsAndRepeatsButNotFramesGoingBack)
{
	StartComponent();
	for (const int32 Frame : {100, 101, 103, 103, 99, 100})
	{
		Sender(Frame);
		Tick();
	}
	EXPECT_EQ(Log.Count(TEXT("Orvane Texture Share: Skip/repeat frames 101 - 103")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane Texture Share: Skip/repeat frames 103 - 103")), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("Skip/repeat")), 2);

	// With the sender's skip report off nothing is logged, and a blueprint's switch lasts one tick only.
	Log.Clear();
	Sender(200, false);
	Tick();
	Component->bExtendedLog = true;
	Sender(300, false);
	Tick();
	EXPECT_FALSE(Component->bExtendedLog);
	EXPECT_EQ(Log.CountContaining(TEXT("Skip/repeat")), 0);
	EXPECT_EQ(Value(LastSent(), TEXT("ORV_LiveLink_FrameNumber")), TEXT("300")) << "still sent every tick";

	// Recording (state 2) is not reported either.
	Sender(400, true, 2);
	Tick();
	EXPECT_EQ(Log.CountContaining(TEXT("Skip/repeat")), 0);
}

TEST_F(FrameComponent, FallsBackToTheFirstShareAndRunsQuietlyWithoutOne)
{
	TextureShare()->TextureShareObjects[0]->Desc.ShareName = TEXT("StageA");
	TextureShare()->GetOrCreateTextureShareObject(TEXT("StageB"));
	StartComponent();
	EXPECT_EQ(Log.Count(TEXT("Orvane Texture Share: Object 'DefaultShareName' not found, using 'StageA'")), 1);
	Tick();
	EXPECT_EQ(LastSent().ShareName, TEXT("StageA"));
	Component->EndPlay(EEndPlayReason::EndPlayInEditor);

	// No share at all: nothing is sent, nothing breaks.
	UE::TextureShare::Host::ResetSentCustomData();
	TextureShare()->TextureShareObjects.Reset();
	StartComponent();
	Tick();
	EXPECT_EQ(UE::TextureShare::Host::GetSentCustomData().Num(), 0);
	EXPECT_EQ(Log.Count(TEXT("Orvane Texture Share: no share object; frame data is not sent")), 1);
}

TEST_F(FrameComponent, EndPlayReleasesTheExchangeItAcquired)
{
	const int32 Before = FOrvaneFrameExchange::Get() ? FOrvaneFrameExchange::Get()->GetUserCount() : 0;
	StartComponent();
	ASSERT_NE(FOrvaneFrameExchange::Get(), nullptr);
	EXPECT_EQ(FOrvaneFrameExchange::Get()->GetUserCount(), Before + 1);
	Component->EndPlay(EEndPlayReason::EndPlayInEditor);
	EXPECT_EQ(FOrvaneFrameExchange::Get() ? FOrvaneFrameExchange::Get()->GetUserCount() : 0, Before);
}

TEST_F(FrameComponent, DrivesOnlyTheOverlayOfItsOwnWorldAndOnlyWithExtendedReporting)
{
	UClass* Class = UE::CoreUObject::Host::CreateDerivedClass(UOrvane_CameraOverlayBase::StaticClass(), GetTransientPackage(), FName(TEXT("WBP_FrameOverlay_C")), CLASS_CompiledFromBlueprint);
	TArray<TPair<UObject*, float>> Calls;
	ASSERT_NE(UE::CoreUObject::Host::AddBlueprintEventImplementation(Class, FName(TEXT("UpdateCameraOverlay")), [&Calls](UObject* Object, void* Parms)
				  { Calls.Add(TPair<UObject*, float>(Object, *static_cast<const float*>(Parms))); }),
		nullptr);
	UWorld* Preview = UWorld::CreateWorld(EWorldType::EditorPreview, false, FName(TEXT("FramePreviewWorld")));
	UOrvane_CameraOverlayBase* Elsewhere = CreateWidget<UOrvane_CameraOverlayBase>(Preview, Class);
	UOrvane_CameraOverlayBase* Own = CreateWidget<UOrvane_CameraOverlayBase>(World, Class);
	ASSERT_NE(Elsewhere, nullptr);
	ASSERT_NE(Own, nullptr);

	StartComponent();
	Sender(10, false);
	Tick(0.5f);
	EXPECT_EQ(Calls.Num(), 0) << "extended reporting off";
	Sender(11, true);
	Tick(0.25f);
	Tick(0.125f);
	ASSERT_EQ(Calls.Num(), 2);
	EXPECT_EQ(Calls[0].Key, Own);
	EXPECT_EQ(Calls[0].Value, 0.25f);
	EXPECT_EQ(Calls[1].Key, Own);

	// The cached widget gone: the next one of the same world is found.
	Own->MarkAsGarbage();
	UOrvane_CameraOverlayBase* Replacement = CreateWidget<UOrvane_CameraOverlayBase>(World, Class);
	Tick();
	ASSERT_EQ(Calls.Num(), 3);
	EXPECT_EQ(Calls[2].Key, Replacement);
	Preview->RemoveFromRoot();
	Preview->MarkAsGarbage();
}
