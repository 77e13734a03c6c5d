// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/Map.h.
#pragma once

#include "Containers/Array.h"
#include "CoreTypes.h"
#include "Templates/TypeHash.h"

#include <optional>
#include <vector>

template <typename KeyType, typename ValueType>
struct TPair
{
	KeyType Key;
	ValueType Value;

	bool operator==(const TPair& Other) const { return Key == Other.Key && Value == Other.Value; }
};

/**
 * Hash map with the engine's observable behaviour: keys hashed with GetTypeHash and compared with
 * operator== (so FString keys ignore case), iteration in insertion order, a removed element's slot
 * reused by the next addition, and Add on an existing key replacing key and value in place.
 */
template <typename InKeyType, typename InValueType>
class TMap
{
public:
	typedef InKeyType KeyType;
	typedef InValueType ValueType;
	typedef TPair<InKeyType, InValueType> ElementType;

	TMap() = default;
	TMap(std::initializer_list<ElementType> InitList)
	{
		for (const ElementType& Element : InitList)
		{
			Add(Element.Key, Element.Value);
		}
	}

	int32 Num() const { return NumElements; }
	bool IsEmpty() const { return NumElements == 0; }

	ValueType& Add(const KeyType& Key, const ValueType& Value) { return Emplace(KeyType(Key), ValueType(Value)); }
	ValueType& Add(const KeyType& Key, ValueType&& Value) { return Emplace(KeyType(Key), MoveTemp(Value)); }
	ValueType& Add(KeyType&& Key, const ValueType& Value) { return Emplace(MoveTemp(Key), ValueType(Value)); }
	ValueType& Add(KeyType&& Key, ValueType&& Value) { return Emplace(MoveTemp(Key), MoveTemp(Value)); }
	ValueType& Add(const KeyType& Key) { return Emplace(KeyType(Key), ValueType()); }

	template <typename InitKeyType, typename InitValueType>
	ValueType& Emplace(InitKeyType&& InKey, InitValueType&& InValue)
	{
		KeyType Key(Forward<InitKeyType>(InKey));
		const uint32 Hash = GetTypeHash(Key);
		const int32 Existing = FindIndex(Key, Hash);
		if (Existing != INDEX_NONE)
		{
			Slots[static_cast<size_t>(Existing)].Element.emplace(ElementType{MoveTemp(Key), ValueType(Forward<InitValueType>(InValue))});
			return Slots[static_cast<size_t>(Existing)].Element->Value;
		}
		return AddNew(MoveTemp(Key), ValueType(Forward<InitValueType>(InValue)), Hash);
	}

	ValueType& FindOrAdd(const KeyType& Key)
	{
		const uint32 Hash = GetTypeHash(Key);
		const int32 Existing = FindIndex(Key, Hash);
		if (Existing != INDEX_NONE)
		{
			return Slots[static_cast<size_t>(Existing)].Element->Value;
		}
		return AddNew(KeyType(Key), ValueType(), Hash);
	}

	ValueType* Find(const KeyType& Key)
	{
		const int32 Index = FindIndex(Key, GetTypeHash(Key));
		return Index == INDEX_NONE ? nullptr : &Slots[static_cast<size_t>(Index)].Element->Value;
	}
	const ValueType* Find(const KeyType& Key) const
	{
		const int32 Index = FindIndex(Key, GetTypeHash(Key));
		return Index == INDEX_NONE ? nullptr : &Slots[static_cast<size_t>(Index)].Element->Value;
	}
	/** Finds by a key of another type that hashes and compares like KeyType, without building a KeyType. */
	template <typename ComparableKey>
	ValueType* FindByHash(uint32 KeyHash, const ComparableKey& Key)
	{
		const int32 Index = FindIndex(Key, KeyHash);
		return Index == INDEX_NONE ? nullptr : &Slots[static_cast<size_t>(Index)].Element->Value;
	}
	template <typename ComparableKey>
	const ValueType* FindByHash(uint32 KeyHash, const ComparableKey& Key) const
	{
		const int32 Index = FindIndex(Key, KeyHash);
		return Index == INDEX_NONE ? nullptr : &Slots[static_cast<size_t>(Index)].Element->Value;
	}
	ValueType FindRef(const KeyType& Key) const
	{
		const ValueType* Value = Find(Key);
		return Value ? *Value : ValueType();
	}
	ValueType& FindChecked(const KeyType& Key)
	{
		ValueType* Value = Find(Key);
		check(Value);
		return *Value;
	}
	const ValueType& FindChecked(const KeyType& Key) const
	{
		const ValueType* Value = Find(Key);
		check(Value);
		return *Value;
	}
	ValueType& operator[](const KeyType& Key) { return FindChecked(Key); }
	const ValueType& operator[](const KeyType& Key) const { return FindChecked(Key); }
	bool Contains(const KeyType& Key) const { return FindIndex(Key, GetTypeHash(Key)) != INDEX_NONE; }

	int32 Remove(const KeyType& Key)
	{
		const uint32 Hash = GetTypeHash(Key);
		const int32 Index = FindIndex(Key, Hash);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		Unlink(Index, Hash);
		Slots[static_cast<size_t>(Index)].Element.reset();
		FreeSlots.push_back(Index);
		--NumElements;
		return 1;
	}

	bool RemoveAndCopyValue(const KeyType& Key, ValueType& OutRemovedValue)
	{
		ValueType* Value = Find(Key);
		if (!Value)
		{
			return false;
		}
		OutRemovedValue = MoveTemp(*Value);
		Remove(Key);
		return true;
	}

