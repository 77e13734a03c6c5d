// Copyright Kelmora. All Rights Reserved.
#include "ObjectSystem.h"
#include "UObject/GCObject.h"
#include "UObject/Package.h"
#include "UObject/UnrealType.h"

#include <algorithm>
#include <mutex>
#include <unordered_set>
#include <vector>

namespace
{
	std::mutex& GetGCObjectsMutex()
	{
		static std::mutex Mutex;
		return Mutex;
	}

	std::vector<FGCObject*>& GetGCObjects()
	{
		static std::vector<FGCObject*> Objects;
		return Objects;
	}

	void RegisterGCObject(FGCObject* Object)
	{
		std::lock_guard<std::mutex> Lock(GetGCObjectsMutex());
		GetGCObjects().push_back(Object);
	}

	const TCHAR InvalidObjectNameCharacters[] = TEXT(".:/");

	bool IsScriptPackageName(const FString& Name)
	{
		return Name.StartsWith(TEXT("/Script/"), ESearchCase::IgnoreCase);
	}
}

namespace UE::CoreUObject::Host
{
	void FObjectSystem::VisitValueReferences(const FProperty* Property, void* Value, TFunctionRef<void(UObject*& Reference, bool bCanClear)> Visit, bool bCanClear)
	{
		if (CastField<FObjectProperty>(Property))
		{
			// TObjectPtr<T> and T* share one layout: a single object pointer.
			Visit(*static_cast<UObject**>(Value), bCanClear);
		}
		else if (const FStructProperty* StructProperty = CastField<FStructProperty>(Property))
		{
			VisitStructReferences(StructProperty->Struct, Value, Visit, bCanClear);
		}
		else if (const FArrayProperty* ArrayProperty = CastField<FArrayProperty>(Property))
		{
			if (!ArrayProperty->Inner || !ArrayProperty->HostOps.Num)
			{
				return;
			}
			FScriptArrayHelper Helper(ArrayProperty, Value);
			for (int32 Index = 0; Index < Helper.Num(); ++Index)
			{
				VisitValueReferences(ArrayProperty->Inner, Helper.GetRawPtr(Index), Visit, bCanClear);
			}
		}
		else if (const FMapProperty* MapProperty = CastField<FMapProperty>(Property))
		{
			if (!MapProperty->HostOps.ForEachPair)
			{
				return;
			}
			MapProperty->HostOps.ForEachPair(Value, [&](void* Key, void* MapValue)
				{
				// A key is never cleared in place: that would break the map's hashing.
				VisitValueReferences(MapProperty->KeyProp, Key, Visit, false);
				VisitValueReferences(MapProperty->ValueProp, MapValue, Visit, bCanClear); });
		}
	}

	void FObjectSystem::VisitStructReferences(const UStruct* Struct, void* Container, TFunctionRef<void(UObject*& Reference, bool bCanClear)> Visit, bool bCanClear)
	{
		if (!Struct)
		{
			return;
		}
		for (TFieldIterator<FProperty> It(Struct); It; ++It)
		{
			for (int32 Index = 0; Index < It->GetArrayDim(); ++Index)
			{
				VisitValueReferences(*It, It->ContainerPtrToValuePtr<void>(Container, Index), Visit, bCanClear);
			}
		}
	}

	void FObjectSystem::FreeObjectsLocked(FObjectTable& Table, const std::vector<UObjectBase*>& Doomed)
	{
		for (UObjectBase* Base : Doomed)
		{
			UObject* Object = static_cast<UObject*>(Base);
			Base->InternalFlags = EInternalObjectFlags(int32(Base->InternalFlags) | int32(EInternalObjectFlags::Unreachable));
			if (!Object->HasAnyFlags(RF_BeginDestroyed))
			{
				Object->SetFlags(RF_BeginDestroyed);
				Object->BeginDestroy();
			}
		}
		for (UObjectBase* Base : Doomed)
		{
			UObject* Object = static_cast<UObject*>(Base);
			if (!Object->HasAnyFlags(RF_FinishDestroyed))
			{
				Object->SetFlags(RF_FinishDestroyed);
				Object->FinishDestroy();
			}
		}
		for (UObjectBase* Base : Doomed)
		{
			const int32 Index = Base->InternalIndex;
			FObjectTable::FSlot& Slot = Table.Slots[size_t(Index)];
			const auto Found = Table.IndexByOuterAndName.find(FObjectTable::FOuterAndName{Base->OuterPrivate, Base->NamePrivate});
			if (Found != Table.IndexByOuterAndName.end() && Found->second == Index)
			{
				Table.IndexByOuterAndName.erase(Found);
			}
			const SIZE_T Alignment = Slot.Alignment;
			// Weak pointers compare serial numbers, so a cleared slot never resolves again.
			Slot.Object = nullptr;
			Slot.bReady = false;
			Slot.SerialNumber = 0;
			Base->~UObjectBase();
			::operator delete(static_cast<void*>(Base), std::align_val_t(Alignment));
		}
	}

