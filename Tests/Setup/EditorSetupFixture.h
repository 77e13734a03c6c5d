// Copyright Kelmora. All Rights Reserved.
// A headless editor with the plug-in and its content, reset to a fresh project for each test.
#pragma once

#include "CoreMinimal.h"
#include "Containers/Ticker.h"
#include "Content/PluginContentSupport.h"
#include "Editor.h"
#include "Engine/Level.h"
#include "Engine/RendererSettings.h"
#include "Engine/World.h"
#include "Framework/Application/SlateApplication.h"
#include "GameMapsSettings.h"
#include "HeadlessProject.h"
#include "LiveLink/SourceTestSupport.h"
#include "LiveLinkSettings.h"
#include "LogCapture.h"
#include "Misc/ConfigCacheIni.h"
#include "Misc/FileHelper.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCameraManager.h"
#include "OrvaneVPCameraActor.h"
#include "TimerManager.h"
#include "UObject/Package.h"
#include "UObject/UObjectIterator.h"

#include <gtest/gtest.h>

namespace OrvaneSetupTest
{
	class FEditorSetupTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			// The editor's Slate application exists before any plug-in module starts.
			FSlateApplication::Get();
			for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("AssetRegistry"), TEXT("AssetTools"), TEXT("DisplayClusterConfiguration"), TEXT("DisplayCluster"), TEXT("DisplayClusterConfigurator"),
					 TEXT("LiveLink"), TEXT("EngineSettings"), TEXT("SettingsEditor"), TEXT("OrvaneLiveLink"), TEXT("ToolMenus"), TEXT("Projects"), TEXT("DesktopPlatform"), TEXT("Orvaneui")})
			{
				FModuleManager::Get().LoadModule(Module);
			}
			OrvaneTestContent::EnsurePluginContent();
			// The settings objects outlive a test; each test starts from a project nobody has set up.
			GConfig->HostReset();
			GetMutableDefault<ULiveLinkSettings>()->DefaultLiveLinkPreset.Reset();
			UGameMapsSettings::SetGlobalDefaultGameMode(FString());
			URendererSettings* Renderer = GetMutableDefault<URendererSettings>();
			Renderer->bEnableAlphaChannelInPostProcessing = false;
			Renderer->DefaultBackBufferPixelFormat = EDefaultBackBufferPixelFormat::DBBPF_B8G8R8A8;
			GEditor->HostOnScreenMessages.Reset();
			ClearLevel();
			Client = &OrvaneTest::GetHeadlessClient();
			Client->RemoveAllSources();
			Client->Tick();
		}

		void TearDown() override
		{
			RunEditorFor(2.0f);
			Client->RemoveAllSources();
			Client->Tick();
			ClearLevel();
		}

		/** The editor's main loop for a while: tickers and editor timers fire as their delays pass. */
		static void RunEditorFor(float Seconds)
		{
			for (float Elapsed = 0.0f; Elapsed < Seconds; Elapsed += 0.25f)
			{
				FTSTicker::GetCoreTicker().Tick(0.25f);
				GEditor->GetTimerManager()->Tick(0.25f);
			}
		}

		/** Drops the project assets earlier tests left in memory, as if the editor had just opened this project. */
		static void ForgetProjectAssets()
		{
			for (TObjectIterator<UObject> It; It; ++It)
			{
				UPackage* Package = It->GetPackage();
				if (Package && Package->GetName().StartsWith(TEXT("/Game/")))
				{
					It->ClearFlags(RF_Public | RF_Standalone);
					It->MarkAsGarbage();
				}
			}
			CollectGarbage(GARBAGE_COLLECTION_KEEPFLAGS);
		}

		static UWorld* EditorWorld() { return GEditor->GetEditorWorldContext().World(); }

		static void ClearLevel()
		{
			UWorld* World = EditorWorld();
			const TArray<TObjectPtr<AActor>> Actors = World->PersistentLevel->Actors;
			for (AActor* Actor : Actors)
			{
				World->DestroyActor(Actor);
			}
		}

		/** The actors of class T (or a subclass) in the editor level, in spawn order. */
		template <class T>
		static TArray<T*> ActorsOf()
		{
			TArray<T*> Found;
			for (AActor* Actor : EditorWorld()->PersistentLevel->Actors)
			{
				if (IsValid(Actor) && Actor->IsA(T::StaticClass()))
				{
					Found.Add(static_cast<T*>(Actor));
				}
			}
			return Found;
		}

		/** The virtual-production cameras in the editor level. */
		static TArray<AOrvaneVPCameraActor*> Cameras() { return ActorsOf<AOrvaneVPCameraActor>(); }

		FString ReadConfig(const TCHAR* Name) const
		{
			FString Text;
			FFileHelper::LoadFileToString(Text, *(Project.GetProjectDir() + TEXT("Config/") + Name));
			return Text;
		}

		FScopedHeadlessProject Project;
		FLogCapture Log;
		FLiveLinkClient* Client = nullptr;
	};
}
