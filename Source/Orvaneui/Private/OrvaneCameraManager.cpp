// Copyright Kelmora. All Rights Reserved.
#include "OrvaneCameraManager.h"

#include "CineCameraActor.h"
#include "CineCameraComponent.h"
#include "Containers/Ticker.h"
#include "Editor.h"
#include "Engine/Engine.h"
#include "Engine/RendererSettings.h"
#include "Engine/World.h"
#include "EngineUtils.h"
#include "GameFramework/Actor.h"
#include "HAL/FileManager.h"
#include "ISettingsEditorModule.h"
#include "LiveLinkPreset.h"
#include "LiveLinkSettings.h"
#include "Materials/MaterialInterface.h"
#include "Misc/ConfigCacheIni.h"
#include "Misc/PackageName.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCompat.h"
#include "OrvaneLiveLinkHelper.h"
#include "TimerManager.h"
#include "UObject/Class.h"
#include "UObject/Package.h"
#include "UObject/SoftObjectPath.h"
#include "UObject/UObjectGlobals.h"
#include "UObject/UnrealType.h"

TWeakObjectPtr<AActor> FOrvaneCameraManager::LastCreatedCamera;

namespace
{
	// The delayed steps still pending, so that a shut-down module can cancel them (editor game thread only).
	TArray<FTSTicker::FDelegateHandle> PendingTickers;
	TArray<FTimerHandle> PendingTimers;
}

void FOrvaneCameraManager::CancelDelayedSteps()
{
	for (const FTSTicker::FDelegateHandle& Handle : PendingTickers)
	{
		FTSTicker::RemoveTicker(Handle);
	}
	PendingTickers.Reset();
	if (GEditor)
	{
		for (FTimerHandle& Handle : PendingTimers)
		{
			GEditor->GetTimerManager()->ClearTimer(Handle);
		}
	}
	PendingTimers.Reset();
}

namespace
{
	const TCHAR* const CameraClassPath = TEXT("/Orvane/Orvane_VP_Camera.Orvane_VP_Camera_C");
	const TCHAR* const GameModeClassPath = TEXT("/Orvane/Orvane_GM.Orvane_GM_C");
	const TCHAR* const MaskMaterialPath = TEXT("/Orvane/Materials/Orvane_MI_MaskStencil");
	const TCHAR* const PresetFolder = TEXT("/Game/Orvane/");
	// Alpha output keeps 10-bit colour and a back buffer with alpha: the stencil mask is all or nothing.
	constexpr uint8 AlphaBackBufferFormat = 4;
	constexpr float DelayedStageSeconds = 1.0f;

	UWorld* GetEditorWorld()
	{
		return GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	}

	/** A preset name that stays inside the preset folder when made into a path. */
	bool IsPresetNameInsideFolder(const FString& PresetName)
	{
		return !PresetName.IsEmpty() && !PresetName.Contains(TEXT("/")) && !PresetName.Contains(TEXT("\\")) && !PresetName.Contains(TEXT("..")) && FPackageName::IsValidLongPackageName(FString(PresetFolder) + PresetName);
	}

	/** Writes one setting to its class's default config file (all of them when it has no such property). */
	void PersistSetting(UObject* Settings, const TCHAR* PropertyName)
	{
		if (const FProperty* Property = Settings->GetClass()->FindPropertyByName(FName(PropertyName)))
		{
			Settings->UpdateSinglePropertyInConfigFile(Property, Settings->GetDefaultConfigFilename());
		}
		else
		{
			Settings->TryUpdateDefaultConfigFile(TEXT(""), true);
		}
		GConfig->Flush(false);
	}

	/** The startup preset, loaded; null (with the matching warning when bLog) when there is none. */
	ULiveLinkPreset* LoadStartupPreset(bool bLog)
	{
		const ULiveLinkSettings* Settings = GetDefault<ULiveLinkSettings>();
		if (!Settings)
		{
			return nullptr;
		}
		if (Settings->DefaultLiveLinkPreset.IsNull())
		{
			UE_CLOG(bLog, LogTemp, Warning, TEXT("No default LiveLink preset is set"));
			return nullptr;
		}
		ULiveLinkPreset* Preset = Settings->DefaultLiveLinkPreset.LoadSynchronous();
		UE_CLOG(bLog && !Preset, LogTemp, Warning, TEXT("Failed to load default LiveLink preset"));
		return Preset;
	}

