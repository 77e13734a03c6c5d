// Copyright Kelmora. All Rights Reserved.
#include "ReflectionFixture.h"

#include "Templates/Casts.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UObjectIterator.h"
#include "UObject/UnrealType.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <type_traits>
#include <vector>

UReflectionTestBase::UReflectionTestBase()
{
	BaseCount = 4;
}

UReflectionTestDerived::UReflectionTestDerived()
{
	bFirstFlag = false;
	bSecondFlag = true;
}

UReflectionTestLegacy::UReflectionTestLegacy(const FObjectInitializer& ObjectInitializer)
	: Super(ObjectInitializer)
{
	Value = 11;
}

namespace
{
	UReflectionTestDerived* MakeDerived()
	{
		UReflectionTestDerived* Object = NewObject<UReflectionTestDerived>();
		EXPECT_NE(Object, nullptr);
		return Object;
	}

	template <typename T>
	T* FindOn(const UStruct* Struct, const TCHAR* Name)
	{
		T* Property = FindFProperty<T>(Struct, FName(Name));
		EXPECT_NE(Property, nullptr) << "no property " << FTCHARToUTF8(Name).Get();
		return Property;
	}

	std::string Utf8(const FString& Text)
	{
		return std::string(FTCHARToUTF8(*Text).Get());
	}
}

TEST(ClassIdentity, StaticClassCarriesNameSuperAndPackage)
{
	static_assert(std::is_same_v<UReflectionTestDerived::Super, UReflectionTestBase>);
	static_assert(std::is_same_v<UReflectionTestDerived::ThisClass, UReflectionTestDerived>);
	static_assert(std::is_same_v<UReflectionTestBase::Super, UObject>);
	static_assert(std::is_same_v<FReflectionTestPoint, std::remove_pointer_t<decltype(static_cast<FReflectionTestPoint*>(nullptr))>>);

	UClass* Derived = UReflectionTestDerived::StaticClass();
	ASSERT_NE(Derived, nullptr);
	EXPECT_EQ(Derived, UReflectionTestDerived::StaticClass());
	EXPECT_EQ(Derived, StaticClass<UReflectionTestDerived>());
	EXPECT_EQ(Derived->GetName(), TEXT("ReflectionTestDerived"));
	EXPECT_EQ(Derived->GetSuperClass(), UReflectionTestBase::StaticClass());
	EXPECT_EQ(UReflectionTestBase::StaticClass()->GetSuperClass(), UObject::StaticClass());
	EXPECT_EQ(UObject::StaticClass()->GetSuperClass(), nullptr);
	EXPECT_EQ(Derived->GetClass(), UClass::StaticClass());
	EXPECT_EQ(UClass::StaticClass()->GetClass(), UClass::StaticClass());
	EXPECT_EQ(Utf8(Derived->GetPathName()), "/Script/ReflectionTests.ReflectionTestDerived");
	EXPECT_TRUE(Derived->IsChildOf(UObject::StaticClass()));
	EXPECT_TRUE(Derived->IsChildOf<UReflectionTestBase>());
	EXPECT_FALSE(UReflectionTestBase::StaticClass()->IsChildOf(Derived));
}

