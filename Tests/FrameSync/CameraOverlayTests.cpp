// Copyright Kelmora. All Rights Reserved.
#include "Blueprint/UserWidget.h"
#include "Engine/World.h"
#include "LogCapture.h"
#include "Orvane_CameraOverlayBase.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

namespace
{
	/** A widget blueprint class derived from the overlay base, as a designer makes one. */
	UClass* MakeOverlayBlueprintClass(const TCHAR* Name)
	{
		return UE::CoreUObject::Host::CreateDerivedClass(UOrvane_CameraOverlayBase::StaticClass(), GetTransientPackage(), FName(Name), CLASS_CompiledFromBlueprint);
	}

	/** Calls the overlay event as the frame component does: by name, through reflection, with DeltaTime. */
	void CallUpdateByName(UObject* Widget, float DeltaTime)
	{
		UFunction* Function = Widget->FindFunction(FName(TEXT("UpdateCameraOverlay")));
		ASSERT_NE(Function, nullptr);
		ASSERT_GE(Function->ParmsSize, sizeof(float));
		struct
		{
			float DeltaTime;
		} Parms{DeltaTime};
		Widget->ProcessEvent(Function, &Parms);
	}
}

TEST(CameraOverlay, DeclaresTheEventForBlueprintsWithItsParameter)
{
	UFunction* Function = UOrvane_CameraOverlayBase::StaticClass()->FindFunctionByName(FName(TEXT("UpdateCameraOverlay")));
	ASSERT_NE(Function, nullptr);
	EXPECT_TRUE(Function->HasAllFunctionFlags(FUNC_Event | FUNC_BlueprintEvent));
	EXPECT_FALSE(Function->HasAnyFunctionFlags(FUNC_Native)) << "no native body of its own";
	EXPECT_EQ(Function->GetMetaData(TEXT("Category")), TEXT("Camera"));
	EXPECT_EQ(Function->ParmsSize, sizeof(float));
	EXPECT_EQ(Function->NumParms, 1);
	const FProperty* DeltaTime = Function->FindPropertyByName(FName(TEXT("DeltaTime")));
	ASSERT_NE(DeltaTime, nullptr);
	EXPECT_TRUE(DeltaTime->IsA<FFloatProperty>());
	EXPECT_TRUE(DeltaTime->HasAnyPropertyFlags(CPF_Parm));
	EXPECT_EQ(DeltaTime->GetOffset_ForInternal(), 0);
	EXPECT_TRUE(UOrvane_CameraOverlayBase::StaticClass()->IsChildOf(UUserWidget::StaticClass()));
}

TEST(CameraOverlay, WidgetWithoutAnImplementationIgnoresEveryCall)
{
	UWorld* World = UWorld::CreateWorld(EWorldType::PIE, false, FName(TEXT("OverlayWorldQuiet")));
	UClass* Class = MakeOverlayBlueprintClass(TEXT("WBP_QuietOverlay_C"));
	ASSERT_NE(Class, nullptr);
	UOrvane_CameraOverlayBase* Widget = CreateWidget<UOrvane_CameraOverlayBase>(World, Class);
	ASSERT_NE(Widget, nullptr);
	EXPECT_EQ(Widget->GetWorld(), World);

	FLogCapture Log;
	for (int32 Frame = 0; Frame < 3; ++Frame)
	{
		CallUpdateByName(Widget, 1.0f / 60.0f);
		Widget->UpdateCameraOverlay(1.0f / 60.0f);
	}
	EXPECT_EQ(Log.Num(), 0) << "an unimplemented event is called without effect or error";
	World->RemoveFromRoot();
}

TEST(CameraOverlay, BlueprintImplementationReceivesTheDeltaTimeOfEachCall)
{
	UClass* Class = MakeOverlayBlueprintClass(TEXT("WBP_FrameCounter_C"));
	ASSERT_NE(Class, nullptr);
	TArray<TPair<UObject*, float>> Calls;
	ASSERT_NE(UE::CoreUObject::Host::AddBlueprintEventImplementation(Class, FName(TEXT("UpdateCameraOverlay")), [&Calls](UObject* Object, void* Parms)
				  { Calls.Add(TPair<UObject*, float>(Object, *static_cast<const float*>(Parms))); }),
		nullptr);

	// One widget in each of two worlds: each call reaches the widget it was made on.
	UWorld* First = UWorld::CreateWorld(EWorldType::PIE, false, FName(TEXT("OverlayWorldA")));
	UWorld* Second = UWorld::CreateWorld(EWorldType::Game, false, FName(TEXT("OverlayWorldB")));
	UOrvane_CameraOverlayBase* InFirst = CreateWidget<UOrvane_CameraOverlayBase>(First, Class);
	UOrvane_CameraOverlayBase* InSecond = CreateWidget<UOrvane_CameraOverlayBase>(Second, Class);
	ASSERT_TRUE(InFirst && InSecond);
	EXPECT_EQ(InFirst->GetWorld(), First);
	EXPECT_EQ(InSecond->GetWorld(), Second);

	CallUpdateByName(InFirst, 0.25f);
	InSecond->UpdateCameraOverlay(0.5f);
	ASSERT_EQ(Calls.Num(), 2);
	EXPECT_EQ(Calls[0].Key, InFirst);
	EXPECT_FLOAT_EQ(Calls[0].Value, 0.25f);
	EXPECT_EQ(Calls[1].Key, InSecond);
	EXPECT_FLOAT_EQ(Calls[1].Value, 0.5f);

	// A plain overlay base (no blueprint) still has only the empty event.
	UOrvane_CameraOverlayBase* Plain = CreateWidget<UOrvane_CameraOverlayBase>(First);
	ASSERT_NE(Plain, nullptr);
	Plain->UpdateCameraOverlay(1.0f);
	EXPECT_EQ(Calls.Num(), 2);
	First->RemoveFromRoot();
	Second->RemoveFromRoot();
}

TEST(CameraOverlay, OnlyDeclaredBlueprintEventsCanBeImplemented)
{
	UClass* Class = MakeOverlayBlueprintClass(TEXT("WBP_Mistyped_C"));
	ASSERT_NE(Class, nullptr);
	FLogCapture Log;
	EXPECT_EQ(UE::CoreUObject::Host::AddBlueprintEventImplementation(Class, FName(TEXT("UpdateCameraOverlays")), [](UObject*, void*) {}), nullptr);
	EXPECT_EQ(Log.CountContaining(TEXT("declares a blueprint event UpdateCameraOverlays")), 1);
	EXPECT_EQ(CreateWidget<UOrvane_CameraOverlayBase>(nullptr, Class), nullptr) << "a widget needs a world";
	UWorld* World = UWorld::CreateWorld(EWorldType::Game, false, FName(TEXT("OverlayWorldC")));
	EXPECT_EQ(CreateWidget<UUserWidget>(World, UUserWidget::StaticClass()), nullptr) << "abstract";
	World->RemoveFromRoot();
}
