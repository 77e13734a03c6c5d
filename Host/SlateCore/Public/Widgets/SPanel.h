// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SPanel.h.
#pragma once

#include "CoreMinimal.h"
#include "Layout/Children.h"
#include "Widgets/SWidget.h"

/** A widget that lays out any number of children. */
class SPanel : public SWidget
{
};