TEST(ClassIdentity, ClassSpecifiersBecomeFlagsConfigAndMetadata)
{
	UClass* Base = UReflectionTestBase::StaticClass();
	UClass* Derived = UReflectionTestDerived::StaticClass();
	EXPECT_TRUE(Base->HasAnyClassFlags(CLASS_Config));
	EXPECT_TRUE(Derived->HasAnyClassFlags(CLASS_Config)) << "config is inherited";
	EXPECT_EQ(Derived->ClassConfigName, FName(TEXT("Game")));
	EXPECT_TRUE(UReflectionTestAbstract::StaticClass()->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_FALSE(Derived->HasAnyClassFlags(CLASS_Abstract));
	EXPECT_EQ(Base->GetMetaData(TEXT("DisplayName")), TEXT("Reflection Base"));
	EXPECT_EQ(UReflectionTestNamed::StaticClass()->GetMetaData(TEXT("ToolTip")), TEXT("Only the object-naming tests make these, so their numbering starts at zero."));
}

TEST(DefaultObject, HoldsConstructorAndInitialiserValues)
{
	const UReflectionTestDerived* Default = GetDefault<UReflectionTestDerived>();
	ASSERT_NE(Default, nullptr);
	EXPECT_EQ(Default, GetDefault<UReflectionTestDerived>());
	EXPECT_EQ(Default, UReflectionTestDerived::StaticClass()->GetDefaultObject());
	EXPECT_TRUE(Default->HasAnyFlags(RF_ClassDefaultObject));
	EXPECT_EQ(Default->GetName(), TEXT("Default__ReflectionTestDerived"));
	EXPECT_EQ(Default->BaseCount, 4) << "the base constructor runs after the member initialiser";
	EXPECT_EQ(Default->GetSecret(), TEXT("hidden"));
	EXPECT_FALSE(Default->bFirstFlag);
	EXPECT_TRUE(Default->bSecondFlag);
	EXPECT_EQ(Default->Names.Num(), 2);
	EXPECT_EQ(Default->Mode, EReflectionTestMode::Slow);
	EXPECT_NE(UReflectionTestBase::StaticClass()->GetDefaultObject(false), nullptr) << "the super class default object is made first";
	EXPECT_EQ(GetDefault<UReflectionTestLegacy>()->Value, 11) << "the FObjectInitializer constructor is used";
	EXPECT_NE(GetDefault<UReflectionTestAbstract>(), nullptr) << "abstract classes have default objects";
}

TEST(DefaultObject, MutableDefaultChangesAreSeenByGetDefault)
{
	GetMutableDefault<UReflectionTestPeer>()->SetFlags(RF_Transactional);
	EXPECT_TRUE(GetDefault<UReflectionTestPeer>()->HasAnyFlags(RF_Transactional));
	EXPECT_FALSE(GetDefault<UReflectionTestPeer>()->HasAnyFlags(RF_Transient));
}

TEST(PropertyLookup, FindsByNameIgnoringCaseAndThroughTheSuperClass)
{
	const UClass* Derived = UReflectionTestDerived::StaticClass();
	FIntProperty* Count = FindFProperty<FIntProperty>(Derived, FName(TEXT("basecount")));
	ASSERT_NE(Count, nullptr);
	EXPECT_EQ(Count->GetFName(), FName(TEXT("BaseCount")));
	EXPECT_EQ(Count->GetOwnerClass(), UReflectionTestBase::StaticClass());
	EXPECT_NE(FindFProperty<FStrProperty>(Derived, FName(TEXT("Secret"))), nullptr) << "private members are reflected";
	EXPECT_EQ(FindFProperty<FStrProperty>(Derived, FName(TEXT("BaseCount"))), nullptr) << "a property of another type is not returned";
	EXPECT_EQ(FindFProperty<FProperty>(Derived, FName(TEXT("Missing"))), nullptr);
	EXPECT_EQ(FindFProperty<FProperty>(nullptr, FName(TEXT("BaseCount"))), nullptr);
	EXPECT_EQ(FindFProperty<FProperty>(UReflectionTestBase::StaticClass(), FName(TEXT("Ratio"))), nullptr) << "a super class does not see subclass properties";
	EXPECT_EQ(Derived->FindPropertyByName(FName(TEXT("Ratio"))), FindFProperty<FProperty>(Derived, FName(TEXT("Ratio"))));
}

TEST(PropertyLookup, SpecifiersBecomeFlagsAndMetadata)
{
	FProperty* Count = FindOn<FProperty>(UReflectionTestBase::StaticClass(), TEXT("BaseCount"));
	ASSERT_NE(Count, nullptr);
	EXPECT_TRUE(Count->HasAnyPropertyFlags(CPF_Config));
	EXPECT_TRUE(Count->HasAllPropertyFlags(CPF_Config | CPF_Edit));
	EXPECT_TRUE(Count->HasMetaData(TEXT("DisplayName")));
	EXPECT_EQ(Count->GetMetaData(TEXT("DisplayName")), TEXT("Base Count"));
	EXPECT_EQ(Count->GetMetaData(TEXT("Missing")), TEXT(""));
	FProperty* Secret = FindOn<FProperty>(UReflectionTestBase::StaticClass(), TEXT("Secret"));
	ASSERT_NE(Secret, nullptr);
	EXPECT_FALSE(Secret->HasAnyPropertyFlags(CPF_Config | CPF_Edit));
	EXPECT_EQ(Utf8(FindOn<FProperty>(UReflectionTestDerived::StaticClass(), TEXT("Pairs"))->GetCPPType()), "TMap<FString, FString>");
}

TEST(PropertyValues, ScalarPropertiesReadAndWriteTheMember)
{
	UReflectionTestDerived* Object = MakeDerived();
	const UClass* Class = Object->GetClass();

	FIntProperty* Count = FindOn<FIntProperty>(Class, TEXT("BaseCount"));
	EXPECT_EQ(Count->GetPropertyValue_InContainer(Object), 4);
	Count->SetPropertyValue_InContainer(Object, 42);
	EXPECT_EQ(Object->BaseCount, 42);
	EXPECT_EQ(Count->ContainerPtrToValuePtr<int32>(Object), &Object->BaseCount);

	FInt64Property* Big = FindOn<FInt64Property>(Class, TEXT("BigNumber"));
	Big->SetPropertyValue_InContainer(Object, int64(1) << 40);
	EXPECT_EQ(Object->BigNumber, int64(1) << 40);

	FFloatProperty* Ratio = FindOn<FFloatProperty>(Class, TEXT("Ratio"));
	EXPECT_FLOAT_EQ(Ratio->GetPropertyValue_InContainer(Object), 0.5f);
	EXPECT_TRUE(Ratio->IsFloatingPoint());
	Ratio->SetFloatingPointPropertyValue(Ratio->ContainerPtrToValuePtr<void>(Object), 1.5);
	EXPECT_FLOAT_EQ(Object->Ratio, 1.5f);

	FDoubleProperty* Precise = FindOn<FDoubleProperty>(Class, TEXT("Precise"));
	EXPECT_DOUBLE_EQ(Precise->GetFloatingPointPropertyValue(Precise->ContainerPtrToValuePtr<void>(Object)), 2.25);

	FByteProperty* Small = FindOn<FByteProperty>(Class, TEXT("Small"));
	Small->SetNumericPropertyValueFromString(Small->ContainerPtrToValuePtr<void>(Object), TEXT("200"));
	EXPECT_EQ(Object->Small, 200);

	FStrProperty* Secret = FindOn<FStrProperty>(Class, TEXT("Secret"));
	Secret->SetPropertyValue_InContainer(Object, FString(TEXT("changed")));
	EXPECT_EQ(Object->GetSecret(), TEXT("changed"));

	FNameProperty* Tag = FindOn<FNameProperty>(Class, TEXT("Tag"));
	EXPECT_EQ(Tag->GetPropertyValue_InContainer(Object), FName(TEXT("Alpha")));

	FTextProperty* Caption = FindOn<FTextProperty>(Class, TEXT("Caption"));
	Caption->SetPropertyValue_InContainer(Object, FText::FromString(TEXT("Hello")));
	EXPECT_EQ(Object->Caption.ToString(), TEXT("Hello"));

	FIntProperty* Fixed = FindOn<FIntProperty>(Class, TEXT("Fixed"));
	EXPECT_EQ(Fixed->GetArrayDim(), 3);
	Fixed->SetPropertyValue_InContainer(Object, 9, 2);
	EXPECT_EQ(Object->Fixed[2], 9);
	EXPECT_EQ(Object->Fixed[1], 0);
}

TEST(PropertyValues, BoolPropertiesTouchOnlyTheirOwnBit)
{
	UReflectionTestDerived* Object = MakeDerived();
	FBoolProperty* First = FindOn<FBoolProperty>(Object->GetClass(), TEXT("bFirstFlag"));
	FBoolProperty* Second = FindOn<FBoolProperty>(Object->GetClass(), TEXT("bSecondFlag"));
	FBoolProperty* Plain = FindOn<FBoolProperty>(Object->GetClass(), TEXT("bPlainFlag"));
	ASSERT_TRUE(First && Second && Plain);
	EXPECT_FALSE(First->IsNativeBool());
	EXPECT_TRUE(Plain->IsNativeBool());

	EXPECT_FALSE(First->GetPropertyValue_InContainer(Object));
	EXPECT_TRUE(Second->GetPropertyValue_InContainer(Object));
	First->SetPropertyValue_InContainer(Object, true);
	EXPECT_TRUE(Object->bFirstFlag);
	EXPECT_TRUE(Object->bSecondFlag);
	Second->SetPropertyValue_InContainer(Object, false);
	EXPECT_TRUE(Object->bFirstFlag);
	EXPECT_FALSE(Object->bSecondFlag);
	EXPECT_FALSE(Second->GetPropertyValue_InContainer(Object));

	Plain->SetPropertyValue_InContainer(Object, false);
	EXPECT_FALSE(Object->bPlainFlag);
	EXPECT_TRUE(Object->bFirstFlag);
}

TEST(PropertyValues, ContainerPropertiesDescribeTheirElements)
{
	UReflectionTestDerived* Object = MakeDerived();
	const UClass* Class = Object->GetClass();

	FArrayProperty* Names = FindOn<FArrayProperty>(Class, TEXT("Names"));
	ASSERT_NE(Names, nullptr);
	EXPECT_NE(CastField<FStrProperty>(Names->Inner), nullptr);
	Names->ContainerPtrToValuePtr<TArray<FString>>(Object)->Add(TEXT("c"));
	EXPECT_EQ(Object->Names.Num(), 3);

	FMapProperty* Pairs = FindOn<FMapProperty>(Class, TEXT("Pairs"));
	ASSERT_NE(Pairs, nullptr);
	EXPECT_NE(CastField<FStrProperty>(Pairs->GetKeyProperty()), nullptr);
	EXPECT_NE(CastField<FStrProperty>(Pairs->GetValueProperty()), nullptr);

	FStructProperty* Point = FindOn<FStructProperty>(Class, TEXT("Point"));
	ASSERT_NE(Point, nullptr);
	EXPECT_EQ(Point->Struct, FReflectionTestPoint::StaticStruct());
	EXPECT_EQ(Point->Struct->GetName(), TEXT("ReflectionTestPoint"));
	FIntProperty* X = FindOn<FIntProperty>(Point->Struct, TEXT("X"));
	X->SetPropertyValue_InContainer(Point->ContainerPtrToValuePtr<void>(Object), 17);
	EXPECT_EQ(Object->Point.X, 17);

	FEnumProperty* Mode = FindOn<FEnumProperty>(Class, TEXT("Mode"));
	ASSERT_NE(Mode, nullptr);
	EXPECT_EQ(Mode->GetEnum(), StaticEnum<EReflectionTestMode>());
	ASSERT_NE(CastField<FByteProperty>(Mode->GetUnderlyingProperty()), nullptr);
	Mode->GetUnderlyingProperty()->SetIntPropertyValue(Mode->ContainerPtrToValuePtr<void>(Object), int64(5));
	EXPECT_EQ(Object->Mode, EReflectionTestMode::Fast);
}

TEST(PropertyValues, ObjectPropertiesCheckTheReferencedClass)
{
	UReflectionTestDerived* Object = MakeDerived();
	UReflectionTestPeer* Peer = NewObject<UReflectionTestPeer>();
	const UClass* Class = Object->GetClass();

	FObjectProperty* PeerProperty = FindOn<FObjectProperty>(Class, TEXT("Peer"));
	ASSERT_NE(PeerProperty, nullptr);
	EXPECT_EQ(PeerProperty->PropertyClass, UReflectionTestPeer::StaticClass()) << "a forward-declared class is resolved";
	PeerProperty->SetObjectPropertyValue_InContainer(Object, Peer);
	EXPECT_EQ(Object->Peer, Peer);
	PeerProperty->SetObjectPropertyValue_InContainer(Object, Object);
	EXPECT_EQ(Object->Peer, nullptr) << "an object of the wrong class is refused";

	FObjectProperty* Target = FindOn<FObjectProperty>(Class, TEXT("Target"));
	Target->SetObjectPropertyValue_InContainer(Object, Peer);
	EXPECT_EQ(Target->GetObjectPropertyValue_InContainer(Object), Peer);

	FClassProperty* Picked = FindOn<FClassProperty>(Class, TEXT("PickedClass"));
	ASSERT_NE(Picked, nullptr);
	EXPECT_EQ(Picked->MetaClass, UReflectionTestBase::StaticClass());
	Picked->SetObjectPropertyValue_InContainer(Object, UReflectionTestDerived::StaticClass());
	EXPECT_EQ(Object->PickedClass.Get(), UReflectionTestDerived::StaticClass());
	Picked->SetObjectPropertyValue_InContainer(Object, UReflectionTestPeer::StaticClass());
	EXPECT_EQ(Object->PickedClass.Get(), nullptr);

	FSoftObjectProperty* Soft = FindOn<FSoftObjectProperty>(Class, TEXT("SoftTarget"));
	ASSERT_NE(Soft, nullptr);
	Soft->SetObjectPropertyValue_InContainer(Object, Peer);
	EXPECT_EQ(Object->SoftTarget.ToSoftObjectPath().ToString(), Peer->GetPathName());
	EXPECT_EQ(Object->SoftTarget.Get(), Peer);
	EXPECT_EQ(Soft->GetObjectPropertyValue_InContainer(Object), Peer);
}

TEST(FieldIteration, YieldsOwnPropertiesInDeclarationOrderThenTheSuperClasses)
{
	std::vector<std::string> Names;
	for (TFieldIterator<FProperty> It(UReflectionTestDerived::StaticClass()); It; ++It)
	{
		Names.push_back(Utf8(It->GetName()));
	}
	const std::vector<std::string> Expected = {"bFirstFlag", "bSecondFlag", "bPlainFlag", "BigNumber", "Ratio", "Precise", "Small", "Tag", "Caption", "Names", "Pairs", "Target", "Peer", "SoftTarget", "PickedClass", "Mode", "Point", "Fixed", "BaseCount", "Secret"};
	EXPECT_EQ(Names, Expected);

	int32 OwnOnly = 0;
	for (TFieldIterator<FProperty> It(UReflectionTestDerived::StaticClass(), EFieldIteratorFlags::ExcludeSuper); It; ++It)
	{
		++OwnOnly;
	}
	EXPECT_EQ(OwnOnly, 18);

	int32 BoolCount = 0;
	for (TFieldIterator<FBoolProperty> It(UReflectionTestDerived::StaticClass()); It; ++It)
	{
		++BoolCount;
	}
	EXPECT_EQ(BoolCount, 3) << "the iterator yields only fields of the asked type";
}

TEST(Functions, FoundByNameOnTheClassAndItsSuperClasses)
{
	UClass* Derived = UReflectionTestDerived::StaticClass();
	UFunction* Reset = Derived->FindFunctionByName(FName(TEXT("resetcount")));
	ASSERT_NE(Reset, nullptr);
	EXPECT_EQ(Reset->GetOwnerClass(), UReflectionTestBase::StaticClass());
	EXPECT_TRUE(Reset->HasAllFunctionFlags(FUNC_BlueprintCallable | FUNC_Native));
	EXPECT_EQ(Reset->GetMetaData(TEXT("Category")), TEXT("Test"));
	EXPECT_EQ(Derived->FindFunctionByName(FName(TEXT("ResetCount")), EIncludeSuperFlag::ExcludeSuper), nullptr);
	EXPECT_NE(Derived->FindFunctionByName(FName(TEXT("Touch")), EIncludeSuperFlag::ExcludeSuper), nullptr);
	EXPECT_EQ(Derived->FindFunctionByName(FName(TEXT("Missing"))), nullptr);
	EXPECT_EQ(MakeDerived()->FindFunction(FName(TEXT("ResetCount"))), Reset);
	EXPECT_EQ(Utf8(Reset->GetPathName()), "/Script/ReflectionTests.ReflectionTestBase:ResetCount");
}

TEST(Objects, NewObjectNamesAreUniquePerClass)
{
	UReflectionTestNamed* First = NewObject<UReflectionTestNamed>();
	UReflectionTestNamed* Second = NewObject<UReflectionTestNamed>(GetTransientPackage());
	ASSERT_TRUE(First && Second);
	EXPECT_EQ(First->GetName(), TEXT("ReflectionTestNamed_0"));
	EXPECT_EQ(Second->GetName(), TEXT("ReflectionTestNamed_1"));
	EXPECT_EQ(First->GetOuter(), GetTransientPackage());
	EXPECT_EQ(Utf8(First->GetPathName()), "/Engine/Transient.ReflectionTestNamed_0");
	EXPECT_EQ(MakeUniqueObjectName(GetTransientPackage(), UReflectionTestNamed::StaticClass()), FName(TEXT("ReflectionTestNamed_2")));
	EXPECT_EQ(First->GetPackage(), GetTransientPackage());
}

TEST(Objects, NamesStayUniqueAcrossThreads)
{
	constexpr int32 NumThreads = 4;
	constexpr int32 PerThread = 50;
	std::array<std::vector<UReflectionTestPeer*>, NumThreads> Made;
	std::vector<std::thread> Threads;
	for (int32 Index = 0; Index < NumThreads; ++Index)
	{
		Threads.emplace_back([&Made, Index]()
			{
			for (int32 Count = 0; Count < PerThread; ++Count)
			{
				Made[size_t(Index)].push_back(NewObject<UReflectionTestPeer>());
			} });
	}
	for (std::thread& Thread : Threads)
	{
		Thread.join();
	}
	TMap<FString, int32> Seen;
	for (const std::vector<UReflectionTestPeer*>& List : Made)
	{
		for (UReflectionTestPeer* Object : List)
		{
			ASSERT_NE(Object, nullptr);
			EXPECT_FALSE(Seen.Contains(Object->GetName())) << Utf8(Object->GetName());
			Seen.Add(Object->GetName(), 1);
			EXPECT_EQ(StaticFindObject(nullptr, nullptr, *Object->GetPathName()), Object);
		}
	}
	EXPECT_EQ(Seen.Num(), NumThreads * PerThread);
}

TEST(Objects, StaticFindObjectResolvesPaths)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Tests/FindMe"));
	ASSERT_NE(Package, nullptr);
	EXPECT_EQ(CreatePackage(TEXT("/Game/Tests/FindMe")), Package);
	UReflectionTestPeer* Asset = NewObject<UReflectionTestPeer>(Package, FName(TEXT("Asset")));
	UReflectionTestPeer* Sub = NewObject<UReflectionTestPeer>(Asset, FName(TEXT("Sub")));
	ASSERT_TRUE(Asset && Sub);
	EXPECT_EQ(Utf8(Sub->GetPathName()), "/Game/Tests/FindMe.Asset:Sub");

	EXPECT_EQ(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Tests/FindMe.Asset")), Asset);
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, TEXT("/Game/Tests/FindMe.Asset:Sub")), Sub);
	EXPECT_EQ(StaticFindObject(nullptr, Package, TEXT("Asset")), Asset);
	EXPECT_EQ(FindObject<UReflectionTestPeer>(nullptr, TEXT("/game/tests/findme.asset")), Asset) << "names ignore case";
	EXPECT_EQ(FindObject<UReflectionTestPeer>(nullptr, TEXT("ReflectionTestPeer'/Game/Tests/FindMe.Asset'")), Asset);
	EXPECT_EQ(FindObject<UReflectionTestBase>(nullptr, TEXT("/Game/Tests/FindMe.Asset")), nullptr) << "wrong class";
	EXPECT_EQ(StaticFindObject(UObject::StaticClass(), nullptr, TEXT("/Game/Tests/FindMe.Asset"), true), nullptr) << "exact class";
	EXPECT_EQ(FindObject<UClass>(nullptr, TEXT("/Script/ReflectionTests.ReflectionTestDerived")), UReflectionTestDerived::StaticClass());
	EXPECT_EQ(FindObject<UEnum>(nullptr, TEXT("/Script/ReflectionTests.EReflectionTestMode")), StaticEnum<EReflectionTestMode>());
	EXPECT_EQ(FindFirstObject<UReflectionTestPeer>(TEXT("Asset")), Asset);

	for (const TCHAR* Bad : {TEXT(""), TEXT("."), TEXT(":"), TEXT("/Game/Tests/FindMe..Asset"), TEXT("/Game/Tests/FindMe.Asset."), TEXT("/Game/Tests/FindMe.Missing"), TEXT("'"), TEXT("X''")})
	{
		EXPECT_EQ(StaticFindObject(nullptr, nullptr, Bad), nullptr) << Utf8(FString(Bad));
	}
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, nullptr), nullptr);
}