	/** Runs Action on the camera spawned last one second from now, on the editor's timers, if that camera still exists then. */
	void RunOnLastCreatedCameraLater(TFunction<void(AActor*)> Action)
	{
		if (!GEditor)
		{
			return;
		}
		auto RunIfCameraExists = [Action = MoveTemp(Action)]()
		{
			if (AActor* Camera = FOrvaneCameraManager::LastCreatedCamera.Get())
			{
				Action(Camera);
			}
		};
		FTimerHandle Handle;
		GEditor->GetTimerManager()->SetTimer(Handle, FTimerDelegate::CreateLambda(RunIfCameraExists), DelayedStageSeconds, false);
		PendingTimers.RemoveAll([](const FTimerHandle& Pending)
			{ return !GEditor->GetTimerManager()->IsTimerActive(Pending); });
		PendingTimers.Add(Handle);
	}

	FString GetDefaultPresetName()
	{
		const ULiveLinkPreset* Preset = LoadStartupPreset(true);
		if (!Preset)
		{
			return FString();
		}
		const FString Name = Preset->GetName();
		UE_CLOG(!Name.IsEmpty(), LogTemp, Warning, TEXT("Found default LiveLink preset: %s"), *Name);
		return Name;
	}
}

bool FOrvaneCameraManager::CreateCompleteSetup(const FString& Endpoint, const FString& PresetName, bool bRenderAlpha)
{
	SetDefaultGameMode();

	const bool bSucceeded = CreateLiveLinkSourceAndPreset(Endpoint, PresetName) && CreateOrvaneCamera(FString(), bRenderAlpha);
	bool bRestartRequired = false;
	if (bSucceeded && bRenderAlpha)
	{
		URendererSettings* Renderer = GetMutableDefault<URendererSettings>();
		bool bChanged = false;
		if (!OrvaneCompat::IsAlphaChannelInPostProcessingEnabled(*Renderer))
		{
			OrvaneCompat::EnableAlphaChannelInPostProcessing(*Renderer);
			bChanged = true;
		}
		if (Renderer->DefaultBackBufferPixelFormat != AlphaBackBufferFormat)
		{
			Renderer->DefaultBackBufferPixelFormat = EDefaultBackBufferPixelFormat::Type(AlphaBackBufferFormat);
			bChanged = true;
		}
		if (bChanged)
		{
			Renderer->SaveConfig(CPF_Config, nullptr, GConfig);
			Renderer->TryUpdateDefaultConfigFile(TEXT(""));
			bRestartRequired = true;
		}
	}

	if (GEngine)
	{
		if (bSucceeded)
		{
			GEngine->AddOnScreenDebugMessage(-1, 10.0f, FColor::Green, TEXT("Orvane Complete Setup Successful!"), true, FVector2D(1.0, 1.0));
		}
		else
		{
			GEngine->AddOnScreenDebugMessage(-1, 8.0f, FColor::Red, TEXT("Orvane Setup Failed - check console"), true, FVector2D(1.0, 1.0));
		}
	}
	if (bRestartRequired)
	{
		if (ISettingsEditorModule* SettingsEditor = FModuleManager::LoadModulePtr<ISettingsEditorModule>(TEXT("SettingsEditor")))
		{
			SettingsEditor->OnApplicationRestartRequired();
		}
	}
	return bSucceeded;
}

bool FOrvaneCameraManager::CreateOrvaneCameraOnly()
{
	const URendererSettings* Renderer = GetDefault<URendererSettings>();
	const bool bRenderAlpha = Renderer && OrvaneCompat::IsAlphaChannelInPostProcessingEnabled(*Renderer) && Renderer->DefaultBackBufferPixelFormat == AlphaBackBufferFormat;
	if (!CreateOrvaneCamera(FString(), bRenderAlpha))
	{
		return false;
	}

	const FString PresetName = GetDefaultPresetName();
	if (!PresetName.IsEmpty())
	{
		ApplyPresetToLastCreatedCamera(PresetName);
		UE_LOG(LogTemp, Warning, TEXT("Applied default LiveLink preset: %s"), *PresetName);
	}
	else
	{
		UE_LOG(LogTemp, Warning, TEXT("No default LiveLink preset found, created camera without preset"));
	}
	if (bRenderAlpha)
	{
		ApplyPostProcessMaterialToLastCreatedCamera(MaskMaterialPath);
	}
	return true;
}

AActor* FOrvaneCameraManager::GetLastCreatedCamera()
{
	return LastCreatedCamera.Get();
}

bool FOrvaneCameraManager::HasDefaultPreset()
{
	return LoadStartupPreset(false) != nullptr;
}

