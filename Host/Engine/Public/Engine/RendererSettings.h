// Copyright Kelmora. All Rights Reserved.
// Stands in for the engine's Engine/RendererSettings.h: the project's rendering settings (DefaultEngine.ini).
// The host renders nothing; it keeps the settings the plug-in reads and writes.
#pragma once

#include "CoreMinimal.h"
#include "Engine/DeveloperSettings.h"

#include "RendererSettings.generated.h"

/** The pixel format of the back buffer (a namespaced enum in the engine, reflected there, not here). */
namespace EDefaultBackBufferPixelFormat
{
	enum Type : int
	{
		DBBPF_B8G8R8A8 = 0,
		DBBPF_A16B16G16R16_DEPRECATED,
		DBBPF_FloatRGB_DEPRECATED,
		DBBPF_FloatRGBA,
		DBBPF_A2B10G10R10,
		DBBPF_MAX,
	};
}

/** Rendering settings of the project; most of them need an editor restart to take effect. */
UCLASS(config = Engine, defaultconfig)
class ENGINE_API URendererSettings : public UDeveloperSettings
{
	GENERATED_BODY()

public:
	/**
	 * Keeps the alpha channel through post-processing (a boolean since 5.5; the engine's earlier
	 * EAlphaChannelMode enum is not mirrored, the host stands for 5.6).
	 */
	UPROPERTY(config)
	bool bEnableAlphaChannelInPostProcessing = false;

	/** The pixel format of the back buffer. */
	UPROPERTY(config)
	TEnumAsByte<EDefaultBackBufferPixelFormat::Type> DefaultBackBufferPixelFormat = EDefaultBackBufferPixelFormat::DBBPF_B8G8R8A8;
};
