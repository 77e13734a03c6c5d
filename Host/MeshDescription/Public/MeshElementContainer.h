// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's MeshElementContainer.h (MeshDescription module): the element lists of a
// mesh description. The host never frees elements, so IDs are dense: 0 .. Num() - 1.
#pragma once

#include "CoreMinimal.h"
#include "MeshTypes.h"

/** The elements of one type in a mesh description. */
template <typename ElementIDType>
class TMeshElementContainer
{
public:
	/** Iterates the IDs of the elements in creation order. */
	class FIterator
	{
	public:
		explicit FIterator(int32 InIndex)
			: Index(InIndex)
		{
		}
		ElementIDType operator*() const { return ElementIDType(Index); }
		FIterator& operator++()
		{
			++Index;
			return *this;
		}
		bool operator!=(const FIterator& Other) const { return Index != Other.Index; }

	private:
		int32 Index;
	};

	/** The IDs of the elements, for range-based for loops. */
	struct FElementIDs
	{
		int32 Count = 0;
		FIterator begin() const { return FIterator(0); }
		FIterator end() const { return FIterator(Count); }
		int32 Num() const { return Count; }
	};

	/** The number of elements. */
	int32 Num() const { return Count; }
	/** One past the highest element index (equal to Num() in the host, which never frees elements). */
	int32 GetArraySize() const { return Count; }
	/** True if the ID names an element of this container. */
	bool IsValid(const ElementIDType ElementID) const { return ElementID.GetValue() >= 0 && ElementID.GetValue() < Count; }
	/** The IDs of the elements. */
	FElementIDs GetElementIDs() const { return FElementIDs{Count}; }

	/** Host: adds one element and returns its ID. */
	ElementIDType HostAdd() { return ElementIDType(Count++); }

private:
	int32 Count = 0;
};