bool FOrvaneCameraManager::CreateOrvaneCamera(const FString& PresetName, bool bRenderAlpha)
{
	RemoveExistingOrvaneCameras();

	UClass* CameraClass = LoadObject<UClass>(nullptr, CameraClassPath);
	if (!CameraClass)
	{
		UE_LOG(LogTemp, Error, TEXT("Failed to load Blueprint class"));
		return false;
	}
	UWorld* World = GetEditorWorld();
	if (!World)
	{
		UE_LOG(LogTemp, Error, TEXT("Failed to get world context"));
		return false;
	}
	AActor* Camera = World->SpawnActor<AActor>(CameraClass, FVector::ZeroVector, FRotator::ZeroRotator, FActorSpawnParameters());
	if (!Camera)
	{
		UE_LOG(LogTemp, Error, TEXT("Failed to spawn camera"));
		return false;
	}
	LastCreatedCamera = Camera;
	UE_LOG(LogTemp, Warning, TEXT("Orvane Camera created successfully"));

	if (!PresetName.IsEmpty() && !SetLiveLinkPresetOnCamera(Camera, PresetName))
	{
		return false;
	}
	return !bRenderAlpha || SetPostProcessMaterialOnCamera(Camera, MaskMaterialPath);
}

bool FOrvaneCameraManager::CreateLiveLinkSourceAndPreset(const FString& Endpoint, const FString& PresetName)
{
	if (!RemoveExistingLiveLinkSources())
	{
		UE_LOG(LogTemp, Warning, TEXT("Failed to remove existing LiveLink sources"));
	}
	if (!UOrvaneLiveLinkHelper::RemoveExistingPreset(PresetName))
	{
		UE_LOG(LogTemp, Warning, TEXT("Failed to remove existing preset"));
	}
	if (!UOrvaneLiveLinkHelper::CreateOrvaneSource(Endpoint))
	{
		UE_LOG(LogTemp, Error, TEXT("Failed to create LiveLink source"));
		return false;
	}

	// The source needs a moment to show up in the client before a preset can record it.
	auto CreatePreset = [PresetName](float)
	{
		UE_LOG(LogTemp, Warning, TEXT("Delayed Preset creation"));
		if (UOrvaneLiveLinkHelper::SaveLiveLinkPreset(PresetName))
		{
			UE_LOG(LogTemp, Warning, TEXT("LiveLink preset created successfully"));
			SetLiveLinkStartupPreset(PresetName);
			SetLiveLinkPresetOnCamera(LastCreatedCamera.Get(), PresetName);
		}
		else
		{
			UE_LOG(LogTemp, Warning, TEXT("LiveLink preset creation failed"));
		}
		return false;
	};
	PendingTickers.RemoveAll([](const FTSTicker::FDelegateHandle& Pending)
		{ return !Pending.IsValid(); });
	PendingTickers.Add(FTSTicker::GetCoreTicker().AddTicker(FTickerDelegate::CreateLambda(CreatePreset), DelayedStageSeconds));

	UE_LOG(LogTemp, Warning, TEXT("LiveLink source created successfully"));
	return true;
}

bool FOrvaneCameraManager::SetDefaultGameMode()
{
	UClass* MapsSettingsClass = LoadObject<UClass>(nullptr, TEXT("/Script/EngineSettings.GameMapsSettings"));
	UObject* MapsSettings = MapsSettingsClass ? MapsSettingsClass->GetDefaultObject() : nullptr;
	FStructProperty* GameModeProperty = MapsSettingsClass ? FindFProperty<FStructProperty>(MapsSettingsClass, TEXT("GlobalDefaultGameMode")) : nullptr;
	if (!MapsSettings)
	{
		UE_LOG(LogTemp, Error, TEXT("SetDefaultGameMode: Could not find the game maps settings /Script/EngineSettings.GameMapsSettings"));
		return false;
	}
	if (!GameModeProperty || GameModeProperty->Struct != TBaseStructure<FSoftClassPath>::Get())
	{
		UE_LOG(LogTemp, Error, TEXT("SetDefaultGameMode: Could not find the setting GlobalDefaultGameMode"));
		return false;
	}

	// A game mode that fails to load leaves an empty path, as the setting's own editor would.
	const FSoftClassPath GameModePath(LoadObject<UClass>(nullptr, GameModeClassPath));
	*GameModeProperty->ContainerPtrToValuePtr<FSoftClassPath>(MapsSettings) = GameModePath;
	PersistSetting(MapsSettings, TEXT("GlobalDefaultGameMode"));

	UE_LOG(LogTemp, Warning, TEXT("Default game mode set to: %s"), *GameModePath.ToString());
	return true;
}