	void FObjectSystem::DestroyObjectsNow(const std::vector<UObject*>& Objects)
	{
		FObjectTable* Table = FObjectTable::Get();
		if (!Table)
		{
			return;
		}
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		std::vector<UObjectBase*> Doomed;
		std::unordered_set<UObjectBase*> Seen;
		for (UObject* Object : Objects)
		{
			if (Object && Seen.insert(Object).second && Object->InternalIndex != INDEX_NONE && Table->Slots[size_t(Object->InternalIndex)].Object == Object)
			{
				Doomed.push_back(Object);
			}
		}
		FreeObjectsLocked(*Table, Doomed);
	}

	bool FObjectSystem::RenameObject(UObject* Object, const TCHAR* InName, UObject* NewOuter, ERenameFlags Flags)
	{
		FObjectTable* Table = FObjectTable::Get();
		if (!Table || !Object)
		{
			return false;
		}
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		const bool bIsPackage = Object->GetClass() == UPackage::StaticClass();
		if (bIsPackage && NewOuter)
		{
			UE_LOG(LogUObjectGlobals, Error, TEXT("Rename: package %s cannot be given an outer"), *Object->GetName());
			return false;
		}
		UObject* TargetOuter = NewOuter ? NewOuter : Object->GetOuter();
		for (const UObject* Outer = TargetOuter; Outer; Outer = Outer->GetOuter())
		{
			if (Outer == Object)
			{
				UE_LOG(LogUObjectGlobals, Error, TEXT("Rename: %s cannot be moved into itself or one of its inner objects"), *Object->GetPathName());
				return false;
			}
		}
		FName NewName;
		if (InName && *InName)
		{
			const FString NameString(InName);
			if (!bIsPackage)
			{
				for (const TCHAR* Bad = InvalidObjectNameCharacters; *Bad; ++Bad)
				{
					int32 Unused = INDEX_NONE;
					if (NameString.FindChar(*Bad, Unused))
					{
						UE_LOG(LogUObjectGlobals, Error, TEXT("Rename: '%s' is not a valid object name"), InName);
						return false;
					}
				}
			}
			NewName = FName(NameString);
			UObjectBase* Existing = Table->FindLocked(TargetOuter, NewName, false);
			if (Existing == Object)
			{
				return true;
			}
			if (Existing)
			{
				// A test rename only asks; a real one onto a taken name ends the process, as in the engine.
				UE_CLOG(!(Flags & REN_Test), LogUObjectGlobals, Fatal, TEXT("Renaming an object (%s) on top of an existing object (%s) is not allowed"), *Object->GetFullName(), *static_cast<UObject*>(Existing)->GetFullName());
				return false;
			}
		}
		else if (NewOuter && !Table->FindLocked(NewOuter, Object->GetFName(), false))
		{
			NewName = Object->GetFName();
		}
		else
		{
			NewName = MakeUniqueNameLocked(*Table, TargetOuter, Object->GetClass(), NAME_None);
		}
		if (Flags & REN_Test)
		{
			return true;
		}
		UPackage* OldPackage = Object->GetPackage();
		const auto Found = Table->IndexByOuterAndName.find(FObjectTable::FOuterAndName{Object->OuterPrivate, Object->NamePrivate});
		if (Found != Table->IndexByOuterAndName.end() && Found->second == Object->InternalIndex)
		{
			Table->IndexByOuterAndName.erase(Found);
		}
		Object->OuterPrivate = TargetOuter;
		Object->NamePrivate = NewName;
		Table->SetNameLocked(Object->InternalIndex, TargetOuter, NewName);
		if (!(Flags & REN_DoNotDirty))
		{
			if (OldPackage && OldPackage != Object)
			{
				OldPackage->SetDirtyFlag(true);
			}
			Object->MarkPackageDirty();
		}
		return true;
	}

