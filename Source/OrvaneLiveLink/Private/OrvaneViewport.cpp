// Copyright Kelmora. All Rights Reserved.
#include "OrvaneViewport.h"

#include "Engine/Engine.h"
#include "Misc/App.h"

#if WITH_EDITOR
#include "Editor.h"
#include "Framework/Application/SlateApplication.h"
#include "Framework/Docking/TabManager.h"
#include "IAssetViewport.h"
#include "Layout/Children.h"
#include "LevelEditor.h"
#include "Modules/ModuleManager.h"
#include "OrvaneCompat.h"
#include "PlayInEditorDataTypes.h"
#include "SLevelViewport.h"
#include "TimerManager.h"
#include "Widgets/Docking/SDockTab.h"
#include "Widgets/SWindow.h"
#endif

namespace
{
	const TCHAR* const ToggleImmersiveCommand = TEXT("LevelEditor.ToggleImmersive");

	void ExecuteToggleImmersive()
	{
		if (GEngine)
		{
			GEngine->Exec(nullptr, ToggleImmersiveCommand, *GLog);
		}
	}

	/** True inside the editor with a project loaded (the engine names a missing project "None"). */
	bool IsEditorWithProject()
	{
		const FString ProjectName = FApp::GetProjectName();
		return GIsEditor && !ProjectName.IsEmpty() && !ProjectName.Equals(TEXT("None"), ESearchCase::IgnoreCase);
	}

#if WITH_EDITOR
	FLevelEditorModule* GetLevelEditorModule()
	{
		return FModuleManager::GetModulePtr<FLevelEditorModule>(TEXT("LevelEditor"));
	}

	/** The window holding the live level editor tab; null when the tab is closed or in no window. */
	TSharedPtr<SWindow> FindLevelEditorWindow()
	{
		const TSharedPtr<SDockTab> LevelEditorTab = FGlobalTabmanager::Get()->FindExistingLiveTab(FTabId(TEXT("LevelEditor")));
		return LevelEditorTab ? LevelEditorTab->GetParentWindow() : nullptr;
	}

	/** The first level viewport in Widget's tree, depth-first: the widget itself, then its children in order. */
	TSharedPtr<SLevelViewport> FindLevelViewportInTree(const TSharedRef<SWidget>& Widget)
	{
		static const FName LevelViewportType(TEXT("SLevelViewport"));
		if (Widget->GetType() == LevelViewportType)
		{
			return StaticCastSharedRef<SLevelViewport>(Widget);
		}
		if (FChildren* Children = Widget->GetChildren())
		{
			for (int32 Index = 0; Index < Children->Num(); ++Index)
			{
				if (TSharedPtr<SLevelViewport> Found = FindLevelViewportInTree(Children->GetChildAt(Index)))
				{
					return Found;
				}
			}
		}
		return nullptr;
	}

	/** Runs Callback once on the editor's game thread after Seconds; the handle is dropped, so it cannot be cancelled. */
	void RunOnceAfter(float Seconds, TFunction<void()> Callback)
	{
		if (!GEditor)
		{
			UE_LOG(LogTemp, Warning, TEXT("Orvane: GEditor is null"));
			return;
		}
		FTimerHandle Handle;
		GEditor->GetTimerManager()->SetTimer(Handle, FTimerDelegate::CreateLambda(MoveTemp(Callback)), Seconds, false, Seconds);
	}
#endif
}

bool UOrvaneViewport::IsEditorPlaying()
{
	if (!GIsEditor || !GEngine)
	{
		return false;
	}
	for (const FWorldContext& Context : GEngine->GetWorldContexts())
	{
		if (Context.WorldType == EWorldType::PIE)
		{
			return true;
		}
	}
	return false;
}

