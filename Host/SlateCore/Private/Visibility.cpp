// Copyright Kelmora. All Rights Reserved.
#include "Layout/Visibility.h"

FString EVisibility::ToString() const
{
	switch (Value)
	{
	case VIS_Visible:
		return TEXT("Visible");
	case VIS_Collapsed:
		return TEXT("Collapsed");
	case VIS_Hidden:
		return TEXT("Hidden");
	case VIS_HitTestInvisible:
		return TEXT("HitTestInvisible");
	case VIS_SelfHitTestInvisible:
		return TEXT("SelfHitTestInvisible");
	case VIS_All:
		return TEXT("All");
	default:
		return TEXT("Unknown");
	}
}