	void FObjectSystem::SetInternalFlag(UObjectBase* Object, EInternalObjectFlags Flag, bool bSet)
	{
		FObjectTable* Table = FObjectTable::Get();
		if (!Table)
		{
			return;
		}
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);
		Object->InternalFlags = EInternalObjectFlags(bSet ? (int32(Object->InternalFlags) | int32(Flag)) : (int32(Object->InternalFlags) & ~int32(Flag)));
	}

	void FObjectSystem::CollectGarbage(EObjectFlags KeepFlags)
	{
		ProcessPendingRegistrations();
		FObjectTable* Table = FObjectTable::Get();
		if (!Table)
		{
			return;
		}
		std::lock_guard<std::recursive_mutex> Lock(Table->Mutex);

		std::unordered_set<UObjectBase*> Live;
		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (Slot.Object)
			{
				Live.insert(Slot.Object);
			}
		}
		// Garbage goes whatever refers to it. An object whose destruction has begun goes only once nothing
		// reaches it: as in the engine, a referenced one stays in memory, and under its name, until then.
		auto IsDoomed = [](const UObject* Object)
		{
			return Object->HasAnyInternalFlags(EInternalObjectFlags::Garbage) && !Object->IsRooted();
		};

		std::unordered_set<UObjectBase*> Marked;
		std::vector<UObject*> Pending;
		auto Mark = [&](UObject* Object)
		{
			if (Object && Live.count(Object) && !IsDoomed(Object) && Marked.insert(Object).second)
			{
				Pending.push_back(Object);
			}
		};

		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (!Slot.Object)
			{
				continue;
			}
			UObject* Object = static_cast<UObject*>(Slot.Object);
			if (!Slot.bReady)
			{
				// Under construction: neither collected nor walked yet.
				Marked.insert(Object);
				continue;
			}
			const UPackage* Package = Object->GetPackage();
			const bool bNative = Package && IsScriptPackageName(Package->GetName());
			// A default object of a class made at run time lives as long as its class.
			const bool bNativeDefaultObject = Object->HasAnyFlags(RF_ClassDefaultObject) && Object->GetClass() && Object->GetClass()->HasAnyClassFlags(CLASS_Native);
			if (Object->IsRooted() || bNative || bNativeDefaultObject || (KeepFlags != RF_NoFlags && Object->HasAnyFlags(KeepFlags)))
			{
				Mark(Object);
			}
		}

		class FMarkingCollector final : public FReferenceCollector
		{
		public:
			explicit FMarkingCollector(TFunctionRef<void(UObject*)> InMark)
				: MarkFn(InMark)
			{
			}
			void HandleObjectReference(UObject*& InObject, const UObject* InReferencingObject, const FProperty* InReferencingProperty) override { MarkFn(InObject); }

		private:
			TFunctionRef<void(UObject*)> MarkFn;
		};
		std::vector<FGCObject*> Referencers;
		{
			std::lock_guard<std::mutex> GCObjectsLock(GetGCObjectsMutex());
			Referencers = GetGCObjects();
		}
		FMarkingCollector MarkingCollector(Mark);
		for (FGCObject* Referencer : Referencers)
		{
			Referencer->AddReferencedObjects(MarkingCollector);
		}

		while (!Pending.empty())
		{
			UObject* Object = Pending.back();
			Pending.pop_back();
			Mark(Object->GetOuter());
			// An object keeps its class alive; a class keeps its super class, default object and generator.
			Mark(Object->GetClass());
			if (const UClass* Class = dynamic_cast<const UClass*>(Object))
			{
				Mark(Class->GetSuperClass());
				Mark(Class->GetDefaultObject(false));
				Mark(Class->ClassGeneratedBy);
			}
			if (Object->GetClass() && !Object->IsA(UStruct::StaticClass()))
			{
				VisitStructReferences(
					Object->GetClass(), Object, [&Mark](UObject*& Reference, bool)
					{ Mark(Reference); },
					true);
			}
		}

		// An object whose outer goes goes with it, whatever else refers to it.
		std::unordered_set<UObjectBase*> DoomedSet;
		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (Slot.Object && !Marked.count(Slot.Object))
			{
				DoomedSet.insert(Slot.Object);
			}
		}
		bool bChanged = true;
		while (bChanged)
		{
			bChanged = false;
			for (const FObjectTable::FSlot& Slot : Table->Slots)
			{
				if (Slot.Object && Slot.bReady && !DoomedSet.count(Slot.Object) && Slot.Object->OuterPrivate && DoomedSet.count(Slot.Object->OuterPrivate))
				{
					DoomedSet.insert(Slot.Object);
					bChanged = true;
				}
			}
		}
		if (DoomedSet.empty())
		{
			return;
		}

		// Survivors must not keep pointers to what is about to be freed.
		auto Clear = [&DoomedSet](UObject*& Reference, bool bCanClear)
		{
			if (Reference && bCanClear && DoomedSet.count(Reference))
			{
				Reference = nullptr;
			}
		};
		for (const FObjectTable::FSlot& Slot : Table->Slots)
		{
			if (Slot.Object && Slot.bReady && !DoomedSet.count(Slot.Object))
			{
				UObject* Object = static_cast<UObject*>(Slot.Object);
				if (Object->GetClass() && !Object->IsA(UStruct::StaticClass()))
				{
					VisitStructReferences(Object->GetClass(), Object, Clear, true);
				}
			}
		}
		class FClearingCollector final : public FReferenceCollector
		{
		public:
			explicit FClearingCollector(const std::unordered_set<UObjectBase*>& InDoomed)
				: Doomed(InDoomed)
			{
			}
			void HandleObjectReference(UObject*& InObject, const UObject* InReferencingObject, const FProperty* InReferencingProperty) override
			{
				if (InObject && Doomed.count(InObject))
				{
					InObject = nullptr;
				}
			}

		private:
			const std::unordered_set<UObjectBase*>& Doomed;
		};
		FClearingCollector ClearingCollector(DoomedSet);
		for (FGCObject* Referencer : Referencers)
		{
			Referencer->AddReferencedObjects(ClearingCollector);
		}

		// Newest first, so inner objects are freed before their outers.
		std::vector<UObjectBase*> Doomed(DoomedSet.begin(), DoomedSet.end());
		std::sort(Doomed.begin(), Doomed.end(), [](const UObjectBase* A, const UObjectBase* B)
			{ return A->InternalIndex > B->InternalIndex; });
		FreeObjectsLocked(*Table, Doomed);
	}
}