void UOrvaneViewport::EditorBeginPlay()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Starting Play in Editor"));
#if WITH_EDITOR
	if (!GIsEditor || !GEngine || !GEditor)
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Not in editor environment or missing required globals"));
		return;
	}
	if (ULevelEditorSubsystem* LevelEditorSubsystem = OrvaneCompat::GetPlaySessionSubsystem())
	{
		UE_LOG(LogTemp, Log, TEXT("Orvane: Using UE 5.5+ official EditorRequestBeginPlay method"));
		OrvaneCompat::RequestBeginPlay(*LevelEditorSubsystem);
		UE_LOG(LogTemp, Log, TEXT("Orvane: EditorRequestBeginPlay executed successfully"));
		return;
	}
	UE_LOG(LogTemp, Warning, TEXT("Orvane: Could not get LevelEditorSubsystem, falling back to custom implementation"));
	UE_LOG(LogTemp, Log, TEXT("Orvane: Using custom EditorRequestBeginPlay implementation"));
	CustomEditorRequestBeginPlay();
	UE_LOG(LogTemp, Log, TEXT("Orvane: PIE start command completed"));
#else
	UE_LOG(LogTemp, Warning, TEXT("Orvane: Not in editor environment or missing required globals"));
#endif
}

void UOrvaneViewport::CustomEditorRequestBeginPlay()
{
#if WITH_EDITOR
	UE_LOG(LogTemp, Log, TEXT("Orvane: Starting PIE using UE 5.3-compatible method"));
	if (!GEditor)
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: GEditor is null"));
		return;
	}

	TSharedPtr<SLevelViewport> LevelViewport;
	const FLevelEditorModule* LevelEditorModule = GetLevelEditorModule();
	const TSharedPtr<ILevelEditor> LevelEditor = LevelEditorModule ? LevelEditorModule->GetFirstLevelEditor() : nullptr;
	if (LevelEditor)
	{
		LevelViewport = LevelEditor->GetActiveViewportInterface();
		if (LevelViewport)
		{
			UE_LOG(LogTemp, Log, TEXT("Orvane: Found active viewport through Level Editor"));
		}
		else
		{
			const TArray<TSharedPtr<SLevelViewport>> Viewports = LevelEditor->GetViewports();
			if (Viewports.Num() > 0 && Viewports[0].IsValid())
			{
				LevelViewport = Viewports[0];
				UE_LOG(LogTemp, Log, TEXT("Orvane: Found viewport from Level Editor viewports array"));
			}
		}
	}
	if (!LevelViewport && FSlateApplication::IsInitialized())
	{
		UE_LOG(LogTemp, Log, TEXT("Orvane: Searching for viewport through Slate widget tree"));
		for (const TSharedRef<SWindow>& Window : FSlateApplication::Get().GetInteractiveTopLevelWindows())
		{
			LevelViewport = FindLevelViewportInTree(Window);
			if (LevelViewport)
			{
				UE_LOG(LogTemp, Log, TEXT("Orvane: Found viewport through widget tree search"));
				break;
			}
		}
	}
	if (!LevelViewport)
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: No active SLevelViewport found"));
		return;
	}

	FRequestPlaySessionParams SessionParams;
	SessionParams.DestinationSlateViewport = TWeakPtr<IAssetViewport>(TSharedPtr<IAssetViewport>(LevelViewport));
	GEditor->RequestPlaySession(SessionParams);
	UE_LOG(LogTemp, Log, TEXT("Orvane: RequestPlaySession sent successfully"));
#endif
}

void UOrvaneViewport::EditorBeginPlayFullscreen()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Starting PIE in fullscreen immersive mode"));
	ToggleFullscreen();
	UE_LOG(LogTemp, Log, TEXT("Orvane: Toggling immersive mode"));
	ExecuteToggleImmersive();
	UE_LOG(LogTemp, Log, TEXT("Orvane: Immersive mode toggled successfully"));
#if WITH_EDITOR
	// The window change and the immersive switch take effect over the next frames; the session starts after them.
	RunOnceAfter(0.2f, []()
		{
			EditorBeginPlay();
			UE_LOG(LogTemp, Log, TEXT("Orvane: PIE started in fullscreen immersive mode")); });
#else
	EditorBeginPlay();
#endif
}

void UOrvaneViewport::EditorEndPlay()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Stopping Play in Editor"));
	if (!IsEditorPlaying())
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Editor is not currently playing"));
		return;
	}