TEST(Objects, NewObjectRefusesWhatTheEngineRefuses)
{
	EXPECT_EQ(NewObject<UReflectionTestAbstract>(), nullptr) << "abstract class";
	GTEST_FLAG_SET(death_test_style, "threadsafe");
	EXPECT_DEATH(NewObject<UReflectionTestPeer>(nullptr), "Object is not packaged: ReflectionTestPeer") << "no outer";
	EXPECT_DEATH(NewObject<UReflectionTestDerived>(GetTransientPackage(), UReflectionTestPeer::StaticClass()), "NewObject called with invalid class, ReflectionTestPeer must be a child of ReflectionTestDerived") << "class not a subclass of T";

	UReflectionTestPeer* Original = NewObject<UReflectionTestPeer>(GetTransientPackage(), FName(TEXT("Taken")));
	ASSERT_NE(Original, nullptr);
	EXPECT_DEATH(NewObject<UReflectionTestNamed>(GetTransientPackage(), FName(TEXT("Taken"))), "Cannot replace existing object of a different class") << "name taken by an unrelated class";
	UReflectionTestPeer* Replacement = NewObject<UReflectionTestPeer>(GetTransientPackage(), FName(TEXT("Taken")));
	EXPECT_EQ(Replacement, Original) << "same class and name: made again in place";
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, TEXT("/Engine/Transient.Taken")), Replacement);
}

