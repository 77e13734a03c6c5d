// Copyright Kelmora. All Rights Reserved.
#include "Widgets/Text/STextBlock.h"

void STextBlock::Construct(const FArguments& InArgs)
{
	BoundText = InArgs._Text;
	Font = InArgs._Font;
	ColorAndOpacity = InArgs._ColorAndOpacity;
}

void STextBlock::SetText(const TAttribute<FText>& InText)
{
	BoundText = InText;
}