#if WITH_EDITOR
	if (ULevelEditorSubsystem* LevelEditorSubsystem = OrvaneCompat::GetPlaySessionSubsystem())
	{
		UE_LOG(LogTemp, Log, TEXT("Orvane: Using UE 5.5+ official EditorRequestEndPlay method"));
		LevelEditorSubsystem->EditorRequestEndPlay();
		UE_LOG(LogTemp, Log, TEXT("Orvane: EditorRequestEndPlay executed successfully"));
	}
	else
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Could not get LevelEditorSubsystem, falling back to custom implementation"));
		CustomEditorRequestEndPlay();
	}
	RunOnceAfter(0.3f, []()
		{
			RevertToWindowedMode();
			UE_LOG(LogTemp, Log, TEXT("Orvane: PIE stopped and reverted to windowed mode")); });
#endif
	UE_LOG(LogTemp, Log, TEXT("Orvane: PIE stop command completed"));
}

void UOrvaneViewport::CustomEditorRequestEndPlay()
{
#if WITH_EDITOR
	UE_LOG(LogTemp, Log, TEXT("Orvane: Stopping PIE using custom method"));
	if (GEditor)
	{
		GEditor->RequestEndPlayMap();
		UE_LOG(LogTemp, Log, TEXT("Orvane: RequestEndPlayMap called successfully"));
	}
	else
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: GEditor is null"));
	}
#endif
}

void UOrvaneViewport::ToggleFullscreen()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Toggling fullscreen mode"));
	if (!IsEditorWithProject())
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Not in editor environment or no project loaded"));
		return;
	}
#if WITH_EDITOR
	const TSharedPtr<SWindow> Window = FindLevelEditorWindow();
	if (!Window)
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Level Editor window not found"));
		return;
	}
	if (Window->GetWindowMode() == EWindowMode::Windowed)
	{
		Window->SetWindowMode(EWindowMode::WindowedFullscreen);
		UE_LOG(LogTemp, Log, TEXT("Orvane: Switched to fullscreen mode"));
	}
	else
	{
		Window->SetWindowMode(EWindowMode::Windowed);
		UE_LOG(LogTemp, Log, TEXT("Orvane: Switched to windowed mode"));
	}
#endif
}

void UOrvaneViewport::ToggleImmersiveMode()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Toggling immersive mode"));
	ExecuteToggleImmersive();
	UE_LOG(LogTemp, Log, TEXT("Orvane: Immersive mode toggled successfully"));
}

void UOrvaneViewport::RevertToWindowedMode()
{
	UE_LOG(LogTemp, Log, TEXT("Orvane: Reverting to windowed mode and disabling immersive"));
	if (!IsEditorWithProject())
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Not in editor environment or no project loaded"));
		return;
	}
#if WITH_EDITOR
	const TSharedPtr<SWindow> Window = FindLevelEditorWindow();
	if (!Window)
	{
		UE_LOG(LogTemp, Warning, TEXT("Orvane: Level Editor window not found"));
		return;
	}
	if (Window->GetWindowMode() != EWindowMode::Windowed)
	{
		Window->SetWindowMode(EWindowMode::Windowed);
		UE_LOG(LogTemp, Log, TEXT("Orvane: Reverted to windowed mode"));
	}

	FLevelEditorModule* LevelEditorModule = GetLevelEditorModule();
	const TSharedPtr<ILevelEditor> LevelEditor = LevelEditorModule ? LevelEditorModule->GetFirstLevelEditor() : nullptr;
	if (!LevelEditor)
	{
		return;
	}
	// The command is a toggle: sent while the viewport is not immersive (a session started without the
	// fullscreen operation, or immersive left by hand) it would switch immersive mode on instead of off.
	const TSharedPtr<SLevelViewport> ActiveViewport = LevelEditor->GetActiveViewportInterface();
	if (ActiveViewport && !ActiveViewport->IsImmersive())
	{
		UE_LOG(LogTemp, Log, TEXT("Orvane: Immersive mode already disabled"));
		return;
	}
	ExecuteToggleImmersive();
	RunOnceAfter(0.1f, []()
		{ UE_LOG(LogTemp, Log, TEXT("Orvane: Immersive mode should now be disabled")); });
	UE_LOG(LogTemp, Log, TEXT("Orvane: Attempted to disable immersive mode"));
#endif
}
