// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/WeakObjectPtrTemplates.h"

class AActor;
class UObject;

/**
 * The one-click setups of the setup dialog: the virtual-production camera in the editor level, the
 * Live Link source and preset, the project's startup preset and default game mode, and alpha output.
 * Editor game thread only.
 */
class FOrvaneCameraManager
{
public:
	/**
	 * Sets the default game mode, creates the Live Link source (the preset follows one second later)
	 * and spawns the camera; with bRenderAlpha also switches the renderer to alpha output. Shows the
	 * outcome on screen; true when the source and the camera were made.
	 */
	static bool CreateCompleteSetup(const FString& Endpoint, const FString& PresetName, bool bRenderAlpha);

	/** Spawns the camera alone and applies the project's startup preset (and alpha material) to it one second later. */
	static bool CreateOrvaneCameraOnly();

	/** The camera spawned last; null when there is none or it was destroyed. */
	static AActor* GetLastCreatedCamera();

	/** True when the project has a Live Link startup preset that loads. */
	static bool HasDefaultPreset();

	/** The camera spawned last; reset whenever existing cameras are removed. */
	static TWeakObjectPtr<AActor> LastCreatedCamera;

	/**
	 * Cancels the delayed steps that have not run yet (the preset one second after a setup, the camera's
	 * preset and material): called when the module shuts down, so that nothing calls into its unloaded code.
	 */
	static void CancelDelayedSteps();

private:
	/** Lets the tests reach the steps one by one. */
	friend class FOrvaneCameraManagerTestAccess;

	static bool CreateOrvaneCamera(const FString& PresetName, bool bRenderAlpha);
	static bool CreateLiveLinkSourceAndPreset(const FString& Endpoint, const FString& PresetName);
	static bool SetDefaultGameMode();
	static bool SetLiveLinkPresetOnCamera(AActor* Camera, const FString& PresetName);
	static bool SetLiveLinkStartupPreset(const FString& PresetName);
	static bool SetPostProcessMaterialOnCamera(AActor* Camera, const FString& MaterialPath);
	static void ApplyPresetToLastCreatedCamera(const FString& PresetName);
	static void ApplyPostProcessMaterialToLastCreatedCamera(const FString& MaterialPath);
	static void RemoveExistingOrvaneCameras();
	static bool RemoveExistingLiveLinkSources();
	static void RemoveExistingPreset(const FString& PresetName);
	static void ClearStartupPresetIfMatching(UObject* Object);
	static void CleanupPresetAsset(UObject* Object, const FString& Path);
	static void DeletePresetFile(const FString& Path);
};
