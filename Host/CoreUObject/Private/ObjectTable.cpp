// Copyright Kelmora. All Rights Reserved.
#include "ObjectSystem.h"

#include <new>

namespace UE::CoreUObject::Host
{
	namespace
	{
		/** Frees every object when static destruction reaches the table, then leaves the table empty. */
		struct FObjectTableShutdown
		{
			FObjectTable* Table;
			~FObjectTableShutdown() { Table->DestroyAll(); }
		};

		std::atomic<bool> GObjectTableShutDown{false};
	}

	FObjectTable* FObjectTable::Get()
	{
		// The table itself outlives static destruction so that late lookups find nothing instead of freed memory.
		static FObjectTable* Table = new FObjectTable();
		static FObjectTableShutdown Shutdown{Table};
		return GObjectTableShutDown.load(std::memory_order_acquire) ? nullptr : Table;
	}

	int32 FObjectTable::AddLocked(UObjectBase* Object, SIZE_T Alignment)
	{
		FSlot Slot;
		Slot.Object = Object;
		Slot.SerialNumber = NextSerialNumber++;
		Slot.Alignment = Alignment;
		Slots.push_back(Slot);
		return int32(Slots.size() - 1);
	}

	void FObjectTable::SetNameLocked(int32 Index, const UObjectBase* Outer, FName Name)
	{
		IndexByOuterAndName[FOuterAndName{Outer, Name}] = Index;
	}

	UObjectBase* FObjectTable::FindLocked(const UObjectBase* Outer, FName Name, bool bReadyOnly) const
	{
		const auto Found = IndexByOuterAndName.find(FOuterAndName{Outer, Name});
		if (Found == IndexByOuterAndName.end())
		{
			return nullptr;
		}
		const FSlot& Slot = Slots[size_t(Found->second)];
		return (!bReadyOnly || Slot.bReady) ? Slot.Object : nullptr;
	}

	void FObjectTable::DestroyAll()
	{
		std::lock_guard<std::recursive_mutex> Lock(Mutex);
		GObjectTableShutDown.store(true, std::memory_order_release);
		// Newest first: instances go before the classes and packages they were made from.
		for (size_t Index = Slots.size(); Index-- > 0;)
		{
			FSlot& Slot = Slots[Index];
			if (Slot.Object)
			{
				Slot.Object->~UObjectBase();
				::operator delete(static_cast<void*>(Slot.Object), std::align_val_t(Slot.Alignment));
				Slot.Object = nullptr;
			}
		}
		Slots.clear();
		IndexByOuterAndName.clear();
	}
}