bool FOrvaneCameraManager::SetLiveLinkPresetOnCamera(AActor* Camera, const FString& PresetName)
{
	if (!Camera)
	{
		UE_LOG(LogTemp, Error, TEXT("Camera is null"));
		return false;
	}
	const FString PresetPath = FString::Printf(TEXT("/Game/Orvane/%s"), *PresetName);
	UObject* Preset = IsPresetNameInsideFolder(PresetName) ? LoadObject<UObject>(nullptr, *PresetPath) : nullptr;
	FObjectPropertyBase* PresetProperty = FindFProperty<FObjectPropertyBase>(Camera->GetClass(), TEXT("LiveLinkPreset"));
	// An object of another class at the preset's path must not be written into the typed variable.
	if (!Preset || (PresetProperty && !Preset->IsA(PresetProperty->PropertyClass)))
	{
		UE_LOG(LogTemp, Error, TEXT("Could not load preset: %s"), *PresetPath);
		return false;
	}

	bool bResult = false;
	if (PresetProperty)
	{
		PresetProperty->SetObjectPropertyValue_InContainer(Camera, Preset);
		bResult = true;
	}
	else
	{
		UE_LOG(LogTemp, Error, TEXT("Could not find LiveLink preset property"));
	}

	FBoolProperty* EnableProperty = FindFProperty<FBoolProperty>(Camera->GetClass(), TEXT("Set LiveLink Preset"));
	if (!EnableProperty)
	{
		UE_LOG(LogTemp, Error, TEXT("Could not find preset enable property"));
		Camera->RerunConstructionScripts();
		return false;
	}
	EnableProperty->SetPropertyValue_InContainer(Camera, true);
	// The blueprint applies its variables in its construction script.
	Camera->RerunConstructionScripts();
	UE_CLOG(bResult, LogTemp, Warning, TEXT("LiveLink preset applied to camera successfully"));
	return bResult;
}

bool FOrvaneCameraManager::SetLiveLinkStartupPreset(const FString& PresetName)
{
	ULiveLinkSettings* Settings = GetMutableDefault<ULiveLinkSettings>();
	if (!Settings || !IsPresetNameInsideFolder(PresetName))
	{
		return false;
	}
	FString PresetPath = FString::Printf(TEXT("/Game/Orvane/%s.%s"), *PresetName, *PresetName);
	if (!LoadObject<UObject>(nullptr, *PresetPath, nullptr, LOAD_NoWarn))
	{
		PresetPath = FString::Printf(TEXT("/Game/Orvane/%s"), *PresetName);
		if (!LoadObject<UObject>(nullptr, *PresetPath, nullptr, LOAD_NoWarn))
		{
			return false;
		}
	}

	Settings->DefaultLiveLinkPreset = FSoftObjectPath(PresetPath);
	Settings->MarkPackageDirty();
	PersistSetting(Settings, TEXT("DefaultLiveLinkPreset"));
	UE_LOG(LogTemp, Warning, TEXT("LiveLink startup preset configured"));
	return true;
}

bool FOrvaneCameraManager::SetPostProcessMaterialOnCamera(AActor* Camera, const FString& MaterialPath)
{
	ACineCameraActor* CineCamera = Cast<ACineCameraActor>(Camera);
	UCineCameraComponent* CameraComponent = CineCamera ? CineCamera->GetCineCameraComponent() : nullptr;
	UMaterialInterface* Material = CameraComponent && !MaterialPath.IsEmpty() ? LoadObject<UMaterialInterface>(nullptr, *MaterialPath) : nullptr;
	if (!Material)
	{
		UE_LOG(LogTemp, Warning, TEXT("Failed to set camera post process material for alpha rendering"));
		return false;
	}
	CameraComponent->PostProcessSettings.WeightedBlendables.Array.Add(FWeightedBlendable(1.0f, Material));
	return true;
}

void FOrvaneCameraManager::ApplyPresetToLastCreatedCamera(const FString& PresetName)
{
	RunOnLastCreatedCameraLater([PresetName](AActor* Camera)
		{ SetLiveLinkPresetOnCamera(Camera, PresetName); });
}

void FOrvaneCameraManager::ApplyPostProcessMaterialToLastCreatedCamera(const FString& MaterialPath)
{
	RunOnLastCreatedCameraLater([MaterialPath](AActor* Camera)
		{ SetPostProcessMaterialOnCamera(Camera, MaterialPath); });
}