TEST(Objects, IteratorAndWeakPointersSeeLiveObjects)
{
	UReflectionTestLegacy* Object = NewObject<UReflectionTestLegacy>();
	ASSERT_NE(Object, nullptr);
	EXPECT_EQ(Object->Value, 11);
	int32 Count = 0;
	bool bFound = false;
	for (TObjectIterator<UReflectionTestLegacy> It; It; ++It)
	{
		++Count;
		bFound = bFound || *It == Object;
		EXPECT_FALSE(It->HasAnyFlags(RF_ClassDefaultObject));
	}
	EXPECT_TRUE(bFound);
	EXPECT_EQ(Count, 1);

	bool bClassFound = false;
	for (TObjectIterator<UClass> It; It; ++It)
	{
		bClassFound = bClassFound || *It == UReflectionTestAbstract::StaticClass();
	}
	EXPECT_TRUE(bClassFound);

	TWeakObjectPtr<UReflectionTestLegacy> Weak(Object);
	EXPECT_TRUE(Weak.IsValid());
	EXPECT_EQ(Weak.Get(), Object);
	TWeakObjectPtr<UReflectionTestLegacy> Empty;
	EXPECT_FALSE(Empty.IsValid());
	EXPECT_FALSE(Empty.IsStale());
}

TEST(Casts, CastFollowsTheClassHierarchy)
{
	UReflectionTestDerived* Derived = MakeDerived();
	UObject* AsObject = Derived;
	EXPECT_EQ(Cast<UReflectionTestBase>(AsObject), Derived);
	EXPECT_EQ(Cast<UReflectionTestDerived>(AsObject), Derived);
	EXPECT_EQ(Cast<UReflectionTestPeer>(AsObject), nullptr);
	EXPECT_EQ(Cast<UReflectionTestBase>(static_cast<UObject*>(nullptr)), nullptr);
	EXPECT_EQ(CastChecked<UReflectionTestBase>(AsObject), Derived);
	EXPECT_EQ(CastChecked<UReflectionTestBase>(static_cast<UObject*>(nullptr), ECastCheckedType::NullAllowed), nullptr);
	EXPECT_TRUE(Derived->IsA<UReflectionTestBase>());
	EXPECT_FALSE(Derived->IsA(UReflectionTestPeer::StaticClass()));
	EXPECT_EQ(Cast<UClass>(static_cast<UObject*>(UReflectionTestPeer::StaticClass())), UReflectionTestPeer::StaticClass());
}

