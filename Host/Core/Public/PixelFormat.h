// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's PixelFormat.h: the surface formats the plug-in's render targets use,
// with the engine's values (from the engine's long-stable list; unconfirmed against a 5.6 header).
#pragma once

#include "CoreTypes.h"

/** Formats of GPU surfaces. */
enum EPixelFormat : uint8
{
	PF_Unknown = 0,
	PF_A32B32G32R32F = 1,
	PF_B8G8R8A8 = 2,
	PF_G8 = 3,
	PF_G16 = 4,
	PF_FloatRGB = 9,
	PF_FloatRGBA = 10,
};
