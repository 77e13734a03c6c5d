// Copyright Kelmora. All Rights Reserved.
// The pre-flight warnings of a stage: what the import would get wrong.
#pragma once

#include "CoreMinimal.h"

#include <functional>

struct FOrvaneStageData;

/** Receives one warning: its kind (warnings come grouped by kind), its text and the walls it concerns (indices). */
using FStageWarningSink = std::function<void(int32 Kind, const FString& Message, const TArray<int32>& Walls)>;

/**
 * Every warning `orvane stage inspect` prints, in that order: walls without a mesh, empty or clashing labels,
 * unused meshes, zero resolutions, bad faces, non-finite numbers. Mesh warnings name the walls using the mesh.
 */
void CollectStageWarnings(const FOrvaneStageData& Stage, const FStageWarningSink& Sink);