TEST(Enums, NamesValuesAndDisplayNames)
{
	UEnum* Enum = StaticEnum<EReflectionTestMode>();
	ASSERT_NE(Enum, nullptr);
	EXPECT_EQ(Enum->GetName(), TEXT("EReflectionTestMode"));
	EXPECT_EQ(Enum->GetCppForm(), UEnum::ECppForm::EnumClass);
	ASSERT_EQ(Enum->NumEnums(), 4) << "three enumerators and the added _MAX";
	EXPECT_EQ(Enum->GetNameByIndex(1), FName(TEXT("EReflectionTestMode::Slow")));
	EXPECT_EQ(Enum->GetNameStringByIndex(1), TEXT("Slow"));
	EXPECT_EQ(Enum->GetValueByIndex(2), 5);
	EXPECT_EQ(Enum->GetNameStringByIndex(3), TEXT("EReflectionTestMode_MAX"));
	EXPECT_EQ(Enum->GetValueByIndex(3), 6);
	EXPECT_EQ(Enum->GetNameStringByValue(5), TEXT("Fast"));
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("fast")), 5);
	EXPECT_EQ(Enum->GetValueByName(FName(TEXT("EReflectionTestMode::Slow"))), 1);
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("fast"), EGetByNameFlags::CaseSensitive), INDEX_NONE);
	EXPECT_EQ(Enum->GetDisplayNameTextByValue(1).ToString(), TEXT("Slow Speed"));
	EXPECT_EQ(Enum->GetDisplayNameTextByValue(0).ToString(), TEXT("Off"));
	EXPECT_FALSE(Enum->IsValidEnumValue(3));
	EXPECT_EQ(Enum->GetNameStringByIndex(99), TEXT(""));
	EXPECT_EQ(Enum->GetValueByNameString(TEXT("")), INDEX_NONE);

	UEnum* Legacy = StaticEnum<EReflectionLegacyKind>();
	ASSERT_NE(Legacy, nullptr);
	EXPECT_EQ(Legacy->GetCppForm(), UEnum::ECppForm::Regular);
	EXPECT_EQ(Legacy->GetNameStringByIndex(0), TEXT("RLK_First"));
	EXPECT_EQ(Legacy->GetNameStringByIndex(2), TEXT("RLK_MAX")) << "a regular enum's _MAX takes the common prefix";
}

