// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's GenericPlatform/GenericWindowDefinition.h: how a window fills the screen.
#pragma once

#include "CoreTypes.h"

namespace EWindowMode
{
	/** A window's mode (enumerator values unconfirmed; only the names are relied on). */
	enum Type
	{
		/** The window takes the whole screen and changes the display's resolution. */
		Fullscreen,
		/** A borderless window as large as the screen. */
		WindowedFullscreen,
		/** An ordinary window with a frame. */
		Windowed,
		NumWindowModes
	};
}
