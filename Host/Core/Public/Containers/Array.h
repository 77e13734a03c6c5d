// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/Array.h.
#pragma once

#include "Containers/ContainerAllocationPolicies.h"
#include "CoreTypes.h"

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <vector>

/**
 * Dynamic array with the engine's interface: int32 sizes and indices, Add returning the index,
 * range-checked element access (as in the engine's development builds).
 */
template <typename InElementType, typename InAllocatorType = FDefaultAllocator>
class TArray
{
	static_assert(!std::is_same_v<InElementType, bool>, "The host's TArray<bool> is not supported");

public:
	typedef InElementType ElementType;
	typedef int32 SizeType;

	TArray() = default;
	TArray(std::initializer_list<ElementType> InitList)
		: Data(InitList)
	{
	}
	TArray(const ElementType* Ptr, int32 Count)
		: Data(Ptr, Ptr + Count)
	{
	}
	TArray(const TArray&) = default;
	TArray(TArray&& Other) noexcept
		: Data(std::move(Other.Data))
	{
		Other.Data.clear();
	}
	TArray& operator=(const TArray&) = default;
	TArray& operator=(TArray&& Other) noexcept
	{
		if (this != &Other)
		{
			Data = std::move(Other.Data);
			Other.Data.clear();
		}
		return *this;
	}
	TArray& operator=(std::initializer_list<ElementType> InitList)
	{
		Data.assign(InitList);
		return *this;
	}