namespace
{
	struct FToolResult
	{
		int ExitCode = -1;
		std::string Output;
	};

	/** Runs the header tool on a header with the given text and returns its exit code and stderr. */
	FToolResult RunHeaderTool(const std::string& FileName, const std::string& Text)
	{
		const std::filesystem::path Dir = std::filesystem::temp_directory_path() / ("orvane_header_tool_test_" + std::to_string(::getpid()));
		std::filesystem::create_directories(Dir);
		const std::filesystem::path Header = Dir / FileName;
		std::ofstream(Header, std::ios::binary) << Text;
		const std::string Command = std::string("\"") + ORVANE_PYTHON + "\" \"" + ORVANE_HEADER_TOOL + "\" --module HostileTest --output-dir \"" + (Dir / "out").string() + "\" \"" + Header.string() + "\" 2>&1";
		FToolResult Result;
		FILE* Pipe = ::popen(Command.c_str(), "r");
		if (!Pipe)
		{
			return Result;
		}
		std::array<char, 512> Buffer;
		while (size_t Read = std::fread(Buffer.data(), 1, Buffer.size(), Pipe))
		{
			Result.Output.append(Buffer.data(), Read);
		}
		const int Status = ::pclose(Pipe);
		Result.ExitCode = WIFEXITED(Status) ? WEXITSTATUS(Status) : -1;
		return Result;
	}
}

