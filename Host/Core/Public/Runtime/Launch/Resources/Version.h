// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Runtime/Launch/Resources/Version.h: the host is the engine version the plug-in is built against.
#pragma once

#define ENGINE_MAJOR_VERSION 5
#define ENGINE_MINOR_VERSION 6
#define ENGINE_PATCH_VERSION 0
