// Copyright Kelmora. All Rights Reserved.
#include "Internationalization/Text.h"

const TSharedRef<FText::FData>& FText::EmptyData()
{
	static const TSharedRef<FData> Empty = MakeShared<FData>();
	return Empty;
}

const FText& FText::GetEmpty()
{
	static const FText Empty;
	return Empty;
}
