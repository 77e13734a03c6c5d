// Copyright Kelmora. All Rights Reserved.
#include "OrvaneStageImport.h"

#include "Engine/EngineTypes.h"
#include "GameFramework/Actor.h"
#include "Misc/Paths.h"
#include "OrvaneCameraManager.h"
#include "OrvaneNDisplayConfigImporter.h"

EOrvaneStageImportResult FOrvaneStageImport::ImportStageToLevel(const FString& StageFile, bool bAddICVFX, bool bRenderAlpha)
{
	AActor* Camera = bAddICVFX ? CreateVPCameraIfNeeded(bRenderAlpha) : nullptr;

	TArray<FString> MeshPaths;
	const FString ConfigPath = UOrvaneNDisplayConfigImporter::CreateNDisplayFromORVS(StageFile, bAddICVFX, MeshPaths);
	if (ConfigPath.IsEmpty())
	{
		return EOrvaneStageImportResult::ConfigFailed;
	}
	UObject* Asset = UOrvaneNDisplayConfigImporter::ImportNDisplayToProject(ConfigPath, FPaths::GetBaseFilename(ConfigPath));
	if (!Asset)
	{
		return EOrvaneStageImportResult::ImportFailed;
	}

	if (MeshPaths.Num() > 0)
	{
		UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(Asset, MeshPaths);
	}
	if (bAddICVFX)
	{
		UOrvaneNDisplayConfigImporter::DisableInnerFrustumsOnRootActor(Asset);
		UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(Asset);
	}
	UOrvaneNDisplayConfigImporter::ExportNDisplayConfigToFile(Asset, ConfigPath);
	UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets(MeshPaths, Asset);

	AActor* Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Asset);
	if (Root && Camera && bAddICVFX)
	{
		UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(Root, Camera);
		Camera->AttachToActor(Root, FAttachmentTransformRules::KeepWorldTransform);
	}
	return EOrvaneStageImportResult::Succeeded;
}

AActor* FOrvaneStageImport::CreateVPCameraIfNeeded(bool bRenderAlpha)
{
	// The fields of the full-setup panel are not used here: a stage import always sets up the defaults.
	const bool bCreated = FOrvaneCameraManager::HasDefaultPreset() ? FOrvaneCameraManager::CreateOrvaneCameraOnly() : FOrvaneCameraManager::CreateCompleteSetup(TEXT("0.0.0.0:9001"), TEXT("Orvane_LiveLink_Preset"), bRenderAlpha);
	return bCreated ? FOrvaneCameraManager::LastCreatedCamera.Get() : nullptr;
}

const TCHAR* FOrvaneStageImport::GetResultText(EOrvaneStageImportResult Result)
{
	switch (Result)
	{
	case EOrvaneStageImportResult::ConfigFailed:
		return TEXT("Failed to create nDisplay config");
	case EOrvaneStageImportResult::ImportFailed:
		return TEXT("Failed to import nDisplay blueprint");
	default:
		return TEXT("Successfully created nDisplay from ORVS");
	}
}
