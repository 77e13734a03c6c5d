// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Framework/Commands/InputChord.h. Host: no keys arrive, so a chord is only set or empty.
#pragma once

#include "CoreMinimal.h"

/** A key with modifiers that runs a command; default-constructed, no chord. */
struct FInputChord
{
	FInputChord() = default;
	/** True when a key is set. Host: never. */
	bool IsValidChord() const { return false; }
};