	void Empty(int32 ExpectedNumElements = 0)
	{
		Slots.clear();
		FreeSlots.clear();
		Buckets.clear();
		NumElements = 0;
		if (ExpectedNumElements > 0)
		{
			Slots.reserve(static_cast<size_t>(ExpectedNumElements));
		}
	}
	void Reset() { Empty(); }
	void Reserve(int32 Number)
	{
		if (Number > 0)
		{
			Slots.reserve(static_cast<size_t>(Number));
		}
	}

	int32 GetKeys(TArray<KeyType>& OutKeys) const
	{
		OutKeys.Reset();
		for (const ElementType& Pair : *this)
		{
			OutKeys.Add(Pair.Key);
		}
		return OutKeys.Num();
	}
	void GenerateKeyArray(TArray<KeyType>& OutKeys) const { GetKeys(OutKeys); }
	void GenerateValueArray(TArray<ValueType>& OutValues) const
	{
		OutValues.Reset();
		for (const ElementType& Pair : *this)
		{
			OutValues.Add(Pair.Value);
		}
	}
	void Append(const TMap& Other)
	{
		for (const ElementType& Pair : Other)
		{
			Add(Pair.Key, Pair.Value);
		}
	}

	template <typename MapType, typename PairType>
	class TIteratorBase
	{
	public:
		TIteratorBase(MapType* InMap, size_t InIndex)
			: Map(InMap)
			, Index(InIndex)
		{
			SkipHoles();
		}
		PairType& operator*() const { return *Map->Slots[Index].Element; }
		PairType* operator->() const { return &*Map->Slots[Index].Element; }
		TIteratorBase& operator++()
		{
			++Index;
			SkipHoles();
			return *this;
		}
		bool operator!=(const TIteratorBase& Other) const { return Index != Other.Index; }
		bool operator==(const TIteratorBase& Other) const { return Index == Other.Index; }
		explicit operator bool() const { return Index < Map->Slots.size(); }
		PairType& Key() const { return (*this)->Key; }

	private:
		void SkipHoles()
		{
			while (Index < Map->Slots.size() && !Map->Slots[Index].Element)
			{
				++Index;
			}
		}
		MapType* Map;
		size_t Index;
	};

	using TIterator = TIteratorBase<TMap, ElementType>;
	using TConstIterator = TIteratorBase<const TMap, const ElementType>;

	TIterator begin() { return TIterator(this, 0); }
	TIterator end() { return TIterator(this, Slots.size()); }
	TConstIterator begin() const { return TConstIterator(this, 0); }
	TConstIterator end() const { return TConstIterator(this, Slots.size()); }
	TIterator CreateIterator() { return begin(); }
	TConstIterator CreateConstIterator() const { return begin(); }

private:
	struct FSlot
	{
		std::optional<ElementType> Element;
		int32 NextInBucket = INDEX_NONE;
	};

	template <typename ComparableKey>
	int32 FindIndex(const ComparableKey& Key, uint32 Hash) const
	{
		if (Buckets.empty())
		{
			return INDEX_NONE;
		}
		for (int32 Index = Buckets[Hash & (Buckets.size() - 1)]; Index != INDEX_NONE; Index = Slots[static_cast<size_t>(Index)].NextInBucket)
		{
			if (Slots[static_cast<size_t>(Index)].Element->Key == Key)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}

	ValueType& AddNew(KeyType&& Key, ValueType&& Value, uint32 Hash)
	{
		int32 Index;
		if (!FreeSlots.empty())
		{
			Index = FreeSlots.back();
			FreeSlots.pop_back();
		}
		else
		{
			Index = static_cast<int32>(Slots.size());
			Slots.emplace_back();
		}
		Slots[static_cast<size_t>(Index)].Element.emplace(ElementType{MoveTemp(Key), MoveTemp(Value)});
		++NumElements;
		if (static_cast<size_t>(NumElements) > Buckets.size())
		{
			Rehash();
		}
		else
		{
			Link(Index, Hash);
		}
		return Slots[static_cast<size_t>(Index)].Element->Value;
	}

	void Link(int32 Index, uint32 Hash)
	{
		int32& Head = Buckets[Hash & (Buckets.size() - 1)];
		Slots[static_cast<size_t>(Index)].NextInBucket = Head;
		Head = Index;
	}

	void Unlink(int32 Index, uint32 Hash)
	{
		int32* Link = &Buckets[Hash & (Buckets.size() - 1)];
		while (*Link != Index)
		{
			Link = &Slots[static_cast<size_t>(*Link)].NextInBucket;
		}
		*Link = Slots[static_cast<size_t>(Index)].NextInBucket;
	}

	void Rehash()
	{
		size_t BucketCount = 8;
		while (BucketCount < static_cast<size_t>(NumElements) * 2)
		{
			BucketCount *= 2;
		}
		Buckets.assign(BucketCount, INDEX_NONE);
		for (size_t Index = 0; Index < Slots.size(); ++Index)
		{
			if (Slots[Index].Element)
			{
				Link(static_cast<int32>(Index), GetTypeHash(Slots[Index].Element->Key));
			}
		}
	}

	std::vector<FSlot> Slots;
	std::vector<int32> FreeSlots;
	std::vector<int32> Buckets;
	int32 NumElements = 0;
};
