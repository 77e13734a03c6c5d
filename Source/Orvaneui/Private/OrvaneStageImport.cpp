// Copyright Kelmora. All Rights Reserved.
#include "OrvaneStageImport.h"

#include "Engine/EngineTypes.h"
#include "GameFramework/Actor.h"
#include "Misc/Paths.h"
#include "OrvaneCameraManager.h"
#include "OrvaneNDisplayConfigImporter.h"

EOrvaneStageImportResult FOrvaneStageImport::ImportStageToLevel(const FString& StageFile, bool bAddICVFX, bool bRenderAlpha, FString* OutFailedStep)
{
	// The road goes on after a failed later step, as the dialog always did, but remembers the first one so
	// that the outcome is not reported as a success.
	FString FailedStep;
	auto Check = [&FailedStep](bool bSucceeded, const TCHAR* Step)
	{
		if (!bSucceeded && FailedStep.IsEmpty())
		{
			FailedStep = Step;
		}
	};

	AActor* Camera = bAddICVFX ? CreateVPCameraIfNeeded(bRenderAlpha) : nullptr;
	Check(!bAddICVFX || Camera, TEXT("creating the virtual-production camera"));

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
		Check(UOrvaneNDisplayConfigImporter::AddMeshesToDisplayClusterBlueprint(Asset, MeshPaths), TEXT("adding the wall meshes"));
	}
	if (bAddICVFX)
	{
		Check(UOrvaneNDisplayConfigImporter::DisableInnerFrustumsOnRootActor(Asset), TEXT("disabling the inner frustums"));
		Check(UOrvaneNDisplayConfigImporter::AddICVFXCameraComponent(Asset), TEXT("adding the ICVFX camera"));
	}
	Check(UOrvaneNDisplayConfigImporter::ExportNDisplayConfigToFile(Asset, ConfigPath), TEXT("exporting the configuration"));
	Check(UOrvaneNDisplayConfigImporter::SaveDisplayClusterAssets(MeshPaths, Asset), TEXT("saving the assets"));

	AActor* Root = UOrvaneNDisplayConfigImporter::SpawnNDisplayActorInLevel(Asset);
	Check(Root != nullptr, TEXT("placing the cluster in the level"));
	if (Root && Camera && bAddICVFX)
	{
		UOrvaneNDisplayConfigImporter::LinkVPCameraToICVFXInstance(Root, Camera);
		Check(Camera->AttachToActor(Root, FAttachmentTransformRules::KeepWorldTransform), TEXT("attaching the camera to the cluster"));
	}
	if (OutFailedStep)
	{
		*OutFailedStep = FailedStep;
	}
	return FailedStep.IsEmpty() ? EOrvaneStageImportResult::Succeeded : EOrvaneStageImportResult::CompletedWithErrors;
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
	case EOrvaneStageImportResult::CompletedWithErrors:
		return TEXT("Created nDisplay from ORVS with errors");
	default:
		return TEXT("Successfully created nDisplay from ORVS");
	}
}

FString FOrvaneStageImport::GetResultText(EOrvaneStageImportResult Result, const FString& FailedStep)
{
	if (Result == EOrvaneStageImportResult::CompletedWithErrors && !FailedStep.IsEmpty())
	{
		return FString::Printf(TEXT("%s: %s failed"), GetResultText(Result), *FailedStep);
	}
	return GetResultText(Result);
}
