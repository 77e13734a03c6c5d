// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's ShowFlags.h: which parts of rendering a view draws. The host keeps the few
// flags the plug-in sets; its stand-in renderer draws the same sky whatever they say.
#pragma once

#include "CoreTypes.h"

/** How a show-flag set starts out. */
enum EShowFlagInitMode
{
	ESFIM_Game,
	ESFIM_Editor,
	ESFIM_VREditing,
	ESFIM_All0
};

/** The show flags of a view; each flag has a member of its name and a setter. */
struct FEngineShowFlags
{
	/** Game and editor views draw everything here; ESFIM_All0 clears every flag. Unconfirmed: the engine's exact defaults per mode. */
	explicit FEngineShowFlags(EShowFlagInitMode InitMode)
	{
		const bool bOn = InitMode != ESFIM_All0;
		Bloom = bOn;
		EyeAdaptation = bOn;
		MotionBlur = bOn;
		PostProcessing = bOn;
		Tonemapper = bOn;
		Game = InitMode == ESFIM_Game;
		Editor = InitMode == ESFIM_Editor || InitMode == ESFIM_VREditing;
	}

	uint32 Bloom : 1;
	uint32 EyeAdaptation : 1;
	uint32 MotionBlur : 1;
	uint32 PostProcessing : 1;
	uint32 Tonemapper : 1;
	uint32 Game : 1;
	uint32 Editor : 1;

	void SetBloom(bool bValue) { Bloom = bValue; }
	void SetEyeAdaptation(bool bValue) { EyeAdaptation = bValue; }
	void SetMotionBlur(bool bValue) { MotionBlur = bValue; }
	void SetPostProcessing(bool bValue) { PostProcessing = bValue; }
	void SetTonemapper(bool bValue) { Tonemapper = bValue; }
	void SetGame(bool bValue) { Game = bValue; }
	void SetEditor(bool bValue) { Editor = bValue; }
};
