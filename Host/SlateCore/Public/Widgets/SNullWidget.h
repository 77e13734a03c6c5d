// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Widgets/SNullWidget.h.
#pragma once

#include "CoreMinimal.h"

class SWidget;

/** The shared placeholder in every empty slot. */
class SNullWidget
{
public:
	/** The placeholder widget; its type is "SNullWidgetContent". */
	static SLATECORE_API TSharedRef<SWidget> NullWidget;
};
