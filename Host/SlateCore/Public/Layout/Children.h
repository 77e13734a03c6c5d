// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Layout/Children.h (with Layout/ChildrenBase.h and SlotBase.h): the slots a
// widget holds its children in.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/SNullWidget.h"
#include "Widgets/SWidget.h"

#include <memory>
#include <vector>

class FChildren;

/** One slot: holds one child widget, the null widget when empty. */
class FSlotBase
{
public:
	SLATECORE_API FSlotBase();
	SLATECORE_API explicit FSlotBase(const FChildren& InOwner);
	SLATECORE_API virtual ~FSlotBase();

	FSlotBase(const FSlotBase&) = delete;
	FSlotBase& operator=(const FSlotBase&) = delete;

	/** The child; the null widget when the slot is empty. */
	const TSharedRef<SWidget>& GetWidget() const { return Widget; }
	/** Puts a child in the slot, replacing any child there, and makes the owner its parent. */
	SLATECORE_API void AttachWidget(const TSharedRef<SWidget>& InWidget);
	/** Empties the slot and returns the child it held. */
	SLATECORE_API TSharedRef<SWidget> DetachWidget();

	/** The children collection the slot belongs to, or null. */
	const FChildren* GetOwner() const { return Owner; }
	/** The widget that owns the slot, or null. */
	SLATECORE_API SWidget* GetOwnerWidget() const;
	/** Makes the slot part of a children collection. */
	SLATECORE_API void SetOwner(const FChildren& InOwner);

private:
	const FChildren* Owner = nullptr;
	TSharedRef<SWidget> Widget;
};

/** A widget's children, whatever way it stores them. */
class FChildren
{
public:
	explicit FChildren(SWidget* InOwner)
		: Owner(InOwner)
	{
	}
	virtual ~FChildren() = default;

	FChildren(const FChildren&) = delete;
	FChildren& operator=(const FChildren&) = delete;

	/** How many children there are. */
	virtual int32 Num() const = 0;
	/** The child at Index, which must be valid. */
	virtual TSharedRef<SWidget> GetChildAt(int32 Index) = 0;
	/** The child at Index, which must be valid. */
	virtual TSharedRef<const SWidget> GetChildAt(int32 Index) const = 0;
	/** The slot at Index, which must be valid. */
	virtual const FSlotBase& GetSlotAt(int32 ChildIndex) const = 0;

	/** The widget these are the children of. */
	SWidget& GetOwner() const
	{
		check(Owner);
		return *Owner;
	}
	/** The owner, or null for the shared empty children. */
	SWidget* GetOwnerPtr() const { return Owner; }

private:
	SWidget* Owner;
};

/** No children, for leaf widgets. */
class FNoChildren final : public FChildren
{
public:
	/** The one shared instance. */
	static SLATECORE_API FNoChildren NoChildrenInstance;

	FNoChildren()
		: FChildren(nullptr)
	{
	}

	int32 Num() const override { return 0; }
	SLATECORE_API TSharedRef<SWidget> GetChildAt(int32 Index) override;
	SLATECORE_API TSharedRef<const SWidget> GetChildAt(int32 Index) const override;
	SLATECORE_API const FSlotBase& GetSlotAt(int32 ChildIndex) const override;
};

/** Children in a list of slots of one type, as panels hold them. */
template <typename SlotType>
class TPanelChildren final : public FChildren
{
public:
	explicit TPanelChildren(SWidget* InOwner)
		: FChildren(InOwner)
	{
	}

	int32 Num() const override { return static_cast<int32>(Slots.size()); }
	TSharedRef<SWidget> GetChildAt(int32 Index) override { return (*this)[Index].GetWidget(); }
	TSharedRef<const SWidget> GetChildAt(int32 Index) const override { return (*this)[Index].GetWidget(); }
	const FSlotBase& GetSlotAt(int32 ChildIndex) const override { return (*this)[ChildIndex]; }

	/** Takes ownership of a slot and adds it at the end. */
	void AddSlot(std::unique_ptr<SlotType> InSlot)
	{
		check(InSlot);
		InSlot->SetOwner(*this);
		Slots.push_back(std::move(InSlot));
	}
	/** Removes every slot. */
	void Empty() { Slots.clear(); }

	SlotType& operator[](int32 Index)
	{
		check(Index >= 0 && Index < Num());
		return *Slots[static_cast<size_t>(Index)];
	}
	const SlotType& operator[](int32 Index) const
	{
		check(Index >= 0 && Index < Num());
		return *Slots[static_cast<size_t>(Index)];
	}

private:
	std::vector<std::unique_ptr<SlotType>> Slots;
};
