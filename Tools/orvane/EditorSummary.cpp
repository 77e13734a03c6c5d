// Copyright Kelmora. All Rights Reserved.
#include "EditorSummary.h"

#include "CineCameraActor.h"
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Containers/Ticker.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "Framework/Application/SlateApplication.h"
#include "LiveLinkSettings.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "TimerManager.h"
#include "UObject/UnrealType.h"

#include <cstdio>
#include <filesystem>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	void PrintSavedAssets(const FString& ContentDir)
	{
		std::printf("Saved assets:\n");
		std::error_code Error;
		const std::filesystem::path Root(Utf8(ContentDir));
		for (auto It = std::filesystem::recursive_directory_iterator(Root, Error); !Error && It != std::filesystem::recursive_directory_iterator(); It.increment(Error))
		{
			if (It->is_regular_file(Error) && It->path().extension() == ".uasset")
			{
				std::printf("  /Game/%s\n", It->path().lexically_relative(Root).replace_extension().generic_string().c_str());
			}
		}
	}

	/** What the camera carries after the delayed steps: its preset, its ICVFX link and its parent. */
	void PrintCamera(AActor* Camera, const TArray<AActor*>& Actors)
	{
		if (!Camera)
		{
			std::printf("Camera: none\n");
			return;
		}
		std::printf("Camera: %s\n", Utf8(Camera->GetName()).c_str());
		const FObjectPropertyBase* PresetProperty = FindFProperty<FObjectPropertyBase>(Camera->GetClass(), TEXT("LiveLinkPreset"));
		const UObject* Preset = PresetProperty ? PresetProperty->GetObjectPropertyValue_InContainer(Camera) : nullptr;
		std::printf("  Live Link preset: %s\n", Preset ? Utf8(Preset->GetPathName()).c_str() : "none");
		const AActor* Parent = Camera->GetAttachParentActor();
		std::printf("  attached to: %s\n", Parent ? Utf8(Parent->GetName()).c_str() : "nothing");
		for (AActor* Actor : Actors)
		{
			TArray<UDisplayClusterICVFXCameraComponent*> Components;
			Actor->GetComponents(Components);
			for (const UDisplayClusterICVFXCameraComponent* Component : Components)
			{
				if (static_cast<const AActor*>(Component->CameraSettings.ExternalCameraActor.Get()) == Camera)
				{
					std::printf("  drives ICVFX camera: %s.%s\n", Utf8(Actor->GetName()).c_str(), Utf8(Component->GetName()).c_str());
				}
			}
		}
	}
}

void StartHeadlessEditor()
{
	// The editor's Slate application is up before any plug-in module starts.
	FSlateApplication::Get();
	for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("AssetRegistry"), TEXT("AssetTools"), TEXT("DisplayClusterConfiguration"), TEXT("DisplayCluster"), TEXT("DisplayClusterConfigurator"), TEXT("LiveLink"),
			 TEXT("EngineSettings"), TEXT("SettingsEditor"), TEXT("ToolMenus"), TEXT("Projects"), TEXT("DesktopPlatform"), TEXT("OrvaneLiveLink"), TEXT("Orvaneui")})
	{
		FModuleManager::Get().LoadModule(Module);
	}
}

void RunEditorFor(float Seconds)
{
	constexpr float FrameSeconds = 0.25f;
	for (float Elapsed = 0.0f; Elapsed < Seconds; Elapsed += FrameSeconds)
	{
		FTSTicker::GetCoreTicker().Tick(FrameSeconds);
		if (GEditor)
		{
			GEditor->GetTimerManager()->Tick(FrameSeconds);
		}
	}
}

void PrintEditorSummary(const FString& ProjectDir)
{
	std::printf("Project: %s\n", Utf8(ProjectDir).c_str());
	PrintSavedAssets(FPaths::ProjectContentDir());
	TArray<AActor*> Actors;
	const UWorld* World = GEditor ? GEditor->GetEditorWorldContext().World() : nullptr;
	std::printf("Level actors:\n");
	if (World && World->PersistentLevel)
	{
		for (AActor* Actor : World->PersistentLevel->Actors)
		{
			if (IsValid(Actor))
			{
				Actors.Add(Actor);
				std::printf("  %s (%s)\n", Utf8(Actor->GetName()).c_str(), Utf8(Actor->GetClass()->GetPathName()).c_str());
			}
		}
	}
	PrintCamera(FOrvaneCameraManager::GetLastCreatedCamera(), Actors);
	const ULiveLinkSettings* LiveLinkSettings = GetDefault<ULiveLinkSettings>();
	std::printf("Live Link startup preset: %s\n", LiveLinkSettings->DefaultLiveLinkPreset.IsNull() ? "none" : Utf8(LiveLinkSettings->DefaultLiveLinkPreset.ToString()).c_str());
}
