// Copyright Kelmora. All Rights Reserved.
#include "Editor.h"
#include "EditorKit.h"
#include "Framework/Application/SlateApplication.h"
#include "LogCapture.h"
#include "Misc/App.h"
#include "Modules/ModuleManager.h"
#include "OrvaneViewport.h"
#include "TimerManager.h"
#include "UObject/UnrealType.h"
#include "Widgets/Layout/SBorder.h"

#include <gtest/gtest.h>

namespace
{
	/** A headless editor with a loaded project and no play session, timers drained between tests. */
	class FEditorPlayTest : public testing::Test
	{
	protected:
		void SetUp() override
		{
			for (const TCHAR* Module : {TEXT("UnrealEd"), TEXT("LevelEditor"), TEXT("OrvaneLiveLink")})
			{
				FModuleManager::Get().LoadModule(Module);
			}
			ASSERT_NE(GEditor, nullptr);
			FApp::SetProjectName(TEXT("OrvaneStage"));
			Settle();
			Log.Clear();
		}

		void TearDown() override
		{
			GIsEditor = true;
			Settle();
			FApp::SetProjectName(TEXT(""));
		}

		/** Ends any session and lets every pending timer fire. */
		static void Settle()
		{
			GEditor->HostSetEditorSubsystemsAvailable(true);
			GEditor->RequestEndPlayMap();
			FEditorLoopKit::RunFor(1.0f);
			ASSERT_FALSE(GEditor->IsPlaySessionInProgress());
			ASSERT_EQ(GEditor->GetTimerManager()->GetHostActiveTimerCount(), 0);
		}

		static int32 PendingTimers() { return GEditor->GetTimerManager()->GetHostActiveTimerCount(); }

		FLogCapture Log;
	};

	using FEditorPlay = FEditorPlayTest;
	using FEditorWindowModes = FEditorPlayTest;
}

TEST_F(FEditorPlay, IsPlayingAsSoonAsAnyPlayWorldContextExists)
{
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
	// A context without its world yet: the session is still being set up.
	FWorldContext& Context = GEditor->CreateNewWorldContext(EWorldType::PIE);
	EXPECT_TRUE(UOrvaneViewport::IsEditorPlaying());
	GIsEditor = false;
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying()) << "outside the editor nothing plays in it";
	GIsEditor = true;
	EXPECT_EQ(Context.World(), nullptr);
	GEditor->DestroyWorldContext(nullptr);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
}

TEST_F(FEditorPlay, BeginPlayThroughTheSubsystemStartsOnTheNextTickInTheActiveViewport)
{
	FScopedLevelEditorWindow Editor;
	UOrvaneViewport::EditorBeginPlay();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Using UE 5.5+ official EditorRequestBeginPlay method")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: EditorRequestBeginPlay executed successfully")), 1);
	EXPECT_EQ(Log.CountContaining(TEXT("custom")), 0) << "the custom path is never touched";
	EXPECT_EQ(Log.Count(TEXT("Orvane: Starting PIE using UE 5.3-compatible method")), 0);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying()) << "the engine starts the session on its own schedule";

	FEditorLoopKit::Tick(0.016f);
	EXPECT_TRUE(UOrvaneViewport::IsEditorPlaying());
	EXPECT_EQ(GEditor->GetHostPlayViewport(), TSharedPtr<IAssetViewport>(Editor.GetViewports()[0]));
	EXPECT_EQ(GEditor->GetHostStartedSessionCount(), GEditor->GetHostEndedSessionCount() + 1);
}

TEST_F(FEditorPlay, BeginPlayOutsideTheEditorStartsNothing)
{
	FScopedLevelEditorWindow Editor;
	GIsEditor = false;
	UOrvaneViewport::EditorBeginPlay();
	GIsEditor = true;
	EXPECT_EQ(Log.Count(TEXT("Orvane: Not in editor environment or missing required globals")), 1);

	UEditorEngine* const Editor2 = GEditor;
	GEditor = nullptr;
	UOrvaneViewport::EditorBeginPlay();
	GEditor = Editor2;
	EXPECT_EQ(Log.Count(TEXT("Orvane: Not in editor environment or missing required globals")), 2);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Starting Play in Editor")), 2);
	EXPECT_FALSE(GEditor->IsPlaySessionRequestQueued());
	FEditorLoopKit::Tick(0.016f);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
}

