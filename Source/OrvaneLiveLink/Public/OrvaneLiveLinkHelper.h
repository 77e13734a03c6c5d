// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Kismet/BlueprintFunctionLibrary.h"

#include "OrvaneLiveLinkHelper.generated.h"

class ILiveLinkClient;
class UOrvaneLiveLinkSourceFactory;

ORVANELIVELINK_API DECLARE_LOG_CATEGORY_EXTERN(LogOrvaneHelper, Log, VeryVerbose);

/** Blueprint functions that create and remove Live Link sources and save or remove Live Link presets. */
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

private:
	static UOrvaneLiveLinkSourceFactory* GetOrvaneSourceFactory();
	static ILiveLinkClient* GetLiveLinkClient();
};
