// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ILevelEditor.h: the level editor's panels as other modules see them.
#pragma once

#include "CoreMinimal.h"
#include "Widgets/SCompoundWidget.h"

class SLevelViewport;

/** The level editor: the widget the "LevelEditor" tab holds, with its level viewports. */
class ILevelEditor : public SCompoundWidget
{
public:
	/** The viewport that last had focus; null when there is none. */
	virtual TSharedPtr<SLevelViewport> GetActiveViewportInterface() = 0;
	/** Every level viewport of the editor (entries may be null). */
	virtual TArray<TSharedPtr<SLevelViewport>> GetViewports() const = 0;
};
