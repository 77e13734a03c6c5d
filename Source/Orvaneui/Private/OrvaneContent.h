// Copyright Kelmora. All Rights Reserved.
#pragma once

#include "CoreMinimal.h"
#include "Delegates/IDelegateInstance.h"

class UObject;

/** Which of the plug-in's content assets (in creation order: the mask instance needs its material). */
enum class EOrvaneContentAsset : uint8
{
	VPCamera,
	GameMode,
	MaskMaterial,
	MaskMaterialInstance,
	ConversionMaterial,
};

/** What one creation pass did: object paths created, and for each failure the path and the reason. */
struct FOrvaneContentReport
{
	TArray<FString> Created;
	TArray<TPair<FString, FString>> Failed;

	bool Succeeded() const { return Failed.Num() == 0; }
};

/**
 * The plug-in's own content under "/Orvane/" (its Content folder), made with the editor's APIs rather than
 * shipped as binary assets: the virtual-production camera and game mode blueprints, the stencil mask
 * material and its instance, and the cube-to-equirectangular conversion material. Editor game thread only.
 */
class FOrvaneContent
{
public:
	/** The HLSL of the conversion material's Custom node: the sampling direction of texture coordinate UV. */
	static const TCHAR* const EquirectangularDirectionHlsl;

	/** The long package name of an asset ("/Orvane/Orvane_VP_Camera"). */
	static FString GetPackageName(EOrvaneContentAsset Asset);
	/** The object path of an asset ("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera"). */
	static FString GetObjectPath(EOrvaneContentAsset Asset);
	/** Every asset, in creation order. */
	static TArray<EOrvaneContentAsset> GetAllAssets();

	/** True when the asset is loaded or saved in the content folder. */
	static bool Exists(EOrvaneContentAsset Asset);

	/** Creates and saves each asset that does not exist; logs each creation and failure. */
	static FOrvaneContentReport CreateMissing();

	/** Recreates every asset, replacing the existing ones; logs each creation and failure. */
	static FOrvaneContentReport RebuildAll();

	/**
	 * What the menu's rebuild entry runs: asks through a yes/no message box, and rebuilds everything only on
	 * yes. False when the user declined; OutReport (optional) receives the rebuild's report otherwise.
	 */
	static bool RebuildAllAfterConfirmation(FOrvaneContentReport* OutReport = nullptr);

	/**
	 * At module start: creates the missing assets now when the asset registry has finished its first scan,
	 * otherwise once it has (a scan still running would report saved assets as missing).
	 */
	static void CreateMissingWhenRegistryReady();

	/** At module shut-down: drops a creation still waiting for the registry. */
	static void CancelPendingCreation();

private:
	static void OnRegistryFilesLoaded();

	static FDelegateHandle FilesLoadedHandle;
};
