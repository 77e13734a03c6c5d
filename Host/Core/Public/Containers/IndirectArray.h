// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/IndirectArray.h: an array that owns its elements through pointers.
#pragma once

#include "Containers/Array.h"
#include "CoreTypes.h"
#include "Misc/AssertionMacros.h"

#include <utility>

/**
 * Holds each element in an allocation of its own, so references to elements stay valid while the array
 * grows. Elements are deleted with the array or when removed.
 */
template <typename T>
class TIndirectArray
{
public:
	TIndirectArray() = default;
	TIndirectArray(const TIndirectArray&) = delete;
	TIndirectArray& operator=(const TIndirectArray&) = delete;
	~TIndirectArray() { Empty(); }

	int32 Num() const { return Array.Num(); }
	bool IsValidIndex(int32 Index) const { return Array.IsValidIndex(Index); }

	T& operator[](int32 Index)
	{
		check(Array.IsValidIndex(Index));
		return *Array[Index];
	}
	const T& operator[](int32 Index) const
	{
		check(Array.IsValidIndex(Index));
		return *Array[Index];
	}

	/** Takes ownership of Item; returns its index. */
	int32 Add(T* Item) { return Array.Add(Item); }

	/** Deletes Count elements from Index on. */
	void RemoveAt(int32 Index, int32 Count = 1)
	{
		check(Index >= 0 && Count >= 0 && Index + Count <= Array.Num());
		for (int32 Offset = 0; Offset < Count; ++Offset)
		{
			delete Array[Index + Offset];
		}
		Array.RemoveAt(Index, Count);
	}

	void Empty()
	{
		for (T* Item : Array)
		{
			delete Item;
		}
		Array.Empty();
	}

	template <typename ElementType, typename PointerIterator>
	class TIterator
	{
	public:
		explicit TIterator(PointerIterator InIt)
			: It(InIt)
		{
		}
		ElementType& operator*() const { return **It; }
		TIterator& operator++()
		{
			++It;
			return *this;
		}
		bool operator!=(const TIterator& Other) const { return It != Other.It; }

	private:
		PointerIterator It;
	};

	auto begin() { return TIterator<T, decltype(Array.begin())>(Array.begin()); }
	auto end() { return TIterator<T, decltype(Array.begin())>(Array.end()); }
	auto begin() const { return TIterator<const T, decltype(std::as_const(Array).begin())>(Array.begin()); }
	auto end() const { return TIterator<const T, decltype(std::as_const(Array).begin())>(Array.end()); }

private:
	TArray<T*> Array;
};
