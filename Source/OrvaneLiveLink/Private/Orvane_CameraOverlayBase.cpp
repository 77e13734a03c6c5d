// Copyright Kelmora. All Rights Reserved.
#include "Orvane_CameraOverlayBase.h"

// The overlay has no native logic: UpdateCameraOverlay's body is generated and runs the blueprint's implementation.