TEST_F(FEditorPlay, CustomBeginPlayLooksForTheViewportInOrder)
{
	GEditor->HostSetEditorSubsystemsAvailable(false);
	{
		// The level editor's active viewport comes first.
		FScopedLevelEditorWindow Editor(FScopedLevelEditorWindow::EViewports::ActiveFirst);
		UOrvaneViewport::EditorBeginPlay();
		EXPECT_EQ(Log.Count(TEXT("Orvane: Could not get LevelEditorSubsystem, falling back to custom implementation")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane: Found active viewport through Level Editor")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane: RequestPlaySession sent successfully")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane: PIE start command completed")), 1);
		FEditorLoopKit::Tick(0.016f);
		EXPECT_EQ(GEditor->GetHostPlayViewport(), TSharedPtr<IAssetViewport>(Editor.GetViewports()[0]));
		GEditor->RequestEndPlayMap();
		FEditorLoopKit::Tick(0.016f);
	}
	Log.Clear();
	{
		// Without an active viewport, the first of the level editor's list.
		FScopedLevelEditorWindow Editor(FScopedLevelEditorWindow::EViewports::ListedNoneActive);
		UOrvaneViewport::EditorBeginPlay();
		EXPECT_EQ(Log.Count(TEXT("Orvane: Found active viewport through Level Editor")), 0);
		EXPECT_EQ(Log.Count(TEXT("Orvane: Found viewport from Level Editor viewports array")), 1);
		FEditorLoopKit::Tick(0.016f);
		EXPECT_EQ(GEditor->GetHostPlayViewport(), TSharedPtr<IAssetViewport>(Editor.GetViewports()[0]));
		GEditor->RequestEndPlayMap();
		FEditorLoopKit::Tick(0.016f);
	}
	Log.Clear();
	{
		// Without any in the level editor, the first level viewport of the windows' widget trees, depth first.
		FScopedLevelEditorWindow Editor(FScopedLevelEditorWindow::EViewports::None);
		TSharedPtr<SLevelViewport> Floating;
		TSharedRef<SWindow> Window = SNew(SWindow)[SNew(SBorder)[SNew(SBorder)[SAssignNew(Floating, SLevelViewport)]]];
		FSlateApplication::Get().AddWindow(Window);
		UOrvaneViewport::EditorBeginPlay();
		EXPECT_EQ(Log.Count(TEXT("Orvane: Searching for viewport through Slate widget tree")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane: Found viewport through widget tree search")), 1);
		FEditorLoopKit::Tick(0.016f);
		EXPECT_EQ(GEditor->GetHostPlayViewport(), TSharedPtr<IAssetViewport>(Floating));
		GEditor->RequestEndPlayMap();
		FEditorLoopKit::Tick(0.016f);
		FSlateApplication::Get().RequestDestroyWindow(Window);
	}
	Log.Clear();
	{
		// No viewport anywhere: nothing is requested.
		FScopedLevelEditorWindow Editor(FScopedLevelEditorWindow::EViewports::None);
		UOrvaneViewport::EditorBeginPlay();
		EXPECT_EQ(Log.Count(TEXT("Orvane: No active SLevelViewport found")), 1);
		EXPECT_EQ(Log.Count(TEXT("Orvane: RequestPlaySession sent successfully")), 0);
		EXPECT_FALSE(GEditor->IsPlaySessionRequestQueued());
		FEditorLoopKit::Tick(0.016f);
		EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
	}
}

TEST_F(FEditorPlay, EndPlayWhileNotPlayingNeitherStopsNorSchedulesTheRevert)
{
	FScopedLevelEditorWindow Editor;
	Editor.GetWindow()->SetWindowMode(EWindowMode::WindowedFullscreen);
	UOrvaneViewport::EditorEndPlay();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Editor is not currently playing")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE stop command completed")), 0);
	EXPECT_EQ(PendingTimers(), 0);
	FEditorLoopKit::RunFor(1.0f);
	EXPECT_EQ(Editor.GetWindow()->GetWindowMode(), EWindowMode::WindowedFullscreen);
}

