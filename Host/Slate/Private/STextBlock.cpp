// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Text/STextBlock.h"

void STextBlock::Construct(const FArguments& InArgs)
{
	BoundText = InArgs._Text;
}

void STextBlock::SetText(const TAttribute<FText>& InText)
{
	BoundText = InText;
}
