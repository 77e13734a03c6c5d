// Copyright Kelmora. All Rights Reserved.
#include "PackageFixture.h"

#include "Templates/Casts.h"
#include "UObject/GCObject.h"
#include "UObject/Package.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/WeakObjectPtrTemplates.h"

#include <gtest/gtest.h>

int32 UPackageTestPart::BeginDestroyCount = 0;
int32 UPackageTestPart::FinishDestroyCount = 0;

void UPackageTestPart::BeginDestroy()
{
	++BeginDestroyCount;
	Super::BeginDestroy();
}

void UPackageTestPart::FinishDestroy()
{
	++FinishDestroyCount;
	Super::FinishDestroy();
}

namespace
{
	UPackageTestPart* MakePart()
	{
		return NewObject<UPackageTestPart>();
	}

	class FTestReferencer : public FGCObject
	{
	public:
		UObject* Held = nullptr;
		void AddReferencedObjects(FReferenceCollector& Collector) override { Collector.AddReferencedObject(Held); }
		FString GetReferencerName() const override { return TEXT("FTestReferencer"); }
	};
}

TEST(GarbageCollection, DestroysUnreferencedObjectsAndInvalidatesWeakPointers)
{
	const int32 BeginBefore = UPackageTestPart::BeginDestroyCount;
	const int32 FinishBefore = UPackageTestPart::FinishDestroyCount;
	TWeakObjectPtr<UPackageTestPart> Weak(MakePart());
	ASSERT_TRUE(Weak.IsValid());
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(Weak.IsValid());
	EXPECT_TRUE(Weak.IsStale());
	EXPECT_EQ(UPackageTestPart::BeginDestroyCount, BeginBefore + 1);
	EXPECT_EQ(UPackageTestPart::FinishDestroyCount, FinishBefore + 1);
}

TEST(GarbageCollection, KeepsRootedStandaloneAndReferencedObjects)
{
	UPackageTestPart* Rooted = MakePart();
	Rooted->AddToRoot();
	UPackageTestPart* Standalone = MakePart();
	Standalone->SetFlags(RF_Standalone);
	UPackageTestPart* ViaProperty = MakePart();
	UPackageTestPart* ViaArray = MakePart();
	UPackageTestPart* ViaMap = MakePart();
	UPackageTestPart* ViaStruct = MakePart();
	UPackageTestPart* ViaReferencer = MakePart();
	UPackageTestPart* Inner = NewObject<UPackageTestPart>(MakePart());
	UPackageTestPart* OnlyUnreflected = MakePart();
	Rooted->Next = ViaProperty;
	ViaProperty->Others = {ViaArray, nullptr};
	ViaArray->ByName.Add(TEXT("k"), ViaMap);
	ViaMap->Holder.Anchor = ViaStruct;
	ViaStruct->Next = Inner;
	ViaStruct->Unreflected = OnlyUnreflected;
	FTestReferencer Referencer;
	Referencer.Held = ViaReferencer;

	TWeakObjectPtr<UPackageTestPart> WeakOuter(Cast<UPackageTestPart>(Inner->GetOuter()));
	TWeakObjectPtr<UPackageTestPart> WeakUnreflected(OnlyUnreflected);
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_TRUE(IsValid(Standalone));
	for (UPackageTestPart* Kept : {Rooted, ViaProperty, ViaArray, ViaMap, ViaStruct, ViaReferencer, Inner})
	{
		EXPECT_TRUE(IsValid(Kept));
	}
	// An object keeps its outer alive; a pointer the reflection cannot see does not keep anything.
	EXPECT_TRUE(WeakOuter.IsValid());
	EXPECT_FALSE(WeakUnreflected.IsValid());

	TWeakObjectPtr<UPackageTestPart> WeakStandalone(Standalone);
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakStandalone.IsValid());
	Referencer.Held = nullptr;
	Rooted->RemoveFromRoot();
	TWeakObjectPtr<UPackageTestPart> WeakRooted(Rooted);
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakRooted.IsValid());
}

TEST(GarbageCollection, CollectsCyclesAndSelfReferences)
{
	UPackageTestPart* A = MakePart();
	UPackageTestPart* B = MakePart();
	A->Next = B;
	B->Next = A;
	A->Others = {A, A};
	B->ByName.Add(TEXT("self"), B);
	TWeakObjectPtr<UPackageTestPart> WeakA(A);
	TWeakObjectPtr<UPackageTestPart> WeakB(B);
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakA.IsValid());
	EXPECT_FALSE(WeakB.IsValid());
}