void FOrvaneCameraManager::RemoveExistingOrvaneCameras()
{
	UWorld* World = GetEditorWorld();
	if (!World)
	{
		UE_LOG(LogTemp, Error, TEXT("Failed to get world context for camera cleanup"));
		return;
	}
	if (UClass* CameraClass = LoadObject<UClass>(nullptr, CameraClassPath))
	{
		TArray<AActor*> Cameras;
		for (TActorIterator<AActor> It(World, CameraClass); It; ++It)
		{
			Cameras.Add(*It);
		}
		for (AActor* Camera : Cameras)
		{
			if (IsValid(Camera))
			{
				UE_LOG(LogTemp, Warning, TEXT("Removing existing Orvane camera: %s"), *Camera->GetName());
				World->DestroyActor(Camera, false, true);
			}
		}
		UE_CLOG(Cameras.Num() > 0, LogTemp, Warning, TEXT("Removed %d existing Orvane cameras"), Cameras.Num());
	}
	else
	{
		UE_LOG(LogTemp, Warning, TEXT("Could not load Orvane camera class for cleanup"));
	}
	LastCreatedCamera.Reset();
}

bool FOrvaneCameraManager::RemoveExistingLiveLinkSources()
{
	return UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
}

void FOrvaneCameraManager::RemoveExistingPreset(const FString& PresetName)
{
	if (IsPresetNameInsideFolder(PresetName))
	{
		const FString Paths[] = {FString::Printf(TEXT("/Game/Orvane/%s.%s"), *PresetName, *PresetName), FString::Printf(TEXT("/Game/Orvane/%s"), *PresetName)};
		for (const FString& Path : Paths)
		{
			if (UObject* Existing = StaticFindObject(UObject::StaticClass(), nullptr, *Path))
			{
				ClearStartupPresetIfMatching(Existing);
				CleanupPresetAsset(Existing, Path);
			}
		}
	}
	CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
	FlushAsyncLoading();
}

void FOrvaneCameraManager::ClearStartupPresetIfMatching(UObject* Object)
{
	UClass* SettingsClass = FindFirstObject<UClass>(TEXT("LiveLinkSettings"), EFindFirstObjectOptions::ExactClass);
	UObject* Settings = SettingsClass ? SettingsClass->GetDefaultObject() : nullptr;
	FObjectPropertyBase* PresetProperty = SettingsClass ? FindFProperty<FObjectPropertyBase>(SettingsClass, TEXT("DefaultLiveLinkPreset")) : nullptr;
	if (!Settings || !PresetProperty || PresetProperty->GetObjectPropertyValue_InContainer(Settings) != Object)
	{
		return;
	}
	PresetProperty->SetObjectPropertyValue_InContainer(Settings, nullptr);
	if (UFunction* SaveFunction = SettingsClass->FindFunctionByName(TEXT("SaveConfig")))
	{
		Settings->ProcessEvent(SaveFunction, nullptr);
	}
}

void FOrvaneCameraManager::CleanupPresetAsset(UObject* Object, const FString& Path)
{
	for (UObject* Doomed : {static_cast<UObject*>(Object->GetPackage()), Object})
	{
		if (Doomed)
		{
			Doomed->SetFlags(RF_Transient);
			Doomed->ClearFlags(RF_Public | RF_Standalone);
			// Something may still use the preset (a camera, the Live Link client): garbage collection destroys
			// it once nothing does, never while it is in use. The engine refuses to mark a rooted object.
			if (!Doomed->IsRooted())
			{
				Doomed->MarkAsGarbage();
			}
		}
	}
	DeletePresetFile(Path);
}

void FOrvaneCameraManager::DeletePresetFile(const FString& Path)
{
	FString PackagePath = Path;
	int32 Dot = INDEX_NONE;
	if (Path.FindLastChar(TCHAR('.'), Dot))
	{
		PackagePath = Path.Left(Dot);
	}
	FString Filename;
	if (FPackageName::DoesPackageExist(PackagePath, &Filename))
	{
		IFileManager::Get().Delete(*Filename, false, true, false);
		return;
	}
	Filename = FPaths::ProjectContentDir() + PackagePath.Replace(TEXT("/Game/"), TEXT("")) + TEXT(".uasset");
	if (FPaths::FileExists(Filename))
	{
		IFileManager::Get().Delete(*Filename, false, true, false);
	}
}
