// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Camera/CameraTypes.h: the projection modes of cameras and captures.
#pragma once

#include "CoreTypes.h"

/** How a camera or 2D capture projects the scene. */
namespace ECameraProjectionMode
{
	enum Type : int
	{
		Perspective,
		Orthographic
	};
}
