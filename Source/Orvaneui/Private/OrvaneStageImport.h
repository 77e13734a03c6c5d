// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"

class AActor;

/** How a stage import ended; the setup dialog shows each outcome as a notification. */
enum class EOrvaneStageImportResult : uint8
{
	Succeeded,
	/** The stage file could not be turned into an nDisplay configuration. */
	ConfigFailed,
	/** The configuration could not be imported as an nDisplay blueprint. */
	ImportFailed,
	/** The cluster was imported, but a later step (camera, meshes, export, save, placing, link) failed. */
	CompletedWithErrors,
};

/**
 * The setup dialog's road from a stage file to an nDisplay cluster in the editor level, with the
 * virtual-production camera linked to its ICVFX camera. Editor game thread only.
 */
struct FOrvaneStageImport
{
	/**
	 * Converts StageFile, imports the configuration as a blueprint with the wall meshes (and, with
	 * bAddICVFX, an ICVFX camera driven by a new virtual-production camera), writes the configuration
	 * back beside the stage file, saves the assets and places the cluster in the level. The road carries on
	 * past a failed later step; OutFailedStep then names the first one that failed.
	 */
	static EOrvaneStageImportResult ImportStageToLevel(const FString& StageFile, bool bAddICVFX, bool bRenderAlpha, FString* OutFailedStep = nullptr);

	/**
	 * Spawns the virtual-production camera, replacing any in the level: with the project's startup preset
	 * when it has one, otherwise through a complete setup on the default endpoint and preset name.
	 * Returns the camera, or null when it could not be made.
	 */
	static AActor* CreateVPCameraIfNeeded(bool bRenderAlpha);

	/** The notification text of an outcome. */
	static const TCHAR* GetResultText(EOrvaneStageImportResult Result);
	/** The notification text of an outcome, naming the failed step of one that completed with errors. */
	static FString GetResultText(EOrvaneStageImportResult Result, const FString& FailedStep);
};