TEST_F(FEditorPlay, FullscreenCycleStartsAfterTwoTenthsAndRevertsAfterThreeTenths)
{
	FScopedLevelEditorWindow Editor;
	const TSharedRef<SWindow> Window = Editor.GetWindow();
	const TSharedPtr<SLevelViewport> Viewport = Editor.GetViewports()[0];

	UOrvaneViewport::EditorBeginPlayFullscreen();
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::WindowedFullscreen);
	EXPECT_TRUE(Viewport->IsImmersive());
	EXPECT_EQ(Log.Count(TEXT("Orvane: Immersive mode toggled successfully")), 1);
	EXPECT_FALSE(GEditor->IsPlaySessionRequestQueued());

	FEditorLoopKit::Tick(0.15f);
	EXPECT_FALSE(GEditor->IsPlaySessionRequestQueued()) << "not before 0.2 s";
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE started in fullscreen immersive mode")), 0);
	FEditorLoopKit::Tick(0.1f);
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE started in fullscreen immersive mode")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Starting Play in Editor")), 1);
	FEditorLoopKit::Tick(0.016f);
	ASSERT_TRUE(UOrvaneViewport::IsEditorPlaying());
	EXPECT_EQ(PendingTimers(), 0) << "one-shot";

	UOrvaneViewport::EditorEndPlay();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Using UE 5.5+ official EditorRequestEndPlay method")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: EditorRequestEndPlay executed successfully")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE stop command completed")), 1);
	EXPECT_TRUE(UOrvaneViewport::IsEditorPlaying()) << "the session ends on the next tick";
	FEditorLoopKit::Tick(0.1f);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
	FEditorLoopKit::Tick(0.15f);
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::WindowedFullscreen) << "not before 0.3 s";
	EXPECT_TRUE(Viewport->IsImmersive());

	FEditorLoopKit::Tick(0.1f);
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::Windowed);
	EXPECT_FALSE(Viewport->IsImmersive());
	EXPECT_EQ(Log.Count(TEXT("Orvane: Reverted to windowed mode")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Attempted to disable immersive mode")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE stopped and reverted to windowed mode")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Immersive mode should now be disabled")), 0);
	FEditorLoopKit::Tick(0.11f);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Immersive mode should now be disabled")), 1);
	EXPECT_EQ(PendingTimers(), 0);
}

TEST_F(FEditorPlay, EndPlayAfterAPlainBeginPlayLeavesImmersiveModeOff)
{
	FScopedLevelEditorWindow Editor;
	UOrvaneViewport::EditorBeginPlay();
	FEditorLoopKit::Tick(0.016f);
	ASSERT_TRUE(UOrvaneViewport::IsEditorPlaying());
	UOrvaneViewport::EditorEndPlay();
	FEditorLoopKit::RunFor(0.5f);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
	EXPECT_EQ(Log.Count(TEXT("Orvane: PIE stopped and reverted to windowed mode")), 1);
	EXPECT_EQ(Editor.GetWindow()->GetWindowMode(), EWindowMode::Windowed);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Reverted to windowed mode")), 0) << "an already windowed window is left alone";
	EXPECT_FALSE(Editor.GetViewports()[0]->IsImmersive()) << "stopping play must not switch immersive mode on";
	EXPECT_EQ(Log.Count(TEXT("Orvane: Attempted to disable immersive mode")), 0);
}

