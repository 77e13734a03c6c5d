// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Engine/EngineTypes.h"
#include "Engine/HitResult.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "OrvaneLiveLinkHelper.generated.h"

class AActor;
class ILiveLinkClient;
class UOrvaneLiveLinkSourceFactory;

ORVANELIVELINK_API DECLARE_LOG_CATEGORY_EXTERN(LogOrvaneHelper, Log, VeryVerbose);

/**
 * Blueprint functions that create and remove Live Link sources, save or remove Live Link presets, and answer
 * questions about the scene: the virtual-production camera, the actor under a screen point and the custom
 * render pass of an actor.
 */
UCLASS()
class ORVANELIVELINK_API UOrvaneLiveLinkHelper : public UBlueprintFunctionLibrary
{
	GENERATED_BODY()

public:
	/**
	 * Create Orvane LiveLink source with specified endpoint
	 * @param Endpoint IP:Port to listen on (default 0.0.0.0:9001)
	 * @return true if source was created successfully
	 */
	UFUNCTION(BlueprintCallable, Category = "LiveLink")
	static bool CreateOrvaneSource(const FString& Endpoint = TEXT("0.0.0.0:9001"));

	/**
	 * Remove all existing LiveLink sources
	 * @return true if sources were removed successfully
	 */
	UFUNCTION(BlueprintCallable, Category = "LiveLink")
	static bool RemoveAllOrvaneSources();

	/**
	 * Remove existing LiveLink preset if it exists
	 * @param PresetName Name of the preset asset under /Game/Orvane/
	 * @return true if preset was removed or didn't exist
	 */
	UFUNCTION(BlueprintCallable, Category = "LiveLink")
	static bool RemoveExistingPreset(const FString& PresetName);

	/**
	 * Save current LiveLink configuration as a preset
	 * @param PresetName Name of the preset asset under /Game/Orvane/
	 * @return true if preset was saved successfully
	 */
	UFUNCTION(BlueprintCallable, Category = "LiveLink")
	static bool SaveLiveLinkPreset(const FString& PresetName = TEXT("LL_orvane_preset"));

	/**
	 * The Orvane virtual-production camera in the world being played, or else in the editor world: the first
	 * actor of the camera blueprint's class, or else the first actor whose object name holds "Orvane_VP_Camera".
	 * @return the camera actor; null (logged) when there is no world, no camera class or no camera
	 */
	static AActor* GetOrvaneVPCamera();

	/**
	 * Traces from the player's screen into the world and returns the first actor blocking the trace
	 * @param NormalizedScreenXY Point of player 0's viewport, 0..1 from the top left; clamped to the viewport
	 * @param TraceDistance Length of the trace from the camera's near plane, in centimetres
	 * @param TraceChannel Channel the trace runs on
	 * @param ActorsToIgnore Actors the trace passes through
	 * @param OutHit The hit result; empty when no trace ran
	 * @return the actor hit, or null without a player viewport or a blocking hit
	 */
	UFUNCTION(BlueprintCallable, Category = "Input|Trace", meta = (WorldContext = "WorldContextObject"))
	static AActor* GetActorUnderNormalizedScreenCoord(UObject* WorldContextObject, const FVector2D& NormalizedScreenXY, float TraceDistance, TEnumAsByte<ECollisionChannel> TraceChannel, const TArray<AActor*>& ActorsToIgnore, FHitResult& OutHit);

	/**
	 * Whether the actor renders into the custom depth and stencil pass, read from its first primitive component
	 * @param actor The actor to ask
	 * @return the render-custom-depth switch of the actor's first primitive component; false without one
	 */
	UFUNCTION(BlueprintCallable, Category = "Input|Trace", meta = (WorldContext = "WorldContextObject"))
	static bool GetActorCustomRenderPass(AActor* actor);

	/**
	 * Switches every primitive component of the actor into (stencil value 1) or out of (stencil value 0) the
	 * custom depth and stencil pass.
	 * @return true when at least one component was changed
	 */
	static bool SetActorCustomRenderPass(AActor* Actor, bool bEnable);

private:
	static UOrvaneLiveLinkSourceFactory* GetOrvaneSourceFactory();
	static ILiveLinkClient* GetLiveLinkClient();
};
