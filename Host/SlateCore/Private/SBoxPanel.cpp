// Copyright Kelmora. All Rights Reserved.
#include "Widgets/SBoxPanel.h"

void SHorizontalBox::Construct(const FArguments& InArgs)
{
	for (const FSlot::FSlotArguments& SlotArgs : InArgs._Slots)
	{
		Children.AddSlot(std::make_unique<FSlot>(FSlot::FSlotArguments(SlotArgs)));
	}
}

void SVerticalBox::Construct(const FArguments& InArgs)
{
	for (const FSlot::FSlotArguments& SlotArgs : InArgs._Slots)
	{
		Children.AddSlot(std::make_unique<FSlot>(FSlot::FSlotArguments(SlotArgs)));
	}
}