TEST_F(FEditorPlay, EndPlayWithoutTheSubsystemRequestsTheEndThroughTheEditorEngine)
{
	FScopedLevelEditorWindow Editor;
	GEditor->HostSetEditorSubsystemsAvailable(false);
	UOrvaneViewport::EditorBeginPlay();
	FEditorLoopKit::Tick(0.016f);
	ASSERT_TRUE(UOrvaneViewport::IsEditorPlaying());
	UOrvaneViewport::EditorEndPlay();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Could not get LevelEditorSubsystem, falling back to custom implementation")), 2);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Stopping PIE using custom method")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: RequestEndPlayMap called successfully")), 1);
	EXPECT_EQ(PendingTimers(), 1) << "the revert is scheduled on this path too";
	FEditorLoopKit::Tick(0.016f);
	EXPECT_FALSE(UOrvaneViewport::IsEditorPlaying());
}

TEST_F(FEditorWindowModes, ToggleFullscreenFromEachMode)
{
	FScopedLevelEditorWindow Editor;
	const TSharedRef<SWindow> Window = Editor.GetWindow();
	UOrvaneViewport::ToggleFullscreen();
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::WindowedFullscreen);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Switched to fullscreen mode")), 1);
	UOrvaneViewport::ToggleFullscreen();
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::Windowed) << "twice returns to windowed";
	EXPECT_EQ(Log.Count(TEXT("Orvane: Switched to windowed mode")), 1);

	Window->SetWindowMode(EWindowMode::Fullscreen);
	UOrvaneViewport::ToggleFullscreen();
	EXPECT_EQ(Window->GetWindowMode(), EWindowMode::Windowed) << "from fullscreen the first call goes to windowed";
	EXPECT_EQ(Log.Count(TEXT("Orvane: Switched to windowed mode")), 2);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Toggling fullscreen mode")), 3);
}

TEST_F(FEditorWindowModes, ToggleFullscreenNeedsTheEditorAProjectAndTheLevelEditorTab)
{
	{
		FScopedLevelEditorWindow Editor;
		for (const TCHAR* Name : {TEXT("None"), TEXT("none"), TEXT("NONE"), TEXT("nOnE")})
		{
			FApp::SetProjectName(Name);
			UOrvaneViewport::ToggleFullscreen();
			EXPECT_EQ(Editor.GetWindow()->GetWindowMode(), EWindowMode::Windowed) << TCHAR_TO_UTF8(Name);
		}
		FApp::SetProjectName(TEXT("OrvaneStage"));
		GIsEditor = false;
		UOrvaneViewport::ToggleFullscreen();
		GIsEditor = true;
		EXPECT_EQ(Editor.GetWindow()->GetWindowMode(), EWindowMode::Windowed);
		EXPECT_EQ(Log.Count(TEXT("Orvane: Not in editor environment or no project loaded")), 5);
	}
	// The level editor tab closed: nothing to switch, and no crash.
	UOrvaneViewport::ToggleFullscreen();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Switched to fullscreen mode")), 0);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Level Editor window not found")), 1);
}

TEST_F(FEditorWindowModes, RevertAfterPlayDoesNothingWithoutAProject)
{
	FScopedLevelEditorWindow Editor;
	UOrvaneViewport::EditorBeginPlayFullscreen();
	FEditorLoopKit::RunFor(0.3f);
	ASSERT_TRUE(UOrvaneViewport::IsEditorPlaying());
	UOrvaneViewport::EditorEndPlay();
	FApp::SetProjectName(TEXT("None"));
	FEditorLoopKit::RunFor(0.5f);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Reverting to windowed mode and disabling immersive")), 1);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Not in editor environment or no project loaded")), 1);
	EXPECT_EQ(Editor.GetWindow()->GetWindowMode(), EWindowMode::WindowedFullscreen);
	EXPECT_TRUE(Editor.GetViewports()[0]->IsImmersive());
}