TEST(HeaderTool, RejectsMalformedDeclarationsWithFileAndLine)
{
	const std::string Prelude = "#pragma once\n#include \"Bad.generated.h\"\n";
	struct FCase
	{
		const char* What;
		std::string Text;
		const char* Expected;
	};
	const std::vector<FCase> Cases = {
		{"truncated class", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tint32 A;\n", "Bad.h:5: error: the body of 'UBad' is never closed"},
		{"truncated specifiers", Prelude + "UCLASS(Config=Game\n", "Bad.h:3: error: '(' is never closed"},
		{"property without declaration", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n};\n", "Bad.h:7: error: UPROPERTY is not followed by a member declaration"},
		{"two declarators", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tint32 A, B;\n};\n", "Bad.h:8: error: declare one UPROPERTY per statement"},
		{"wide bitfield", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUPROPERTY()\n\tuint8 bA : 2;\n};\n", "Bad.h:8: error: bitfield UPROPERTY 'bA' must be one bit wide"},
		{"unknown specifier", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\n\tUPROPERTY(EditAnywhre)\n\tint32 A;\n};\n", "Bad.h:8: error: unknown UPROPERTY specifier 'EditAnywhre' on 'A'"},
		{"missing body macro", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n};\n", "Bad.h:4: error: 'UBad' has no GENERATED_BODY()"},
		{"no base class", Prelude + "UCLASS()\nclass UBad\n{\n\tGENERATED_BODY()\n};\n", "Bad.h:4: error: UCLASS 'UBad' must derive from UObject"},
		{"marker not followed by a type", Prelude + "UCLASS()\nint32 Value;\n", "Bad.h:4: error: UCLASS must be followed by a class or struct declaration"},
		{"unterminated comment", Prelude + "/* open\nUCLASS()\n", "Bad.h:3: error: unterminated comment"},
		{"unterminated string", Prelude + "UCLASS(meta=(DisplayName=\"open))\n", "Bad.h:3: error: unterminated string or character literal"},
		{"property outside a class", Prelude + "UPROPERTY()\nint32 Loose;\n", "Bad.h:3: error: UPROPERTY outside a UCLASS or USTRUCT"},
		{"malformed metadata", Prelude + "UCLASS(meta=DisplayName)\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n};\n", "Bad.h:3: error: meta must be written meta=(Key=Value, ...)"},
		{"missing generated include", "#pragma once\nUCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n};\n", "Bad.h:1: error: a header with reflected types must include \"Bad.generated.h\""},
		{"empty enum", Prelude + "UENUM()\nenum class EBad : uint8\n{\n};\n", "Bad.h:4: error: UENUM 'EBad' has no enumerators"},
		{"static blueprint event", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUFUNCTION(BlueprintImplementableEvent)\n\tstatic void Fire(float Time);\n};\n", "Bad.h:7: error: blueprint event 'Fire' cannot be static"},
		{"event parameter without a name", Prelude + "UCLASS()\nclass UBad : public UObject\n{\n\tGENERATED_BODY()\n\tUFUNCTION(BlueprintImplementableEvent)\n\tvoid Fire(float);\n};\n", "Bad.h:7: error: every parameter of a blueprint event needs a type and a name"},
	};
	for (const FCase& Case : Cases)
	{
		const FToolResult Result = RunHeaderTool("Bad.h", Case.Text);
		EXPECT_EQ(Result.ExitCode, 1) << Case.What << "\n"
									  << Result.Output;
		EXPECT_NE(Result.Output.find(Case.Expected), std::string::npos) << Case.What << "\nexpected: " << Case.Expected << "\ngot: " << Result.Output;
		EXPECT_EQ(Result.Output.find("Traceback"), std::string::npos) << Case.What << " crashed the tool:\n"
																	  << Result.Output;
	}
}

TEST(HeaderTool, AcceptsDeclarationsItMustNotMistakeForReflection)
{
	const std::string Text =
		"#pragma once\n"
		"#define UCLASS(...)\n"
		"// UCLASS() in a comment\n"
		"/** UPROPERTY() in a doc comment */\n"
		"#include \"Fine.generated.h\"\n"
		"class UPlain;\n"
		"USTRUCT(BlueprintType)\n"
		"struct FFine\n"
		"{\n"
		"\tGENERATED_BODY()\n"
		"\tUPROPERTY(EditAnywhere, meta=(ClampMin=\"0\", DisplayName=\"A b\"))\n"
		"\tTMap<FString, TArray<FString>> Nested = {};\n"
		"\tUPROPERTY() TObjectPtr<UPlain> Ptr = nullptr;\n"
		"\tvoid Method() { int32 Local = 1 < 2 ? 3 : 4; (void)Local; }\n"
		"};\n";
	const FToolResult Result = RunHeaderTool("Fine.h", Text);
	EXPECT_EQ(Result.ExitCode, 0) << Result.Output;
	EXPECT_TRUE(Result.Output.empty()) << Result.Output;
}
