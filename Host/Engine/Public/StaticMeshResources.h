// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's StaticMeshResources.h: the host renders nothing, so only the static
// mesh and its source models come with it.
#pragma once

#include "CoreMinimal.h"
#include "Engine/StaticMesh.h"
#include "Engine/StaticMeshSourceData.h"