TEST_F(FEditorWindowModes, ToggleImmersiveModeFlipsTheActiveViewportEachTime)
{
	{
		FScopedLevelEditorWindow Editor;
		UOrvaneViewport::ToggleImmersiveMode();
		EXPECT_TRUE(Editor.GetViewports()[0]->IsImmersive());
		EXPECT_FALSE(Editor.GetViewports()[1]->IsImmersive());
		GIsEditor = false;
		UOrvaneViewport::ToggleImmersiveMode();
		GIsEditor = true;
		EXPECT_FALSE(Editor.GetViewports()[0]->IsImmersive()) << "the immersive toggle has no editor check";
	}
	// Without a level editor the command finds nothing to switch.
	UOrvaneViewport::ToggleImmersiveMode();
	EXPECT_EQ(Log.Count(TEXT("Orvane: Toggling immersive mode")), 3);
	EXPECT_EQ(Log.Count(TEXT("Orvane: Immersive mode toggled successfully")), 3);
}

TEST(OrvaneViewportReflection, OperationsAreBlueprintCallableWithTheirTooltips)
{
	UClass* Class = UOrvaneViewport::StaticClass();
	EXPECT_EQ(Class->GetMetaData(TEXT("IsBlueprintBase")), TEXT("true"));
	const TPair<const TCHAR*, const TCHAR*> Expected[] = {
		{TEXT("EditorBeginPlay"), TEXT("Starts Play in Editor (PIE) session\nUses different methods depending on Unreal Engine version for maximum compatibility")},
		{TEXT("EditorBeginPlayFullscreen"), TEXT("Starts Play in Editor (PIE) session in fullscreen immersive mode\nCombines PIE start with fullscreen toggle and immersive mode")},
		{TEXT("EditorEndPlay"), TEXT("Stops Play in Editor (PIE) session\nUses different methods depending on Unreal Engine version for maximum compatibility")},
		{TEXT("IsEditorPlaying"), TEXT("Checks if the editor is currently in Play in Editor mode\n@return True if PIE is active, false otherwise")},
		{TEXT("ToggleFullscreen"), TEXT("Toggles fullscreen mode for the Level Editor window\nSwitches between Windowed and WindowedFullscreen modes")},
		{TEXT("ToggleImmersiveMode"), TEXT("Toggles immersive mode in the Level Editor\nHides/shows UI panels for a cleaner viewport experience")},
	};
	for (const TPair<const TCHAR*, const TCHAR*>& Entry : Expected)
	{
		UFunction* Function = Class->FindFunctionByName(Entry.Key);
		ASSERT_NE(Function, nullptr) << TCHAR_TO_UTF8(Entry.Key);
		EXPECT_TRUE(Function->HasAllFunctionFlags(FUNC_BlueprintCallable | FUNC_Static)) << TCHAR_TO_UTF8(Entry.Key);
		EXPECT_EQ(Function->GetMetaData(TEXT("ToolTip")), Entry.Value) << TCHAR_TO_UTF8(Entry.Key);
		EXPECT_EQ(Function->GetMetaData(TEXT("Category")), TEXT("Orvane | Editor Utility")) << TCHAR_TO_UTF8(Entry.Key);
		EXPECT_TRUE(Function->HasMetaData(TEXT("DevelopmentOnly"))) << TCHAR_TO_UTF8(Entry.Key);
	}
	// The play-state query answers through a return value blueprints see as "ReturnValue".
	UFunction* IsPlaying = Class->FindFunctionByName(TEXT("IsEditorPlaying"));
	ASSERT_NE(IsPlaying, nullptr);
	const FProperty* ReturnValue = IsPlaying->FindPropertyByName(TEXT("ReturnValue"));
	ASSERT_NE(ReturnValue, nullptr);
	EXPECT_TRUE(ReturnValue->IsA<FBoolProperty>());
	EXPECT_TRUE(ReturnValue->HasAnyPropertyFlags(CPF_ReturnParm));
	EXPECT_EQ(IsPlaying->NumParms, 1);
	EXPECT_EQ(Class->FindFunctionByName(TEXT("ToggleFullscreen"))->NumParms, 0);

	for (const TCHAR* Private : {TEXT("CustomEditorRequestBeginPlay"), TEXT("CustomEditorRequestEndPlay"), TEXT("RevertToWindowedMode")})
	{
		EXPECT_EQ(Class->FindFunctionByName(Private), nullptr) << TCHAR_TO_UTF8(Private) << " is not for blueprints";
	}
}
