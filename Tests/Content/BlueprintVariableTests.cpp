// Copyright Kelmora. All Rights Reserved.
#include "EdGraphSchema_K2.h"
#include "Engine/Blueprint.h"
#include "Engine/BlueprintGeneratedClass.h"
#include "GameFramework/Actor.h"
#include "Kismet2/BlueprintEditorUtils.h"
#include "Kismet2/KismetEditorUtilities.h"
#include "LiveLinkPreset.h"
#include "LogCapture.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <gtest/gtest.h>

namespace
{
	UBlueprint* NewActorBlueprint(const TCHAR* Name)
	{
		UPackage* Package = CreatePackage(*(FString(TEXT("/Game/BlueprintVariables/")) + Name));
		return FKismetEditorUtilities::CreateBlueprint(AActor::StaticClass(), Package, FName(Name), BPTYPE_Normal, UBlueprint::StaticClass(), UBlueprintGeneratedClass::StaticClass());
	}

	FEdGraphPinType BoolType()
	{
		FEdGraphPinType Type;
		Type.PinCategory = UEdGraphSchema_K2::PC_Boolean;
		return Type;
	}
}

TEST(BlueprintVariables, NamesTakenByAVariableOrTheParentAreRefused)
{
	UBlueprint* Blueprint = NewActorBlueprint(TEXT("BP_Taken"));
	ASSERT_NE(Blueprint, nullptr);
	EXPECT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("Armed")), BoolType()));
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("Armed")), BoolType()));
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("RootComponent")), BoolType()));
	EXPECT_FALSE(FBlueprintEditorUtils::AddMemberVariable(nullptr, FName(TEXT("Other")), BoolType()));
	EXPECT_EQ(Blueprint->NewVariables.Num(), 1);
}

TEST(BlueprintVariables, VariablesAddedAfterTheFirstCompileGetANewClassWithRoomForThem)
{
	UBlueprint* Blueprint = NewActorBlueprint(TEXT("BP_Grown"));
	ASSERT_NE(Blueprint, nullptr);
	UClass* First = Blueprint->GeneratedClass.Get();
	ASSERT_NE(First, nullptr);
	ASSERT_NE(First->GetDefaultObject(), nullptr);

	FEdGraphPinType PresetType;
	PresetType.PinCategory = UEdGraphSchema_K2::PC_Object;
	PresetType.PinSubCategoryObject = ULiveLinkPreset::StaticClass();
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("Preset")), PresetType));
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("Armed")), BoolType()));
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	UClass* Second = Blueprint->GeneratedClass.Get();
	ASSERT_NE(Second, nullptr);
	EXPECT_NE(Second, First);
	EXPECT_EQ(Second->GetPathName(), TEXT("/Game/BlueprintVariables/BP_Grown.BP_Grown_C"));
	EXPECT_GT(Second->GetPropertiesSize(), First->GetPropertiesSize());

	// New variables are editable in the blueprint only until told otherwise.
	const FProperty* Armed = Second->FindPropertyByName(FName(TEXT("Armed")));
	ASSERT_NE(Armed, nullptr);
	EXPECT_TRUE(Armed->HasAnyPropertyFlags(CPF_DisableEditOnInstance));
	FBlueprintEditorUtils::SetBlueprintOnlyEditableFlag(Blueprint, FName(TEXT("Armed")), false);
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	EXPECT_FALSE(Blueprint->GeneratedClass->FindPropertyByName(FName(TEXT("Armed")))->HasAnyPropertyFlags(CPF_DisableEditOnInstance));

	// Values live in the object's own memory and hold only what their type allows.
	UObject* Object = NewObject<UObject>(GetTransientPackage(), Blueprint->GeneratedClass.Get());
	const FObjectPropertyBase* Preset = CastField<FObjectPropertyBase>(Blueprint->GeneratedClass->FindPropertyByName(FName(TEXT("Preset"))));
	ASSERT_NE(Preset, nullptr);
	EXPECT_EQ(Preset->GetObjectPropertyValue_InContainer(Object), nullptr);
	ULiveLinkPreset* Value = NewObject<ULiveLinkPreset>(GetTransientPackage());
	Preset->SetObjectPropertyValue_InContainer(Object, Value);
	EXPECT_EQ(Preset->GetObjectPropertyValue_InContainer(Object), Value);
	FLogCapture Log;
	Preset->SetObjectPropertyValue_InContainer(Object, Blueprint);
	EXPECT_EQ(Preset->GetObjectPropertyValue_InContainer(Object), nullptr);
}

TEST(BlueprintVariables, TypesAndDefaultsTheHostCannotGiveFailTheCompileAloud)
{
	UBlueprint* Blueprint = NewActorBlueprint(TEXT("BP_Unsupported"));
	ASSERT_NE(Blueprint, nullptr);
	FEdGraphPinType Text;
	Text.PinCategory = FName(TEXT("text"));
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Blueprint, FName(TEXT("Label")), Text));
	FLogCapture Log;
	FKismetEditorUtilities::CompileBlueprint(Blueprint);
	EXPECT_EQ(Log.CountContaining(TEXT("has a type the host cannot lay out")), 1);
	EXPECT_EQ(Blueprint->GeneratedClass->FindPropertyByName(FName(TEXT("Label"))), nullptr);

	UBlueprint* Armed = NewActorBlueprint(TEXT("BP_ArmedByDefault"));
	ASSERT_TRUE(FBlueprintEditorUtils::AddMemberVariable(Armed, FName(TEXT("Armed")), BoolType(), TEXT("true")));
	FKismetEditorUtilities::CompileBlueprint(Armed);
	EXPECT_EQ(Log.CountContaining(TEXT("cannot give the variable Armed")), 1);
}
