// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Containers/ArrayView.h.
#pragma once

#include "Containers/Array.h"

/** Non-owning view of contiguous elements. */
template <typename InElementType>
class TArrayView
{
public:
	typedef InElementType ElementType;

	TArrayView() = default;
	TArrayView(ElementType* InData, int32 InNum)
		: DataPtr(InData)
		, ArrayNum(InNum)
	{
		check(InNum >= 0);
	}
	template <typename OtherElementType, typename Allocator>
	TArrayView(const TArray<OtherElementType, Allocator>& Other)
		: DataPtr(Other.GetData())
		, ArrayNum(Other.Num())
	{
	}
	template <typename OtherElementType, typename Allocator>
	TArrayView(TArray<OtherElementType, Allocator>& Other)
		: DataPtr(Other.GetData())
		, ArrayNum(Other.Num())
	{
	}

	ElementType* GetData() const { return DataPtr; }
	int32 Num() const { return ArrayNum; }
	bool IsEmpty() const { return ArrayNum == 0; }
	bool IsValidIndex(int32 Index) const { return Index >= 0 && Index < ArrayNum; }
	ElementType& operator[](int32 Index) const
	{
		checkf(IsValidIndex(Index), TEXT("Array view index out of bounds"));
		return DataPtr[Index];
	}
	ElementType* begin() const { return DataPtr; }
	ElementType* end() const { return DataPtr + ArrayNum; }

private:
	ElementType* DataPtr = nullptr;
	int32 ArrayNum = 0;
};

template <typename T>
using TConstArrayView = TArrayView<const T>;
