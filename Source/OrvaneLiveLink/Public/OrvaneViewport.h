// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "UObject/Object.h"

#include "OrvaneViewport.generated.h"

/**
 * Drives the editor's Play in Editor session and the level editor window from blueprints and from the Live Link
 * source's user actions. Every operation is static, works only inside the editor and reports through the log.
 */
UCLASS(Blueprintable, BlueprintType)
class ORVANELIVELINK_API UOrvaneViewport : public UObject
{
	GENERATED_BODY()

public:
	/**
	 * Starts Play in Editor (PIE) session
	 * Uses different methods depending on Unreal Engine version for maximum compatibility
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static void EditorBeginPlay();

	/**
	 * Starts Play in Editor (PIE) session in fullscreen immersive mode
	 * Combines PIE start with fullscreen toggle and immersive mode
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static void EditorBeginPlayFullscreen();

	/**
	 * Stops Play in Editor (PIE) session
	 * Uses different methods depending on Unreal Engine version for maximum compatibility
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static void EditorEndPlay();

	/**
	 * Checks if the editor is currently in Play in Editor mode
	 * @return True if PIE is active, false otherwise
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static bool IsEditorPlaying();

	/**
	 * Toggles fullscreen mode for the Level Editor window
	 * Switches between Windowed and WindowedFullscreen modes
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static void ToggleFullscreen();

	/**
	 * Toggles immersive mode in the Level Editor
	 * Hides/shows UI panels for a cleaner viewport experience
	 */
	UFUNCTION(BlueprintCallable, Category = "Orvane | Editor Utility", meta = (DevelopmentOnly))
	static void ToggleImmersiveMode();

private:
	/** Requests a play session in the level editor's viewport through the editor engine (engines before 5.5). */
	static void CustomEditorRequestBeginPlay();
	/** Requests the end of the play session through the editor engine. */
	static void CustomEditorRequestEndPlay();
	/** Puts the level editor window back to windowed and switches immersive mode off after a session. */
	static void RevertToWindowedMode();
};
