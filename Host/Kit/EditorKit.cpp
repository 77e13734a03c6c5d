// Copyright Kelmora. All Rights Reserved.
#include "EditorKit.h"
#include "Containers/Ticker.h"
#include "Editor.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Docking/TabManager.h"
#include "Modules/ModuleManager.h"
#include "UObject/Package.h"

FScopedTestEngine::FScopedTestEngine()
	: SavedEngine(GEngine)
	, SavedWorld(GWorld)
{
	Engine = NewObject<UEditorEngine>(GetTransientPackage());
	Engine->AddToRoot();
	GEngine = Engine;
	GWorld = nullptr;
}

FScopedTestEngine::~FScopedTestEngine()
{
	GEngine = SavedEngine;
	GWorld = SavedWorld;
	for (UWorld* World : Worlds)
	{
		World->RemoveFromRoot();
		World->MarkAsGarbage();
	}
	Engine->RemoveFromRoot();
}

UWorld* FScopedTestEngine::AddWorld(EWorldType::Type Type, const TCHAR* Name)
{
	UWorld* World = UWorld::CreateWorld(Type, false, FName(Name));
	Engine->CreateNewWorldContext(Type).SetCurrentWorld(World);
	Worlds.Add(World);
	return World;
}

void FEditorLoopKit::Tick(float DeltaSeconds)
{
	check(GEditor);
	// The engine loop ticks the core ticker before the engine.
	FTSTicker::GetCoreTicker().Tick(DeltaSeconds);
	GEditor->Tick(DeltaSeconds, false);
}

void FEditorLoopKit::RunFor(float Seconds, float StepSeconds)
{
	// Counted in whole steps so that float rounding never adds or drops a frame.
	const int32 Steps = FMath::Max(1, FMath::RoundToInt32(Seconds / StepSeconds));
	for (int32 Step = 0; Step < Steps; ++Step)
	{
		Tick(StepSeconds);
	}
}

FScopedLevelEditorWindow::FScopedLevelEditorWindow(EViewports ViewportSetup)
{
	FLevelEditorModule& LevelEditorModule = FModuleManager::LoadModuleChecked<FLevelEditorModule>(TEXT("LevelEditor"));
	if (ViewportSetup != EViewports::None)
	{
		Viewports.Add(SNew(SLevelViewport));
		Viewports.Add(SNew(SLevelViewport));
	}
	const TSharedPtr<SLevelViewport> Active = ViewportSetup == EViewports::ActiveFirst ? Viewports[0] : nullptr;
	LevelEditor = LevelEditorModule.HostCreateLevelEditor(Viewports, Active);
	Tab = SNew(SDockTab).Label(FText::FromString(TEXT("Level Editor")))[LevelEditor.ToSharedRef()];
	Window = SNew(SWindow).Title(FText::FromString(TEXT("Unreal Editor")))[Tab.ToSharedRef()];
	FGlobalTabmanager::Get()->HostAddLiveTab(TEXT("LevelEditor"), Tab.ToSharedRef());
	FSlateApplication::Get().AddWindow(Window.ToSharedRef());
}

FScopedLevelEditorWindow::~FScopedLevelEditorWindow()
{
	FSlateApplication::Get().RequestDestroyWindow(Window.ToSharedRef());
}
