// Copyright Kelmora. All Rights Reserved.
#include "Commands.h"

#include "CoreMinimal.h"
#include "CineCameraActor.h"
#include "Components/DisplayClusterICVFXCameraComponent.h"
#include "Containers/Ticker.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/World.h"
#include "LiveLinkSettings.h"
#include "LogCapture.h"
#include "Misc/Paths.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "OrvaneLiveLinkHelper.h"
#include "OrvaneStageImport.h"
#include "TimerManager.h"
#include "ToolArguments.h"
#include "UObject/UnrealType.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace
{
	std::string Utf8(const FString& Text)
	{
		return std::string(TCHAR_TO_UTF8(*Text));
	}

	/** The editor's main loop for a while: the camera manager's delayed stages run one second after the setup. */
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

	/** What the camera carries after the delayed stages: its preset, its ICVFX link and its parent. */
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

int RunStageImport(int ArgC, char** ArgV)
{
	FStageCommandArguments Arguments;
	if (!ParseStageCommandArguments(ArgC, ArgV, "import", Arguments))
	{
		return 2;
	}

	// The editor as it stands when a user opens the setup dialog: the engine, the plug-in and its content.
	for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("AssetRegistry"), TEXT("AssetTools"), TEXT("DisplayClusterConfiguration"), TEXT("DisplayCluster"), TEXT("DisplayClusterConfigurator"), TEXT("LiveLink"),
			 TEXT("EngineSettings"), TEXT("SettingsEditor"), TEXT("OrvaneLiveLink"), TEXT("Orvaneui")})
	{
		FModuleManager::Get().LoadModule(Module);
	}

	// Every log line still reaches standard error. The road reports its own outcome, naming the first step that
	// failed; the capture only watches the delayed steps that run after it (the preset one second later).
	FLogCapture Log(false);
	FString FailedStep;
	const EOrvaneStageImportResult Result = FOrvaneStageImport::ImportStageToLevel(Arguments.StagePath, Arguments.bIncludeICVFXCamera, false, &FailedStep);
	Log.Clear();
	RunEditorFor(2.0f);

	if (Result != EOrvaneStageImportResult::Succeeded)
	{
		std::fprintf(stderr, "orvane stage import: %s\n", TCHAR_TO_UTF8(*FOrvaneStageImport::GetResultText(Result, FailedStep)));
	}
	if (Result != EOrvaneStageImportResult::Succeeded || PrintLoggedErrors(Log, "import", true) > 0)
	{
		UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
		return 1;
	}

	std::printf("%s\n", TCHAR_TO_UTF8(FOrvaneStageImport::GetResultText(Result)));
	std::printf("Project: %s\n", Utf8(Arguments.ProjectDir).c_str());
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

	// The source the setup made listens on the camera port; close it before the process ends.
	UOrvaneLiveLinkHelper::RemoveAllOrvaneSources();
	return 0;
}