TEST(GarbageCollection, DestroysGarbageAndClearsReferencesToIt)
{
	UPackageTestPart* Keeper = MakePart();
	Keeper->AddToRoot();
	UPackageTestPart* Garbage = MakePart();
	Keeper->Next = Garbage;
	Keeper->Others = {Garbage};
	Keeper->Holder.Anchor = Garbage;
	FTestReferencer Referencer;
	Referencer.Held = Garbage;

	Garbage->MarkAsGarbage();
	EXPECT_FALSE(IsValid(Garbage));
	TWeakObjectPtr<UPackageTestPart> WeakGarbage(Garbage);
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakGarbage.IsValid());
	EXPECT_EQ(Keeper->Next, nullptr);
	ASSERT_EQ(Keeper->Others.Num(), 1);
	EXPECT_EQ(Keeper->Others[0], nullptr);
	EXPECT_EQ(Keeper->Holder.Anchor, nullptr);
	EXPECT_EQ(Referencer.Held, nullptr);
	Keeper->RemoveFromRoot();
}

TEST(GarbageCollection, AnObjectWhoseDestructionBeganStaysWhileSomethingReachesIt)
{
	// Earlier tests' leftovers go first, so the counts below are this test's own.
	CollectGarbage(RF_NoFlags);
	UPackage* Package = CreatePackage(TEXT("/Game/Tests/BegunAsset"));
	UPackageTestPart* Begun = NewObject<UPackageTestPart>(Package, FName(TEXT("BegunAsset")));
	UPackageTestPart* Loose = MakePart();
	UPackageTestPart* Keeper = MakePart();
	Keeper->AddToRoot();
	Keeper->Next = Begun;
	const int32 BeginBefore = UPackageTestPart::BeginDestroyCount;
	const int32 FinishBefore = UPackageTestPart::FinishDestroyCount;
	EXPECT_TRUE(Begun->ConditionalBeginDestroy());
	EXPECT_FALSE(Begun->ConditionalBeginDestroy());
	EXPECT_TRUE(Loose->ConditionalBeginDestroy());
	TWeakObjectPtr<UPackageTestPart> WeakBegun(Begun);
	TWeakObjectPtr<UPackageTestPart> WeakLoose(Loose);

	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakLoose.IsValid()) << "nothing reached it";
	EXPECT_TRUE(WeakBegun.IsValid()) << "the keeper still reaches it";
	EXPECT_EQ(Keeper->Next, Begun);
	EXPECT_EQ(StaticFindObject(nullptr, nullptr, TEXT("/Game/Tests/BegunAsset.BegunAsset")), Begun) << "and its name stays taken";
	EXPECT_EQ(UPackageTestPart::BeginDestroyCount, BeginBefore + 2) << "destruction begins once per object";
	EXPECT_EQ(UPackageTestPart::FinishDestroyCount, FinishBefore + 1);

	Keeper->Next = nullptr;
	CollectGarbage(RF_NoFlags);
	EXPECT_FALSE(WeakBegun.IsValid());
	EXPECT_EQ(UPackageTestPart::BeginDestroyCount, BeginBefore + 2);
	EXPECT_EQ(UPackageTestPart::FinishDestroyCount, FinishBefore + 2);
	Keeper->RemoveFromRoot();
}

TEST(GarbageCollection, DestroysInnerObjectsWithTheirPackage)
{
	UPackage* Package = CreatePackage(TEXT("/Game/Tests/GCPackage"));
	UPackageTestPart* Asset = NewObject<UPackageTestPart>(Package, FName(TEXT("GCPackage")), RF_Public | RF_Standalone);
	UPackageTestPart* Inner = NewObject<UPackageTestPart>(Asset);
	UPackageTestPart* Keeper = MakePart();
	Keeper->AddToRoot();
	Keeper->Next = Inner;
	TWeakObjectPtr<UPackageTestPart> WeakAsset(Asset);
	TWeakObjectPtr<UPackageTestPart> WeakInner(Inner);

	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_TRUE(WeakAsset.IsValid());
	Asset->ClearFlags(RF_Public | RF_Standalone);
	Asset->MarkAsGarbage();
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	EXPECT_FALSE(WeakAsset.IsValid());
	EXPECT_FALSE(WeakInner.IsValid());
	EXPECT_EQ(Keeper->Next, nullptr);
	Keeper->RemoveFromRoot();
	FlushAsyncLoading();
}
