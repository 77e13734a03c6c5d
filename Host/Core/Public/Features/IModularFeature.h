// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Features/IModularFeature.h.
#pragma once

/** Base of every interface registered with IModularFeatures. */
class IModularFeature
{
public:
	virtual ~IModularFeature() = default;
};