	FORCEINLINE int32 Num() const { return static_cast<int32>(Data.size()); }
	FORCEINLINE int32 Max() const { return static_cast<int32>(Data.capacity()); }
	FORCEINLINE bool IsEmpty() const { return Data.empty(); }
	FORCEINLINE bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < Num(); }
	FORCEINLINE ElementType* GetData() { return Data.data(); }
	FORCEINLINE const ElementType* GetData() const { return Data.data(); }
	FORCEINLINE SIZE_T GetTypeSize() const { return sizeof(ElementType); }

	FORCEINLINE ElementType& operator[](int32 Index)
	{
		RangeCheck(Index);
		return Data[static_cast<size_t>(Index)];
	}
	FORCEINLINE const ElementType& operator[](int32 Index) const
	{
		RangeCheck(Index);
		return Data[static_cast<size_t>(Index)];
	}

	ElementType& Last(int32 IndexFromTheEnd = 0) { return (*this)[Num() - IndexFromTheEnd - 1]; }
	const ElementType& Last(int32 IndexFromTheEnd = 0) const { return (*this)[Num() - IndexFromTheEnd - 1]; }
	ElementType& Top() { return Last(); }
	const ElementType& Top() const { return Last(); }

	int32 Add(const ElementType& Item)
	{
		Data.push_back(Item);
		return Num() - 1;
	}
	int32 Add(ElementType&& Item)
	{
		Data.push_back(std::move(Item));
		return Num() - 1;
	}
	template <typename... ArgsType>
	int32 Emplace(ArgsType&&... Args)
	{
		Data.emplace_back(std::forward<ArgsType>(Args)...);
		return Num() - 1;
	}
	template <typename... ArgsType>
	ElementType& Emplace_GetRef(ArgsType&&... Args)
	{
		return Data.emplace_back(std::forward<ArgsType>(Args)...);
	}
	ElementType& Add_GetRef(const ElementType& Item) { return Data.emplace_back(Item); }
	ElementType& Add_GetRef(ElementType&& Item) { return Data.emplace_back(std::move(Item)); }
	int32 AddUnique(const ElementType& Item)
	{
		const int32 Existing = Find(Item);
		return Existing != INDEX_NONE ? Existing : Add(Item);
	}
	void Push(const ElementType& Item) { Add(Item); }
	void Push(ElementType&& Item) { Add(std::move(Item)); }
	ElementType Pop()
	{
		RangeCheck(Num() - 1);
		ElementType Result = std::move(Data.back());
		Data.pop_back();
		return Result;
	}

	/** Adds Count elements; the host value-initialises them (the engine leaves them undefined). */
	int32 AddUninitialized(int32 Count = 1)
	{
		check(Count >= 0);
		const int32 OldNum = Num();
		Data.resize(Data.size() + static_cast<size_t>(Count));
		return OldNum;
	}
	int32 AddZeroed(int32 Count = 1) { return AddUninitialized(Count); }
	int32 AddDefaulted(int32 Count = 1) { return AddUninitialized(Count); }

	void Append(const TArray& Other) { Data.insert(Data.end(), Other.Data.begin(), Other.Data.end()); }
	void Append(TArray&& Other)
	{
		Data.insert(Data.end(), std::make_move_iterator(Other.Data.begin()), std::make_move_iterator(Other.Data.end()));
		Other.Data.clear();
	}
	void Append(const ElementType* Ptr, int32 Count)
	{
		check(Count >= 0);
		Data.insert(Data.end(), Ptr, Ptr + Count);
	}
	void Append(std::initializer_list<ElementType> InitList) { Data.insert(Data.end(), InitList); }
	TArray& operator+=(const TArray& Other)
	{
		Append(Other);
		return *this;
	}

	int32 Insert(const ElementType& Item, int32 Index)
	{
		check(Index >= 0 && Index <= Num());
		Data.insert(Data.begin() + Index, Item);
		return Index;
	}
	int32 Insert(ElementType&& Item, int32 Index)
	{
		check(Index >= 0 && Index <= Num());
		Data.insert(Data.begin() + Index, std::move(Item));
		return Index;
	}

	void RemoveAt(int32 Index, int32 Count = 1)
	{
		check(Count >= 0 && Index >= 0 && Index + Count <= Num());
		Data.erase(Data.begin() + Index, Data.begin() + Index + Count);
	}
	void RemoveAtSwap(int32 Index, int32 Count = 1) { RemoveAt(Index, Count); }
	int32 Remove(const ElementType& Item)
	{
		const auto OldSize = Data.size();
		Data.erase(std::remove(Data.begin(), Data.end(), Item), Data.end());
		return static_cast<int32>(OldSize - Data.size());
	}
	int32 RemoveSingle(const ElementType& Item)
	{
		const int32 Index = Find(Item);
		if (Index == INDEX_NONE)
		{
			return 0;
		}
		RemoveAt(Index);
		return 1;
	}
	template <typename Predicate>
	int32 RemoveAll(Predicate Pred)
	{
		const auto OldSize = Data.size();
		Data.erase(std::remove_if(Data.begin(), Data.end(), Pred), Data.end());
		return static_cast<int32>(OldSize - Data.size());
	}

	void Reset(int32 NewSize = 0)
	{
		Data.clear();
		Reserve(NewSize);
	}
	void Empty(int32 Slack = 0)
	{
		Data.clear();
		if (Slack == 0)
		{
			Data.shrink_to_fit();
		}
		else
		{
			Reserve(Slack);
		}
	}
	void Reserve(int32 Number)
	{
		if (Number > 0)
		{
			Data.reserve(static_cast<size_t>(Number));
		}
	}
	void Shrink() { Data.shrink_to_fit(); }
	void SetNum(int32 NewNum)
	{
		check(NewNum >= 0);
		Data.resize(static_cast<size_t>(NewNum));
	}
	void SetNumUninitialized(int32 NewNum) { SetNum(NewNum); }
	void SetNumZeroed(int32 NewNum) { SetNum(NewNum); }
	void Init(const ElementType& Element, int32 Number) { Data.assign(static_cast<size_t>(Number), Element); }

	int32 Find(const ElementType& Item) const
	{
		const auto It = std::find(Data.begin(), Data.end(), Item);
		return It == Data.end() ? INDEX_NONE : static_cast<int32>(It - Data.begin());
	}
	bool Find(const ElementType& Item, int32& Index) const
	{
		Index = Find(Item);
		return Index != INDEX_NONE;
	}
	template <typename KeyType>
	int32 IndexOfByKey(const KeyType& Key) const
	{
		for (int32 Index = 0; Index < Num(); ++Index)
		{
			if (Data[static_cast<size_t>(Index)] == Key)
			{
				return Index;
			}
		}
		return INDEX_NONE;
	}
	template <typename Predicate>
	int32 IndexOfByPredicate(Predicate Pred) const
	{
		const auto It = std::find_if(Data.begin(), Data.end(), Pred);
		return It == Data.end() ? INDEX_NONE : static_cast<int32>(It - Data.begin());
	}
	template <typename Predicate>
	ElementType* FindByPredicate(Predicate Pred)
	{
		const auto It = std::find_if(Data.begin(), Data.end(), Pred);
		return It == Data.end() ? nullptr : &*It;
	}
	template <typename Predicate>
	const ElementType* FindByPredicate(Predicate Pred) const
	{
		const auto It = std::find_if(Data.begin(), Data.end(), Pred);
		return It == Data.end() ? nullptr : &*It;
	}
	bool Contains(const ElementType& Item) const { return Find(Item) != INDEX_NONE; }
	template <typename Predicate>
	bool ContainsByPredicate(Predicate Pred) const
	{
		return FindByPredicate(Pred) != nullptr;
	}

	void Sort() { std::stable_sort(Data.begin(), Data.end()); }
	template <typename Predicate>
	void Sort(Predicate Pred)
	{
		std::stable_sort(Data.begin(), Data.end(), Pred);
	}
	template <typename Predicate>
	void StableSort(Predicate Pred)
	{
		std::stable_sort(Data.begin(), Data.end(), Pred);
	}

	bool operator==(const TArray& Other) const { return Data == Other.Data; }
	bool operator!=(const TArray& Other) const { return !(*this == Other); }

	auto begin() { return Data.begin(); }
	auto end() { return Data.end(); }
	auto begin() const { return Data.begin(); }
	auto end() const { return Data.end(); }

private:
	FORCEINLINE void RangeCheck(int32 Index) const
	{
		checkf(Index >= 0 && Index < Num(), TEXT("Array index out of bounds"));
	}

	std::vector<ElementType> Data;
};

template <typename T>
using TArray64 = TArray<T>;
