// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SLeafWidget.h.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Children.h"
#include "Widgets/SWidget.h"

/** A widget that never has children. */
class SLeafWidget : public SWidget
{
public:
	FChildren* GetChildren() override { return &FNoChildren::NoChildrenInstance; }
};