using namespace UE::CoreUObject::Host;

FGCObject::FGCObject()
{
	RegisterGCObject(this);
}

FGCObject::FGCObject(const FGCObject&)
{
	RegisterGCObject(this);
}

FGCObject::FGCObject(FGCObject&&)
{
	RegisterGCObject(this);
}

FGCObject::~FGCObject()
{
	std::lock_guard<std::mutex> Lock(GetGCObjectsMutex());
	std::vector<FGCObject*>& Objects = GetGCObjects();
	Objects.erase(std::remove(Objects.begin(), Objects.end(), this), Objects.end());
}

void UObjectBaseUtility::AddToRoot()
{
	FObjectSystem::SetInternalFlag(this, EInternalObjectFlags::RootSet, true);
}

void UObjectBaseUtility::RemoveFromRoot()
{
	FObjectSystem::SetInternalFlag(this, EInternalObjectFlags::RootSet, false);
}

void UObjectBaseUtility::MarkAsGarbage()
{
	if (IsRooted())
	{
		UE_LOG(LogUObjectGlobals, Error, TEXT("MarkAsGarbage: %s is rooted; remove it from the root set first"), *GetFullName());
		return;
	}
	FObjectSystem::SetInternalFlag(this, EInternalObjectFlags::Garbage, true);
	SetFlags(RF_MirroredGarbage);
}

void UObjectBaseUtility::ClearGarbage()
{
	FObjectSystem::SetInternalFlag(this, EInternalObjectFlags::Garbage, false);
	ClearFlags(RF_MirroredGarbage);
}

bool UObject::Rename(const TCHAR* NewName, UObject* NewOuter, ERenameFlags Flags)
{
	return FObjectSystem::RenameObject(this, NewName, NewOuter, Flags);
}

bool UObject::MarkPackageDirty() const
{
	UPackage* Package = GetPackage();
	if (!Package || Package->HasAnyFlags(RF_Transient) || Package == GetTransientPackage())
	{
		return false;
	}
	Package->SetDirtyFlag(true);
	return true;
}

bool UObject::ConditionalBeginDestroy()
{
	if (HasAnyFlags(RF_BeginDestroyed))
	{
		return false;
	}
	SetFlags(RF_BeginDestroyed);
	BeginDestroy();
	return true;
}

void CollectGarbage(EObjectFlags KeepFlags, bool bPerformFullPurge)
{
	FObjectSystem::CollectGarbage(KeepFlags);
}

void FlushAsyncLoading(int32 PackageID)
{
}
